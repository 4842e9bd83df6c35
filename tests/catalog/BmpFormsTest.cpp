// Every kind of Windows bitmap the loader reads, written here byte by byte,
// loaded as a .bmp file and compared pixel for pixel after drawing-side
// decoding; and the damaged kinds.
#include "catalog/BmpFile.h"
#include "catalog/Picture.h"
#include "platform/core/DibPixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace qx {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& b, std::size_t at, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}
std::uint32_t Get(const std::uint8_t* p, int n) {
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

constexpr std::uint32_t kK = 0x000000, kR = 0xFF0000, kG = 0x00FF00, kB = 0x0000FF;
const std::vector<std::uint32_t> kRgbk = {kK, kR, kG, kB};

// A small bitmap writer: the header of the given size, masks where that
// header keeps them, the colour table, then the bits exactly as given
// (padded rows, or an RLE stream).
struct Bmp {
    std::uint32_t headerSize = 40;
    std::int32_t width = 1;
    std::int32_t height = 1;
    int bitCount = 8;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    std::vector<std::uint32_t> table; // 0xRRGGBB
    std::array<std::uint32_t, 3> masks{};
    Bytes bits;

    Bytes File() const {
        // A header size the loader does not know still gets the common fields.
        Bytes d(headerSize == 12 ? 12 : std::max<std::size_t>(headerSize, 40), 0);
        Put(d, 0, headerSize, 4);
        if (headerSize == 12) {
            Put(d, 4, static_cast<std::uint32_t>(width), 2);
            Put(d, 6, static_cast<std::uint32_t>(height), 2);
            Put(d, 8, 1, 2);
            Put(d, 10, static_cast<std::uint32_t>(bitCount), 2);
        } else {
            Put(d, 4, static_cast<std::uint32_t>(width), 4);
            Put(d, 8, static_cast<std::uint32_t>(height), 4);
            Put(d, 12, 1, 2);
            Put(d, 14, static_cast<std::uint32_t>(bitCount), 2);
            Put(d, 16, compression, 4);
            Put(d, 20, static_cast<std::uint32_t>(bits.size()), 4);
            Put(d, 32, colorsUsed, 4);
            if (compression == 3) {
                if (headerSize == 40)
                    d.resize(52);
                for (int i = 0; i < 3; ++i)
                    Put(d, 40 + 4 * static_cast<std::size_t>(i), masks[static_cast<std::size_t>(i)], 4);
            }
        }
        for (std::uint32_t c : table) {
            d.insert(d.end(), {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8),
                               static_cast<std::uint8_t>(c >> 16)});
            if (headerSize != 12)
                d.push_back(0);
        }
        d.insert(d.end(), bits.begin(), bits.end());
        Bytes file(14, 0);
        file[0] = 'B';
        file[1] = 'M';
        Put(file, 2, static_cast<std::uint32_t>(14 + d.size()), 4);
        file.insert(file.end(), d.begin(), d.end());
        return file;
    }
};

// Rows in stored order, each padded to four bytes.
Bytes Rows(std::initializer_list<Bytes> rows) {
    Bytes out;
    for (const Bytes& r : rows) {
        out.insert(out.end(), r.begin(), r.end());
        out.resize((out.size() + 3) / 4 * 4, 0);
    }
    return out;
}
Bytes Words(std::initializer_list<std::uint32_t> values, int size) {
    Bytes b(values.size() * static_cast<std::size_t>(size));
    std::size_t at = 0;
    for (std::uint32_t v : values) {
        Put(b, at, v, size);
        at += static_cast<std::size_t>(size);
    }
    return b;
}

// The picture is held in the one form in memory (40-byte header, no
// compression) and draws as the expected colours, top row first.
void ExpectPixels(const Bmp& bmp, const std::vector<std::uint32_t>& topFirst) {
    const DibHandle picture = DibFromBmpBytes(bmp.File());
    ASSERT_FALSE(picture.IsNull());
    const std::uint8_t* h = picture.Bytes().data();
    EXPECT_EQ(Get(h, 4), 40u);
    EXPECT_EQ(Get(h + 16, 4), 0u);
    const std::optional<Pixels> px = DecodeDib(picture.View());
    ASSERT_TRUE(px);
    ASSERT_EQ(px->width, bmp.width);
    ASSERT_EQ(px->height, bmp.height < 0 ? -bmp.height : bmp.height);
    ASSERT_EQ(px->argb.size(), topFirst.size());
    for (std::size_t i = 0; i < topFirst.size(); ++i)
        EXPECT_EQ(px->argb[i], 0xFF000000u | topFirst[i]) << "pixel " << i;
}

