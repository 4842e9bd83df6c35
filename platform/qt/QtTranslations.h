#pragma once
// Qt's own texts (standard buttons, file and print dialogs) in the program's
// language, from the translations installed with Qt.

namespace qx {

// Installs Qt's translation for the language index (0 German, 1 English,
// 2 French, 3 Czech) in place of the one installed before; any other index
// only removes it. False when no translation file was found.
bool InstallQtTranslation(int languageIndex);

} // namespace qx
