#include "AreaFile.h"
#include "catalog/CatalogText.h"
#include "catalog/Scale.h"

#include "platform/core/FileIo.h"
#include "platform/core/Path.h"

#include <algorithm>
#include <string>

namespace qx {

namespace {

constexpr std::size_t kMaxLineLength = 247;
constexpr int kFieldCount = 8;

void UpperAsciiLetters(std::string& s) {
    for (char& ch : s) {
        if (ch >= 'a' && ch <= 'z') {
            ch = static_cast<char>(ch - 'a' + 'A');
        }
    }
}

AreaEntry ParseEntry(std::string_view line, int lineNumber) {
    // Missing fields at the end of the line read as empty; fields after the
    // eighth are ignored.
    std::array<std::string_view, kFieldCount> fields{};
    std::size_t start = 0;
    for (int i = 0; i < kFieldCount && start <= line.size(); ++i) {
        const std::size_t bar = line.find('|', start);
        const std::size_t stop = bar == std::string_view::npos ? line.size() : bar;
        fields[i] = line.substr(start, stop - start);
        if (bar == std::string_view::npos) {
            break;
        }
        start = bar + 1;
    }
    AreaEntry e;
    e.caption = fields[0];
    e.picture = fields[1];
    std::string target(fields[2].substr(0, decltype(e.target)::kMaxLength));
    UpperAsciiLetters(target);
    e.target = target;
    e.rect = {ParseAreaNumber(fields[3]), ParseAreaNumber(fields[4]), ParseAreaNumber(fields[5]),
              ParseAreaNumber(fields[6])};
    e.tooltip = fields[7];
    e.line = lineNumber;
    return e;
}

} // namespace

Rect AreaEntryPixels(const GlobalState& state, const AreaRect& rect, int level) {
    // Window coordinates are 16-bit on the systems catalogues were made for;
    // anything past that is a broken file, and held there the scaled values
    // and their differences cannot overflow.
    auto held = [](std::int32_t v) { return std::clamp<std::int32_t>(v, -32768, 32767); };
    return ScaleRectSquare(state, held(rect.left), held(rect.top), held(rect.right), held(rect.bottom), level != 0);
}

std::int32_t ParseAreaNumber(std::string_view field) { return ParseSignedDecimal(field, " \t"); }

AreaFileParse ParseAreaFile(std::string_view bytes) {
    // The end marker line makes the last line terminated and ends the list.
    std::string text(bytes);
    text += "\r\n[E#";
    const std::size_t markerPos = bytes.size() + 2;

    AreaFileParse result;
    std::size_t pos = 0;
    int lineNumber = 1;
    auto advanceTo = [&](std::size_t next) {
        next = std::min(next, markerPos);
        lineNumber += static_cast<int>(std::count(text.begin() + static_cast<std::ptrdiff_t>(pos),
                                                  text.begin() + static_cast<std::ptrdiff_t>(next), '\n'));
        pos = next;
    };
    auto lineEnd = [&](std::size_t from) {
        const std::size_t cr = text.find('\r', from);
        return std::min(cr == std::string::npos ? markerPos : cr, markerPos);
    };

    for (;;) {
        // The end test looks at the line before comment lines are skipped, so
        // a "[" line that directly follows comments is read as an entry.
        if (pos >= markerPos || text[pos] == '[') {
            break;
        }
        while (pos < markerPos && text[pos] == '#') {
            advanceTo(lineEnd(pos) + 2);
        }
        if (pos >= markerPos) {
            break; // only comments were left; the appended marker is no entry
        }
        const std::size_t cr = lineEnd(pos);
        const std::string_view line = std::string_view(text).substr(pos, cr - pos).substr(0, kMaxLineLength);
        const int thisLine = lineNumber;
        advanceTo(cr + 2);
        if (line.empty()) {
            continue;
        }
        if (static_cast<int>(result.entries.size()) == kMaxAreaEntries) {
            result.tooManyEntries = true;
            result.firstExcessLine = thisLine;
            break;
        }
        result.entries.push_back(ParseEntry(line, thisLine));
    }
    return result;
}

std::optional<AreaFileParse> LoadAreaFile(std::string_view windowsPath) {
    std::optional<std::string> bytes = ReadWholeFile(ResolvePath(windowsPath));
    if (!bytes) {
        return std::nullopt;
    }
    return ParseAreaFile(*bytes);
}

AreaTargetKind ClassifyAreaTarget(std::string_view target) {
    struct Word {
        std::string_view word;
        AreaTargetKind kind;
    };
    static constexpr Word kWords[] = {
        {".AVI", AreaTargetKind::Video},
        {"ZUR\xDC" "CK", AreaTargetKind::Back},
        {".EXE", AreaTargetKind::Program},
        {".PDF", AreaTargetKind::Document},
        {".XLS", AreaTargetKind::Document},
        {"BESTELLEN", AreaTargetKind::OrderList},
        {"STICHWORT", AreaTargetKind::KeywordSearch},
        {"TNUMMER", AreaTargetKind::ToolNumberSearch},
        {"QTXNUMMER", AreaTargetKind::QtxNumberSearch},
        {"ZNUMMER", AreaTargetKind::ZNumberSearch},
        {"BETRIEB.HTM", AreaTargetKind::WorkshopTerms},
        {"SPEZIAL.HTM", AreaTargetKind::SpecialToolTerms},
        {"KATALOG.PRB", AreaTargetKind::DocumentsPrb},
        {"KATALOG.PRS", AreaTargetKind::DocumentsPrs},
        {"KATALOG.PRK", AreaTargetKind::DocumentsPrk},
        {"KATALOG.STD", AreaTargetKind::ServiceStandards},
        {".ZEN", AreaTargetKind::Requirements},
        {".BER", AreaTargetKind::SubArea},
    };
    for (const Word& w : kWords) {
        if (target.find(w.word) != std::string_view::npos) {
            return w.kind;
        }
    }
    return AreaTargetKind::GroupList;
}

AreaPageKind AreaPageKindOf(std::string_view fileName) {
    if (EqualsIgnoreCase(fileName, "QXSTART.BER")) {
        return AreaPageKind::Start;
    }
    if (EqualsIgnoreCase(fileName, "KATALOG.BER")) {
        return AreaPageKind::Catalogue;
    }
    return AreaPageKind::SubArea;
}

} // namespace qx
