#pragma once
// Shared pieces of the GUI tests: a small catalogue written into a temporary
// program directory, and helpers to run the event loop.

#include "tests/common/TempDir.h"

#include <Qt>

#include <filesystem>
#include <functional>
#include <string>

class QWidget;

namespace qx::testing {

// A temporary program directory, removed with the object.
class TempCatalog {
public:
    const std::filesystem::path& Dir() const { return dir_.Path(); }
    // Writes a file below the directory (backslashes allowed), LF turned into CR LF.
    void Write(const std::string& relative, const std::string& text);
    void WriteBmp(const std::string& relative, int width, int height, unsigned rgb = 0x336699);
    std::filesystem::path Ini() const { return dir_ / "qxkat.ini"; }

private:
    test::TempDir dir_;
};

// Processes pending events, posted ones included.
void Pump();

// German, English and French area files: a start page (a catalogue entry and a quit
// entry), a catalogue page, and two sub-area levels whose last entry opens
// the group list "HEBE"; with the pictures of the three screen modes.
void WriteAreas(TempCatalog& c);

// Runs the application's event loop as the program does; true when it quit by itself in time.
bool RunUntilQuit(int milliseconds);

// A key pressed by the user: the window hands it to the widget that has the keyboard.
void PressKey(QWidget* window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Runs f on the next modal dialog other than the one open now; keys go to it as a user's would.
void WhenModal(std::function<void(QWidget&)> f);

} // namespace qx::testing
