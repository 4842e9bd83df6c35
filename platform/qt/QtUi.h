#pragma once
// qx::Ui on Qt widgets: message boxes, file dialogs, shell open and program
// start. Texts arrive as ANSI bytes and are converted at this boundary; paths
// leave in backslash form (qx::ToWindowsPath).

#include "platform/core/Ui.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

class QObject;
class QWidget;

namespace qx {

class QtUi : public Ui {
public:
    // Dialogs are owned by the active modal dialog if there is one, else by
    // the owner given here (the main window), else by the active window.
    explicit QtUi(QWidget* owner = nullptr);
    ~QtUi() override;
    void SetOwner(QWidget* owner) { owner_ = owner; }
    // Told when the desktop's opener (xdg-open) ends in failure after
    // ShellOpen handed it a file: no program takes files of that kind. The
    // path is the one ShellOpen was given.
    void SetOpenFailedNotice(std::function<void(const std::string& windowsPath)> notice);

    // Buttons OK, OK+Cancel, Yes+No+Cancel, Yes+No; the first is the default.
    // Escape (and closing the box) answers IDCANCEL where there is a Cancel
    // button, IDOK in a box with only OK, and does nothing in a Yes/No box.
    int MessageBox(std::string_view text, std::string_view caption, unsigned type) override;
    // The open dialog also accepts a name that does not exist yet (a new
    // order list); a proposed name with wildcards ("*.STK") is not preset.
    std::optional<std::string> GetOpenFileName(const FileDialogSpec& spec) override;
    std::optional<std::string> GetSaveFileName(const FileDialogSpec& spec) override;
    // False when the file does not exist or nothing could take it.
    bool ShellOpen(std::string_view windowsPath) override;
    // False when the program does not exist or could not be started.
    bool RunProgram(std::string_view commandLine) override;
    int PopupMenu(const std::vector<std::string>& entries, int screenX, int screenY) override;

private:
    QWidget* Parent() const;
    std::optional<std::string> RunFileDialog(const FileDialogSpec& spec, bool save);

    QWidget* owner_ = nullptr;
    std::function<void(const std::string&)> openFailed_;
    std::unique_ptr<QObject> openers_; // the openers still running
};

// Qt name filters ("Name (*.ext)") from a Windows filter string
// ("Name (*.ext) | *.ext ||"); "*.*" becomes "*", as it matches every name there.
QStringList NameFiltersOf(std::string_view filter);

// Program and arguments of a command line: a quoted program name, or up to a
// name ending in ".exe" that is followed by a blank or the end (such names
// may contain blanks), or up to the first blank.
std::pair<std::string, std::string> SplitCommandLine(std::string_view commandLine);

} // namespace qx
