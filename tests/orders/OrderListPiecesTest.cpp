// A loaded order list is read in pieces of 1 MiB: whatever falls on a piece's
// edge, the list and the stamp are those of the file read whole.
#include "orders/OrderList.h"
#include "platform/core/FileIo.h"
#include "platform/core/FileStamp.h"
#include "platform/core/Path.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <random>

namespace qx {
namespace {

constexpr std::size_t kPiece = std::size_t{1} << 20;

std::string Dump(const OrderList& list) {
    std::string out = list.indication.str() + "\n";
    for (const OrderItem& item : list.items) {
        for (std::string_view field : StoredFields(item)) {
            out += field;
            out += '|';
        }
        out += '\n';
    }
    return out;
}

// Entry lines up to just before the first piece's edge, then the line
// that puts `edge` there (its first byte at the edge), then more lines
// over the second edge.
std::string FileWithAtTheEdge(std::string_view head, std::string_view edge) {
    std::string bytes(head);
    int n = 0;
    while (bytes.size() + 200 < kPiece) {
        ++n;
        bytes += std::to_string(n) + "|QX-" + std::to_string(n * 7) + "|Hebeb\xFChne " + std::string(n % 40, 'x') +
                 "||||||||||||PL 12|\r\n";
    }
    bytes += "2|FILL|" + std::string(kPiece - bytes.size() - 7, 'f');
    bytes += edge;
    while (bytes.size() < 2 * kPiece + 300)
        bytes += "1|" + std::to_string(bytes.size()) + "|second piece|\r\n";
    return bytes + "[EndOfFile]\r\nafter|the|end|\r\n";
}

TEST(OrderListPieces, LoadGivesWhatTheWholeFileGives) {
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"CR LF across the edge", FileWithAtTheEdge("QX0002Auftrag\r\n", "\r\n3|EDGE|x|\r\n")},
        {"LF at the edge", FileWithAtTheEdge("QX0002Auftrag\r\n", "\n3|EDGE|x|\r\n")},
        {"CR alone at the edge", FileWithAtTheEdge("QX0002Auftrag\r\n", "\r3|EDGE|x|\r\n")},
        {"LF CR at the edge", FileWithAtTheEdge("QX0002Auftrag\r\n", "\n\r3|EDGE|x|\r\n")},
        {"blank and comment lines over the edge", FileWithAtTheEdge("QX0002\n", "\r\n\r\n#3|C|\r\n\r\n4|E|\r\n")},
        {"end marker after the edge", FileWithAtTheEdge("QX0002A\r\n", "\r\n[EndOfFile]\r\n5|late|\r\n")},
        {"older layout", FileWithAtTheEdge("QX0001Alt\r\n", "\r\n6|OLD|a|b|c|QTX_VZ|1,00|2,00|\r\n")},
        {"a line longer than a piece", "QX0002L\r\n1|" + std::string(3 * kPiece, 'n') + "|\r\n2|B|\r\n"},
        {"no entries, no line end", "QX0002Auftrag"},
        {"magic only", "QX000"},
        {"not an order list", "QX100" + std::string(kPiece + 10, '\n')},
        {"empty", ""},
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        const auto path = dir.Write("list.stk", c.bytes);
        OrderList loaded;
        FileStamp stamp;
        const OrderListRead read = LoadOrderList(ToWindowsPath(path), loaded, &stamp);
        const std::optional<OrderList> whole = ParseOrderList(c.bytes);
        EXPECT_EQ(read, whole ? OrderListRead::Loaded : OrderListRead::WrongFormat) << c.what;
        EXPECT_EQ(Dump(loaded), whole ? Dump(*whole) : Dump(OrderList{})) << c.what;
        EXPECT_EQ(stamp, FileStamp::Of(c.bytes)) << c.what;
        EXPECT_EQ(FileStamp::Read(path), FileStamp::Of(c.bytes)) << c.what;

        // Saved a piece at a time, the file and its stamp are those of the whole.
        FileStamp written;
        ASSERT_TRUE(SaveOrderList(ToWindowsPath(dir / "saved.stk"), loaded, &written)) << c.what;
        const std::string bytes = SerializeOrderList(loaded);
        EXPECT_EQ(ReadWholeFile(dir / "saved.stk"), bytes) << c.what;
        EXPECT_EQ(written, FileStamp::Of(bytes)) << c.what;
    }
}

TEST(OrderListPieces, StampOfPiecesIsTheStampOfTheWhole) {
    std::mt19937 rng(24);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(rng() % 300, '\0');
        for (char& ch : bytes)
            ch = static_cast<char>(rng());
        FileStamp::Hasher h;
        for (std::size_t at = 0; at < bytes.size();) {
            const std::size_t n = std::min<std::size_t>(bytes.size() - at, rng() % 70);
            h.Add(std::string_view(bytes).substr(at, n));
            at += n;
        }
        ASSERT_EQ(h.Finish(), FileStamp::Of(bytes)) << "round " << round;
        if (!bytes.empty()) {
            std::string other = bytes;
            other[rng() % other.size()] ^= 1;
            ASSERT_NE(FileStamp::Of(other), FileStamp::Of(bytes)) << "round " << round;
        }
    }
}

} // namespace
} // namespace qx
