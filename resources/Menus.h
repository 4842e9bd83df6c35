#pragma once
// The menu bar of the main window, one resource per language (103, 104, 144,
// 145), described as data. Texts are UTF-8 here; the window layer converts.

#include <vector>

namespace qx {

struct MenuItem {
    int command = 0;     // 0 for a popup or a separator
    const char* text;    // nullptr for a separator
    std::vector<MenuItem> children; // a popup when not empty
    bool IsSeparator() const { return text == nullptr; }
    bool IsPopup() const { return !children.empty(); }
};

// Command ids of the main window.
enum MenuCommand : int {
    kCmdOrderList = 40002,
    kCmdInfo = 40003,
    kCmdQuit = 40007,
    kCmdToolNumber = 40028,
    kCmdGerman = 40032,
    kCmdEnglish = 40033,
    kCmdKeyword = 40036,
    kCmdServiceStandard = 40037,
    kCmdTermsEquipment = 40039,
    kCmdTermsTools = 40040,
    kCmdQtxNumber = 40041,
    kCmdHlnNumber = 40042,
    kCmdPriceVz = 40046,
    kCmdPriceUpe = 40047,
    kCmdScreen800 = 40051,
    kCmdScreen1024 = 40052,
    kCmdPriceUpdate = 40055,
    kCmdFrench = 40057,
    kCmdCzech = 40058,
    kCmdHelp = 57670,
};

// The top-level popups of the menu resource of a language (index 0..3).
const std::vector<MenuItem>& MenuOfLanguage(int languageIndex);

// The menu resource id of a language (103, 104, 144, 145).
int MenuResourceOfLanguage(int languageIndex);

} // namespace qx
