#pragma once
// The program's warnings: a text of the language in a message box with the
// program's caption, an OK button and the exclamation icon.

#include "ground/LangText.h"

#include <functional>
#include <string_view>

namespace qx {

class FileStamp;

void ShowWarning(int languageIndex, const LangText& text);

// What the user wants done with a file that someone else changed (or created,
// or deleted) since the page read or last wrote it.
// Before a save: compares the file at a backslash path with the stamp; when
// it differs, asks with the subject's sentence and the three ways out. True
// when the save may go ahead (unchanged, or Yes: overwrite); No runs
// loadTheirs (the other version replaces what is shown) and, like Cancel,
// answers false.
// A document or program that could not be opened (no program for it on
// the desktop, missing, refused): the message names the file.
void ShowNotOpened(int languageIndex, std::string_view windowsPath);

bool MayOverwrite(int languageIndex, const LangText& subject, std::string_view windowsPath, const FileStamp& stamp,
                  const std::function<void()>& loadTheirs);

} // namespace qx