TEST(BmpForms, PalettePicturesInEveryHeaderSize) {
    for (std::uint32_t header : {12u, 40u, 52u, 56u, 64u, 108u, 124u}) {
        SCOPED_TRACE(header);
        Bmp b;
        b.headerSize = header;
        b.width = 3;
        b.height = 2;
        b.bitCount = 4;
        b.table = kRgbk;
        // OS/2 1.x headers have no colours-used field: the table is full.
        b.table.resize(16, 0x808080);
        b.bits = Rows({{0x12, 0x30}, {0x0F, 0x20}});
        ExpectPixels(b, {kK, 0x808080, kG, kR, kG, kB});
        EXPECT_EQ(DibColorCount(DibFromBmpBytes(b.File())), 16);
    }
    // Fewer colours than the bits allow, and colours-used 0 for a full table.
    Bmp eight;
    eight.width = 2;
    eight.height = -2;
    eight.colorsUsed = 3;
    eight.table = {kR, kG, kB};
    eight.bits = Rows({{2, 0}, {1, 1}});
    ExpectPixels(eight, {kB, kR, kG, kG});
    Bmp mono;
    mono.headerSize = 108;
    mono.width = 9;
    mono.bitCount = 1;
    mono.table = {kK, 0xFFFFFF};
    mono.bits = Rows({{0xA0, 0x80}});
    ExpectPixels(mono, {0xFFFFFF, kK, 0xFFFFFF, kK, kK, kK, kK, kK, 0xFFFFFF});
    EXPECT_EQ(DibColorCount(DibFromBmpBytes(mono.File())), 2);
}

TEST(BmpForms, RunLengthPicturesWithLineEndDeltaAndEnd) {
    Bmp rle8;
    rle8.width = 5;
    rle8.height = 3;
    rle8.compression = 1;
    rle8.colorsUsed = 4;
    rle8.table = kRgbk;
    // Bottom row: a run of three reds, a literal of three (the third past the
    // edge) padded to a word; end of line; a delta two right and one up; two
    // blues; end of bitmap. The middle row is never drawn.
    rle8.bits = {3, 1, 0, 3, 2, 3, 2, 0, 0, 0, 0, 2, 2, 1, 2, 3, 0, 1};
    ExpectPixels(rle8, {kK, kK, kB, kB, kK, kK, kK, kK, kK, kK, kR, kR, kR, kG, kB});

    Bmp rle4 = rle8;
    rle4.bitCount = 4;
    rle4.compression = 2;
    rle4.height = 2;
    // A run alternating two colours; a literal of three nibbles.
    rle4.bits = {5, 0x12, 0, 0, 0, 3, 0x31, 0x20, 0, 1};
    ExpectPixels(rle4, {kB, kR, kG, kK, kK, kR, kG, kR, kG, kR});

    // The same stream with the sign of a top-down picture draws the first
    // row at the top.
    Bmp topDown = rle4;
    topDown.height = -2;
    ExpectPixels(topDown, {kR, kG, kR, kG, kR, kB, kR, kG, kK, kK});
}

