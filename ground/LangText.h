#pragma once
// A program text in the four UI languages: German, English, French, Czech.
// Rows are written in UTF-8 in the source for readability; Text() hands out
// the single-byte form of the language (code page 1252, Czech 1250), which is
// what the rest of the program and the catalogue files work with.

#include <string>
#include <string_view>

namespace qx {

struct LangText {
    const char* rows[4]; // UTF-8: German, English, French, Czech

    // The row of the language in its code page.
    std::string Text(int languageIndex) const;
    // The row as UTF-8 (for tests and logs).
    std::string_view Utf8(int languageIndex) const;
};

// A text that is the same in every language.
constexpr LangText SameText(const char* text) { return LangText{{text, text, text, text}}; }

} // namespace qx
