#include "platform/core/CodePage.h"

#include <array>
#include <atomic>
#include <cstdint>

namespace qx {

namespace {

// Bytes 0x80-0xFF. The positions that Windows leaves undefined decode, as
// MultiByteToWideChar does, to the C1 control of the same value (and those
// code points encode back to the byte), so every byte round-trips.
constexpr std::array<char16_t, 128> kCp1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7, // 0xA0
    0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF, // 0xA8
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7, // 0xB0
    0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF, // 0xB8
    0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7, // 0xC0
    0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF, // 0xC8
    0x00D0, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D7, // 0xD0
    0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF, // 0xD8
    0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7, // 0xE0
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF, // 0xE8
    0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7, // 0xF0
    0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x00FF, // 0xF8
};

constexpr std::array<char16_t, 128> kCp1250 = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, // 0x98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7, // 0xA0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, // 0xA8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, // 0xB0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, // 0xB8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, // 0xC0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, // 0xC8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, // 0xD0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, // 0xD8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, // 0xE0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, // 0xE8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7, // 0xF0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9, // 0xF8
};

// The highest code point either table holds (U+2122, the trade mark sign).
constexpr std::size_t kReverseSize = 0x2123;

// Code point -> byte; 0 = not in the code page (U+0000 is handled apart).
using Reverse = std::array<std::uint8_t, kReverseSize>;

constexpr Reverse MakeReverse(const std::array<char16_t, 128>& forward) {
    Reverse r{};
    for (std::size_t i = 0; i < 0x80; ++i)
        r[i] = static_cast<std::uint8_t>(i);
    for (std::size_t i = 0; i < forward.size(); ++i)
        r[forward[i]] = static_cast<std::uint8_t>(0x80 + i);
    return r;
}

constexpr Reverse kReverse1252 = MakeReverse(kCp1252);
constexpr Reverse kReverse1250 = MakeReverse(kCp1250);

const std::array<char16_t, 128>& Forward(CodePage cp) { return cp == CodePage::Cp1250 ? kCp1250 : kCp1252; }
const Reverse& Backward(CodePage cp) { return cp == CodePage::Cp1250 ? kReverse1250 : kReverse1252; }

char16_t Decode(unsigned char b, const std::array<char16_t, 128>& table) {
    return b < 0x80 ? static_cast<char16_t>(b) : table[b - 0x80];
}

// The byte for a code point, or -1.
int Encode(char32_t c, const Reverse& table) {
    if (c == 0)
        return 0;
    if (c >= kReverseSize)
        return -1;
    const std::uint8_t b = table[c];
    return b == 0 ? -1 : b;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

constexpr char32_t kInvalid = 0xFFFFFFFF;

// Decodes one UTF-8 sequence at s[i] and advances i. Invalid input (a stray
// continuation byte, a truncated sequence, an overlong form, a surrogate,
// anything above U+10FFFF) gives kInvalid and skips the maximal ill-formed
// subpart, so one broken sequence becomes one '?'.
char32_t NextUtf8(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i++]);
    if (b0 < 0x80)
        return b0;
    int extra;
    char32_t c;
    unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        extra = 1;
        c = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        extra = 2;
        c = b0 & 0x0F;
        if (b0 == 0xE0)
            lo = 0xA0; // overlong
        if (b0 == 0xED)
            hi = 0x9F; // surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        extra = 3;
        c = b0 & 0x07;
        if (b0 == 0xF0)
            lo = 0x90;
        if (b0 == 0xF4)
            hi = 0x8F;
    } else {
        return kInvalid;
    }
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size())
            return kInvalid;
        const auto b = static_cast<unsigned char>(s[i]);
        if (k == 0 ? (b < lo || b > hi) : (b < 0x80 || b > 0xBF))
            return kInvalid;
        c = (c << 6) | (b & 0x3F);
        ++i;
    }
    return c;
}

std::atomic<CodePage> g_ansi{CodePage::Cp1252};

// Appends the code-page byte b, or "?" when the code page has no such
// character (b < 0); ok turns false then.
void PutEncoded(std::string& out, int b, bool& ok) {
    if (b < 0) {
        out.push_back('?');
        ok = false;
    } else {
        out.push_back(static_cast<char>(b));
    }
}

} // namespace

CodePage CodePageOfLanguage(int languageIndex) {
    return languageIndex == 3 ? CodePage::Cp1250 : CodePage::Cp1252;
}

std::string ToUtf8(std::string_view bytes, CodePage cp) {
    const auto& table = Forward(cp);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80)
            out.push_back(ch);
        else
            AppendUtf8(out, table[b - 0x80]);
    }
    return out;
}

std::u16string ToUtf16(std::string_view bytes, CodePage cp) {
    const auto& table = Forward(cp);
    std::u16string out;
    out.reserve(bytes.size());
    for (char ch : bytes)
        out.push_back(Decode(static_cast<unsigned char>(ch), table));
    return out;
}

std::string FromUtf8(std::string_view utf8, CodePage cp, bool* lossless) {
    const auto& table = Backward(cp);
    std::string out;
    out.reserve(utf8.size());
    bool ok = true;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const char32_t c = NextUtf8(utf8, i);
        PutEncoded(out, c == kInvalid ? -1 : Encode(c, table), ok);
    }
    if (lossless)
        *lossless = ok;
    return out;
}

std::string FromUtf16(std::u16string_view text, CodePage cp, bool* lossless) {
    const auto& table = Backward(cp);
    std::string out;
    out.reserve(text.size());
    bool ok = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t u = text[i];
        int b = -1;
        if (u >= 0xD800 && u <= 0xDFFF) {
            // No code page here holds anything outside the BMP: a pair is one '?',
            // a lone surrogate too.
            if (u <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
                ++i;
        } else {
            b = Encode(u, table);
        }
        PutEncoded(out, b, ok);
    }
    if (lossless)
        *lossless = ok;
    return out;
}

bool Representable(std::string_view utf8, CodePage cp) {
    const auto& table = Backward(cp);
    std::size_t i = 0;
    while (i < utf8.size()) {
        const char32_t c = NextUtf8(utf8, i);
        if (c == kInvalid || Encode(c, table) < 0)
            return false;
    }
    return true;
}

CodePage AnsiCodePage() { return g_ansi.load(std::memory_order_relaxed); }

void SetAnsiCodePage(CodePage cp) { g_ansi.store(cp, std::memory_order_relaxed); }

bool ReplaceAll(std::string& text, char from, char to) {
    bool changed = false;
    for (char& c : text) {
        if (c == from) {
            c = to;
            changed = true;
        }
    }
    return changed;
}

} // namespace qx
