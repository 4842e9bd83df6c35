// Order list files: the layouts, what a save leaves, and the load in pieces
// of 1 MiB, which gives whatever falls on a piece's edge what the file read
// whole gives.
#include "orders/OrderList.h"
#include "platform/core/FileIo.h"
#include "platform/core/FileStamp.h"
#include "platform/core/Path.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

constexpr std::size_t kPiece = std::size_t{1} << 20;

std::string Dump(const OrderList& list) {
    std::string out = list.indication.str() + "\n";
    for (const OrderItem& item : list.items) {
        for (std::string_view field : StoredFields(item))
            out += std::string(field) + "|";
        out += '\n';
    }
    return out;
}

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
    EXPECT_EQ(bytes, "QX0002Auftrag 7\r\n3|QX-1|Hebeb\xFChne|||QTX_VZ||12,50 EUR|||||||PL 12|\r\n"
                     "1|#2|Hebeb\xFChne|kept||QTX_VZ|||||||||PL 12|\r\n[EndOfFile]");
    const auto back = ParseOrderList(bytes); // a "#" inside a line is text
    ASSERT_TRUE(back);
    EXPECT_EQ(Dump(*back), Dump(list));
    EXPECT_EQ(SerializeOrderList(OrderList{}), "QX0002\r\n[EndOfFile]");
}

TEST(OrderListFile, OlderLayoutCommentsShortLinesAndOverlongFields) {
    // The bytes and what is read from them; "none": not an order list.
    const std::pair<std::string, std::string> cases[] = {
        {"QX0001#ABC\r\n# a comment line\r\n2|N-1|Name|Zwei|Bem|DORNA|10,00|20,00|\r\n\r\n5|N-2\r\n"
         "[EndOfFile]\r\n9|after the end|\r\n",
         "#ABC\n2|N-1|Name|Zwei|Bem|DORNA|10,00||||20,00|||||\n5|N-2||||||||||||||\n"},
        // No end marker: nothing lost. Fields are cut to their capacity.
        {"QX0002" + std::string(40, 'i') + "\r\n" + std::string(20, '9') + "|" + std::string(40, 'n') + "|" +
             std::string(300, 'x') + "|\r\n7|",
         std::string(31, 'i') + "\n" + std::string(15, '9') + "|" + std::string(31, 'n') + "|" +
             std::string(127, 'x') + "|||||||||||||\n7|||||||||||||||\n"},
        {"QX000", "\n"}, // magic alone: an empty list
        {"QX001x\r\n", "none"}, {"QX00", "none"},
    };
    for (const auto& [bytes, dump] : cases) {
        const auto list = ParseOrderList(bytes);
        EXPECT_EQ(list ? Dump(*list) : "none", dump) << bytes;
    }
}

// Names are found whatever their case; a save into a missing folder fails.
TEST(OrderListFile, NamesMissingFilesAndFolders) {
    test::TempDir dir;
    const std::string base = ToWindowsPath(dir.Path());
    const OrderList list{{Item("1", "A", "")}, {}};
    ASSERT_TRUE(SaveOrderList(base + "\\Mai.STK", list));
    OrderList read;
    EXPECT_EQ(LoadOrderList(base + "\\MAI.stk", read), OrderListRead::Loaded);
    EXPECT_EQ(Dump(read), Dump(list));
    EXPECT_EQ(LoadOrderList(base + "\\Mai.STKx", read), OrderListRead::Missing);
    EXPECT_FALSE(SaveOrderList(base + "\\missing\\x.stk", list));
    EXPECT_EQ(FallbackOrderListPath("D:\\orders.2007\\list.stk"), "D:\\orders.2007\\STKLISTE.STK");
}

