#pragma once
// The help viewer: shows an HTML help file in a window of its own, with
// links followed inside it. Help files are catalogue text in the current
// ANSI code page.

#include <string_view>

class QWidget;

namespace qx {

// Opens (or raises and reloads) the help window on the file; false when the
// file cannot be read or is larger than kMaxHtmlText.
bool ShowHelpFile(std::string_view windowsPath, QWidget* owner);

// Closes the help window, if one is open.
void CloseHelp();

} // namespace qx
