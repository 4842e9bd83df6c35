#pragma once
// What lives from start-up to exit and every page reaches: the global state,
// the configuration file, the shared pictures of the screen mode, the level
// history of the area pages and the result of the last price-list check.

#include "ground/AreaHistory.h"
#include "ground/GlobalState.h"
#include "catalog/Picture.h"
#include "platform/core/Profile.h"

#include <memory>
#include <set>
#include <string>

namespace qx {

struct SharedPictures {
    DibHandle logo;               // Logo.bmp
    DibHandle backgroundWithLogo; // Hintergrund_mit_logo.bmp
    DibHandle background;         // Hintergrund.bmp
    DibHandle buttonUp;           // buttons\Up.bmp
    DibHandle buttonDown;         // buttons\Down.bmp
};

struct AppContext {
    explicit AppContext(std::filesystem::path profileFile) : profile(std::move(profileFile)) {}

    GlobalState state;
    Profile profile;
    SharedPictures pictures;
    DibHandle seal;        // "IDB_SEAL"
    AreaHistory areaHistory;
    // The price kinds the current list offers, from the last price-list
    // check (-1 none, 0 UPE only, >= 1 both); reapplied to a new menu.
    int priceAvailability = -1;
    // Files whose absence was told to the user already; each is told once.
    std::set<std::string> reportedMissingFiles;
};

// Selects the screen mode for a width value and reloads the five shared
// pictures of that mode (each previous one released first).
void SelectScreenMode(AppContext& app, int widthValue);

} // namespace qx
