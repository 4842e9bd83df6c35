#include "DrawingPage.h"

#include "catalog/Draw.h"
#include "catalog/Scale.h"
#include "print/PrintMapping.h"
#include "print/ui/PrintJob.h"
#include "platform/qt/PictureView.h"
#include "shell/Fonts.h"
#include "shell/MainFrameApi.h"
#include "shell/Texts.h"

namespace qx {

namespace {

constexpr LangText kTitle{{"Produktbild", "Picture", "Image produit", "Obrázek"}};
// The label table never had a Czech row; Czech prints the German one.
constexpr LangText kOrderNumberLabel{{"Bestell-Nr.:", "Order no.:", "N° commande:", "Bestell-Nr.:"}};

} // namespace

std::string DrawingPath(std::string_view picture) {
    return "BILDER\\ZEICHNG\\" + std::string(picture);
}

DrawingPage::DrawingPage(AppContext& app, QWidget* parent, DialogWindow* returnPage,
                         const DrawingRequest& request)
    : DialogWindow(parent, Kind::Page), app_(app), buttons_(app.pictures), returnPage_(returnPage),
      request_(request) {
    const GlobalState& s = app_.state;
    view_ = new PictureView(this, ScaleRect(s, 18, 66, 520, 412));
    view_->show();
    drawing_ = LoadPicture(s, DrawingPath(request_.picture.str()));
    view_->SetPicture(drawing_.View(), DibSize(drawing_));
    if (returnPage_)
        returnPage_->ShowPage(false);
}

DrawingPage::~DrawingPage() = default;

void DrawingPage::OnInitDialog() {
    const GlobalState& s = app_.state;
    AddControl(kPrint, ControlKind::OwnerDrawButton);
    AddControl(kBack, ControlKind::OwnerDrawButton);
    SetAllControlsFont(FontBold16);
    SetCaptions();
    MoveWindowTo(ScaleRect(s, 0, 0, 632, 434));
    MoveItem(kPrint, ScaleRect(s, 544, 366, 614, 386));
    MoveItem(kBack, ScaleRect(s, 544, 392, 614, 412));
}

void DrawingPage::SetCaptions() {
    const int lang = app_.state.languageIndex;
    SetCaption(kTitle.Text(lang));
    SetItemText(kPrint, texts::kPrintCaption.Text(lang));
    SetItemText(kBack, texts::kBackCaption.Text(lang));
}

void DrawingPage::OnPaint(Dc& dc) {
    const GlobalState& s = app_.state;
    DrawDib(dc, app_.pictures.backgroundWithLogo, 0, 0, kAnchorTopLeft);
    UseDesignMapping(dc, s.designRect, s.clientRect);
    DrawSunkenFrame(dc, 16, 64, 504, 348);
    dc.SetBkMode(BkMode::Transparent);
    dc.SetTextColor(Rgb(255, 255, 255));
    dc.SelectFont(FontTitle);
    dc.TextOut(120, 14, kTitle.Text(s.languageIndex));
    dc.SelectFont(FontText16);
    dc.TextOut(120, 37, request_.name.str());
}

void DrawingPage::OnCommand(int id, int) {
    if (id == kPrint)
        Print();
    else if (id == kBack)
        Close();
}

void DrawingPage::Print() {
    const int lang = app_.state.languageIndex;
    if (!PrintJob::Start(this, lang))
        return;
    if (Dc* dc = PrintJob::GetDc()) {
        SetupPrintMapping(*dc, 640, 480);
        dc->SelectFont(FontTitle);
        dc->TextOut(40, 40, kTitle.Text(lang));
        dc->SelectFont(FontSmall);
        dc->TextOut(40, 64, request_.name.str());
        DrawBlackLine(*dc, 40, 90, 600, 90);
        // The number row sits below the drawing's middle, whatever its size.
        const int y = DibSize(drawing_).cy / 2 + 140;
        dc->TextOut(40, y, kOrderNumberLabel.Text(lang));
        dc->TextOut(112, y, request_.number.str());
        dc->SetWindowExt(1024, 1024);
        DrawDib(*dc, drawing_, 80, 220, kAnchorTopLeft);
    }
    PrintJob::Finish();
}

void DrawingPage::Close() {
    if (IsDestroyed())
        return;
    if (returnPage_ && !returnPage_->IsDestroyed())
        returnPage_->ShowPage(true);
    DestroyWindow();
}

void DrawingPage::OnMessage(int message, std::intptr_t, std::intptr_t) {
    if (message == UM_RELOAD) {
        SetCaptions();
        Invalidate(true);
    }
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
