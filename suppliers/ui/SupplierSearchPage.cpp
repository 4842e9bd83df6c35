#include "SupplierSearchPage.h"

#include "shell/Messages.h"
#include "shell/Fonts.h"
#include "shell/Texts.h"
#include "catalog/CatalogText.h"
#include "catalog/Draw.h"
#include "catalog/Scale.h"
#include "platform/core/Path.h"
#include "platform/core/Ui.h"
#include "suppliers/AddressFile.h"
#include "suppliers/Distributors.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace qx {

namespace {

constexpr LangText kTitle{{"Lieferanten", "Distributors", "Fournisseur", "Dodavatelé"}};
constexpr LangText kSubtitle{{"Spezialwerkzeuge/Betriebseinrichtungen", "Special tools/company equipment",
                              "Outils spéciaux/Equipements d'atelier", "Speciální nářadí/dílenské vybavení"}};
constexpr LangText kFactsHeading{{"Ihre Betriebsdaten:", "Your company facts:", "Votre entreprise:",
                                  "Údaje o vašem podniku:"}};
constexpr LangText kOwnHeading{{"Ihre Adresse:", "Your address:", "Votre adresse:", "Vaše adresa:"}};
constexpr LangText kEquipmentHeading{{"Betriebseinrichtungen:", "Company equipment:", "Equipements d'atelier:",
                                      "Dílenské vybavení:"}};
constexpr LangText kToolsHeading{{"Spezialwerkzeuge:", "Special tools:", "Outils spéciaux:", "Speciální nářadí:"}};
constexpr LangText kCountryText{{"Land:", "Country:", "Pays:", "Země:"}};
constexpr LangText kBrandText{{"Marke:", "Brand:", "Marque:", "Značka:"}};
constexpr LangText kNumberText{{"Betriebsnummer:", "Number:", "N° d'atelier:", "Číslo podniku:"}};
constexpr LangText kSearchCaption{{"Lieferantensuche", "Search distributor", "Recherche fournisseur",
                                   "Hledat dodavatele"}};
constexpr LangText kSaveCaption{{"Eingaben abspeichern", "Save entries", "Enregistrer la saisie", "Uložit zadání"}};
constexpr LangText kHint{{"Bitte tragen Sie Ihre Betriebsdaten ein und\nstarten Sie die Lieferantensuche.",
                          "Please enter your company number and\npress \"Search distributor\".",
                          "Veuillez saisir les données de votre entreprise\net lancer la recherche fournisseur.",
                          "Zadejte prosím údaje o svém podniku\na spusťte hledání dodavatele."}};
constexpr LangText kNothingFound{{"Keine Adresse (Betriebseinrichtungen) vorhanden!", "No data available!",
                                  "Pas d'adresse (équipements d'atelier)!", "Adresa (dílenské vybavení) není k dispozici!"}};
constexpr LangText kFilter{{"Lieferanten (*.adr) | *.adr ||", "Distributors (*.adr) | *.adr ||",
                            "Fournisseur (*.adr) | *.adr ||", "Dodavatel (*.adr) | *.adr ||"}};
constexpr LangText kChangedElsewhere{
    {"Die Adressen wurden seit dem Laden an einem anderen Arbeitsplatz geändert.",
     "The addresses have been changed at another workstation since they were loaded.",
     "Les adresses ont été modifiées sur un autre poste depuis leur chargement.",
     "Adresy byly od načtení změněny na jiném pracovišti."}};
constexpr LangText kSaveFailed{{"Fehler beim Abspeichern!", "Error while creating file!", "Erreur à l'enregistrement!",
                                "Chyba při ukládání!"}};
constexpr const char* kGermany = "Deutschland";

// The place takes a file: it exists, or one can be made (and is removed again).
bool Writable(const std::string& windowsPath) {
    const std::filesystem::path p = ResolvePath(windowsPath);
    std::error_code ec;
    if (std::filesystem::is_regular_file(p, ec))
        return true;
    if (!std::ofstream(p, std::ios::binary))
        return false;
    std::filesystem::remove(p, ec);
    return true;
}

} // namespace

// ---- the choice among several distributors ----------------------------------

