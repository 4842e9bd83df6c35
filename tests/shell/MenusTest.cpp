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

TEST(Menus, StructureOrderAndTexts) {
    for (int lang = 0; lang < 4; ++lang) {
        const auto& bar = MenuOfLanguage(lang);
        ASSERT_EQ(bar.size(), 3u);
        EXPECT_EQ(Commands(bar[0].children),
                  (std::vector<int>{40002, 0, 40037, 0, -1, -1, 0, -1, 0, 40007}));
        EXPECT_EQ(Commands(bar[1].children), (std::vector<int>{40036, 40041, 40042, 40028}));
        // The screen-size popup is the fourth item of "?".
        EXPECT_EQ(Commands(bar[2].children), (std::vector<int>{57670, 40003, 0, -1}));
        EXPECT_EQ(Commands(bar[2].children[3].children), (std::vector<int>{40051, 40052}));
        EXPECT_EQ(std::string(bar[2].text), "?");
    }
    // English lists English first.
    EXPECT_EQ(Commands(MenuOfLanguage(1)[0].children[7].children), (std::vector<int>{40033, 40032, 40057, 40058}));
    EXPECT_EQ(Commands(MenuOfLanguage(0)[0].children[7].children), (std::vector<int>{40032, 40033, 40057, 40058}));
    EXPECT_EQ(std::string(MenuOfLanguage(3)[0].children[9].text), "&Ukončení programu");
    EXPECT_EQ(std::string(MenuOfLanguage(2)[1].text), "&Recherche Produit");
    EXPECT_EQ(MenuResourceOfLanguage(2), 144);
}

} // namespace
} // namespace qx
