#include "pages/InfoPage.h"

#include "catalog/Draw.h"
#include "catalog/Scale.h"
#include "pages/InfoPrint.h"
#include "platform/qt/TextView.h"

namespace qx {

InfoPage::InfoPage(AppContext& app, MainFrameApi& frame, QWidget* parent, DialogWindow* returnPage,
                   std::string document, std::string sheetPicture, std::string footer, std::string header,
                   int imageFolderMode)
    : SheetPage(app, parent, returnPage), frame_(frame), document_(document), sheetPicture_(sheetPicture),
      footer_(footer), header_(header), imageFolderMode_(imageFolderMode) {
    view_ = CreateTextView(this, kTextViewInfoPage, ScaleRect(app_.state, 16, 64, 612, 384));
    ShowTextView(view_, true);
}

InfoPage::~InfoPage() = default;

void InfoPage::OnInitDialog() {
    const GlobalState& s = app_.state;
    AddButtons(471, 392, 542, 412);
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

void InfoPage::OnPaint(Dc& dc) {
    const GlobalState& s = app_.state;
    DrawDib(dc, app_.pictures.backgroundWithLogo, 0, 0, kAnchorTopLeft);
    DrawSunkenFrame(dc, ScaleX(s, 14), ScaleY(s, 62), ScaleX(s, 600), ScaleY(s, 322));
}

void InfoPage::PrintSheet(Dc& dc) {
    // The printout takes its pictures from BILDER\800 whatever the screen shows.
    PrintInfoDocument(app_, dc, document_.str(), sheetPicture_.str(), footer_.str(), header_.str(), 0, 0);
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