DistributorListDialog::DistributorListDialog(QWidget* parent, int languageIndex, std::vector<std::string> addressParts)
    : DialogWindow(parent, Kind::Modal), language_(languageIndex), parts_(std::move(addressParts)) {
    SortForChoice(parts_, language_);
}

void DistributorListDialog::OnInitDialog() {
    // Wider than its first template: the distributors' names are longer
    // than the rows it had room for.
    const Rect client = DialogUnits(0, 0, kWidth, 179);
    setFixedSize(client.Width(), client.Height());
    SetCaption(texts::kAppTitle.Text(language_));
    ControlStyle list;
    list.ownerDraw = true;
    list.itemHeight = 54;
    AddControl(kList, ControlKind::ListBox, list);
    AddControl(IDCANCEL, ControlKind::PushButton);
    MoveItem(kList, DialogUnits(8, 32, kWidth - 17, 125));
    MoveItem(IDCANCEL, DialogUnits(8, 161, kWidth - 16, 12));
    SetAllControlsFont(FontText14);
    SetItemText(IDCANCEL, texts::kCancel.Text(language_));
    SetItemName(kList, kTitle.Text(language_));
    SetItemHeight(kList, 54);
    for (const std::string& part : parts_)
        AddString(kList, part);
    SetCurSel(kList, 0); // Enter takes the first at once
    CenterOn(parentWidget());
    SetFocusTo(kList);
}

void DistributorListDialog::OnPaint(Dc& dc) {
    dc.SetBkMode(BkMode::Transparent);
    dc.SelectFont(FontText14);
    Rect r = DialogUnits(8, 6, 122, 36);
    dc.DrawText(kTitle.Text(language_), r, DT_WORDBREAK | DT_NOPREFIX);
}

void DistributorListDialog::OnCommand(int id, int code) {
    if (id == kList && code == LBN_DBLCLK)
        OnOk();
    else if (id == IDCANCEL)
        OnCancel();
}

void DistributorListDialog::OnOk() {
    const int index = GetCurSel(kList);
    if (index < 0)
        return;
    chosen_ = GetLbText(kList, index);
    EndDialog(IDOK);
}

void DistributorListDialog::OnDrawItem(DrawItem& item) {
    if (item.controlId != kList || item.itemId < 0 || item.itemText.empty())
        return;
    Dc& dc = *item.dc;
    dc.FillRect(item.rect, item.selected ? Rgb(192, 192, 192) : Rgb(255, 255, 255));
    dc.SetBkMode(BkMode::Transparent);
    dc.SetTextColor(Rgb(0, 0, 0));
    const std::string fields = item.itemText;
    const int room = item.rect.Width() - 4;
    int y = item.rect.top;
    for (int n : {1, 2, 6}) {
        std::string line;
        GetField(n, fields, line, 255);
        // A name wider than the row takes a smaller size of the font, so it
        // stays whole.
        dc.SelectFont(FitFont(dc, FontText14, {line}, 0, room, FontText14.height));
        if (line != "]")
            dc.TextOut(item.rect.left + 2, y, line);
        y += 16;
    }
}

// ---- the page ----------------------------------------------------------------

SupplierSearchPage::SupplierSearchPage(AppContext& app, QWidget* parent, DialogWindow* returnPage)
    : DialogWindow(parent, Kind::Page), app_(app), buttons_(app.pictures), returnPage_(returnPage) {}

std::string SupplierSearchPage::TablePath() const {
    return app_.state.programDir.str() + DistributorTableName(app_.state.languageIndex);
}

