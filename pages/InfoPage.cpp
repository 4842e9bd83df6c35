#include "pages/InfoPage.h"

#include "ground/LangText.h"
#include "shell/Fonts.h"
#include "shell/Texts.h"
#include "catalog/Draw.h"
#include "catalog/Scale.h"
#include "print/PrintMapping.h"
#include "print/ui/PrintJob.h"
#include "pages/InfoPrint.h"
#include "platform/qt/TextView.h"

namespace qx {

namespace {


} // namespace

InfoPage::InfoPage(AppContext& app, MainFrameApi& frame, QWidget* parent, DialogWindow* returnPage,
                   std::string document, std::string sheetPicture, std::string footer, std::string header,
                   int imageFolderMode)
    : DialogWindow(parent, Kind::Page), app_(app), frame_(frame), buttons_(app.pictures), returnPage_(returnPage),
      document_(document), sheetPicture_(sheetPicture), footer_(footer), header_(header),
      imageFolderMode_(imageFolderMode) {
    view_ = CreateTextView(this, kTextViewInfoPage, ScaleRect(app_.state, 16, 64, 612, 384));
    ShowTextView(view_, true);
}

InfoPage::~InfoPage() = default;

void InfoPage::OnInitDialog() {
    const GlobalState& s = app_.state;
    AddControl(kPrint, ControlKind::OwnerDrawButton);
    AddControl(kBack, ControlKind::OwnerDrawButton);
    SetAllControlsFont(FontBold16);
    SetCaptions();
    MoveWindowTo(ScaleRect(s, 0, 0, 632, 434));
    MoveItem(kPrint, ScaleRect(s, 471, 392, 542, 412));
    MoveItem(kBack, ScaleRect(s, 544, 392, 614, 412));
    LoadHtmlFile(view_, InfoDocumentPath(s, document_.str()), imageFolderMode_, s.programDir.str());
    // No title is drawn: the page is named by its document's title, else by
    // what its printout is headed with, else by its file.
    std::string name = TextViewTitle(view_);
    for (const std::string* other : {&footer_.str(), &header_.str(), &document_.str()}) {
        if (name.empty())
            name = *other;
    }
    SetCaption(name);
    SetTextViewName(view_, name);
    SetUpTextView(view_);
}

void InfoPage::SetCaptions() {
    const int lang = app_.state.languageIndex;
    SetItemText(kPrint, texts::kPrintCaption.Text(lang));
    SetItemText(kBack, texts::kBackCaption.Text(lang));
}

void InfoPage::OnPaint(Dc& dc) {
    const GlobalState& s = app_.state;
    DrawDib(dc, app_.pictures.backgroundWithLogo, 0, 0, kAnchorTopLeft);
    DrawSunkenFrame(dc, ScaleX(s, 14), ScaleY(s, 62), ScaleX(s, 600), ScaleY(s, 322));
}

void InfoPage::OnDrawItem(DrawItem& item) { buttons_.DrawItemInto(item); }

void InfoPage::OnCommand(int id, int) {
    if (id == kPrint)
        Print();
    else if (id == kBack)
        Close();
}

void InfoPage::Print() {
    if (!PrintJob::Start(this, app_.state.languageIndex))
        return;
    if (Dc* dc = PrintJob::GetDc()) {
        SetupPrintMapping(*dc, 640, 480);
        // The printout takes its pictures from BILDER\800 whatever the screen shows.
        PrintInfoDocument(app_, *dc, document_.str(), sheetPicture_.str(), footer_.str(), header_.str(), 0, 0);
    }
    PrintJob::Finish();
}

void InfoPage::Close() {
    if (IsDestroyed())
        return;
    if (returnPage_ && !returnPage_->IsDestroyed())
        returnPage_->ShowPage(true);
    DestroyWindow();
}

void InfoPage::OnMessage(int message, std::intptr_t, std::intptr_t) {
    if (message == UM_RELOAD) {
        SetCaptions();
        Invalidate(true);
    }
}

void InfoPage::OnDestroy() { DestroyTextView(view_); }

InfoPage* OpenInfoPage(AppContext& app, MainFrameApi& frame, QWidget* parent, DialogWindow* returnPage,
                       std::string document, std::string sheetPicture, std::string footer, std::string header,
                       int imageFolderMode) {
    auto* page = new InfoPage(app, frame, parent, returnPage, std::move(document), std::move(sheetPicture),
                              std::move(footer), std::move(header), imageFolderMode);
    page->ShowPage(true);
    page->UpdateNow();
    return page;
}

} // namespace qx
