#include "Menus.h"

#include <array>

namespace qx {

namespace {

struct Row {
    int command;
    const char* text[4]; // German, English, French, Czech
};

// Every text of the four menus, by command (popups get pseudo ids below 0).
constexpr Row kRows[] = {
    {-1, {"&Service", "&Service", "&Service", "&Service"}},
    {40002, {"&Bestellliste", "&Order list", "&Liste de commande", "&Objednací list"}},
    {40037, {"Ser&vice-Standard", "Ser&vice standard", "&Standards-Service", "Ser&visní standardy"}},
    {-2, {"&Lieferbedingungen", "&Terms of delivery", "&Conditions de livraison", "&Dodací podmínky"}},
    {40039, {"Betriebs&einrichtungen", "Workshop &equipment", "&Equipements d'atelier", "&Vybavení servisu"}},
    {40040, {"Spezial&werkzeuge", "Special &tools", "&Outils spéciaux", "&Speciální nářadí"}},
    {-3, {"Preise", "Price", "&Prix", "Cena"}},
    {40047, {"UPE-Preise", "&UPE-Price", "Prix de &Vente", "UPE-Cena"}},
    {40046, {"VZ-Preise", "&VZ-Price", "Prix-V&Z", "VZ-Cena"}},
    {40055, {"Preisupdate", "Update price", "&Update Prix", "Aktializace cen"}},
    {-4, {"&Sprache", "&Language", "&Langue", "&Jazyk"}},
    {40032, {"&Deutsch", "&German", "&Allemand", "&Němčina"}},
    {40033, {"&Englisch", "&English", "&Anglais", "&Angličtina"}},
    {40057, {"&Französisch", "&French", "&Français", "&Francoužština"}},
    {40058, {"&Tschechisch", "&Czech", "&Tchèque", "&Čeština"}},
    {40007, {"P&rogramm beenden", "&Quit program", "&Quitter Programme", "&Ukončení programu"}},
    {-5, {"&Produktsuche", "Sea&rch", "&Recherche Produit", "&Hledání produktu"}},
    {40036, {"&Stichwort", "&Word search", "&Mot clé", "&Název"}},
    {40041, {"&Q.T.X/ZRT-Nummern", "&Q.T.X/ZRT number", "N° &Q.T.X/ZRT", "&Q.T.X/ZRT-označení"}},
    {40042, {"&HLN-Nummern", "&HLN number", "N° &HLN", "&HLN-Číslo"}},
    {40028, {"&Werkzeugnummer", "&Tool number", "N° &d'outil", "&Číslo nářadí"}},
    {-6, {"?", "?", "?", "?"}},
    {57670, {"&Hilfe", "&Help", "&Aide", "&Pomoc"}},
    {40003, {"&Info", "&Info", "&Info", "&Info"}},
    {-7, {"&Bildschirmgröße", "&Dimensions", "&Taille écran", "&Rozlišení"}},
    {40051, {"800x600", "800x600", "800x600", "800x600"}},
    {40052, {"1024x768", "1024x768", "1024x768", "1024x768"}},
};

const char* TextOf(int command, int lang) {
    for (const Row& r : kRows) {
        if (r.command == command)
            return r.text[lang];
    }
    return "";
}

MenuItem Cmd(int command, int lang) { return MenuItem{command, TextOf(command, lang), {}}; }
MenuItem Sep() { return MenuItem{0, nullptr, {}}; }
MenuItem Popup(int pseudo, int lang, std::vector<MenuItem> children) {
    return MenuItem{0, TextOf(pseudo, lang), std::move(children)};
}

std::vector<MenuItem> Build(int lang) {
    // English lists English before German; the other menus German first.
    std::vector<MenuItem> languages;
    if (lang == 1)
        languages = {Cmd(40033, lang), Cmd(40032, lang), Cmd(40057, lang), Cmd(40058, lang)};
    else
        languages = {Cmd(40032, lang), Cmd(40033, lang), Cmd(40057, lang), Cmd(40058, lang)};
    return {
        Popup(-1, lang,
              {Cmd(40002, lang), Sep(), Cmd(40037, lang), Sep(),
               Popup(-2, lang, {Cmd(40039, lang), Cmd(40040, lang)}),
               Popup(-3, lang, {Cmd(40047, lang), Cmd(40046, lang), Cmd(40055, lang)}), Sep(),
               Popup(-4, lang, std::move(languages)), Sep(), Cmd(40007, lang)}),
        Popup(-5, lang, {Cmd(40036, lang), Cmd(40041, lang), Cmd(40042, lang), Cmd(40028, lang)}),
        Popup(-6, lang,
              {Cmd(57670, lang), Cmd(40003, lang), Sep(), Popup(-7, lang, {Cmd(40051, lang), Cmd(40052, lang)})}),
    };
}

} // namespace

const std::vector<MenuItem>& MenuOfLanguage(int languageIndex) {
    static const std::array<std::vector<MenuItem>, 4> menus = {Build(0), Build(1), Build(2), Build(3)};
    if (languageIndex < 0 || languageIndex > 3)
        languageIndex = 0;
    return menus[static_cast<std::size_t>(languageIndex)];
}

int MenuResourceOfLanguage(int languageIndex) {
    static constexpr int ids[4] = {103, 104, 144, 145};
    return ids[(languageIndex < 0 || languageIndex > 3) ? 0 : languageIndex];
}

} // namespace qx
