#pragma once
// "Info": the logo with a fixed contact and credits text, and OK.

#include "platform/qt/Window.h"

namespace qx {

struct SharedPictures;

class InfoDialog : public DialogWindow {
public:
    InfoDialog(QWidget* parent, const SharedPictures& pictures);
    static const char* ContactText();
    static const char* CreditsText();

protected:
    void OnInitDialog() override;
    void OnPaint(Dc& dc) override;
    void OnCommand(int id, int code) override;
    void OnOk() override { EndDialog(1); }
    void OnCancel() override { EndDialog(2); }

private:
    const SharedPictures& pictures_;
};

} // namespace qx
