#pragma once
// Names compared as a language's alphabet orders them, for every letter of
// its code page and not only A to Z: letter case never matters, an accented
// letter sorts with its base letter ("Ö" among the O's, after "O") and, in
// Czech, "č", "ř", "š" and "ž" are letters of their own right after "c",
// "r", "s" and "z".

#include <string_view>

namespace qx {

// True when the two texts differ in letter case at most ("ÖSTERREICH" and
// "österreich"); texts in the code page of the language.
bool EqualsIgnoringCase(std::string_view a, std::string_view b, int languageIndex);

// Negative, zero or positive as a sorts before, with or after b.
int CompareAlphabetically(std::string_view a, std::string_view b, int languageIndex);

} // namespace qx
