#pragma once
// The UI languages and what each selects.

#include <array>

namespace qx {

enum Language : int { kGerman = 0, kEnglish = 1, kFrench = 2, kCzech = 3 };
constexpr int kLanguageCount = 4;

struct LanguageInfo {
    int menuResource;     // 103, 104, 144, 145
    const char* iniValue; // "0" .. "3"
    const char* dataDir;  // "DATEN\LANG1\" ..
    const char* langDir;  // "LANG1\" ..
    int menuCommand;      // 40032, 40033, 40057, 40058
};

constexpr std::array<LanguageInfo, kLanguageCount> kLanguages = {{
    {103, "0", "DATEN\\LANG1\\", "LANG1\\", 40032},
    {104, "1", "DATEN\\LANG2\\", "LANG2\\", 40033},
    {144, "2", "DATEN\\LANG3\\", "LANG3\\", 40057},
    {145, "3", "DATEN\\LANG4\\", "LANG4\\", 40058},
}};

// Clamps anything outside 0..3 to German.
const LanguageInfo& LanguageAt(int languageIndex);

} // namespace qx
