#include "Messages.h"

#include "Texts.h"
#include "platform/core/Ui.h"

namespace qx {

void ShowWarning(int languageIndex, const LangText& text) {
    TheUi().MessageBox(text.Text(languageIndex), texts::kAppTitle.Text(languageIndex), MB_OK | MB_ICONEXCLAMATION);
}

} // namespace qx
