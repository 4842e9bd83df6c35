#pragma once
// Price mode and price-list update: the check of the price list in force,
// the state of the two price menu items, the UPE/VZ choice kept in
// qxkat.ini and the copy of a newer price file.

#include "AppContext.h"

#include <ctime>

namespace qx {

struct PriceMenuState {
    bool enabled = false; // both items
    bool upeChecked = false;
    bool vzChecked = false;
};

// The menu state for the price kinds the list offers: with both kinds both
// items are enabled and the mode's item checked; otherwise priceMode becomes
// the availability value and both items are grayed.
PriceMenuState PriceMenuStateFor(GlobalState& state, int availability);

// Reads the headers of QX.PRS and the update, chooses the list in force,
// warns (message box) when it has expired, remembers the availability and
// returns the menu state.
PriceMenuState RunPriceListCheck(AppContext& app, std::time_t now);

// UPE (0) or VZ (1): priceMode and Global/PriceMode.
PriceMenuState SetPriceMode(AppContext& app, int mode);

// Asks for a price file and a target with the file dialogs, copies it, keeps
// the target as Global/Update04 and reports. False when a dialog was
// cancelled; the caller then runs no check.
bool RunPriceUpdate(AppContext& app);

} // namespace qx
