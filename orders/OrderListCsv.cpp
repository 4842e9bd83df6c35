#include "OrderListCsv.h"

#include "ground/LangText.h"
#include "platform/core/CodePage.h"


namespace qx {

namespace {

constexpr LangText kPositionTitle{{"Pos.", "Pos.", "Pos.", "Poz."}};
constexpr LangText kQuantityTitle{{"Menge", "Quantity", "Quantité", "Množství"}};
constexpr LangText kNumberTitle{{"Nummer", "Number", "Numéro", "Číslo"}};
constexpr LangText kDesignationTitle{{"Bezeichnung", "Designation", "Désignation", "Označení"}};
constexpr LangText kRemarksTitle{{"Bemerkungen", "Remarks", "Remarques", "Poznámky"}};
constexpr LangText kSupplierTitle{{"Lieferant", "Supplier", "Fournisseur", "Dodavatel"}};
constexpr LangText kUnitPriceTitle{{"Stückpreis", "Unit price", "Prix unitaire", "Cena/ks"}};
constexpr LangText kTotalTitle{{"Gesamtpreis", "Total price", "Prix total", "Cena celkem"}};
constexpr LangText kCurrencyTitle{{"Währung", "Currency", "Devise", "Měna"}};
constexpr LangText kNoteTitle{{"Preisliste", "Price list", "Liste de prix", "Ceník"}};

class Row {
public:
    void Add(std::string_view utf8) {
        if (!first_)
            text_ += ';';
        first_ = false;
        text_ += CsvField(utf8);
    }
    std::string Take() { return std::move(text_) + "\r\n"; }

private:
    std::string text_;
    bool first_ = true;
};

} // namespace

std::string CsvField(std::string_view utf8) {
    if (utf8.find_first_of(";\"\r\n") == std::string_view::npos)
        return std::string(utf8);
    std::string out = "\"";
    for (char ch : utf8) {
        if (ch == '"')
            out += '"';
        out += ch;
    }
    return out + '"';
}

std::string CsvPrice(std::string_view priceText) {
    // Display texts read "12,50 EUR"; a text written by another version may
    // carry a point. A text such as "on request" has no value to give.
    // Counted in cents by hand: the C library's number functions follow the
    // locale the GUI sets.
    std::size_t i = priceText.find_first_not_of(' ');
    if (i == std::string_view::npos)
        return {};
    const bool negative = priceText[i] == '-';
    if (negative)
        ++i;
    long long units = 0;
    int digits = 0, fraction = -1, fractionCents = 0, roundUp = 0;
    for (; i < priceText.size(); ++i) {
        const char ch = priceText[i];
        if ((ch == ',' || ch == '.') && fraction < 0) {
            fraction = 0;
            continue;
        }
        if (ch < '0' || ch > '9')
            break;
        if (fraction < 0) {
            if (++digits > 15)
                return {};
            units = units * 10 + (ch - '0');
        } else if (fraction < 2) {
            fractionCents = fractionCents * 10 + (ch - '0');
            ++fraction;
        } else if (fraction++ == 2) {
            roundUp = ch >= '5';
        }
    }
    if (digits == 0 && fraction <= 0)
        return {};
    if (fraction == 1)
        fractionCents *= 10;
    const long long cents = units * 100 + fractionCents + roundUp;
    std::string out = negative && cents != 0 ? "-" : "";
    const std::string c = std::to_string(cents % 100);
    out += std::to_string(cents / 100) + "," + (c.size() < 2 ? "0" : "") + c;
    return out;
}

std::string OrderListCsv(const OrderList& list, int priceMode, int languageIndex) {
    const CodePage cp = CodePageOfLanguage(languageIndex);
    const bool prices = priceMode >= 0;
    std::string out = "\xEF\xBB\xBF"; // spreadsheet programs take it as UTF-8 only with the mark

    Row header;
    for (const LangText* title : {&kPositionTitle, &kQuantityTitle, &kNumberTitle, &kDesignationTitle,
                                  &kRemarksTitle, &kSupplierTitle})
        header.Add(title->Utf8(languageIndex));
    if (prices) {
        header.Add(kUnitPriceTitle.Utf8(languageIndex));
        header.Add(kTotalTitle.Utf8(languageIndex));
        header.Add(kCurrencyTitle.Utf8(languageIndex));
    }
    header.Add(kNoteTitle.Utf8(languageIndex));
    out += header.Take();

    int position = 0;
    for (const OrderItem& item : list.items) {
        std::string designation = item.name.str();
        if (!item.name2.empty())
            designation += ", " + item.name2.str();
        Row row;
        row.Add(std::to_string(++position));
        row.Add(ToUtf8(item.quantity.str(), cp));
        row.Add(ToUtf8(item.number.str(), cp));
        row.Add(ToUtf8(designation, cp));
        row.Add(ToUtf8(item.remarks.str(), cp));
        row.Add(ToUtf8(item.supplier.str(), cp));
        if (prices) {
            // The columns the list shows: VZ in mode 1, UPE in mode 0; both in EUR.
            const bool vz = priceMode == 1;
            row.Add(CsvPrice(vz ? item.vzUnitEur.str() : item.upeUnitEur.str()));
            row.Add(CsvPrice(vz ? item.vzTotalEur.str() : item.upeTotalEur.str()));
            row.Add("EUR");
        }
        row.Add(ToUtf8(item.priceListNote.str(), cp));
        out += row.Take();
    }
    return out;
}

} // namespace qx
