#pragma once
// The one block of settings and navigation state that every page reads and
// writes. Text fields have the capacities of the catalogue's design
// (terminator included); assigning a longer value cuts it.

#include "FixedText.h"
#include "platform/core/Geometry.h"

#include <cstdint>

namespace qx {

struct GlobalState {
    FixedText<128> programDir;      // backslash path with one trailing backslash
    FixedText<128> orderListPath;
    FixedText<128> priceUpdatePath; // Global/Update04; emptied when the update is older
    std::int32_t colorDepth = 0;
    FixedText<32> currency;         // "DM" at start-up, then line 1 of the price list
    FixedText<64> hierarchyCode;
    FixedText<64> groupFile;
    FixedText<64> dataDir;          // "DATEN\LANG1\" ... "DATEN\LANG4\"
    FixedText<128> langDir;         // "LANG1\" ... "LANG4\"
    FixedText<64> listFile;
    FixedText<256> preselectKey;
    FixedText<256> lastSearchChoice;
    FixedText<400> searchTerm;
    FixedText<260> breadcrumb;
    std::int32_t priceMode = 0;     // < 0 none, 0 UPE, 1 VZ
    std::int32_t priceListOutdated = 0;
    FixedText<128> priceListId;
    FixedText<128> priceListDate;
    FixedText<128> priceListExpiry;
    std::int32_t pageMode = 0;      // 1 area, 2 group, 3 product, 4 requirements
    std::int32_t pageOrigin = 0;
    std::int32_t areaLevel = 0;
    std::int32_t screenWidth = 0;
    std::int32_t screenHeight = 0;
    double scaleX = 0.0;
    double scaleY = 0.0;
    Rect designRect{};
    Rect clientRect{};
    Rect desktopRect{};
    // languageIndex: 0 German, 1 English, 2 French, 3 Czech. Kept here rather
    // than as a free global so that everything that needs it is passed it.
    std::int32_t languageIndex = 0;
};

// Page modes of the main window.
enum PageMode : std::int32_t {
    kPageArea = 1,
    kPageGroup = 2,
    kPageProduct = 3,
    kPageRequirements = 4,
};

} // namespace qx
