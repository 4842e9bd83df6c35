#include "QuantityEditor.h"

#include "shell/Messages.h"
#include "shell/Fonts.h"
#include "shell/Texts.h"
#include "catalog/CatalogText.h"
#include "catalog/Draw.h"
#include "platform/core/Ui.h"

#include <charconv>

namespace qx {

namespace {

constexpr LangText kCaption{{"Mengen-Editor", "Select quantity", "Choix de la quantité", "Výběr množství"}};
constexpr LangText kOkCaption{{"in Bestellliste übernehmen", "Copy into order list", "Ajouter à la liste",
                               "Převzít do objednávky"}};
constexpr LangText kCancelCaption{{"Vorgang abbrechen", "Cancel", "Annuler", "Zrušit"}};
constexpr LangText kProductLabel{{"Artikel:", "Product:", "Article:", "Výrobek:"}};
constexpr LangText kNumberLabel{{"Nummer:", "No:", "Numéro:", "Číslo:"}};
constexpr LangText kUnitPriceLabel{{"Stückpreis:", "Product price:", "Prix unitaire:", "Cena za kus:"}};
constexpr LangText kTotalPriceLabel{{"Gesamtpreis:", "Total price:", "Prix total:", "Celková cena:"}};
constexpr LangText kRemarksLabel{{"Bemerkungen:", "Remarks:", "Remarques:", "Poznámky:"}};
constexpr LangText kMissingName{{"Bitte geben Sie einen Produktnamen an.", "Please insert product name.",
                                 "Veuillez indiquer un nom de produit.", "Zadejte prosím název výrobku."}};
// The price a free entry's EUR text stands for in the old national currency.
constexpr double kDmPerEuro = 1.95583;

} // namespace

QuantityEditor::QuantityEditor(QWidget* parent, AppContext& app, OrderItem& item)
    : DialogWindow(parent, Kind::Modal), app_(app), item_(item) {}

void QuantityEditor::OnInitDialog() {
    const int lang = app_.state.languageIndex;
    const Rect client = DialogUnits(0, 0, 248, 151);
    setFixedSize(client.Width(), client.Height());
    SetCaption(kCaption.Text(lang));

    ControlStyle readOnly;
    readOnly.readOnly = true;
    const auto key = [](int id, int x, int y, int width = 16) {
        return ControlRow{id, ControlKind::PushButton, DialogUnits(x, y, width, 16)};
    };
    AddControls({
        {kName, ControlKind::Edit, DialogUnits(67, 37, 91, 12)},
        {kNumber, ControlKind::Edit, DialogUnits(67, 52, 91, 12)},
        {kPrice, ControlKind::Edit, DialogUnits(67, 70, 91, 12)},
        {kRemarks, ControlKind::Edit, DialogUnits(59, 106, 124, 12)},
        {kQuantity, ControlKind::Edit, DialogUnits(191, 58, 48, 12), readOnly},
        // The keypad: 7 8 9 / 4 5 6 / 1 2 3 / 0 CL.
        key(kDigits[7], 191, 73), key(kDigits[8], 207, 73), key(kDigits[9], 223, 73),
        key(kDigits[4], 191, 89), key(kDigits[5], 207, 89), key(kDigits[6], 223, 89),
        key(kDigits[1], 191, 105), key(kDigits[2], 207, 105), key(kDigits[3], 223, 105),
        key(kDigits[0], 191, 121), key(kClear, 207, 121, 32),
        {IDCANCEL, ControlKind::PushButton, DialogUnits(4, 130, 90, 14)},
        {IDOK, ControlKind::DefPushButton, DialogUnits(95, 130, 90, 14)},
    });
    for (int d = 0; d <= 9; ++d)
        SetItemText(kDigits[d], std::to_string(d));
    SetItemText(kClear, "CL");
    SetItemText(IDOK, kOkCaption.Text(lang));
    SetItemText(IDCANCEL, kCancelCaption.Text(lang));
    SetItemName(kName, kProductLabel.Text(lang));
    SetItemName(kNumber, kNumberLabel.Text(lang));
    SetItemName(kPrice, kUnitPriceLabel.Text(lang));
    SetItemName(kRemarks, kRemarksLabel.Text(lang));
    SetItemName(kQuantity, kCaption.Text(lang)); // the keypad's number
    SetAllControlsFont(FontText14);

    SetEditLimit(kQuantity, 8);
    SetEditLimit(kRemarks, 40);
    SetEditLimit(kName, 127);
    SetEditLimit(kNumber, 31);
    SetEditLimit(kPrice, 31);
    SetItemText(kRemarks, item_.remarks.str());
    if (!IsFree()) {
        for (int id : {kName, kNumber, kPrice})
            ShowItem(id, false);
    } else {
        SetItemText(kName, item_.name.str());
        SetItemText(kNumber, item_.number.str());
        SetItemText(kPrice, item_.vzUnitEur.str());
    }
    if (app_.state.priceMode < 0)
        ShowItem(kPrice, false);

    firstKey_ = true;
    if (item_.quantity.empty())
        item_.quantity = "1";
    item_.unitValue = FormatPrice(item_.vzUnitLocal, false, app_.state.currency.str(), lang);
    SetItemText(kQuantity, item_.quantity.str());
    Recalc();
    CenterOn(parentWidget());
    SetFocusTo(IsFree() ? kName : kDigits[1]);
}

void QuantityEditor::Recalc() {
    RecalcTotals(item_, app_.state.currency.str(), app_.state.languageIndex);
    Invalidate();
}

void QuantityEditor::PressDigit(int digit) {
    std::string text = GetItemText(kQuantity);
    if (firstKey_ && digit != 0)
        text = std::to_string(digit);
    else if (text.size() < 4)
        text += static_cast<char>('0' + digit);
    SetItemText(kQuantity, text);
    item_.quantity = text;
    Recalc();
    firstKey_ = false;
}

void QuantityEditor::Clear() {
    item_.quantity = "1";
    SetItemText(kQuantity, "1");
    Recalc();
    firstKey_ = true;
}

void QuantityEditor::PriceTyped() {
    if (!IsEditModified(kPrice))
        return;
    const std::string typed = GetItemText(kPrice, 31);
    item_.vzUnitEur = typed;
    item_.upeUnitEur = typed;
    std::string probe = typed; // read as a price: the first "," is the decimal point
    const double value = FormatPrice(probe, true, "", app_.state.languageIndex);
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value * kDmPerEuro, std::chars_format::fixed, 2);
    std::string dm = ec == std::errc{} ? std::string(buf, end) : std::string("0.00");
    if (const std::size_t dot = dm.find('.'); dot != std::string::npos)
        dm[dot] = ',';
    dm += " DM";
    item_.vzUnitLocal = dm;
    item_.upeUnitLocal = dm;
    item_.unitValue = FormatPrice(item_.vzUnitLocal, false, app_.state.currency.str(), app_.state.languageIndex);
    Recalc();
}

