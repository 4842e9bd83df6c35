#include "OrderLetters.h"

#include "print/PrintMapping.h"
#include "catalog/CatalogText.h"
#include "catalog/Draw.h"
#include "catalog/Picture.h"
#include "ground/GlobalState.h"
#include "ground/LangText.h"
#include "shell/Fonts.h"
#include "platform/core/Dc.h"

#include <charconv>
#include <cstdio>

namespace qx {

namespace {

constexpr const char* kSuppliers[] = {"QTX_VZ", "DORNA", "DERUZA"};

constexpr LangText kDate{{"Datum:", "Date:", "Date:", "Datum:"}};
constexpr LangText kOrder{{"Bestellung: ", "Order: ", "Commande: ", "Objednávka: "}};
constexpr LangText kPos = SameText("Pos");
constexpr LangText kNumber{{"Nummer ", "No. ", "Numéro ", "Číslo "}};
constexpr LangText kDescription{{"Bezeichnung", "Description", "Désignation", "Označení"}};
constexpr LangText kQuantity{{"Menge", "Quantity", "Quantité", "Množství"}};
constexpr LangText kUnitPrice{{"Stückpreis", "Price", "Prix unitaire", "Cena/ks"}};
constexpr LangText kPrice{{"Preis", "Price", "Prix", "Cena"}};
constexpr LangText kNet{{"ohne MwSt", "Net value", "hors TVA", "bez DPH"}};
constexpr LangText kPlusTax{{"Alle Preise zzgl. MwSt.", "All prices plus tax.", "Tous les prix hors TVA.",
                             "Všechny ceny bez DPH."}};

// The two fonts of the table, character heights in page units.
const Font kHeadFont{"Arial", -9, 400, false, false};
const Font kRowFont{"Arial", -10, 400, false, false};

// Addresses and texts break at words and are never clipped: a long text
// runs on rather than losing lines on paper.
constexpr unsigned kBlock = DT_WORDBREAK | DT_NOPREFIX | DT_NOCLIP;

class Letter {
public:
    Letter(Dc& dc, const LetterInput& in, std::string_view key) : dc_(dc), in_(in), key_(key) {}

    void LayOut() {
        SetupPrintMapping(dc_, 640, 480);
        Logo();
        const bool tools = key_ == "DORNA";
        int h = 0;
        if (in_.info) {
            const OrderInfo& info = *in_.info;
            const std::size_t first = tools ? kToolsSender : kEquipmentSender;
            std::string sender = info[first];
            if (sender.empty())
                sender = Address(2);
            std::string recipient = info[first + 1];
            if (recipient.empty())
                recipient = Address(tools ? 0 : 1);
            Block(sender, Rect{45, 40, 608, 500});
            Block(recipient, Rect{45, 150, 608, 500});
        }
        dc_.SelectFont(FontSmall);
        Right(530, 316, kDate.Text(Lang()));
        Right(608, 316, DateText());
        dc_.SelectFont(FontBold16);
        Left(45, 320, kOrder.Text(Lang()));
        Left(140, 320, in_.list->indication.str());
        if (in_.info) {
            dc_.SelectFont(FontSmall);
            h = Block((*in_.info)[tools ? kToolsOpening : kEquipmentOpening], Rect{45, 360, 608, 760});
        }
        int y = 382 + h;
        Head(y, y + (Prices() ? 10 : 0) + 16);
        Rows(y);
        Sum(y);
        if (in_.info)
            Closing(y, (*in_.info)[tools ? kToolsClosing : kEquipmentClosing]);
    }

private:
    int Lang() const { return in_.state->languageIndex; }
    bool Prices() const { return in_.state->priceMode >= 0; }

    std::string Address(std::size_t i) const { return i < in_.addresses.size() ? in_.addresses[i] : std::string(); }

    std::string DateText() const {
        std::tm tm{};
        const std::time_t t = in_.today;
        localtime_r(&t, &tm);
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.2d.%.2d.%.2d", tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900);
        return buf;
    }

    void Left(int x, int y, std::string_view text) {
        dc_.SetTextAlign(TA_LEFT);
        dc_.TextOut(x, y, text);
    }
    void Right(int x, int y, std::string_view text) {
        dc_.SetTextAlign(TA_RIGHT);
        dc_.TextOut(x, y, text);
        dc_.SetTextAlign(TA_LEFT);
    }
    int Block(std::string_view text, Rect r) { return dc_.DrawText(text, r, kBlock); }

