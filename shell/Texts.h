#pragma once
// Program texts of the application shell.

#include "ground/LangText.h"

namespace qx::texts {

inline constexpr LangText kAppTitle = SameText("QUARVENTA AG");
inline constexpr LangText kQuitQuestion{{"Möchten Sie das Programm beenden?", "Quit program?",
                                         "Voulez vous quitter le programme?", "Chcete ukončit práci s programem?"}};
inline constexpr LangText kCancel{{"Abbrechen", "Cancel", "Annuler", "Zavřít"}};
inline constexpr LangText kNoHelp{{"Die Hilfedatei wurde nicht gefunden:\n", "The help file was not found:\n",
                                   "Le fichier d'aide est introuvable:\n", "Soubor nápovědy nebyl nalezen:\n"}};

// Captions of the buttons that most pages share.
inline constexpr LangText kBackCaption{{"Zurück", "Back", "Retour", "Zpět"}};
inline constexpr LangText kMainMenuCaption{{"Hauptmenü", "Main menu", "Menu principal", "Hlavní menu"}};
inline constexpr LangText kPrintCaption{{"Drucken", "Print", "Imprimer", "Tisk"}};

} // namespace qx::texts
