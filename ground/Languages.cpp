#include "Languages.h"

namespace qx {

const LanguageInfo& LanguageAt(int languageIndex) {
    if (languageIndex < 0 || languageIndex >= kLanguageCount)
        languageIndex = 0;
    return kLanguages[static_cast<std::size_t>(languageIndex)];
}

} // namespace qx
