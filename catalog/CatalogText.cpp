#include "CatalogText.h"

#include "ground/LangText.h"
#include "platform/core/Path.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>

namespace qx {

CatalogBlock::CatalogBlock(std::string_view fileBytes) : contentSize_(fileBytes.size()) {
    bytes_.reserve(fileBytes.size() + kEndMarker.size());
    bytes_.append(fileBytes);
    bytes_.append(kEndMarker);
}

CatalogBlock::CatalogBlock(std::string&& fileBytes) : bytes_(std::move(fileBytes)), contentSize_(bytes_.size()) {
    bytes_.append(kEndMarker);
}

std::optional<CatalogBlock> LoadCatalogFile(std::string_view windowsPath) {
    // Read straight into a buffer with room for the end marker: price files
    // run to megabytes, and growing a full buffer would copy them once more.
    const std::filesystem::path path = ResolvePath(windowsPath);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<std::uint64_t>(size) > kMaxCatalogFileBytes) {
        return std::nullopt;
    }
    in.seekg(0, std::ios::beg);
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(size) + kEndMarker.size());
    bytes.resize(static_cast<std::size_t>(size));
    in.read(bytes.data(), size);
    if (in.gcount() != size) {
        return std::nullopt;
    }
    return CatalogBlock(std::move(bytes));
}

bool OnlyCommentsLeft(const char* pos, const char* end) {
    bool lineStart = true;
    while (pos < end) {
        const char ch = *pos;
        if (ch == '#' && lineStart) {
            const char* lf = std::find(pos, end, '\n');
            pos = lf == end ? end : lf + 1;
            continue;
        }
        if (ch != '\r' && ch != '\n' && ch != ' ' && ch != '\t')
            return false;
        lineStart = ch == '\n' || (ch == '\r' && lineStart);
        ++pos;
    }
    return true;
}

TextCursor CursorAt(const CatalogBlock& block) { return CursorAt(block, 0); }

TextCursor CursorAt(const CatalogBlock& block, std::size_t offset) {
    // Readable text ends after the CR LF appended to the file: the "[E#" line
    // stays visible to readers that test for "[" but is never consumed.
    const char* end = block.Data() + block.ContentSize() + 2;
    const char* pos = block.Data() + std::min(offset, block.ContentSize() + 2);
    return {pos, end};
}

namespace {

// The next ch within the search limit, or null. A miss means the terminator
// is absent or too far away; callers then give up on the rest of the block,
// since continuing at an arbitrary byte would only produce garbage records.
const char* FindByte(const char* from, const char* end, char ch) {
    if (from >= end) {
        return nullptr;
    }
    const std::size_t span = std::min<std::size_t>(static_cast<std::size_t>(end - from), kSearchLimit);
    return static_cast<const char*>(std::memchr(from, static_cast<unsigned char>(ch), span));
}

// Values are C strings in the file's design: a NUL ends them.
void CopyValue(const char* from, const char* to, std::string& out, std::size_t maxLength) {
    std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(to - from), maxLength);
    const void* nul = std::memchr(from, '\0', n);
    if (nul) {
        n = static_cast<std::size_t>(static_cast<const char*>(nul) - from);
    }
    out.assign(from, n);
}

const char* SearchEnd(const TextCursor& c) {
    return c.pos + std::min<std::size_t>(static_cast<std::size_t>(c.end - c.pos), kSearchLimit);
}

} // namespace

void SkipComments(TextCursor& c) {
    while (c.pos < c.end && *c.pos == '#') {
        const char* cr = FindByte(c.pos, c.end, '\r');
        c.pos = cr ? std::min(cr + 2, c.end) : c.end;
    }
}

void ReadLine(TextCursor& c, std::string& out, std::size_t maxLength) {
    out.clear();
    SkipComments(c);
    if (c.AtEnd()) {
        return;
    }
    const char* cr = FindByte(c.pos, c.end, '\r');
    CopyValue(c.pos, cr ? cr : SearchEnd(c), out, maxLength);
    c.pos = cr ? std::min(cr + 2, c.end) : c.end;
}

void ReadField(TextCursor& c, std::string& out, std::size_t maxLength, char separator) {
    out.clear();
    SkipComments(c);
    if (c.AtEnd()) {
        return;
    }
    const char* stop = SearchEnd(c);
    const char* p = c.pos;
    while (p < stop && *p != separator && *p != '\r' && *p != '\0') {
        ++p;
    }
    CopyValue(c.pos, p, out, maxLength);
    c.pos = p < stop ? std::min(p + 1, c.end) : c.end;
}

void SkipLine(TextCursor& c) {
    const char* lf = FindByte(c.pos, c.end, '\n');
    c.pos = lf ? lf + 1 : c.end;
}

void SkipPast(TextCursor& c, char ch) {
    const char* p = FindByte(c.pos, c.end, ch);
    c.pos = p ? p + 1 : c.end;
}

