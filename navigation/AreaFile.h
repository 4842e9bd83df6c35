#pragma once
// Area files (.BER): the entries of one area page of the catalogue's menu tree.

#include "ground/FixedText.h"
#include "ground/LangText.h"
#include "platform/core/Geometry.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace qx {

struct GlobalState;

inline constexpr int kMaxAreaEntries = 64;

struct AreaRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const AreaRect&, const AreaRect&) = default;
};

struct AreaEntry {
    FixedText<128> caption;
    FixedText<128> picture;
    FixedText<128> target;  // letters a to z in upper case
    AreaRect rect;          // design coordinates
    FixedText<256> tooltip;
    int line = 0;           // 1-based line of the entry in the file
};

enum class AreaPageKind { Start, Catalogue, SubArea };

struct AreaFileParse {
    std::vector<AreaEntry> entries;   // at most 64
    // A 65th entry followed: the page shows "Maximal 64 Einträge zulässig."
    bool tooManyEntries = false;
    int firstExcessLine = 0;          // line of that entry
};

// The message the page shows when an area file holds more than 64 entries.
inline constexpr LangText kTooManyAreaEntries = SameText("Maximal 64 Einträge zulässig.");

// Parses the bytes of an area file. Comment ("#") and empty lines are
// skipped; "[" at the start of a line ends the list, except directly after
// comment lines, where such a line is read as an entry. Lines are cut to 247
// characters and fields to their capacities.
AreaFileParse ParseAreaFile(std::string_view bytes);
// The file at a backslash path; nothing when it can't be read.
std::optional<AreaFileParse> LoadAreaFile(std::string_view windowsPath);

// Page kind by file name, ignoring letter case: QXSTART.BER, KATALOG.BER or
// any other.
AreaPageKind AreaPageKindOf(std::string_view fileName);

// Where an entry's button lies in pixels on a page of the given level: x
// values scaled by scaleX, y values by scaleY on the start level (0) and by
// scaleX below it. Any rectangle a file gives yields coordinates whose
// differences stay well inside int.
Rect AreaEntryPixels(const GlobalState& state, const AreaRect& rect, int level);

// A signed decimal: leading blanks, optional sign, digits; 0 without digits.
std::int32_t ParseAreaNumber(std::string_view field);

// What an entry does, decided by the first of these words that occurs
// anywhere in its (upper-case) target, in this order.
enum class AreaTargetKind {
    Video,            // ".AVI"
    Back,             // "ZURÜCK" (code-page bytes)
    Program,          // ".EXE"
    Document,         // ".PDF", ".XLS"
    OrderList,        // "BESTELLEN"
    KeywordSearch,    // "STICHWORT"
    ToolNumberSearch, // "TNUMMER"
    QtxNumberSearch,  // "QTXNUMMER"
    ZNumberSearch,    // "ZNUMMER"
    WorkshopTerms,    // "BETRIEB.HTM"
    SpecialToolTerms, // "SPEZIAL.HTM"
    DocumentsPrb,     // "KATALOG.PRB"
    DocumentsPrs,     // "KATALOG.PRS"
    DocumentsPrk,     // "KATALOG.PRK"
    ServiceStandards, // "KATALOG.STD"
    Requirements,     // ".ZEN"
    SubArea,          // ".BER"
    GroupList,        // anything else (an empty target does nothing)
};
AreaTargetKind ClassifyAreaTarget(std::string_view target);

} // namespace qx
