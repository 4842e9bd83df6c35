#include "platform/core/DibPixels.h"

#include <gtest/gtest.h>

#include <climits>

namespace qx {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A packed DIB with a header of headerSize bytes, a colour table and the given
// rows (already padded), in the order given.
Bytes MakeDib(int width, int height, int bits, const std::vector<std::uint32_t>& colors, const Bytes& rows,
              std::uint32_t headerSize = 40, std::uint32_t colorsUsed = 0, std::uint32_t compression = 0) {
    Bytes b(headerSize, 0);
    Put32(b, 0, headerSize);
    Put32(b, 4, static_cast<std::uint32_t>(width));
    Put32(b, 8, static_cast<std::uint32_t>(height));
    b[12] = 1;
    b[14] = static_cast<std::uint8_t>(bits);
    Put32(b, 16, compression);
    Put32(b, 32, colorsUsed);
    for (std::uint32_t c : colors) { // 0x00RRGGBB -> blue, green, red, 0
        b.push_back(static_cast<std::uint8_t>(c));
        b.push_back(static_cast<std::uint8_t>(c >> 8));
        b.push_back(static_cast<std::uint8_t>(c >> 16));
        b.push_back(0);
    }
    b.insert(b.end(), rows.begin(), rows.end());
    return b;
}

std::optional<Pixels> Decode(const Bytes& b) { return DecodeDib(DibBytes{b.data(), b.size(), 0}); }
std::optional<DibInfo> Parse(const Bytes& b) { return ParseDibHeader(DibBytes{b.data(), b.size(), 0}); }

constexpr std::uint32_t kBlack = 0xFF000000, kWhite = 0xFFFFFFFF, kRed = 0xFFFF0000, kGreen = 0xFF00FF00,
                        kBlue = 0xFF0000FF;

// Palette pictures of 1, 4 and 8 bits, both row orders and short tables are
// checked pixel by pixel through this decoder by the bitmap form tests.
TEST(DibPixels, HeaderOfAOneBitPicture) {
    const Bytes dib = MakeDib(10, 2, 1, {0x000000, 0xFFFFFF}, {0, 0, 0, 0, 0, 0, 0, 0});
    const auto info = Parse(dib);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->stride, 4u);
    EXPECT_EQ(info->colorCount, 2);
    EXPECT_EQ(info->bitsOffset, 48u);
    EXPECT_FALSE(info->topDown);
}

TEST(DibPixels, TwentyFourAndThirtyTwoBit) {
    // 2 x 1, 24 bits: 6 bytes padded to 8.
    const Bytes rows24 = {0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0, 0};
    const auto px24 = Decode(MakeDib(2, 1, 24, {}, rows24));
    ASSERT_TRUE(px24);
    EXPECT_EQ(px24->argb, (std::vector<std::uint32_t>{kRed, kBlue}));
    // 32 bits: the fourth byte is ignored.
    const Bytes rows32 = {0x00, 0xFF, 0x00, 0x12, 0x01, 0x02, 0x03, 0x00};
    const auto px32 = Decode(MakeDib(2, 1, 32, {}, rows32));
    ASSERT_TRUE(px32);
    EXPECT_EQ(px32->argb, (std::vector<std::uint32_t>{kGreen, 0xFF030201}));
    // A V5 header with BI_RGB.
    const auto v5 = Decode(MakeDib(2, 1, 24, {}, rows24, 124));
    ASSERT_TRUE(v5);
    EXPECT_EQ(v5->argb, px24->argb);
}

TEST(DibPixels, Bitfields) {
    // 40-byte header, masks after it: 10-10-10 with red high (as some writers do).
    Bytes b = MakeDib(1, 1, 32, {}, {}, 40, 0, 3);
    for (std::uint32_t m : {0x3FF00000u, 0x000FFC00u, 0x000003FFu})
        for (int i = 0; i < 4; ++i)
            b.push_back(static_cast<std::uint8_t>(m >> (8 * i)));
    const std::uint32_t pixel = (0x3FFu << 20) | (0x200u << 10) | 0u;
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>(pixel >> (8 * i)));
    const auto info = Parse(b);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->bitsOffset, 52u);
    const auto px = Decode(b);
    ASSERT_TRUE(px);
    EXPECT_EQ(px->argb[0], 0xFFFF8000u);
    // A mask with a gap is refused, and so are all-zero masks.
    Put32(b, 40, 0x30F00000u);
    EXPECT_FALSE(Decode(b));
    Put32(b, 40, 0);
    Put32(b, 44, 0);
    Put32(b, 48, 0);
    EXPECT_FALSE(Decode(b));
    // BI_BITFIELDS is for 32 bits only here.
    EXPECT_FALSE(Decode(MakeDib(2, 1, 24, {}, Bytes(8, 0), 40, 0, 3)));
}

