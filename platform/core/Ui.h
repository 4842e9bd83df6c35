#pragma once
// The Windows common services the pages call on, behind one interface:
// message boxes, file-open and file-save dialogs, shell open, program start
// and help. The Qt program installs QtUi; tests install ScriptedUi, which
// records what was shown and answers as told. Texts are ANSI bytes.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qx {

// MessageBox type flags and results, Windows values.
enum : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

struct FileDialogSpec {
    std::string fileName;         // proposed name, e.g. "*.STK"
    std::string filter;           // "Bestellliste (*.stk) | *.stk ||"
    std::string initialDirectory; // backslash path, may be empty
    std::string defaultExtension; // without dot, may be empty
    bool overwritePrompt = false;
};

class Ui {
public:
    virtual ~Ui() = default;
    virtual int MessageBox(std::string_view text, std::string_view caption, unsigned type) = 0;
    // Chosen path in backslash form, or nothing when cancelled.
    virtual std::optional<std::string> GetOpenFileName(const FileDialogSpec& spec) = 0;
    virtual std::optional<std::string> GetSaveFileName(const FileDialogSpec& spec) = 0;
    // Opens a document with the desktop's default program. False when it could not be started.
    virtual bool ShellOpen(std::string_view windowsPath) = 0;
    // Starts a program with its parameters; the command line is a backslash path plus arguments.
    virtual bool RunProgram(std::string_view commandLine) = 0;
    // A context menu of the entries at a point of the screen (pixels); the
    // index of the chosen entry, or -1 when the user left it.
    virtual int PopupMenu(const std::vector<std::string>& entries, int screenX, int screenY) = 0;
};

// The process-wide instance (like the Windows services it stands for).
// Without an installed Ui, a built-in one shows nothing: message boxes answer
// IDOK when their only button is OK (MB_OK), else IDCANCEL; file dialogs and
// menus are cancelled; ShellOpen and RunProgram answer false.
Ui& TheUi();
void SetUi(Ui* ui); // not owned; nullptr restores the built-in Ui

// Parses a filter string of the form "Name (*.ext) | *.ext ||" into (name, pattern) pairs:
// split at "|", blanks trimmed, taken in pairs up to the first empty name; a
// name without a pattern is dropped.
std::vector<std::pair<std::string, std::string>> ParseFileFilter(std::string_view filter);

} // namespace qx