TEST(BmpForms, SixteenTwentyFourAndThirtyTwoBits) {
    Bmp rgb555;
    rgb555.width = 2;
    rgb555.height = 2;
    rgb555.bitCount = 16;
    rgb555.bits = Words({0x7C00, 0x03E0, 0x001F, 0x4210}, 2);
    ExpectPixels(rgb555, {kB, 0x838383, kR, kG});

    Bmp rgb565 = rgb555;
    rgb565.compression = 3;
    rgb565.masks = {0xF800, 0x07E0, 0x001F};
    rgb565.bits = Words({0xF800, 0x8410, 0x07E0, 0x001F}, 2);
    ExpectPixels(rgb565, {kG, kB, kR, 0x838183});
    for (std::uint32_t header : {52u, 56u, 108u, 124u}) {
        SCOPED_TRACE(header);
        Bmp inHeader = rgb565;
        inHeader.headerSize = header;
        ExpectPixels(inHeader, {kG, kB, kR, 0x838183});
    }

    Bmp rgb24;
    rgb24.headerSize = 124;
    rgb24.width = 2;
    rgb24.height = -1;
    rgb24.bitCount = 24;
    rgb24.bits = Rows({{1, 2, 3, 4, 5, 6}});
    ExpectPixels(rgb24, {0x030201, 0x060504});

    Bmp plain32 = rgb24;
    plain32.headerSize = 56;
    plain32.bitCount = 32;
    plain32.bits = Words({0xAA102030, 0x00405060}, 4);
    ExpectPixels(plain32, {0x102030, 0x405060});

    // Bit fields in another order, and channels wider than eight bits.
    Bmp swapped = plain32;
    swapped.headerSize = 40;
    swapped.compression = 3;
    swapped.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
    ExpectPixels(swapped, {0x302010, 0x605040});
    Bmp wide = swapped;
    wide.masks = {0x3FF00000, 0x000FFC00, 0x000003FF};
    wide.bits = Words({0x3FF00200, 0x000FFC00}, 4);
    ExpectPixels(wide, {0xFF0080, kG});
}

TEST(BmpForms, DamagedPicturesGiveNothingOrWhatWasDecoded) {
    Bmp rle8;
    rle8.width = 5;
    rle8.height = 3;
    rle8.compression = 1;
    rle8.colorsUsed = 4;
    rle8.table = kRgbk;
    // Cut inside the literal: what the stream drew stays.
    rle8.bits = {3, 1, 0, 3, 2};
    ExpectPixels(rle8, {kK, kK, kK, kK, kK, kK, kK, kK, kK, kK, kR, kR, kR, kG, kK});
    // Runs and deltas past every edge are cut there; no end marker needed.
    rle8.bits = {255, 1, 0, 2, 255, 0, 0, 0, 1, 3, 0, 2, 3, 255, 7, 2};
    ExpectPixels(rle8, {kK, kK, kK, kK, kK, kB, kK, kK, kK, kK, kR, kR, kR, kR, kR});
    // Past the colour table: black.
    Bmp shortTable;
    shortTable.width = 2;
    shortTable.colorsUsed = 2;
    shortTable.table = {kR, kG};
    shortTable.bits = Rows({{1, 200}});
    ExpectPixels(shortTable, {kG, kK});

    auto refused = [](Bmp b) { return DibFromBmpBytes(b.File()).IsNull(); };
    Bmp base;
    base.width = 4;
    base.height = 2;
    base.bitCount = 16;
    base.bits = Rows({Bytes(8), Bytes(8)});
    EXPECT_FALSE(refused(base));
    Bmp cut = base;
    cut.bits.pop_back();
    EXPECT_TRUE(refused(cut));
    Bmp splitMask = base;
    splitMask.compression = 3;
    splitMask.masks = {0xF00F, 0x07E0, 0x001F};
    EXPECT_TRUE(refused(splitMask));
    Bmp noMasks = splitMask;
    noMasks.masks = {};
    EXPECT_TRUE(refused(noMasks));
    Bmp huffman = base;
    huffman.headerSize = 64;
    huffman.compression = 3;
    EXPECT_TRUE(refused(huffman));
    Bmp tooManyColours = rle8;
    tooManyColours.colorsUsed = 300;
    tooManyColours.table.resize(300);
    EXPECT_TRUE(refused(tooManyColours));
    Bmp odd = base;
    odd.headerSize = 20;
    EXPECT_TRUE(refused(odd));
    Bmp wide = base;
    wide.width = 32769;
    EXPECT_TRUE(refused(wide));
    Bmp overflow = base;
    overflow.bitCount = 32;
    overflow.width = 0x7FFFFFFF;
    overflow.height = -0x7FFFFFFF;
    EXPECT_TRUE(refused(overflow));
    // A few bytes of RLE may declare a picture past the memory cap: refused
    // before anything is taken; just below the cap it loads.
    Bmp huge = rle8;
    huge.width = 32768;
    huge.height = 32768;
    EXPECT_TRUE(refused(huge));
    huge.height = static_cast<std::int32_t>((kMaxDibBytes - 40 - 16) / 32768);
    EXPECT_FALSE(refused(huge));
}

} // namespace
} // namespace qx
