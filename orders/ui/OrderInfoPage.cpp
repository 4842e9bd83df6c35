#include "OrderInfoPage.h"

#include "platform/core/CodePage.h"
#include "shell/Messages.h"
#include "shell/Fonts.h"
#include "shell/Texts.h"
#include "catalog/Draw.h"
#include "catalog/Scale.h"
#include "orders/OrderList.h"
#include "platform/core/Ui.h"

namespace qx {

namespace {

constexpr LangText kTitle{{"Bestellinformationen", "Order information", "Informations de commande",
                           "Informace k objednávce"}};
constexpr LangText kToolsHeading{{"Anschreiben für Spezialwerkzeuge:", "Special tools", "Lettre outils spéciaux:",
                                  "Dopis - speciální nářadí:"}};
constexpr LangText kEquipmentHeading{{"Anschreiben für Werkstatteinrichtungen:", "Company equipment",
                                      "Lettre équipements d'atelier:", "Dopis - dílenské vybavení:"}};
constexpr LangText kSaveCaption{{"Eingaben abspeichern", "Save entries", "Enregistrer la saisie", "Uložit zadání"}};
constexpr LangText kBackCaption{{"Zurück", "Cancel", "Retour", "Zpět"}};
constexpr LangText kChangedElsewhere{
    {"Die Bestellinformationen wurden seit dem Laden an einem anderen Arbeitsplatz geändert.",
     "The order information has been changed at another workstation since it was loaded.",
     "Les informations de commande ont été modifiées sur un autre poste depuis leur chargement.",
     "Informace k objednávce byly od načtení změněny na jiném pracovišti."}};
constexpr LangText kSaveFailed{{"Fehler beim Abspeichern!", "Error while creating file!", "Erreur à l'enregistrement!",
                                "Chyba při ukládání!"}};

// Where the boxes lie on the page: left column, then right, top to bottom.
constexpr Rect kBoxes[kOrderInfoFields] = {{18, 86, 303, 161},   {18, 171, 303, 246},  {18, 255, 303, 323},
                                           {18, 333, 303, 379},  {324, 86, 612, 161},  {324, 171, 612, 246},
                                           {324, 255, 612, 323}, {324, 333, 612, 379}};

} // namespace

OrderInfoPage::OrderInfoPage(AppContext& app, QWidget* parent, DialogWindow* returnPage, std::string orderListPath)
    : DialogWindow(parent, Kind::Page), app_(app), buttons_(app.pictures), returnPage_(returnPage),
      listPath_(std::move(orderListPath)), path_(OrderInfoPath(listPath_)) {}

void OrderInfoPage::OnInitDialog() {
    const GlobalState& s = app_.state;
    for (int id : kEdits)
        AddControl(id, ControlKind::MultiLineEdit);
    AddControl(kSave, ControlKind::OwnerDrawButton);
    AddControl(kBack, ControlKind::OwnerDrawButton);
    SetAllControlsFont(FontText14);
    SetItemFont(kSave, FontBold16);
    SetItemFont(kBack, FontBold16);
    SetCaptions();
    MoveWindowTo(ScaleRect(s, 0, 0, 632, 434));
    for (std::size_t i = 0; i < kOrderInfoFields; ++i)
        MoveItem(kEdits[i], ScaleRect(s, kBoxes[i].left, kBoxes[i].top, kBoxes[i].right, kBoxes[i].bottom));
    MoveItem(kSave, ScaleRect(s, 325, 392, 466, 412));
    MoveItem(kBack, ScaleRect(s, 471, 392, 612, 412));

    LoadTexts();
    SetFocusTo(kEdits[0]);
}

void OrderInfoPage::LoadTexts() {
    const GlobalState& s = app_.state;
    const std::string addressFile = app_.profile.GetString("Paths", "adr", "", 260);
    const auto info = OrderInfoForList(listPath_, s.programDir.str(), s.languageIndex, addressFile, &stamp_);
    for (std::size_t i = 0; i < kOrderInfoFields; ++i)
        SetItemText(kEdits[i], info ? (*info)[i] : std::string());
}

void OrderInfoPage::SetCaptions() {
    const int lang = app_.state.languageIndex;
    SetCaption(kTitle.Text(lang));
    // Sender, recipient, opening and closing text of each letter, counted
    // as they stand under the letter's heading.
    for (std::size_t i = 0; i < kOrderInfoFields; ++i)
        SetItemName(kEdits[i], (i < kEquipmentSender ? kToolsHeading : kEquipmentHeading).Text(lang) + " " +
                                   std::to_string(i % kEquipmentSender + 1));
    SetItemText(kSave, kSaveCaption.Text(lang));
    SetItemText(kBack, kBackCaption.Text(lang));
}

bool OrderInfoPage::Save() {
    const int lang = app_.state.languageIndex;
    if (!MayOverwrite(lang, kChangedElsewhere, path_, stamp_, [this] { LoadTexts(); }))
        return false;
    OrderInfo info;
    bool clean = true;
    for (std::size_t i = 0; i < kOrderInfoFields; ++i) {
        // A "|" would end the text when the file is read again.
        clean &= TakeStorableText(kEdits[i], 0x7FFFFFFF, info[i], [](std::string& t) { return ReplaceAll(t, '|', '/'); });
    }
    if (!clean)
        ShowWarning(lang, texts::kCharactersReplaced);
    if (!SaveOrderInfo(path_, info, &stamp_)) {
        ShowWarning(lang, kSaveFailed);
        return false;
    }
    return true;
}

void OrderInfoPage::Close() { ReturnTo(returnPage_); }

void OrderInfoPage::OnCommand(int id, int) {
    if (id == kSave)
        Save();
    else if (id == kBack)
        Close();
}

void OrderInfoPage::OnPaint(Dc& dc) {
    const GlobalState& s = app_.state;
    const int lang = s.languageIndex;
    DrawDib(dc, app_.pictures.backgroundWithLogo, 0, 0, kAnchorTopLeft);
    dc.SetBkMode(BkMode::Transparent);
    dc.SetTextColor(Rgb(255, 255, 255));
    dc.SelectFont(FontText16);
    TextOutScaled(dc, s, 20, 64, kToolsHeading.Text(lang));
    TextOutScaled(dc, s, 326, 64, kEquipmentHeading.Text(lang));
    UseDesignMapping(dc, s.designRect, s.clientRect);
    dc.SelectFont(FontTitle);
    dc.TextOut(116, 14, kTitle.Text(lang));
}

void OrderInfoPage::OnMessage(int message, std::intptr_t, std::intptr_t) {
    if (message == UM_RELOAD) {
        SetCaptions();
        Invalidate();
    }
}

OrderInfoPage* OpenOrderInfoPage(AppContext& app, QWidget* parent, DialogWindow* returnPage,
                                 std::string orderListPath) {
    auto* page = new OrderInfoPage(app, parent, returnPage, std::move(orderListPath));
    page->ShowPage(true);
    page->UpdateNow();
    return page;
}

} // namespace qx
