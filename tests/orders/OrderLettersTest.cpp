#include "orders/OrderLetters.h"
#include "ground/GlobalState.h"
#include "platform/core/DibPixels.h"
#include "platform/core/Path.h"
#include "platform/core/RecordingDc.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace qx {
namespace {

OrderItem Entry(const char* supplier, const char* number, const char* quantity = "2") {
    OrderItem i;
    i.quantity = quantity;
    i.number = number;
    i.name = std::string("Teil ") + number;
    i.supplier = supplier;
    i.vzUnitEur = "10";
    i.upeUnitEur = "12";
    i.priceListNote = "PL 12";
    RecalcTotals(i, "DM", 0);
    return i;
}

struct Letters : ::testing::Test {
    Letters() {
        state.programDir = ToWindowsPath(dir.Path(), true);
        state.priceMode = 1;
        state.currency = "DM";
        list.indication = "Auftrag 7";
        info = OrderInfo{"Absender W", "",         "Sehr geehrte Damen und Herren,", "Gruss W",
                         "Absender B", "Empf\xE4nger B", "Bitte liefern Sie:",            "Gruss B"};
        in.list = &list;
        in.state = &state;
        in.today = 1173052800; // 5 March 2007, midday UTC
        in.addresses = {"Werkzeug GmbH", "Einrichtung AG", "Autohaus"};
    }
    // Lays the letters out on a 300 dpi sheet, the first page started as the job does.
    const RecordingDc& Print() {
        in.info = info;
        dc = std::make_unique<RecordingDc>(Size{2400, 3400}, true);
        dc->StartPage();
        LayOutOrderLetters(*dc, in);
        dc->EndPage();
        return *dc;
    }
    // The sheets in short: "#page", then per call "x,y'text'" (">" for
    // right-aligned), "[left,top'text']" for text blocks, "-y" for a rule
    // ("." dotted); one line per table row.
    std::string Sheets() {
        std::string out;
        for (const DrawCall& c : Print().Calls()) {
            const std::string at = std::to_string(c.at.x) + "," + std::to_string(c.at.y);
            if (c.kind == DrawCall::Kind::StartPage)
                out += (out.empty() ? "#" : "\n#") + std::to_string(c.page);
            else if (c.kind == DrawCall::Kind::Text && !c.text.empty())
                out += " " + at + ((c.format & TA_RIGHT) ? ">'" : "'") + c.text + "'";
            else if (c.kind == DrawCall::Kind::DrawText)
                out += " [" + std::to_string(c.rect.left) + "," + std::to_string(c.rect.top) + "'" + c.text + "']";
            else if (c.kind == DrawCall::Kind::Line)
                out += "\n-" + std::to_string(c.points.at(0).y) + (c.pen.style == PenStyle::Dot ? "." : "");
        }
        return out + "\n";
    }
    test::TempDir dir;
    GlobalState state{};
    OrderList list;
    std::optional<OrderInfo> info;
    LetterInput in;
    std::unique_ptr<RecordingDc> dc;
};

// One letter a supplier, special tools first, each on its own sheet with its
// own texts; the empty recipient of the special tools letter is the address
// file's. Prices of the VZ mode, positions from 1 in each letter.
TEST_F(Letters, OneLetterPerSupplierInOrderEachOnItsOwnSheet) {
    list.items = {Entry("DERUZA", "R-1"), Entry("QTX_VZ", "Q-1"), Entry("OTHER", "X-1"), Entry("DORNA", "D-1"),
                  Entry("QTX_VZ", "Q-2", "3")};
    EXPECT_EQ(LetterSuppliers(list), (std::vector<std::string>{"QTX_VZ", "DORNA", "DERUZA"}));
    list.items.erase(list.items.begin() + 3); // the special tools letter is the next case's
    const std::string sheets =
        "#1 [45,40'Absender B'] [45,150'Empf\xE4" "nger B'] 530,316>'Datum:' 608,316>'05.03.2007' "
        "45,320'Bestellung: ' 140,320'Auftrag 7' [45,360'Bitte liefern Sie:'] 45,394'Pos' 70,394'Nummer ' "
        "172,394'Bezeichnung' 422,394>'Menge' 514,394>'St\xFC" "ckpreis' 608,394>'Preis' 608,404>'ohne MwSt'\n"
        "-420 58,430>'1' 422,430>'2' 514,430>'10,00 EUR' 608,430>'20,00 EUR' 70,430'Q-1' 172,430'Teil Q-1'\n"
        "-468. 58,474>'2' 422,474>'3' 514,474>'10,00 EUR' 608,474>'30,00 EUR' 70,474'Q-2' 172,474'Teil Q-2'\n"
        "-512. 45,518'PL 12' 608,518>'50,00 EUR' 45,536'Alle Preise zzgl. MwSt.' [45,586'Gruss B']\n"
        "#2 [45,40'Absender B'] [45,150'Empf\xE4" "nger B'] 530,316>'Datum:' 608,316>'05.03.2007' "
        "45,320'Bestellung: ' 140,320'Auftrag 7' [45,360'Bitte liefern Sie:'] 45,394'Pos' 70,394'Nummer ' "
        "172,394'Bezeichnung' 422,394>'Menge' 514,394>'St\xFC" "ckpreis' 608,394>'Preis' 608,404>'ohne MwSt'\n"
        "-420 58,430>'1' 422,430>'2' 514,430>'10,00 EUR' 608,430>'20,00 EUR' 70,430'R-1' 172,430'Teil R-1'\n"
        "-468. 45,474'PL 12' 608,474>'20,00 EUR' 45,492'Alle Preise zzgl. MwSt.' [45,542'Gruss B']\n";
    EXPECT_EQ(Sheets(), sheets);
    EXPECT_EQ(std::pair(dc->FindText("Bezeichnung")->font, dc->FindText("R-1")->font),
              std::pair(Font{"Arial", -9}, Font{"Arial", -10})) << "the table's head and rows, upright";
}

// No prices, no sum and no order information.
TEST_F(Letters, NoPricesNoSumAndNoOrderInformation) {
    list.items = {Entry("QTX_VZ", "Q-1")};
    state.priceMode = -1;
    info.reset();
    in.addresses.clear();
    const std::string sheets =
        "#1 530,316>'Datum:' 608,316>'05.03.2007' 45,320'Bestellung: ' 140,320'Auftrag 7' 45,382'Pos' "
        "70,382'Nummer ' 172,382'Bezeichnung' 422,382>'Menge'\n"
        "-398 58,408>'1' 422,408>'2' 70,408'Q-1' 172,408'Teil Q-1'\n-446.\n";
    EXPECT_EQ(Sheets(), sheets);
}

// UPE mode prints the UPE columns; the price-list note under every letter is
// the first entry's of the whole list, not of the letter.
TEST_F(Letters, UpePricesAndTheNoteOfTheWholeList) {
    list.items = {Entry("DORNA", "D-1"), Entry("QTX_VZ", "Q-1", "3")};
    list.items[0].priceListNote = "PL Dorna";
    list.items[1].priceListNote = "PL QX";
    state.priceMode = 0;
    const std::string sheets =
        "#1 [45,40'Absender B'] [45,150'Empf\xE4" "nger B'] 530,316>'Datum:' 608,316>'05.03.2007' "
        "45,320'Bestellung: ' 140,320'Auftrag 7' [45,360'Bitte liefern Sie:'] 45,394'Pos' 70,394'Nummer "
        "' 172,394'Bezeichnung' 422,394>'Menge' 514,394>'St\xFC" "ckpreis' 608,394>'Preis' 608,404>'ohne MwSt'\n"
        "-420 58,430>'1' 422,430>'3' 514,430>'12,00 EUR' 608,430>'36,00 EUR' 70,430'Q-1' 172,430'Teil Q-1'\n"
        "-468. 45,474'PL Dorna' 608,474>'36,00 EUR' 45,492'Alle Preise zzgl. MwSt.' [45,542'Gruss B']\n"
        "#2 [45,40'Absender W'] [45,150'Werkzeug GmbH'] 530,316>'Datum:' 608,316>'05.03.2007' "
        "45,320'Bestellung: ' 140,320'Auftrag 7' [45,360'Sehr geehrte Damen und Herren,'] 45,394'Pos' "
        "70,394'Nummer ' 172,394'Bezeichnung' 422,394>'Menge' 514,394>'St\xFC" "ckpreis' 608,394>'Preis' "
        "608,404>'ohne MwSt'\n"
        "-420 58,430>'1' 422,430>'2' 514,430>'12,00 EUR' 608,430>'24,00 EUR' 70,430'D-1' 172,430'Teil D-1'\n"
        "-468. 45,474'PL Dorna' 608,474>'24,00 EUR' 45,492'Alle Preise zzgl. MwSt.' [45,542'Gruss W']\n";
    EXPECT_EQ(Sheets(), sheets);
}

// Long lists run on over sheets: per sheet its number at 300,30, the rule of
// its table head, the rows' first and last y (all before 780), the tax line
// and the closing text 50 below it. The texts run on however long they are:
// a clipped block loses lines on paper.
TEST_F(Letters, LongListsRunOnOverNumberedSheets) {
    for (int i = 0; i < 40; ++i)
        list.items.push_back(Entry("DORNA", ("D-" + std::to_string(i)).c_str()));
    // A logo beside the catalogue, drawn at half a unit per pixel.
    const auto dib = EncodeDib24(Pixels{64, 20, std::vector<std::uint32_t>(64 * 20, 0xFF102030)});
    dir.Write("DORNA.bmp", "BM" + std::string(12, '\0') + std::string(dib.begin(), dib.end()));
    std::vector<std::string> pictures;
    in.pictureDrawn = [&](std::string_view name, int x, int y) {
        pictures.push_back(std::string(name) + " " + std::to_string(x) + " " + std::to_string(y));
    };
    const auto sheets = [&] {
        std::map<int, std::string> page;
        std::map<int, std::pair<int, int>> rows;
        for (const DrawCall& c : Print().Calls()) {
            std::string& p = page[c.page];
            if (c.kind == DrawCall::Kind::Text && c.text.starts_with("D-"))
                rows.try_emplace(c.page, c.at.y, c.at.y).first->second.second = c.at.y;
            else if (c.kind == DrawCall::Kind::Text && (c.at.x == 300 || c.text.starts_with("Alle")))
                p += " " + c.text + "@" + std::to_string(c.at.x) + "," + std::to_string(c.at.y);
            else if (c.kind == DrawCall::Kind::Line && c.pen.style == PenStyle::Solid)
                p += " rule " + std::to_string(c.points.at(0).y);
            else if (c.kind == DrawCall::Kind::Dib)
                p += " dib" + std::to_string(c.rect.left) + "," + std::to_string(c.rect.top) + "," +
                     std::to_string(c.rect.right) + "," + std::to_string(c.rect.bottom);
            else if (c.kind == DrawCall::Kind::DrawText && c.text.starts_with("Gruss"))
                p += " " + c.text + "@" + std::to_string(c.rect.top);
            if (c.kind == DrawCall::Kind::DrawText && (~c.format & (DT_WORDBREAK | DT_NOCLIP)))
                p += " CLIPPED";
        }
        std::string out;
        for (const auto& [n, text] : page)
            out += "#" + std::to_string(n) + text + " rows " + std::to_string(rows[n].first) + ".." +
                   std::to_string(rows[n].second) + "\n";
        return out;
    };
    // The logo in the doubled extent: 576..608 and 30..40 on the sheet.
    EXPECT_EQ(sheets(), "#1 dib1152,60,1216,80 rule 420 rows 430..738\n#2 2@300,30 rule 94 rows 104..764\n"
                        "#3 3@300,30 rule 94 Alle Preise zzgl. MwSt.@45,826 Gruss W@876 rows 104..764\n");
    EXPECT_EQ(pictures, std::vector<std::string>{"DORNA.bmp 608 30"});
    state.priceMode = -1;
    EXPECT_EQ(sheets(), "#1 dib1152,60,1216,80 rule 410 rows 420..772\n#2 2@300,30 rule 94 rows 104..764\n"
                        "#3 3@300,30 rule 94 Gruss W@814 rows 104..720\n");
    // A closing text that would reach 890 moves to a sheet of its own.
    state.priceMode = 1;
    (*info)[kToolsClosing] = std::string(40, 'w') + std::string(60, '\n');
    for (int i = 0; i < 6; ++i)
        list.items.push_back(Entry("DORNA", "D-E"));
    const RecordingDc& moved = Print();
    const DrawCall* text = moved.FindText((*info)[kToolsClosing]);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->rect.top, 104);
    EXPECT_EQ(text->page, moved.PagesStarted());
}

} // namespace
} // namespace qx
