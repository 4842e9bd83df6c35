#pragma once
// The modeless dialog shown while a print job runs: "Der Ausdruck wird
// erstellt." and "Abbrechen". The button (like Escape and the close box) only
// reports the wish to abort; the job closes the dialog when it finishes.

#include "platform/qt/Window.h"

#include <functional>

namespace qx {

class PrintProgressDialog : public DialogWindow {
public:
    PrintProgressDialog(QWidget* owner, int languageIndex, std::function<void()> onAbort);

protected:
    void OnInitDialog() override;
    void OnPaint(Dc& dc) override;
    void OnCommand(int id, int code) override;
    void OnCancel() override;

private:
    int language_;
    std::function<void()> onAbort_;
};

} // namespace qx