void QuantityEditor::OnOk() {
    const int lang = app_.state.languageIndex;
    std::string name, number, remarks;
    bool clean = true;
    if (IsFree()) {
        clean &= TakeStorableText(kName, 127, name, CleanFieldText);
        clean &= TakeStorableText(kNumber, 31, number, CleanFieldText);
    }
    clean &= TakeStorableText(kRemarks, 126, remarks, CleanFieldText);
    if (!clean) {
        // Shown, not stored silently: the user sees what the list will hold.
        ShowWarning(lang, texts::kCharactersReplaced);
        return;
    }
    if (IsFree()) {
        if (name.empty()) {
            ShowWarning(lang, kMissingName);
            SetFocusTo(kName);
            return;
        }
        item_.name = name;
        item_.number = number;
    }
    item_.remarks = remarks;
    item_.quantity = GetItemText(kQuantity, 7);
    RecalcTotals(item_, app_.state.currency.str(), lang);
    EndDialog(IDOK);
}

void QuantityEditor::OnCommand(int id, int code) {
    for (int d = 0; d < 10; ++d) {
        if (id == kDigits[d]) {
            PressDigit(d);
            return;
        }
    }
    if (id == kClear)
        Clear();
    else if (id == kPrice && code == EN_CHANGE)
        PriceTyped();
    else if (id == IDOK)
        OnOk();
    else if (id == IDCANCEL)
        OnCancel();
}

