#include "InputDialog.h"

#include "shell/Texts.h"
#include "shell/Fonts.h"
#include "platform/core/Ui.h"

namespace qx {

InputDialog::InputDialog(QWidget* parent, int languageIndex, std::string prompt, const char* initialText)
    : DialogWindow(parent, Kind::Modal), language_(languageIndex), prompt_(std::move(prompt)),
      initial_(initialText ? initialText : ""), hasInitial_(initialText != nullptr) {}

void InputDialog::OnInitDialog() {
    const Rect client = DialogUnits(0, 0, 179, 87);
    setFixedSize(client.Width(), client.Height());
    SetCaption(texts::kAppTitle.Text(language_)); // the template has none of its own
    AddControls({
        {kEditId, ControlKind::Edit, DialogUnits(9, 41, 160, 14)},
        {IDCANCEL, ControlKind::PushButton, DialogUnits(9, 64, 79, 14)},
        {IDOK, ControlKind::PushButton, DialogUnits(90, 64, 79, 14)},
    });
    SetItemText(IDOK, "OK");
    SetItemText(IDCANCEL, texts::kCancel.Text(language_));
    SetAllControlsFont(FontText14);
    result_.clear();
    SetEditLimit(kEditId, kMaxChars);
    SetItemName(kEditId, prompt_);
    if (hasInitial_)
        SetItemText(kEditId, initial_.substr(0, kMaxChars));
    CenterOn(parentWidget());
    SetFocusTo(kEditId);
}

void InputDialog::OnPaint(Dc& dc) {
    dc.SetBkMode(BkMode::Transparent);
    dc.SelectFont(FontText14);
    Rect r{16, 16, 280, 62};
    dc.DrawText(prompt_, r, DT_NOPREFIX);
}

void InputDialog::OnCommand(int id, int) {
    if (id == IDOK)
        OnOk();
    else if (id == IDCANCEL)
        OnCancel();
}

void InputDialog::OnOk() {
    result_ = GetItemText(kEditId, kMaxChars);
    EndDialog(IDOK);
}

void InputDialog::OnCancel() {
    result_.clear();
    EndDialog(IDCANCEL);
}

} // namespace qx
