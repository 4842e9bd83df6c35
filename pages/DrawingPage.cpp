#include "DrawingPage.h"

#include "ground/LangText.h"
#include "catalog/Draw.h"
#include "catalog/Scale.h"
#include "print/PrintMapping.h"
#include "platform/qt/PictureView.h"
#include "shell/Fonts.h"
#include "shell/Texts.h"

namespace qx {

namespace {

// The label table never had a Czech row; Czech prints the German one.
constexpr LangText kOrderNumberLabel{{"Bestell-Nr.:", "Order no.:", "N° commande:", "Bestell-Nr.:"}};

} // namespace

std::string DrawingPath(std::string_view picture) {
    return "BILDER\\ZEICHNG\\" + std::string(picture);
}

DrawingPage::DrawingPage(AppContext& app, QWidget* parent, DialogWindow* returnPage,
                         const DrawingRequest& request)
    : SheetPage(app, parent, returnPage), request_(request) {
    const GlobalState& s = app_.state;
    view_ = new PictureView(this, ScaleRect(s, 18, 66, 520, 412));
    view_->show();
    drawing_ = LoadPicture(s, DrawingPath(request_.picture.str()));
    view_->SetPicture(drawing_.View(), DibSize(drawing_));
    if (returnPage)
        returnPage->ShowPage(false);
}

DrawingPage::~DrawingPage() = default;

void DrawingPage::OnInitDialog() { AddButtons(544, 366, 614, 386); }

void DrawingPage::SetCaptions() {
    SetCaption(texts::kDrawingCaption.Text(app_.state.languageIndex));
    SheetPage::SetCaptions();
}

void DrawingPage::OnPaint(Dc& dc) {
    const GlobalState& s = app_.state;
    DrawDib(dc, app_.pictures.backgroundWithLogo, 0, 0, kAnchorTopLeft);
    UseDesignMapping(dc, s.designRect, s.clientRect);
    DrawSunkenFrame(dc, 16, 64, 504, 348);
    dc.SetBkMode(BkMode::Transparent);
    dc.SetTextColor(Rgb(255, 255, 255));
    dc.SelectFont(FontTitle);
    dc.TextOut(120, 14, texts::kDrawingCaption.Text(s.languageIndex));
    dc.SelectFont(FontText16);
    dc.TextOut(120, 37, request_.name.str());
}

void DrawingPage::PrintSheet(Dc& dc) {
    const int lang = app_.state.languageIndex;
    PrintSheetHeading(dc, texts::kDrawingCaption.Text(lang), request_.name.str());
    // The number row sits below the drawing's middle, whatever its size.
    const int y = DibSize(drawing_).cy / 2 + 140;
    dc.TextOut(40, y, kOrderNumberLabel.Text(lang));
    dc.TextOut(112, y, request_.number.str());
    dc.SetWindowExt(1024, 1024);
    DrawDib(dc, drawing_, 80, 220, kAnchorTopLeft);
}

void DrawingPage::OnDestroy() {
    delete view_;
    view_ = nullptr;
    drawing_.Reset();
}

DrawingPage* OpenDrawingPage(AppContext& app, QWidget* parent, DialogWindow* returnPage,
                             const DrawingRequest& request) {
    auto* page = new DrawingPage(app, parent, returnPage, request);
    page->ShowPage(true);
    page->UpdateNow();
    return page;
}

} // namespace qx