void SupplierSearchPage::OnInitDialog() {
    const GlobalState& s = app_.state;
    hintHidden_ = false;
    for (int id : {kCountryLabel, kBrandLabel, kNumberLabel})
        AddControl(id, ControlKind::Static);
    AddControl(kCountries, ControlKind::ComboBox);
    AddControl(kBrands, ControlKind::ComboBox);
    AddControl(kCompanyNumber, ControlKind::Edit);
    for (int id : {kOwnAddress, kSpecialTools, kEquipment})
        AddControl(id, ControlKind::MultiLineEdit);
    for (int id : {kSearch, kSave, kCancel})
        AddControl(id, ControlKind::OwnerDrawButton);
    SetAllControlsFont(FontText16);
    for (int id : {kSearch, kSave, kCancel})
        SetItemFont(id, FontBold16);
    SetCaptions();

    MoveWindowTo(ScaleRect(s, 0, 0, 632, 434));
    MoveItem(kOwnAddress, ScaleRect(s, 18, 245, 303, 378));
    MoveItem(kEquipment, ScaleRect(s, 324, 85, 612, 212));
    MoveItem(kSpecialTools, ScaleRect(s, 324, 245, 612, 378));
    MoveItem(kSave, ScaleRect(s, 325, 392, 465, 415));
    MoveItem(kCancel, ScaleRect(s, 472, 392, 612, 415));
    MoveItem(kCountryLabel, ScaleRect(s, 18, 86, 156, 106));
    MoveItem(kBrandLabel, ScaleRect(s, 18, 112, 156, 132));
    MoveItem(kNumberLabel, ScaleRect(s, 18, 138, 156, 158));
    // Drop-down lists: the rectangle's height is the open list's; the box is one line.
    MoveItem(kCountries, ScaleRect(s, 163, 85, 303, 105));
    MoveItem(kBrands, ScaleRect(s, 163, 111, 303, 131));
    MoveItem(kCompanyNumber, ScaleRect(s, 163, 137, 303, 158));
    MoveItem(kSearch, ScaleRect(s, 163, 164, 303, 185));
    SetEditLimit(kCompanyNumber, 127);

    if (const auto table = LoadCatalogFile(TablePath())) {
        for (const std::string& country : DistributorCountries(table->Content(), app_.state.languageIndex))
            AddString(kCountries, country);
        for (const Brand& brand : qx::kBrands)
            AddString(kBrands, brand.name);
        SetCurSel(kCountries, 0);
        SetCurSel(kBrands, 0);
    }
    LoadAddresses();
    SetFocusTo(kCountries);
}

void SupplierSearchPage::LoadAddresses() {
    addressPath_ = app_.profile.GetString("Paths", "adr", "", 260);
    const auto addresses = ReadAddressFile(addressPath_, &stamp_);
    SetItemText(kSpecialTools, addresses ? (*addresses)[kAddressSpecialTools] : std::string());
    SetItemText(kEquipment, addresses ? (*addresses)[kAddressEquipment] : std::string());
    SetItemText(kOwnAddress, addresses ? (*addresses)[kAddressOwn] : std::string());
}

void SupplierSearchPage::SetCaptions() {
    const int lang = app_.state.languageIndex;
    SetCaption(kTitle.Text(lang));
    SetItemName(kCountries, kCountryText.Text(lang));
    SetItemName(kBrands, kBrandText.Text(lang));
    SetItemName(kCompanyNumber, kNumberText.Text(lang));
    SetItemName(kOwnAddress, kOwnHeading.Text(lang));
    SetItemName(kEquipment, kEquipmentHeading.Text(lang));
    SetItemName(kSpecialTools, kToolsHeading.Text(lang));
    SetItemText(kCountryLabel, kCountryText.Text(lang));
    SetItemText(kBrandLabel, kBrandText.Text(lang));
    SetItemText(kNumberLabel, kNumberText.Text(lang));
    SetItemText(kSearch, kSearchCaption.Text(lang));
    SetItemText(kSave, kSaveCaption.Text(lang));
    SetItemText(kCancel, texts::kCancel.Text(lang));
}

void SupplierSearchPage::ChooseCountry() {
    const int index = GetCurSel(kCountries);
    const bool germany = index >= 0 && GetLbText(kCountries, index) == kGermany;
    if (!germany)
        SetItemText(kCompanyNumber, "");
    ShowItem(kCompanyNumber, germany);
    ShowItem(kNumberLabel, germany);
    hintHidden_ = !germany;
    Invalidate();
}

void SupplierSearchPage::Search() {
    const int lang = app_.state.languageIndex;
    std::string number = GetItemText(kCompanyNumber, 127);
    const int country = GetCurSel(kCountries);
    const int brand = GetCurSel(kBrands);
    const std::string countryName = country >= 0 ? GetLbText(kCountries, country).substr(0, 63) : std::string();
    const std::string brandName = brand >= 0 ? GetLbText(kBrands, brand).substr(0, 63) : std::string();
    const auto table = LoadCatalogFile(TablePath());
    if (!table)
        return;
    const DistributorMatches found = FindDistributors(table->Content(), countryName, BrandCode(brandName), number);
    if (found.equipment.empty()) {
        ShowWarning(lang, kNothingFound);
    } else if (found.equipment.size() == 1) {
        SetItemText(kEquipment, AddressText(found.equipment.front()));
    } else {
        DistributorListDialog choice(this, lang, found.equipment);
        if (choice.DoModal() != IDOK)
            return; // neither address changes
        SetItemText(kEquipment, AddressText(choice.Chosen()));
    }
    if (!found.specialTools.empty())
        SetItemText(kSpecialTools, AddressText(found.specialTools.front()));
}

