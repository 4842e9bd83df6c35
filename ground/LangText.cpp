#include "LangText.h"

#include "Languages.h"
#include "platform/core/CodePage.h"

namespace qx {

namespace {
int Clamp(int languageIndex) { return languageIndex >= 0 && languageIndex < kLanguageCount ? languageIndex : 0; }
} // namespace

std::string LangText::Text(int languageIndex) const {
    const int i = Clamp(languageIndex);
    const char* row = rows[i] ? rows[i] : "";
    return FromUtf8(row, CodePageOfLanguage(i));
}

std::string_view LangText::Utf8(int languageIndex) const {
    const char* row = rows[Clamp(languageIndex)];
    return row ? row : "";
}

} // namespace qx
