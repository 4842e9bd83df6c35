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
inline constexpr LangText kNoteCaption{{"Notiz", "Note", "Note", "Poznámka"}};
// The French caption is ours, short enough for the button at 640.
inline constexpr LangText kOrderListCaption{{"Bestellliste", "Order list", "Commandes", "Objednací list"}};
// The drawing page's button on the product and requirements pages, and its title.
inline constexpr LangText kDrawingCaption{{"Produktbild", "Picture", "Image produit", "Obrázek"}};

// A product or requirements list that cannot be read.
inline constexpr LangText kNoCatalogueData{{"Es liegen keine Daten für \ndiesen Katalog vor!",
                                            "There are no files for \nthis catalogue.",
                                            "Il n'y a pas de données disponibles \npour ce catalogue!",
                                            "Pro tento katalog \nneexistují žádná data!"}};

// Typed characters that a file could not hold were replaced; the user checks.
inline constexpr LangText kCharactersReplaced{
    {"Einige Zeichen können nicht gespeichert werden und wurden ersetzt.\nBitte prüfen Sie die Eingabe.",
     "Some characters cannot be stored and were replaced.\nPlease check your entry.",
     "Certains caractères ne peuvent pas être enregistrés et ont été remplacés.\nVeuillez vérifier la saisie.",
     "Některé znaky nelze uložit a byly nahrazeny.\nZkontrolujte prosím zadání."}};

} // namespace qx::texts
