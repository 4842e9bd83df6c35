#include "pages/SheetPage.h"

#include "shell/Fonts.h"
#include "shell/MainFrameApi.h"
#include "shell/Texts.h"
#include "catalog/Scale.h"
#include "print/ui/PrintJob.h"

namespace qx {

SheetPage::SheetPage(AppContext& app, QWidget* parent, DialogWindow* returnPage)
    : DialogWindow(parent, Kind::Page), app_(app), buttons_(app.pictures), returnPage_(returnPage) {}

void SheetPage::AddButtons(int printLeft, int printTop, int printRight, int printBottom) {
    const GlobalState& s = app_.state;
    AddControl(kPrint, ControlKind::OwnerDrawButton);
    AddControl(kBack, ControlKind::OwnerDrawButton);
    SetAllControlsFont(FontBold16);
    SetCaptions();
    MoveWindowTo(ScaleRect(s, 0, 0, 632, 434));
    MoveItem(kPrint, ScaleRect(s, printLeft, printTop, printRight, printBottom));
    MoveItem(kBack, ScaleRect(s, 544, 392, 614, 412));
}

void SheetPage::SetCaptions() {
    const int lang = app_.state.languageIndex;
    SetItemText(kPrint, texts::kPrintCaption.Text(lang));
    SetItemText(kBack, texts::kBackCaption.Text(lang));
}

void SheetPage::OnCommand(int id, int) {
    if (id == kPrint)
        Print();
    else if (id == kBack)
        Close();
}

void SheetPage::Print() {
    PrintJob::Run(this, app_.state.languageIndex, [this](Dc& dc) { PrintSheet(dc); });
}

void SheetPage::Close() { ReturnTo(returnPage_); }

void SheetPage::OnMessage(int message, std::intptr_t, std::intptr_t) {
    if (message == UM_RELOAD) {
        SetCaptions();
        Invalidate();
    }
}

} // namespace qx
