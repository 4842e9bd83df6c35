#pragma once
// Program texts of the application shell.

#include "app/core/LangText.h"

namespace qx::texts {

inline constexpr LangText kAppTitle = SameText("QUARVENTA AG");
inline constexpr LangText kQuitQuestion{{"Möchten Sie das Programm beenden?", "Quit program?",
                                         "Voulez vous quitter le programme?", "Chcete ukončit práci s programem?"}};
inline constexpr LangText kCancel{{"Abbrechen", "Cancel", "Annuler", "Zavřít"}};
inline constexpr LangText kNoHelp{{"Die Hilfedatei wurde nicht gefunden:\n", "The help file was not found:\n",
                                   "Le fichier d'aide est introuvable:\n", "Soubor nápovědy nebyl nalezen:\n"}};

} // namespace qx::texts
