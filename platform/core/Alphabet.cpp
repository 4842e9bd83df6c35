#include "platform/core/Alphabet.h"

#include "platform/core/CodePage.h"

#include <string>

namespace qx {

namespace {

// Base letters of U+0100..U+017F (Latin Extended-A), lower case.
constexpr std::string_view kExtendedBase = "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiiiiijjkkk"
                                           "llllllllllnnnnnnnnnoooooooorrrrrrssssssssttttttuuuuuuuuuuuu"
                                           "wwyyyzzzzzzs";
// Base letters of U+00C0..U+00FF; '\0' for the two signs among them.
constexpr std::string_view kLatin1Base{"aaaaaaaceeeeiiiidnooooo\0ouuuuyts"
                                       "aaaaaaaceeeeiiiidnooooo\0ouuuuyty", 64};

char16_t Lower(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<char16_t>(c + 0x20);
    if (c == 0x178)
        return 0xFF; // Ÿ
    if (c >= 0x100 && c <= 0x17F) {
        // Pairs of upper and lower case; in these two runs the upper one is odd.
        const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if ((c % 2 == 1) == oddUpper && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F)
            return static_cast<char16_t>(c + 1);
    }
    return c;
}

// The letter a lower-case character is a form of, or 0 for no letter.
char BaseLetter(char16_t c) {
    if (c >= u'a' && c <= u'z')
        return static_cast<char>(c);
    if (c >= 0xC0 && c <= 0xFF)
        return kLatin1Base[c - 0xC0];
    if (c >= 0x100 && c <= 0x17F)
        return kExtendedBase[c - 0x100];
    if (c == 0x192)
        return 'f'; // ƒ
    return 0;
}

bool CzechOwnLetter(char16_t c) { return c == 0x10D || c == 0x159 || c == 0x161 || c == 0x17E; }

// Signs and digits first in code order, then the letters of the alphabet.
int Primary(char16_t c, int languageIndex) {
    if (const char base = BaseLetter(c))
        return 0x10000 + (base - 'a') * 4 + (languageIndex == 3 && CzechOwnLetter(c) ? 2 : 0);
    return c;
}

std::u16string Folded(std::string_view text, CodePage cp) {
    std::u16string s = ToUtf16(text, cp);
    for (char16_t& c : s)
        c = Lower(c);
    return s;
}

} // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b, int languageIndex) {
    const CodePage cp = CodePageOfLanguage(languageIndex);
    return Folded(a, cp) == Folded(b, cp);
}

int CompareAlphabetically(std::string_view a, std::string_view b, int languageIndex) {
    const CodePage cp = CodePageOfLanguage(languageIndex);
    const std::u16string x = Folded(a, cp), y = Folded(b, cp);
    // The letters decide; only where they are the same do the accents.
    for (std::size_t i = 0; i < x.size() && i < y.size(); ++i) {
        if (const int d = Primary(x[i], languageIndex) - Primary(y[i], languageIndex))
            return d;
    }
    if (x.size() != y.size())
        return x.size() < y.size() ? -1 : 1;
    return x.compare(y);
}

} // namespace qx