    void Logo() {
        const std::string name = key_ + ".bmp";
        const DibHandle logo = LoadPicture(*in_.state, name);
        if (logo.IsNull())
            return;
        // Half a page unit per picture pixel: the same mapping at twice the extent.
        dc_.SaveDc();
        dc_.SetWindowExt(1280, 960);
        DrawDib(dc_, logo, 1216, 60, kAnchorRight);
        dc_.RestoreDc();
        if (in_.pictureDrawn)
            in_.pictureDrawn(name, 608, 30);
    }

    // The table's titles from y (prices add a line) and its rule at lineY.
    void Head(int& y, int lineY) {
        const int lang = Lang();
        dc_.SelectFont(kHeadFont);
        Left(45, y, kPos.Text(lang));
        Left(70, y, kNumber.Text(lang));
        Left(172, y, kDescription.Text(lang));
        Right(422, y, kQuantity.Text(lang));
        if (Prices()) {
            Right(514, y, kUnitPrice.Text(lang));
            Right(608, y, kPrice.Text(lang));
            y += 10;
            Right(608, y, kNet.Text(lang));
        }
        DrawBlackLine(dc_, 45, lineY, 608, lineY);
        dc_.SelectFont(kRowFont);
    }

    void Rows(int& y) {
        const GlobalState& s = *in_.state;
        int position = 1;
        int page = 2;
        for (const OrderItem& e : in_.list->items) {
            if (e.supplier != key_)
                continue;
            y += 26;
            if (NewPageIfFull(y, dc_, 780)) {
                dc_.SelectFont(FontSmall);
                Left(300, 30, std::to_string(page++));
                int headY = 72;
                Head(headY, 94); // the rows from 104, with or without prices
            }
            Right(58, y, std::to_string(position++));
            Right(422, y, e.quantity.str());
            if (Prices()) {
                const bool vz = s.priceMode == 1;
                std::string unit = vz ? e.vzUnitEur.str() : e.upeUnitEur.str();
                std::string total = vz ? e.vzTotalEur.str() : e.upeTotalEur.str();
                Right(514, y, unit);
                Right(608, y, total);
                sumEur_ += FormatPrice(total, true, s.currency.str(), Lang());
            }
            Left(70, y, e.number.str());
            std::string designation = e.name.str();
            if (!e.name2.empty())
                designation += ", " + e.name2.str();
            Left(172, y, designation);
            Left(172, y + 16, e.remarks.str());
            DrawDottedLine(dc_, 45, y + 38, 608, y + 38, Rgb(0, 0, 0));
            y += 18;
        }
    }

    void Sum(int& y) {
        y += 26;
        if (!Prices())
            return;
        const GlobalState& s = *in_.state;
        if (!in_.list->items.empty())
            Left(45, y, in_.list->items.front().priceListNote.str());
        char buf[64];
        const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, sumEur_, std::chars_format::general, 12);
        std::string sum = ec == std::errc{} ? std::string(buf, end) : std::string("0");
        FormatPrice(sum, true, s.currency.str(), Lang());
        Right(608, y, sum);
        y += 18;
        Left(45, y, kPlusTax.Text(Lang()));
    }

    void Closing(int& y, std::string_view text) {
        dc_.SelectFont(FontSmall);
        y += 50;
        Rect measure{45, 0, 608, 0};
        const int height = dc_.DrawText(text, measure, kBlock | DT_CALCRECT);
        if (y + height >= 890) {
            dc_.EndPage();
            dc_.StartPage();
            SetupPrintMapping(dc_, 640, 480);
            dc_.SelectFont(FontSmall);
            y = 104;
        }
        Block(text, Rect{45, y, 608, y + 600});
    }

    Dc& dc_;
    const LetterInput& in_;
    std::string key_;
    double sumEur_ = 0;
};

} // namespace

std::vector<std::string> LetterSuppliers(const OrderList& list) {
    std::vector<std::string> keys;
    for (const char* key : kSuppliers) {
        for (const OrderItem& e : list.items) {
            if (e.supplier == key) {
                keys.emplace_back(key);
                break;
            }
        }
    }
    return keys;
}

int LayOutOrderLetters(Dc& dc, const LetterInput& in) {
    if (!in.list || !in.state)
        return 0;
    int letters = 0;
    for (const std::string& key : LetterSuppliers(*in.list)) {
        if (letters++ > 0) {
            dc.EndPage();
            dc.StartPage();
        }
        Letter(dc, in, key).LayOut();
    }
    return letters;
}

} // namespace qx
