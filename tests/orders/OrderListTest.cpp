#include "orders/OrderList.h"
#include "platform/core/Path.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace qx {
namespace {

OrderItem Item(std::string_view quantity, std::string_view number, std::string_view vzUnitEur) {
    OrderItem i;
    i.quantity = quantity;
    i.number = number;
    i.name = "Hebeb\xFChne";
    i.supplier = "QTX_VZ";
    i.vzUnitEur = vzUnitEur;
    i.priceListNote = "PL 12";
    return i;
}

TEST(OrderListFile, WritesTheFullLayoutAndReadsItBack) {
    OrderList list;
    list.indication = "Auftrag 7";
    list.items = {Item("3", "QX-1", "12,50 EUR"), Item("1", "#2", "")};
    list.items[1].name2 = "kept";
    const std::string bytes = SerializeOrderList(list);
    EXPECT_EQ(bytes, "QX0002Auftrag 7\r\n"
                     "3|QX-1|Hebeb\xFChne|||QTX_VZ||12,50 EUR|||||||PL 12|\r\n"
                     "1|#2|Hebeb\xFChne|kept||QTX_VZ|||||||||PL 12|\r\n"
                     "[EndOfFile]");
    const auto back = ParseOrderList(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->indication, "Auftrag 7");
    ASSERT_EQ(back->items.size(), 2u);
    EXPECT_EQ(back->items[0].vzUnitEur, "12,50 EUR");
    EXPECT_EQ(back->items[0].priceListNote, "PL 12");
    EXPECT_EQ(back->items[1].number, "#2"); // a "#" inside a line is text
    EXPECT_EQ(back->items[1].name2, "kept");
    EXPECT_EQ(SerializeOrderList(*back), bytes);

    EXPECT_EQ(SerializeOrderList(OrderList{}), "QX0002\r\n[EndOfFile]");
}

TEST(OrderListFile, OlderLayoutCommentsShortLinesAndOverlongFields) {
    const auto old = ParseOrderList("QX0001#ABC\r\n"
                                    "# a comment line\r\n"
                                    "2|N-1|Name|Zwei|Bem|DORNA|10,00|20,00|\r\n"
                                    "\r\n"
                                    "5|N-2\r\n"
                                    "[EndOfFile]\r\n"
                                    "9|after the end|\r\n");
    ASSERT_TRUE(old);
    EXPECT_EQ(old->indication, "#ABC");
    ASSERT_EQ(old->items.size(), 2u);
    const OrderItem& a = old->items[0];
    EXPECT_EQ(a.name2, "Zwei");
    EXPECT_EQ(a.supplier, "DORNA");
    EXPECT_EQ(a.vzUnitLocal, "10,00");
    EXPECT_EQ(a.vzTotalLocal, "20,00");
    EXPECT_TRUE(a.vzUnitEur.empty() && a.upeUnitEur.empty() && a.priceListNote.empty());
    EXPECT_EQ(old->items[1].number, "N-2");
    EXPECT_TRUE(old->items[1].name.empty());

    // No end marker: nothing lost. Fields are cut to their capacity.
    const auto cut = ParseOrderList("QX0002" + std::string(40, 'i') + "\r\n" + std::string(20, '9') + "|" +
                                    std::string(300, 'n') + "|" + std::string(300, 'x') + "|\r\n7|");
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->indication.size(), 31u);
    ASSERT_EQ(cut->items.size(), 2u);
    EXPECT_EQ(cut->items[0].quantity.size(), 15u);
    EXPECT_EQ(cut->items[0].number.size(), 31u);
    EXPECT_EQ(cut->items[0].name.size(), 127u);
    EXPECT_EQ(cut->items[1].quantity, "7");

    EXPECT_FALSE(ParseOrderList("QX001x\r\n"));
    EXPECT_FALSE(ParseOrderList("QX00"));
    EXPECT_TRUE(ParseOrderList("QX000")); // magic alone: an empty list
}

TEST(OrderListFile, SaveReplacesTheWholeFile) {
    test::TempDir dir;
    const std::string path = ToWindowsPath(dir.Path()) + "\\Mai.STK";
    OrderList list;
    list.items = {Item("1", "A", "")};
    ASSERT_TRUE(SaveOrderList(path, list));
    OrderList read;
    EXPECT_EQ(LoadOrderList(ToWindowsPath(dir.Path()) + "\\MAI.stk", read), OrderListRead::Loaded);
    EXPECT_EQ(read.items.size(), 1u);

    EXPECT_EQ(LoadOrderList(path + "x", read), OrderListRead::Missing);
    dir.Write("bad.stk", "Hello");
    read.items.push_back({});
    EXPECT_EQ(LoadOrderList(ToWindowsPath(dir.Path() / "bad.stk"), read), OrderListRead::WrongFormat);
    EXPECT_TRUE(read.items.empty());
    EXPECT_FALSE(SaveOrderList(ToWindowsPath(dir.Path()) + "\\missing\\x.stk", list));
    EXPECT_EQ(FallbackOrderListPath("D:\\orders.2007\\list.stk"), "D:\\orders.2007\\STKLISTE.STK");
}

TEST(OrderListFile, AKilledSaveLeavesTheOldOrTheNewFileWhole) {
    test::TempDir dir;
    const std::string path = ToWindowsPath(dir.Path()) + "\\LIST.STK";
    OrderList a, b;
    for (int i = 0; i < 3000; ++i) {
        a.items.push_back(Item("1", "A-" + std::to_string(i), "1,00"));
        b.items.push_back(Item("22", "B-" + std::to_string(i), "2,00"));
    }
    const std::string bytesA = SerializeOrderList(a), bytesB = SerializeOrderList(b);
    ASSERT_TRUE(SaveOrderList(path, a));
    std::mt19937 random(7);
    for (int round = 0; round < 12; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int n = 0;; ++n)
                SaveOrderList(path, n % 2 ? a : b);
        }
        ::usleep(1000 + random() % 30000);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string found = test::ReadAll(ResolvePath(path));
        EXPECT_TRUE(found == bytesA || found == bytesB) << "round " << round << ": " << found.size() << " bytes";
    }
}

TEST(OrderList, TotalsFollowTheQuantity) {
    OrderItem i = Item("3", "N", "12.5");
    i.vzUnitLocal = "24,45";
    i.upeUnitLocal = "0,1";
    RecalcTotals(i, "DM", 1);
    EXPECT_EQ(i.vzUnitEur, "12,50 EUR");
    EXPECT_EQ(i.vzTotalEur, "37,50 EUR");
    EXPECT_EQ(i.vzUnitLocal, "24,45 DM");
    EXPECT_EQ(i.vzTotalLocal, "73,35 DM");
    EXPECT_EQ(i.upeTotalLocal, "0,30 DM"); // 3 x 0.1 taken at twelve digits
    // Unpriced: unit and total read "on request" in the language.
    EXPECT_EQ(i.upeUnitEur, "on request");
    EXPECT_EQ(i.upeTotalEur, "on request");

    // No digits in the quantity: every total shows its unit's text.
    OrderItem z = Item("x", "N", "12,5");
    RecalcTotals(z, "DM", 0);
    EXPECT_EQ(z.vzTotalEur, "12,50 EUR");
    EXPECT_EQ(z.upeTotalEur, z.upeUnitEur);
}

} // namespace
} // namespace qx
