#pragma once
// A Ui for tests: every call is recorded; answers come from queues filled in
// advance. An unanswered message box returns the default answer (IDOK for an
// MB_OK box, else IDCANCEL); an unanswered file dialog is cancelled.

#include "Ui.h"

#include <deque>
#include <string>
#include <vector>

namespace qx {

class ScriptedUi : public Ui {
public:
    struct Shown {
        std::string kind; // "message", "open", "save", "shell", "run", "menu"
        std::string text;    // message text, shell path, command line or the menu's entries, one a line
        std::string caption; // message caption
        unsigned type = 0;
        FileDialogSpec spec; // open and save
    };

    std::deque<int> messageAnswers;
    std::deque<std::optional<std::string>> fileAnswers; // for open and save dialogs
    std::deque<int> menuAnswers;                         // entry indexes; -1 (or none left) leaves the menu
    bool shellResult = true;                             // answer of ShellOpen and RunProgram
    std::vector<Shown> shown;

    int MessageBox(std::string_view text, std::string_view caption, unsigned type) override;
    std::optional<std::string> GetOpenFileName(const FileDialogSpec& spec) override;
    std::optional<std::string> GetSaveFileName(const FileDialogSpec& spec) override;
    bool ShellOpen(std::string_view windowsPath) override;
    bool RunProgram(std::string_view commandLine) override;
    int PopupMenu(const std::vector<std::string>& entries, int screenX, int screenY) override;

    // Messages shown so far (texts only), oldest first.
    std::vector<std::string> Messages() const;
};

// Installs a ScriptedUi for the lifetime of the object, then puts back the
// Ui that was installed before.
class ScopedScriptedUi {
public:
    ScopedScriptedUi();
    ~ScopedScriptedUi();
    ScopedScriptedUi(const ScopedScriptedUi&) = delete;
    ScopedScriptedUi& operator=(const ScopedScriptedUi&) = delete;
    ScriptedUi* operator->() { return &ui_; }
    ScriptedUi& operator*() { return ui_; }

private:
    ScriptedUi ui_;
    Ui* previous_;
};

} // namespace qx