std::string ReadBracedText(TextCursor& c, const char* contentEnd) {
    const char* textStart = c.pos;
    const char* searchEnd = SearchEnd(c);
    const char* brace = std::find(textStart, searchEnd, '}');
    const char* textEnd = brace;
    if (brace == searchEnd) {
        textEnd = std::max(textStart, std::min(searchEnd, contentEnd));
        c.pos = c.end;
    } else {
        c.pos = brace + 1;
    }
    std::string text(textStart, static_cast<std::size_t>(textEnd - textStart));
    if (const std::size_t nul = text.find('\0'); nul != std::string::npos) {
        text.resize(nul);
    }
    return text;
}

std::int32_t ParseSignedDecimal(std::string_view text, std::string_view blanks) {
    std::size_t i = 0;
    while (i < text.size() && blanks.find(text[i]) != std::string_view::npos) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min(value * 10 + (text[i] - '0'), kLimit);
    }
    value = negative ? -value : value;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

std::int32_t ParseLeadingInt(std::string_view text) { return ParseSignedDecimal(text, " \t\n\v\f\r"); }

std::int32_t ReadInteger(TextCursor& c) {
    std::string line;
    ReadLine(c, line, 255);
    return ParseLeadingInt(line);
}

void GetField(int n, std::string_view line, std::string& out, std::size_t maxLength) {
    TextCursor c{line.data(), line.data() + line.size()};
    for (int i = 1; i < n && !c.AtEnd(); ++i) {
        SkipPast(c, '|');
    }
    ReadField(c, out, maxLength, '|');
}

std::size_t Unscramble(CatalogBlock& block) {
    std::string_view content = block.Content();
    if (content.substr(0, 4) != "CRPT") {
        return 0;
    }
    // The appended end marker is left as it is (the design also shifted it),
    // so that a decoded file still ends in a readable line end.
    unsigned char* data = reinterpret_cast<unsigned char*>(block.MutableData());
    unsigned k = 1;
    for (std::size_t i = 4; i < block.ContentSize() && data[i] != 0; ++i) {
        data[i] = static_cast<unsigned char>(data[i] + k);
        k = (k + 1) % 9;
    }
    return 4;
}

namespace {

// Plain ASCII in every language, so each UTF-8 row is already the bytes of
// its code page: every price a list leaves empty asks for one.
constexpr LangText kOnRequest{{"siehe VZ-Preisliste", "on request", "sur demande", "na dotaz"}};
constexpr std::size_t kPriceMaxLength = 31;

// The leading decimal number as the C library's atof reads it, without its
// locale, hexadecimal and infinity forms: blanks, sign, digits, fraction,
// exponent. 0 when there is none or it is out of range.
double LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t start = i;
    auto digits = [&] {
        std::size_t n = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            ++i;
            ++n;
        }
        return n;
    };
    std::size_t mantissaDigits = digits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissaDigits += digits();
    }
    if (mantissaDigits == 0) {
        return 0.0;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        const std::size_t save = i;
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        if (digits() == 0) {
            i = save;
        }
    }
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(text.data() + start, text.data() + i, value, std::chars_format::general);
    (void)ptr;
    if (ec != std::errc{}) {
        return 0.0;
    }
    return negative ? -value : value;
}

// value with a point and two decimals, as to_chars writes it; null when it
// doesn't fit. Most prices have two decimals at most, and below 10^13 a
// double lies within a thousandth of a cent of such a decimal: their digits
// come straight from the cents, without the general conversion's cost.
char* WriteTwoDecimals(char* out, char* end, double value) {
    const double cents = std::round(value * 100);
    if (value > 0 && value < 1e13 && cents / 100 == value) {
        const auto whole = static_cast<std::uint64_t>(cents);
        char* p = std::to_chars(out, end, whole / 100).ptr;
        p[0] = '.';
        p[1] = static_cast<char>('0' + whole / 10 % 10);
        p[2] = static_cast<char>('0' + whole % 10);
        return p + 3;
    }
    const auto [ptr, ec] = std::to_chars(out, end, value, std::chars_format::fixed, 2);
    return ec == std::errc{} ? ptr : nullptr;
}

} // namespace

std::string_view PriceOnRequestText(int languageIndex) { return kOnRequest.Utf8(languageIndex); }

double FormatPrice(std::string& text, bool euro, std::string_view currency, int languageIndex) {
    if (const std::size_t comma = text.find(','); comma != std::string::npos) {
        text[comma] = '.';
    }
    const double value = LeadingNumber(text);
    if (value != 0.0) {
        // to_chars, not printf: the display layer may have switched the C
        // locale, which would change the decimal point under our feet.
        char buf[400];
        char* end = WriteTwoDecimals(buf, buf + sizeof buf, value);
        std::string formatted = end ? std::string(buf, end) : std::string("0.00");
        formatted += ' ';
        formatted += euro ? std::string_view("EUR") : currency;
        if (const std::size_t dot = formatted.find('.'); dot != std::string::npos) {
            formatted[dot] = ',';
        }
        text = std::move(formatted);
    } else if (text.empty()) {
        text = PriceOnRequestText(languageIndex);
    }
    if (text.size() > kPriceMaxLength) {
        text.resize(kPriceMaxLength);
    }
    return value;
}

} // namespace qx