void SupplierSearchPage::Save() {
    const int lang = app_.state.languageIndex;
    std::string path = app_.profile.GetString("Paths", "adr", "", 260);
    if (path.empty() || !Writable(path)) {
        FileDialogSpec spec;
        spec.fileName = "qxkat.adr";
        spec.filter = kFilter.Text(lang);
        spec.defaultExtension = "adr";
        spec.overwritePrompt = true;
        spec.initialDirectory = ToWindowsPath(app_.profile.File().parent_path());
        const std::optional<std::string> chosen = TheUi().GetOpenFileName(spec);
        if (!chosen)
            return;
        path = *chosen;
        app_.profile.WriteString("Paths", "adr", path);
    }
    // A place chosen just now had its own overwrite question.
    if (path == addressPath_ && !MayOverwrite(lang, kChangedElsewhere, path, stamp_, [this] { LoadAddresses(); }))
        return;
    std::vector<std::string> addresses(kAddressBlocks);
    bool clean = true;
    for (const auto& [block, id] : {std::pair{kAddressSpecialTools, kSpecialTools}, std::pair{kAddressEquipment, kEquipment},
                                    std::pair{kAddressOwn, kOwnAddress}}) {
        clean &= TakeStorableText(id, 0x7FFFFFFF, addresses[block]);
    }
    if (!clean)
        ShowWarning(lang, texts::kCharactersReplaced);
    if (!WriteAddressFile(path, addresses, &stamp_)) {
        ShowWarning(lang, kSaveFailed);
        return;
    }
    addressPath_ = path;
}

void SupplierSearchPage::Close() { ReturnTo(returnPage_); }

void SupplierSearchPage::OnCommand(int id, int code) {
    switch (id) {
    case kCountries:
        if (code == CBN_SELENDOK)
            ChooseCountry();
        break;
    case kSearch:
        Search();
        break;
    case kSave:
        Save();
        break;
    case kCancel:
        Close();
        break;
    default:
        break;
    }
}

void SupplierSearchPage::OnPaint(Dc& dc) {
    const GlobalState& s = app_.state;
    const int lang = s.languageIndex;
    DrawDib(dc, app_.pictures.backgroundWithLogo, 0, 0, kAnchorTopLeft);
    UseDesignMapping(dc, s.designRect, s.clientRect);
    dc.SetBkMode(BkMode::Transparent);
    dc.SetTextColor(Rgb(255, 255, 255));
    dc.SelectFont(FontTitle);
    dc.TextOut(116, 14, kTitle.Text(lang));
    dc.SelectFont(FontText16);
    dc.TextOut(116, 37, kSubtitle.Text(lang));
    dc.TextOut(24, 61, kFactsHeading.Text(lang));
    dc.TextOut(24, 221, kOwnHeading.Text(lang));
    dc.TextOut(330, 61, kEquipmentHeading.Text(lang));
    dc.TextOut(330, 221, kToolsHeading.Text(lang));
    if (!hintHidden_) {
        dc.SelectFont(FontText14);
        Rect hint{18, 188, 310, 420};
        dc.DrawText(kHint.Text(lang), hint, DT_WORDBREAK | DT_NOPREFIX);
    }
}

void SupplierSearchPage::OnMessage(int message, std::intptr_t, std::intptr_t) {
    if (message == UM_RELOAD) {
        SetCaptions();
        Invalidate();
    }
}

SupplierSearchPage* OpenSupplierSearchPage(AppContext& app, QWidget* parent, DialogWindow* returnPage) {
    auto* page = new SupplierSearchPage(app, parent, returnPage);
    page->ShowPage(true);
    page->UpdateNow();
    return page;
}

} // namespace qx
