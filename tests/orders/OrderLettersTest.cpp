#include "orders/OrderLetters.h"
#include "ground/GlobalState.h"
#include "platform/core/DibPixels.h"
#include "platform/core/Path.h"
#include "platform/core/RecordingDc.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qx {
namespace {

OrderItem Entry(const char* supplier, const char* number, const char* quantity = "2") {
    OrderItem i;
    i.quantity = quantity;
    i.number = number;
    i.name = std::string("Artikel ") + number;
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
        OrderInfo texts{"Absender W", "",         "Sehr geehrte Damen und Herren,", "Gruss W",
                        "Absender B", "Empf\xE4nger B", "Bitte liefern Sie:",            "Gruss B"};
        info = texts;
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
    std::vector<const DrawCall*> TextsAt(int x, unsigned align) const {
        std::vector<const DrawCall*> out;
        for (const DrawCall& c : dc->Calls()) {
            if (c.kind == DrawCall::Kind::Text && c.at.x == x && (c.format & TA_RIGHT) == align)
                out.push_back(&c);
        }
        return out;
    }
    test::TempDir dir;
    GlobalState state{};
    OrderList list;
    std::optional<OrderInfo> info;
    LetterInput in;
    std::unique_ptr<RecordingDc> dc;
};

TEST_F(Letters, OneLetterPerSupplierInOrderEachOnItsOwnSheet) {
    list.items = {Entry("DERUZA", "R-1"), Entry("QTX_VZ", "Q-1"), Entry("OTHER", "X-1"), Entry("DORNA", "D-1"),
                  Entry("QTX_VZ", "Q-2", "3")};
    EXPECT_EQ(LetterSuppliers(list), (std::vector<std::string>{"QTX_VZ", "DORNA", "DERUZA"}));
    const RecordingDc& d = Print();
    EXPECT_EQ(d.PagesStarted(), 3);
    EXPECT_EQ(d.FindText("Q-1")->page, 1);
    EXPECT_EQ(d.FindText("Q-2")->page, 1);
    EXPECT_EQ(d.FindText("D-1")->page, 2);
    EXPECT_EQ(d.FindText("R-1")->page, 3);
    EXPECT_EQ(d.FindText("X-1"), nullptr);
    // Positions from 1 in each letter, right-aligned at 58.
    std::vector<std::pair<int, std::string>> positions;
    for (const DrawCall* c : TextsAt(58, TA_RIGHT))
        positions.emplace_back(c->page, c->text);
    EXPECT_EQ(positions, (std::vector<std::pair<int, std::string>>{{1, "1"}, {1, "2"}, {2, "1"}, {3, "1"}}));

    // The workshop equipment letter: its own texts; the empty recipient of the
    // special tools letter is the address file's.
    const DrawCall* sender = d.FindText("Absender B");
    ASSERT_NE(sender, nullptr);
    EXPECT_EQ(sender->kind, DrawCall::Kind::DrawText);
    EXPECT_EQ(sender->rect.left, 45);
    EXPECT_EQ(sender->rect.top, 40);
    EXPECT_EQ(d.FindText("Empf\xE4nger B")->rect.top, 150);
    ASSERT_NE(d.FindText("Werkzeug GmbH"), nullptr);
    EXPECT_EQ(d.FindText("Werkzeug GmbH")->page, 2);
    EXPECT_EQ(d.FindText("05.03.2007")->at, (Point{608, 316}));
    EXPECT_EQ(d.FindText("Auftrag 7")->at, (Point{140, 320}));
    // Prices of the VZ mode and the sum: 2 x 10 + 3 x 10.
    EXPECT_EQ(d.FindText("30,00 EUR")->at.x, 608);
    ASSERT_NE(d.FindText("50,00 EUR"), nullptr);
    EXPECT_EQ(d.FindText("50,00 EUR")->page, 1);
    EXPECT_EQ(d.FindText("Alle Preise zzgl. MwSt.")->at.x, 45);
    EXPECT_EQ(d.FindText("Gruss W")->page, 2);
}

TEST_F(Letters, NoPricesNoSumAndNoOrderInformation) {
    list.items = {Entry("QTX_VZ", "Q-1")};
    state.priceMode = -1;
    info.reset();
    in.addresses.clear();
    const RecordingDc& d = Print();
    EXPECT_EQ(d.FindText("Q-1")->page, 1);
    for (const char* absent : {"St\xFC" "ckpreis", "Preis", "ohne MwSt", "Alle Preise zzgl. MwSt.", "20,00 EUR", "Absender B"})
        EXPECT_EQ(d.FindText(absent), nullptr) << absent;
    EXPECT_NE(d.FindText("Menge"), nullptr);
}

// UPE mode prints the UPE columns; the price-list note under every letter is
// the first entry's of the whole list, not of the letter.
TEST_F(Letters, UpePricesAndTheNoteOfTheWholeList) {
    list.items = {Entry("DORNA", "D-1"), Entry("QTX_VZ", "Q-1", "3")};
    list.items[0].priceListNote = "PL Dorna";
    list.items[1].priceListNote = "PL QX";
    state.priceMode = 0;
    std::string texts;
    for (const DrawCall& c : Print().Calls())
        if (c.kind == DrawCall::Kind::Text && (c.at.x == 514 || c.at.x == 608 || c.at.x == 45) && c.at.y > 400)
            texts += std::to_string(c.page) + ":" + std::to_string(c.at.x) + " " + c.text + "|";
    EXPECT_EQ(texts, "1:608 ohne MwSt|1:514 12,00 EUR|1:608 36,00 EUR|1:45 PL Dorna|1:608 36,00 EUR|"
                     "1:45 Alle Preise zzgl. MwSt.|2:608 ohne MwSt|2:514 12,00 EUR|2:608 24,00 EUR|2:45 PL Dorna|"
                     "2:608 24,00 EUR|2:45 Alle Preise zzgl. MwSt.|");
}

TEST_F(Letters, LongListsBreakBefore780AndTheClosingTextMovesAt890) {
    for (int i = 0; i < 40; ++i)
        list.items.push_back(Entry("DORNA", ("D-" + std::to_string(i)).c_str()));
    // A logo beside the catalogue, drawn at half a unit per pixel.
    Pixels logo{64, 20, std::vector<std::uint32_t>(64 * 20, 0xFF102030)};
    const auto dib = EncodeDib24(logo);
    std::string bmp = "BM" + std::string(12, '\0');
    bmp.append(reinterpret_cast<const char*>(dib.data()), dib.size());
    dir.Write("DORNA.bmp", bmp);
    std::vector<std::string> pictures;
    in.pictureDrawn = [&](std::string_view name, int x, int y) {
        pictures.push_back(std::string(name) + " " + std::to_string(x) + " " + std::to_string(y));
    };
    const RecordingDc& d = Print();
    EXPECT_EQ(pictures, std::vector<std::string>{"DORNA.bmp 608 30"});
    const auto picture = std::find_if(d.Calls().begin(), d.Calls().end(),
                                      [](const DrawCall& c) { return c.kind == DrawCall::Kind::Dib; });
    ASSERT_NE(picture, d.Calls().end());
    EXPECT_EQ(picture->rect, (Rect{1152, 60, 1216, 80})); // in the doubled extent: 576..608 and 30..40 on the page

    int lastPage = 0;
    for (const DrawCall& c : d.Calls()) {
        if (c.kind == DrawCall::Kind::Text && c.text.starts_with("D-")) {
            EXPECT_LT(c.at.y, 780) << c.text;
            lastPage = c.page;
        }
    }
    EXPECT_GE(lastPage, 2);
    const DrawCall* number = d.FindText("2");
    ASSERT_NE(number, nullptr);
    const auto sheetNumbers = TextsAt(300, TA_LEFT);
    ASSERT_FALSE(sheetNumbers.empty());
    EXPECT_EQ(sheetNumbers[0]->text, "2");
    EXPECT_EQ(sheetNumbers[0]->at.y, 30);
    EXPECT_EQ(sheetNumbers[0]->page, 2);
    // The closing text follows the sum, 50 below the tax line, unless it would reach 890.
    const DrawCall* closing = d.FindText("Gruss W");
    ASSERT_NE(closing, nullptr);
    EXPECT_EQ(closing->rect.top, d.FindText("Alle Preise zzgl. MwSt.")->at.y + 50);
    (*info)[kToolsClosing] = std::string(40, 'w') + std::string(60, '\n');
    for (int i = 0; i < 6; ++i)
        list.items.push_back(Entry("DORNA", "E"));
    const RecordingDc& moved = Print();
    const DrawCall* text = moved.FindText((*info)[kToolsClosing]);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->rect.top, 104);
    EXPECT_EQ(text->page, moved.PagesStarted());
}

// The texts run on however long they are (a clipped block loses lines on
// paper), and every continuation sheet rules its table head at 94.
TEST_F(Letters, BlocksAreNeverClippedAndContinuationSheetsRuleAt94) {
    for (int i = 0; i < 40; ++i)
        list.items.push_back(Entry("DORNA", "D"));
    for (const int priceMode : {1, -1}) {
        SCOPED_TRACE(priceMode);
        state.priceMode = priceMode;
        const RecordingDc& d = Print();
        std::vector<int> rules;
        for (const DrawCall& c : d.Calls()) {
            if (c.kind == DrawCall::Kind::DrawText) {
                EXPECT_EQ(c.format & (DT_WORDBREAK | DT_NOCLIP), unsigned{DT_WORDBREAK | DT_NOCLIP})
                    << c.text;
            }
            if (c.kind == DrawCall::Kind::Line && c.pen.style == PenStyle::Solid && c.page > 1)
                rules.push_back(c.points.at(0).y);
        }
        EXPECT_EQ(rules, std::vector<int>(static_cast<std::size_t>(d.PagesStarted() - 1), 94));
    }
}

} // namespace
} // namespace qx
