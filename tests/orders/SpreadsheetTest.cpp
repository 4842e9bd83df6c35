// The order list out as a spreadsheet file and a file of numbers in: the
// export byte for byte, the import over a small catalogue.
#include "catalog/ProductList.h"
#include "ground/GlobalState.h"
#include "ground/Languages.h"
#include "orders/NumberImport.h"
#include "orders/OrderListCsv.h"
#include "platform/core/Path.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace qx {
namespace {

// "Klíč" in 1250 is "Klíè" in 1252; a remark of two lines.
OrderList SampleList() {
    OrderList list = *ParseOrderList(
        "QX0002\r\n3|T10001|Kl\xED\xE8|Satz|links; \"rot\"|DORNA||12,50 EUR||siehe VZ-Preisliste||37,50 EUR||"
        "siehe VZ-Preisliste|PL 12|\r\n1|QX-1|B\xFChne|||QTX_VZ||1234,5 EUR||987.6 EUR||1234,5 EUR||987,60 EUR||");
    list.items[1].remarks = "zwei\r\nZeilen";
    return list;
}

// UTF-8 with its mark, ";" between fields, CR LF after every row; a field
// with a separator, a quote or a line end in quotes.
TEST(OrderListCsv, TheEntriesInTheLanguageAndPriceMode) {
    const std::tuple<int, int, const char*> cases[] = {
        {0, 1, "Pos.;Menge;Nummer;Bezeichnung;Bemerkungen;Lieferant;Stückpreis;Gesamtpreis;Währung;Preisliste\r\n"
         "1;3;T10001;Klíè, Satz;\"links; \"\"rot\"\"\";DORNA;12,50;37,50;EUR;PL 12\r\n"
         "2;1;QX-1;Bühne;\"zwei\r\nZeilen\";QTX_VZ;1234,50;1234,50;EUR;\r\n"},
        {3, 0, "Poz.;Množství;Číslo;Označení;Poznámky;Dodavatel;Cena/ks;Cena celkem;Měna;Ceník\r\n"
         "1;3;T10001;Klíč, Satz;\"links; \"\"rot\"\"\";DORNA;;;EUR;PL 12\r\n"
         "2;1;QX-1;Bühne;\"zwei\r\nZeilen\";QTX_VZ;987,60;987,60;EUR;\r\n"},
        {1, -1, "Pos.;Quantity;Number;Designation;Remarks;Supplier;Price list\r\n"
         "1;3;T10001;Klíè, Satz;\"links; \"\"rot\"\"\";DORNA;PL 12\r\n"
         "2;1;QX-1;Bühne;\"zwei\r\nZeilen\";QTX_VZ;\r\n"},
    };
    for (const auto& [language, priceMode, csv] : cases)
        EXPECT_EQ(OrderListCsv(SampleList(), priceMode, language), std::string("\xEF\xBB\xBF") + csv) << language;
}

TEST(OrderListCsv, PricesAreNumbersWithTwoDecimals) {
    const std::pair<const char*, const char*> cases[] = {
        {"12,50 EUR", "12,50"}, {"1234,5 DM", "1234,50"}, {"7.125 EUR", "7,13"}, {"0,004", "0,00"},
        {"-3,5", "-3,50"},      {"siehe VZ-Preisliste", ""}, {"", ""},           {"42", "42,00"},
        {"999999999999999,5", "999999999999999,50"}, {"1000000000000000", ""}, // 15 digits at the most
    };
    for (const auto& [text, csv] : cases)
        EXPECT_EQ(CsvPrice(text), csv) << text;
}

// A catalogue of four products: K1 by its tool and its HLN number (and its
// tool number twice, the list file named in other letters), K2 by its
// ZRT number, two products under one number, and a number whose product is
// missing from its list.
struct Numbers : ::testing::Test {
    void SetUp() override {
        for (const char* lang : {"LANG1", "LANG4"}) {
            const std::string d = std::string("DATEN/") + lang + "/";
            dir.Write(d + "Katalog.ANR", "T10001  Arretierung|K1|Liste.kat\r\n"
                                         "HLN 0QX 198 001  Arretierung|K1|LISTE.KAT\r\n"
                                         "T10001  Arretierung, Satz|K1|LISTE.KAT\r\n"
                                         "ZRT 6150  Abzieher|K2|Liste.kat\r\nT20000  Doppelt A|K3|Liste.kat\r\n"
                                         "T20000  Doppelt B|K4|Liste.kat\r\nT30000  Fehlt|K9|Liste.kat\r\n");
            dir.Write(d + "Liste.kat", "Titel\r\nG|a\r\nUntertitel\r\n4\r\nQX\r\n" + Record("K1", "T10001") +
                                           Record("K2", "T40002") + Record("K3", "T20000") + Record("K4", "T20000"));
            dir.Write(d + "QX.PRS", "EUR\r\nPL 12\r\n01.12.20\r\n31.12.30\r\n1\r\n|T10001|100|100,00|80|80,00|sofort\r\n");
        }
    }
    static std::string Record(const std::string& key, const std::string& number) {
        return key + "\r\np.bmp\r\n" + number + "\r\nd\r\n0\r\nName " + key + "\r\ns\r\n\r\n\r\ni\r\n0\r\nDORNA\r\n\r\nText}\r\n----\r\n";
    }
    GlobalState State(int language) {
        GlobalState s;
        s.programDir = ToWindowsPath(dir.Path(), true);
        s.languageIndex = language;
        s.dataDir = LanguageAt(language).dataDir;
        s.langDir = LanguageAt(language).langDir;
        s.currency = "EUR";
        s.priceListId = "PL 12";
        return s;
    }
    test::TempDir dir;
};

// Per case: the entries added ("number x quantity"), then "?" and the lines
// not found, then "~" and those naming more than one product.
TEST_F(Numbers, EveryFormOfLineTakesExactlyItsProducts) {
    const std::tuple<int, std::string, const char*> cases[] = {
        {0,
         "Nummer;Menge\r\nt10001\r\n  hln0qx198001 ; 3\r\nzrt 6150\r\nZRT 6150 2\n\r\nT10001\t4\r\n\"T10001\";\"5\"\r\n"
         "T99999\r\nT20000\r\nT10001;0\r\nT30000\r\n\"T10001\" 6\r\n;7",
         "T10001 x1|T10001 x3|T40002 x1|T40002 x2|T10001 x4|T10001 x5|T10001 x6|?T99999|?T10001;0|?T30000|?;7|~T20000|"},
        {0, "T99999\x80\nT10001 2\nT10001 99999999999\n", // a first line of numbers is no header
         "T10001 x2|?T99999\x80|?T10001 99999999999|"},
        {0, "Werkzeugnr. f\xFCr\nT10001\nxT10001\"\n", "T10001 x1|?xT10001\"|"}, // a header without separator
        {3, "\xC8\xEDslo;Mno\x9Estv\xED\r\nT10001;2\r\nKl\xED\xE8 1\r\n", "T10001 x2|?Kl\xED\xE8 1|"},
        {3, "\xEF\xBB\xBF\xC4\x8C\xC3\xADslo;Mno\xC5\xBEstv\xC3\xAD\r\nT10001;2\r\nKl\xC3\xAD\xC4\x8D 1\r\n",
         "T10001 x2|?Kl\xED\xE8 1|"}, {0, "", ""},
        {3, "\xC4\x8C\xC3\xADslo;Mno\xC5\xBEstv\xC3\xAD\r\nT10001;2\r\nKl\xC3\xAD\xC4\x8D 1\r\n", // no mark
         "T10001 x2|?Kl\xED\xE8 1|"},
    };
    for (const auto& [language, bytes, wanted] : cases) {
        const std::optional<NumberImport> r = ImportNumbers(State(language), bytes);
        ASSERT_TRUE(r) << bytes;
        std::string result;
        for (const OrderItem& item : r->items)
            result += item.number.str() + " x" + item.quantity.str() + "|";
        for (const std::string& line : r->notFound)
            result += "?" + line + "|";
        for (const std::string& line : r->ambiguous)
            result += "~" + line + "|";
        EXPECT_EQ(result, wanted) << bytes;
    }
}

// An entry as the product page takes it over, totals and price list note.
TEST_F(Numbers, AnEntryIsTheProductPagesWithItsTotals) {
    const std::optional<NumberImport> r = ImportNumbers(State(0), "T10001 3\n");
    ASSERT_TRUE(r && r->items.size() == 1 && r->items[0].kind == kItemTakenOver);
    EXPECT_EQ(SerializeOrderList({r->items, {}}), "QX0002\r\n3|T10001|Name K1|||DORNA|80,00 EUR|80,00 EUR|100,00 EUR|"
                                                 "100,00 EUR|240,00 EUR|240,00 EUR|300,00 EUR|300,00 EUR|PL 12|\r\n[EndOfFile]");
}

TEST_F(Numbers, BinaryIsNoListAndAMissingIndexNamesEveryLine) {
    EXPECT_FALSE(ImportNumbers(State(0), std::string("T10001\0\x01\x02", 9)));
    const std::optional<NumberImport> r = ImportNumbers(State(2), "T10001\n"); // no catalogue in LANG3
    ASSERT_TRUE(r);
    EXPECT_TRUE(r->items.empty() && r->notFound == std::vector<std::string>{"T10001"});
}

TEST(NumberImportMessage, NamesTheLinesUnderTheirReasonAndCountsTheRest) {
    NumberImport r;
    EXPECT_EQ(NotAddedMessage(r, 1), "");
    for (int i = 0; i < 22; ++i)
        r.notFound.push_back("N" + std::to_string(i));
    r.ambiguous = {"T20000"};
    const std::string text = NotAddedMessage(r, 1);
    EXPECT_TRUE(text.starts_with("These lines were not inserted:\n\nNot found:\nN0\nN1\n")) << text;
    EXPECT_TRUE(text.find("\nN19\n... (+2)\n\nMore than one product:\nT20000") != std::string::npos &&
                text.find("N20") == std::string::npos) << text;
}

} // namespace
} // namespace qx