TEST(DibPixels, RejectsWhatDoesNotFit) {
    const Bytes rows = {1, 2, 3, 0};
    const Bytes good = MakeDib(3, 1, 8, std::vector<std::uint32_t>(256, 0), rows);
    ASSERT_TRUE(Decode(good));
    // Truncated anywhere: bits, colour table, header.
    for (std::size_t n : {good.size() - 1, std::size_t{40 + 1024}, std::size_t{100}, std::size_t{39}, std::size_t{4},
                          std::size_t{0}}) {
        const Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_FALSE(Decode(cut)) << n;
    }
    EXPECT_FALSE(DecodeDib(DibBytes{}));

    auto with = [&](std::size_t at, std::uint32_t v) {
        Bytes b = good;
        Put32(b, at, v);
        return b;
    };
    EXPECT_FALSE(Decode(with(0, 12)));      // OS/2 core header
    EXPECT_FALSE(Decode(with(0, 64)));      // unknown header size
    EXPECT_FALSE(Decode(with(0, 0xFFFFFFF0u)));
    EXPECT_FALSE(Decode(with(4, 0)));       // width 0
    EXPECT_FALSE(Decode(with(4, static_cast<std::uint32_t>(-3))));
    EXPECT_FALSE(Decode(with(4, 32769)));   // too wide
    EXPECT_FALSE(Decode(with(8, 0)));       // height 0
    EXPECT_FALSE(Decode(with(8, 32769)));
    EXPECT_FALSE(Decode(with(8, static_cast<std::uint32_t>(INT_MIN))));
    EXPECT_FALSE(Decode(with(8, 0x7FFFFFFF)));
    EXPECT_FALSE(Decode(with(16, 1)));      // RLE8
    EXPECT_FALSE(Decode(with(32, 257)));    // more colours than 8 bits hold
    EXPECT_FALSE(Decode(with(32, 0xFFFFFFFFu)));
    Bytes planes = good;
    planes[12] = 2;
    EXPECT_FALSE(Decode(planes));
    Bytes bits16 = good;
    bits16[14] = 16;
    EXPECT_FALSE(Decode(bits16));
    // Huge declared dimensions with few bytes: refused without allocating.
    EXPECT_FALSE(Decode(MakeDib(32768, 32768, 24, {}, rows)));
    // 24 bits with a colour table (biClrUsed) that is not there.
    EXPECT_FALSE(Decode(MakeDib(1, 1, 24, {}, rows, 40, 1000)));
    EXPECT_TRUE(Decode(MakeDib(1, 1, 24, {0x010203}, rows, 40, 1)));
}

TEST(DibPixels, EncodeDib24RoundTrips) {
    Pixels p;
    p.width = 3;
    p.height = 2;
    p.argb = {kRed, kGreen, kBlue, kWhite, kBlack, 0xFF102030};
    const Bytes dib = EncodeDib24(p);
    ASSERT_EQ(dib.size(), 40u + 2 * 12);
    EXPECT_EQ(dib[0], 40);
    EXPECT_EQ(dib[14], 24);
    EXPECT_EQ(dib[20], 24); // biSizeImage
    // Bottom-up: the first row in the file is the bottom row.
    EXPECT_EQ(dib[40], 0xFF);
    EXPECT_EQ(dib[43], 0x00);
    const auto back = Decode(dib);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->width, 3);
    EXPECT_EQ(back->height, 2);
    EXPECT_EQ(back->argb, p.argb);

    p.argb.pop_back();
    EXPECT_TRUE(EncodeDib24(p).empty());
    EXPECT_TRUE(EncodeDib24(Pixels{}).empty());
}

} // namespace
} // namespace qx