bool QuantityEditor::OnKeyDown(int key) {
    // Keys that an edit field left alone: the keypad's digits and "CL", and
    // Enter as OK even when a keypad key has the focus (not on Cancel).
    if (key == VK_RETURN && FocusedItem() != IDCANCEL) {
        OnOk();
        return true;
    }
    if (key >= '0' && key <= '9') {
        PressDigit(key - '0');
        return true;
    }
    if (key == VK_BACK || key == VK_DELETE) {
        Clear();
        return true;
    }
    return false;
}

void QuantityEditor::OnPaint(Dc& dc) {
    const GlobalState& s = app_.state;
    const int lang = s.languageIndex;
    DrawDib(dc, app_.pictures.background, 0, 0, kAnchorTopLeft);
    dc.SetBkMode(BkMode::Transparent);
    dc.SetTextColor(Rgb(255, 255, 255)); // on the dark background
    dc.SelectFont(FontTitle);
    dc.TextOut(10, 24, kCaption.Text(lang));
    // Labels that would run under their edit ("Bemerkungen:", "Product
    // price:") take a smaller size of their font.
    const int gap = 4;
    const std::string remarks = kRemarksLabel.Text(lang);
    dc.SelectFont(FitFont(dc, FontText14, {remarks}, 0, DialogUnits(59, 0, 0, 0).left - 9 - gap, FontText14.height));
    dc.TextOut(9, 176, remarks);
    DrawSunkenFrame(dc, 8, 54, 353, 110);
    dc.SetTextColor(Rgb(0, 0, 0));
    const std::string labels[] = {kProductLabel.Text(lang), kNumberLabel.Text(lang), kUnitPriceLabel.Text(lang),
                                  kTotalPriceLabel.Text(lang)};
    Font font = FontText16;
    for (const std::string& label : labels)
        font = FitFont(dc, font, {label}, 0, DialogUnits(67, 0, 0, 0).left - 18 - gap, FontText16.height);
    dc.SelectFont(font);
    dc.TextOut(18, 64, labels[0]);
    dc.TextOut(18, 86, labels[1]);
    if (s.priceMode >= 0) {
        dc.TextOut(18, 114, labels[2]);
        dc.TextOut(18, 136, labels[3]);
    }
    dc.SelectFont(FontText16);
    if (!IsFree()) {
        dc.TextOut(116, 64, Designation(item_));
        dc.TextOut(116, 86, item_.number.str());
        if (s.priceMode == 1) {
            dc.TextOut(116, 114, item_.vzUnitEur.str());
            dc.TextOut(116, 136, item_.vzTotalEur.str());
        } else if (s.priceMode == 0) {
            dc.TextOut(116, 114, item_.upeUnitEur.str());
            dc.TextOut(116, 136, item_.upeTotalEur.str());
        }
    } else if (s.priceMode >= 0) {
        // A free entry types its unit price; the total follows the keypad.
        dc.TextOut(116, 136, s.priceMode == 1 ? item_.vzTotalEur.str() : item_.upeTotalEur.str());
    }
    // The keypad's shadowed backdrop.
    dc.FillRect(Rect{283, 91, 367, 233}, Rgb(0, 0, 0));
    dc.FillRect(Rect{280, 88, 364, 230}, Rgb(64, 64, 64));
}

} // namespace qx
