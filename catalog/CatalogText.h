#pragma once
// Catalogue text files: loading into one block and the cursor operations that
// every catalogue reader walks it with.
//
// A loaded block holds the file's bytes followed by CR LF "[E#" and a NUL, so
// the last line always ends and entry lists always meet a line beginning with
// "[". All operations are bounded twice: a search for a terminating byte
// covers at most kSearchLimit bytes, and nothing is read or copied past the
// end of the block. Output values are cut to the capacity the caller gives.

#include "ground/FixedText.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace qx {

// The longest stretch a search for CR, LF, a separator or "}" covers.
inline constexpr std::size_t kSearchLimit = 65280;

// The bytes appended to every loaded file.
inline constexpr std::string_view kEndMarker{"\r\n[E#\0", 6};

class CatalogBlock {
public:
    CatalogBlock() : CatalogBlock(std::string_view{}) {}
    // A block made from bytes in memory (tests, fuzzers, data already read).
    explicit CatalogBlock(std::string_view fileBytes);
    // Takes the bytes over without copying them.
    explicit CatalogBlock(std::string&& fileBytes);
    explicit CatalogBlock(const char* fileBytes) : CatalogBlock(std::string_view(fileBytes)) {}

    // The file's bytes as loaded (or as changed by Unscramble).
    std::string_view Content() const { return {bytes_.data(), contentSize_}; }
    std::size_t ContentSize() const { return contentSize_; }
    // The whole block: content, CR LF "[E#", NUL.
    const char* Data() const { return bytes_.data(); }
    char* MutableData() { return bytes_.data(); }
    std::size_t BlockSize() const { return bytes_.size(); }

private:
    std::string bytes_;
    std::size_t contentSize_ = 0;
};

// The largest catalogue text file read. Price lists, the largest catalogue
// files, run to a few megabytes; a file beyond this is not a catalogue file,
// and reading it could exhaust memory (on the price lookup's thread too).
inline constexpr std::uint64_t kMaxCatalogFileBytes = 256ull << 20;

// Reads the file at a backslash path (resolved case-insensitively). Nothing
// when it can't be read or is larger than kMaxCatalogFileBytes.
std::optional<CatalogBlock> LoadCatalogFile(std::string_view windowsPath);
// The file at a backslash path read by parse (a function of the block);
// nothing when it can't be read.
template <class Parse>
auto LoadCatalogFile(std::string_view windowsPath, Parse parse)
    -> std::optional<decltype(parse(std::declval<const CatalogBlock&>()))> {
    std::optional<CatalogBlock> block = LoadCatalogFile(windowsPath);
    if (!block) {
        return std::nullopt;
    }
    return parse(*block);
}

// A reading position inside a block. `end` is where readable text stops: the
// start of the "[E#" line of the block (just after the CR LF appended to the
// file), so a reader at `end` sees "[" and no operation moves past it.
struct TextCursor {
    const char* pos = nullptr;
    const char* end = nullptr;

    bool AtEnd() const { return pos >= end; }
    // The byte at the cursor; '\0' at or past the end.
    char Peek() const { return pos < end ? *pos : '\0'; }
    std::size_t Offset(const char* base) const { return static_cast<std::size_t>(pos - base); }
};

// A cursor at the start of the block's content.
TextCursor CursorAt(const CatalogBlock& block);
// A cursor at an offset into the block's content (clamped to the end).
TextCursor CursorAt(const CatalogBlock& block, std::size_t offset);

// While the cursor is at "#": move two bytes past the next CR.
void SkipComments(TextCursor& c);
// Copies up to the next CR (at most maxLength bytes) and continues two bytes
// after it. Comment lines at the cursor are skipped first.
void ReadLine(TextCursor& c, std::string& out, std::size_t maxLength);
// Copies up to the first separator, CR or NUL (at most maxLength bytes) and
// continues one byte after the end of the field. Comment lines at the cursor
// are skipped first, so a field beginning with "#" loses the rest of its line.
void ReadField(TextCursor& c, std::string& out, std::size_t maxLength, char separator);
// Continues after the next LF (no comment skipping).
void SkipLine(TextCursor& c);
// Continues after the next occurrence of ch (no comment skipping).
void SkipPast(TextCursor& c, char ch);
// The free text of a record: the bytes up to the next "}" (at most
// kSearchLimit of them, cut at a NUL), continuing just past the "}". Without
// a "}" the text runs to contentEnd (the end of the file's own bytes) or the
// search limit, and the cursor is used up.
std::string ReadBracedText(TextCursor& c, const char* contentEnd);
// ReadLine, then the leading decimal number of the line (blanks, sign,
// digits; 0 when there are none; saturated to the 32-bit range).
std::int32_t ReadInteger(TextCursor& c);
// True when only blanks, line ends and comment lines lie between pos and
// end: readers whose declared count exceeds the records stop there rather
// than reading empty records out of what is left. pos is at a line start.
bool OnlyCommentsLeft(const char* pos, const char* end);
// Field n (1-based) of a line of "|"-separated fields.
void GetField(int n, std::string_view line, std::string& out, std::size_t maxLength);

// The decimal number at the start of text, as ReadInteger takes it.
std::int32_t ParseLeadingInt(std::string_view text);
// A signed decimal after any of the given blank characters: optional sign,
// digits; 0 without digits; saturated to the 32-bit range.
std::int32_t ParseSignedDecimal(std::string_view text, std::string_view blanks);

template <std::size_t N>
void ReadLine(TextCursor& c, FixedText<N>& out) {
    std::string s;
    ReadLine(c, s, N - 1);
    out = s;
}
template <std::size_t N>
void ReadField(TextCursor& c, FixedText<N>& out, char separator) {
    std::string s;
    ReadField(c, s, N - 1, separator);
    out = s;
}
template <std::size_t N>
void GetField(int n, std::string_view line, FixedText<N>& out) {
    std::string s;
    GetField(n, line, s, N - 1);
    out = s;
}

// Decodes a block whose content starts with "CRPT" in place and returns the
// offset where the content starts (4 after decoding, 0 for a plain block).
// Every byte after the magic up to the first NUL (at the latest the end of
// the file's bytes) becomes (b + k) mod 256, k running 1..8, 0, 1, ...
std::size_t Unscramble(CatalogBlock& block);

// The display form of a price, in place (at most 31 bytes): the first ","
// becomes "."; a non-zero value becomes "%.2f " + "EUR" (euro) or currency,
// with the decimal point shown as ","; an empty text becomes the "on request"
// text of the language; other zero texts stay as they are after the first
// step. Answers the value read.
double FormatPrice(std::string& text, bool euro, std::string_view currency, int languageIndex);
template <std::size_t N>
double FormatPrice(FixedText<N>& text, bool euro, std::string_view currency, int languageIndex) {
    std::string s = text.str();
    const double value = FormatPrice(s, euro, currency, languageIndex);
    text = s;
    return value;
}

// The "on request" text of the language in its code page.
std::string_view PriceOnRequestText(int languageIndex);

} // namespace qx