TEST(OrderList, TotalsFollowTheQuantity) {
    OrderItem i = Item("3", "N", "12.5");
    i.vzUnitLocal = "24,45";
    i.upeUnitLocal = "0,1";
    RecalcTotals(i, "DM", 1);
    // 3 x 0.1 taken at twelve digits; unpriced: unit and total read "on request".
    EXPECT_EQ(Dump({{i}, {}}), "\n3|N|Hebeb\xFChne|||QTX_VZ|24,45 DM|12,50 EUR|0,10 DM|on request|73,35 DM|37,50 EUR|"
                               "0,30 DM|on request|PL 12|\n");
    // No digits in the quantity: every total shows its unit's text.
    OrderItem z = Item("x", "N", "12,5");
    RecalcTotals(z, "DM", 0);
    EXPECT_EQ(z.vzTotalEur, "12,50 EUR");
    EXPECT_EQ(z.upeTotalEur, z.upeUnitEur);
}

// Entry lines up to just before the first piece's edge, then the line that
// puts `edge` there (its first byte at the edge), then more over the second.
std::string FileWithAtTheEdge(std::string_view head, std::string_view edge) {
    std::string bytes(head);
    for (int n = 1; bytes.size() + 200 < kPiece; ++n)
        bytes += std::to_string(n) + "|QX-" + std::to_string(n * 7) + "|Hebeb\xFChne " + std::string(n % 40, 'x') +
                 "||||||||||||PL 12|\r\n";
    bytes += "2|FILL|" + std::string(kPiece - bytes.size() - 7, 'f');
    bytes += edge;
    while (bytes.size() < 2 * kPiece + 300)
        bytes += "1|" + std::to_string(bytes.size()) + "|second piece|\r\n";
    return bytes + "[EndOfFile]\r\nafter|the|end|\r\n";
}

TEST(OrderListPieces, LoadAndSaveGiveWhatTheWholeFileGives) {
    const std::pair<const char*, std::string> cases[] = {
        {"CR LF across the edge", FileWithAtTheEdge("QX0002Auftrag\r\n", "\r\n3|EDGE|x|\r\n")},
        {"LF at the edge", FileWithAtTheEdge("QX0002Auftrag\r\n", "\n3|EDGE|x|\r\n")},
        {"CR alone at the edge", FileWithAtTheEdge("QX0002Auftrag\r\n", "\r3|EDGE|x|\r\n")},
        {"LF CR at the edge", FileWithAtTheEdge("QX0002Auftrag\r\n", "\n\r3|EDGE|x|\r\n")},
        {"blank and comment lines over the edge", FileWithAtTheEdge("QX0002\n", "\r\n\r\n#3|C|\r\n\r\n4|E|\r\n")},
        {"end marker after the edge", FileWithAtTheEdge("QX0002A\r\n", "\r\n[EndOfFile]\r\n5|late|\r\n")},
        {"older layout", FileWithAtTheEdge("QX0001Alt\r\n", "\r\n6|OLD|a|b|c|QTX_VZ|1,00|2,00|\r\n")},
        {"a line longer than a piece", "QX0002L\r\n1|" + std::string(3 * kPiece, 'n') + "|\r\n2|B|\r\n"},
        {"no entries, no line end", "QX0002Auftrag"}, {"not an order list", "QX100" + std::string(kPiece + 10, '\n')},
        {"empty", ""},
    };
    test::TempDir dir;
    for (const auto& [what, bytes] : cases) {
        const auto path = dir.Write("list.stk", bytes);
        OrderList loaded{{Item("1", "before", "")}, {}}; // what a load replaces
        FileStamp stamp;
        const OrderListRead read = LoadOrderList(ToWindowsPath(path), loaded, &stamp);
        const std::optional<OrderList> whole = ParseOrderList(bytes);
        EXPECT_EQ(read, whole ? OrderListRead::Loaded : OrderListRead::WrongFormat) << what;
        EXPECT_EQ(Dump(loaded), whole ? Dump(*whole) : Dump(OrderList{})) << what;
        EXPECT_EQ(stamp, FileStamp::Of(bytes)) << what;

        // Saved a piece at a time, the file and its stamp are those of the whole.
        FileStamp written;
        ASSERT_TRUE(SaveOrderList(ToWindowsPath(dir / "saved.stk"), loaded, &written)) << what;
        const std::string saved = SerializeOrderList(loaded);
        EXPECT_TRUE(ReadWholeFile(dir / "saved.stk") == saved && written == FileStamp::Of(saved)) << what;
    }
}

} // namespace
} // namespace qx
