#include "print/ui/PrintProgressDialog.h"

#include "ground/LangText.h"
#include "shell/Fonts.h"
#include "platform/core/Ui.h"

#include <utility>

namespace qx {

namespace {

constexpr LangText kCaption{{"Drucken", "Printing..", "Impression...", "Tisk..."}};
constexpr LangText kCancel{{"Abbrechen", "Cancel", "Annuler", "Zrušit"}};
constexpr LangText kPrinting{{"Der Ausdruck wird erstellt.", "Printing document.", "Impression en cours.",
                              "Probíhá tisk."}};

} // namespace

PrintProgressDialog::PrintProgressDialog(QWidget* owner, int languageIndex, std::function<void()> onAbort)
    : DialogWindow(owner, Kind::Modal), language_(languageIndex), onAbort_(std::move(onAbort)) {}

void PrintProgressDialog::OnInitDialog() {
    SetCaption(kCaption.Text(language_));
    const Rect client = DialogUnits(0, 0, 150, 66);
    resize(client.Width(), client.Height());
    setFixedSize(client.Width(), client.Height());
    AddControl(IDCANCEL, ControlKind::PushButton);
    MoveItem(IDCANCEL, DialogUnits(29, 39, 91, 14));
    SetItemText(IDCANCEL, kCancel.Text(language_));
    SetAllControlsFont(FontText14);
    CenterOn(parentWidget());
}

void PrintProgressDialog::OnPaint(Dc& dc) {
    dc.SetBkMode(BkMode::Transparent);
    dc.SelectFont(FontText16);
    Rect box = DialogUnits(10, 16, 120, 22);
    dc.DrawText(kPrinting.Text(language_), box, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
}

void PrintProgressDialog::OnCommand(int id, int) {
    if (id == IDCANCEL)
        OnCancel();
}

void PrintProgressDialog::OnCancel() {
    if (onAbort_)
        onAbort_();
}

} // namespace qx
