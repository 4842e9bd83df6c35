#include "resources/Menus.h"

#include <gtest/gtest.h>

#include <string>

namespace qx {
namespace {

std::vector<int> Commands(const std::vector<MenuItem>& items) {
    std::vector<int> out;
    for (const MenuItem& i : items) {
        if (i.IsSeparator())
            out.push_back(0);
        else if (i.IsPopup())
            out.push_back(-1);
        else
            out.push_back(i.command);
    }
    return out;
}

// The language submenu lists the menu's own language first.
TEST(Menus, TheLanguageOfTheMenuComesFirst) {
    EXPECT_EQ(Commands(MenuOfLanguage(1)[0].children[7].children), (std::vector<int>{40033, 40032, 40057, 40058}));
    EXPECT_EQ(Commands(MenuOfLanguage(0)[0].children[7].children), (std::vector<int>{40032, 40033, 40057, 40058}));
}

} // namespace
} // namespace qx
