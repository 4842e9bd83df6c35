#pragma once
// One line of text under a prompt; OK returns it (at most 511 characters),
// Cancel or Escape returns nothing.

#include "platform/qt/Window.h"

#include <string>

namespace qx {

class InputDialog : public DialogWindow {
public:
    static constexpr int kEditId = 1092;
    static constexpr int kMaxChars = 511;

    InputDialog(QWidget* parent, int languageIndex, std::string prompt, const char* initialText = nullptr);
    const std::string& Result() const { return result_; }

protected:
    void OnInitDialog() override;
    void OnPaint(Dc& dc) override;
    void OnCommand(int id, int code) override;
    void OnOk() override;
    void OnCancel() override;

private:
    int language_;
    std::string prompt_;
    std::string initial_;
    bool hasInitial_;
    std::string result_;
};

} // namespace qx
