#pragma once
// The note of one article: shown, edited, saved and printed.

#include "platform/core/FileStamp.h"
#include "platform/core/Ui.h"
#include "platform/qt/Window.h"
#include "shell/AppContext.h"

#include <string>

namespace qx {

class NotesDialog : public DialogWindow {
public:
    static constexpr int kNumber = 1117;
    static constexpr int kName = 1140;
    static constexpr int kText = 1157;
    static constexpr int kSave = 1;
    static constexpr int kPrint = 1145;
    static constexpr int kClose = 2;

    NotesDialog(QWidget* parent, AppContext& app, std::string number, std::string name);

    // Writes the note; when it can't be written, or its file changed on disk
    // since it was read and the user chose to load it instead or to do
    // nothing, the user has been told and the note stays as it is.
    void Save();
    void Print();
    const std::string& FilePath() const { return path_; }

protected:
    void OnInitDialog() override;
    void OnPaint(Dc& dc) override;
    void OnCommand(int id, int code) override;
    void OnOk() override { Save(); }
    void OnCancel() override { EndDialog(IDCANCEL); }

private:
    // The note as it will be stored; shows the user what had to change.
    std::string StoredText();
    // Shows the note file's text (and its name when none was given).
    void LoadText();

    AppContext& app_;
    std::string number_;
    std::string name_;
    std::string path_;
    std::string givenName_; // as the caller passed it
    FileStamp stamp_;       // the note file as last read or written here
};

} // namespace qx
