#pragma once
// The program's warnings: a text of the language in a message box with the
// program's caption, an OK button and the exclamation icon.

#include "ground/LangText.h"

namespace qx {

void ShowWarning(int languageIndex, const LangText& text);

} // namespace qx
