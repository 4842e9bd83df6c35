// The in-memory picture form, decoded to pixels. Palette pictures of 1, 4 and
// 8 bits, both row orders and short tables are checked pixel by pixel through
// this decoder by the bitmap form tests.
#include "platform/core/DibPixels.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>

namespace qx {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}
void Append32(Bytes& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A packed DIB: a header of headerSize bytes, a colour table (0x00RRGGBB) and
// the given rows, already padded.
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
    for (std::uint32_t c : colors)
        Append32(b, c);
    b.insert(b.end(), rows.begin(), rows.end());
    return b;
}

std::optional<Pixels> Decode(const Bytes& b) { return DecodeDib(DibBytes{b.data(), b.size(), 0}); }
using Argb = std::vector<std::uint32_t>;
Argb Px(const Bytes& b) {
    const auto p = Decode(b);
    return p ? p->argb : Argb{};
}

constexpr std::uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;

TEST(DibPixels, HeadersAndDirectColours) {
    EXPECT_FALSE(ParseDibHeader(DibBytes{nullptr, 0, 0}));
    const Bytes mono = MakeDib(10, 2, 1, {0x000000, 0xFFFFFF}, Bytes(8, 0));
    const auto one = ParseDibHeader(DibBytes{mono.data(), mono.size(), 0});
    ASSERT_TRUE(one);
    EXPECT_EQ(std::tuple(one->stride, one->colorCount, one->bitsOffset, one->topDown), std::tuple(4u, 2, 48u, false));

    // 24 bits, 6 bytes padded to 8; also behind a V5 header. 32 bits: the
    // fourth byte is ignored.
    const Bytes rows24 = {0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0, 0};
    EXPECT_EQ(Px(MakeDib(2, 1, 24, {}, rows24)), (Argb{kRed, kBlue}));
    EXPECT_EQ(Px(MakeDib(2, 1, 24, {}, rows24, 124)), (Argb{kRed, kBlue}));
    EXPECT_EQ(Px(MakeDib(2, 1, 32, {}, {0x00, 0xFF, 0x00, 0x12, 0x01, 0x02, 0x03, 0x00})),
              (Argb{kGreen, 0xFF030201}));

    // Bit fields after a 40-byte header: 10-10-10 with red high.
    Bytes b = MakeDib(1, 1, 32, {}, {}, 40, 0, 3);
    for (std::uint32_t v : {0x3FF00000u, 0x000FFC00u, 0x000003FFu, (0x3FFu << 20) | (0x200u << 10)})
        Append32(b, v);
    EXPECT_EQ(ParseDibHeader(DibBytes{b.data(), b.size(), 0})->bitsOffset, 52u);
    EXPECT_EQ(Px(b), (Argb{0xFFFF8000u}));
    Put32(b, 40, 0x30F00000u); // a mask with a gap
    EXPECT_FALSE(Decode(b));
    Put32(b, 40, 0);
    Put32(b, 44, 0);
    Put32(b, 48, 0);
    EXPECT_FALSE(Decode(b));
    // Bit fields are for 32 bits only here.
    EXPECT_FALSE(Decode(MakeDib(2, 1, 24, {}, Bytes(8, 0), 40, 0, 3)));
}

TEST(DibPixels, RejectsWhatDoesNotFit) {
    const Bytes rows = {1, 2, 3, 0};
    const Bytes good = MakeDib(3, 1, 8, std::vector<std::uint32_t>(256, 0), rows);
    ASSERT_TRUE(Decode(good));
    // Truncated anywhere: bits, colour table, header.
    for (std::size_t n : {good.size() - 1, std::size_t{40 + 1024}, std::size_t{100}, std::size_t{39}, std::size_t{0}})
        EXPECT_FALSE(Decode(Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n)))) << n;

    struct Patch {
        std::size_t at;
        std::uint32_t value;
        const char* why;
    };
    const Patch patches[] = {{0, 12, "OS/2 core header"}, {0, 64, "unknown header size"}, {0, 0xFFFFFFF0u, "huge"},
                             {4, 0, "width 0"}, {4, static_cast<std::uint32_t>(-3), "negative width"},
                             {4, 32769, "too wide"}, {8, 0, "height 0"}, {8, 32769, "too high"},
                             {8, static_cast<std::uint32_t>(INT_MIN), "least height"}, {8, 0x7FFFFFFF, "greatest"},
                             {16, 1, "RLE8"}, {32, 257, "more colours than 8 bits hold"}, {32, 0xFFFFFFFFu, "all"},
                             {12, 2, "two planes"}, {14, 16, "16 bits"}};
    for (const Patch& p : patches) {
        Bytes b = good;
        if (p.at == 12 || p.at == 14)
            b[p.at] = static_cast<std::uint8_t>(p.value);
        else
            Put32(b, p.at, p.value);
        EXPECT_FALSE(Decode(b)) << p.why;
    }
    // Huge declared dimensions with few bytes: refused without allocating.
    EXPECT_FALSE(Decode(MakeDib(32768, 32768, 24, {}, rows)));
    // 24 bits with a colour table (biClrUsed) that is not there.
    EXPECT_FALSE(Decode(MakeDib(1, 1, 24, {}, rows, 40, 1000)));
    EXPECT_TRUE(Decode(MakeDib(1, 1, 24, {0x010203}, rows, 40, 1)));
}

TEST(DibPixels, EncodeDib24RoundTripsBottomUp) {
    Pixels p{3, 2, {kRed, kGreen, kBlue, 0xFFFFFFFF, 0xFF000000, 0xFF102030}};
    const Bytes dib = EncodeDib24(p);
    ASSERT_EQ(dib.size(), 40u + 2 * 12);
    EXPECT_EQ((Bytes{dib[0], dib[14], dib[20], dib[40], dib[43]}), (Bytes{40, 24, 24, 0xFF, 0x00}));
    const auto back = Decode(dib);
    ASSERT_TRUE(back);
    EXPECT_EQ(std::tuple(back->width, back->height, back->argb), std::tuple(3, 2, p.argb));
    p.argb.pop_back();
    EXPECT_TRUE(EncodeDib24(p).empty() && EncodeDib24(Pixels{}).empty());
}

} // namespace
} // namespace qx
