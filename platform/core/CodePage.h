#pragma once
// Single-byte Windows code pages 1252 (Western) and 1250 (Central European)
// to and from UTF-8. Catalogue bytes stay bytes in the core; this converts
// only at the display boundary and when writing user text back.

#include <string>
#include <string_view>

namespace qx {

enum class CodePage { Cp1252 = 1252, Cp1250 = 1250 };

// The code page of a UI language: Czech (3) uses 1250, the others 1252.
CodePage CodePageOfLanguage(int languageIndex);

// Every byte converts: the five positions each code page leaves undefined
// (1252: 81 8D 8F 90 9D; 1250: 81 83 88 90 98) become the C1 control of the
// same value, as MultiByteToWideChar does, and convert back to that byte.
std::string ToUtf8(std::string_view bytes, CodePage cp);
std::u16string ToUtf16(std::string_view bytes, CodePage cp);

// Converts UTF-8 into the code page. A character the code page cannot hold is
// never dropped silently: it becomes '?' and *lossless is set to false.
// Invalid UTF-8 sequences are treated the same way (one '?' for each maximal
// ill-formed subpart); in UTF-16 a lone surrogate or a pair gives one '?'.
// No best-fit mapping: "ě" is '?' in 1252, not 'e'.
std::string FromUtf8(std::string_view utf8, CodePage cp, bool* lossless = nullptr);
std::string FromUtf16(std::u16string_view text, CodePage cp, bool* lossless = nullptr);

// True when every character of the UTF-8 text exists in the code page.
bool Representable(std::string_view utf8, CodePage cp);

// Replaces every from by to; true when there was one.
bool ReplaceAll(std::string& text, char from, char to);

// The "ANSI code page" of the running program, like the Windows system
// setting: the display layer converts catalogue and program texts with it.
// It follows the UI language.
CodePage AnsiCodePage();
void SetAnsiCodePage(CodePage cp);

} // namespace qx
