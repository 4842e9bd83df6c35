// Pictures: the handle, every bitmap form the loader reads (written here byte
// by byte and compared pixel for pixel after decoding), JPEG, the files, and
// how pictures, frames and lines are drawn and design units scaled.
#include "catalog/BmpFile.h"
#include "catalog/Draw.h"
#include "catalog/Picture.h"
#include "catalog/Scale.h"
#include "ground/GlobalState.h"
#include "ground/ScreenMode.h"
#include "platform/core/DibPixels.h"
#include "platform/core/Path.h"
#include "platform/core/RecordingDc.h"
#include "platform/jpeg/Jpeg.h"
#include "tests/common/DrawDump.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdlib>
#include <jpeglib.h>
#include <string>
#include <tuple>
#include <vector>

namespace qx {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Colours = std::vector<std::uint32_t>;

void Put(Bytes& b, std::size_t at, std::uint32_t v, int n = 4) {
    for (int i = 0; i < n; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}
Bytes Patched(Bytes b, std::size_t at, std::uint32_t v) {
    Put(b, at, v);
    return b;
}
std::uint32_t Get32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

constexpr std::uint32_t kK = 0x000000, kR = 0xFF0000, kG = 0x00FF00, kB = 0x0000FF, kW = 0xFFFFFF;
const Colours kRgbk = {kK, kR, kG, kB};

// A bitmap written field by field: the header of the given size, masks where
// that header keeps them, the colour table (0xRRGGBB), then the bits as given.
struct Bmp {
    std::uint32_t headerSize = 40;
    std::int32_t width = 1;
    std::int32_t height = 1;
    int bitCount = 8;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    Colours table;
    std::array<std::uint32_t, 3> masks{};
    Bytes bits;

    Bytes Dib() const {
        Bytes d(headerSize == 12 ? 12 : std::max<std::size_t>(headerSize, 40), 0);
        const int n = headerSize == 12 ? 2 : 4; // OS/2 1.x keeps the sides in 16 bits
        Put(d, 0, headerSize);
        Put(d, 4, static_cast<std::uint32_t>(width), n);
        Put(d, 4 + n, static_cast<std::uint32_t>(height), n);
        Put(d, 4 + 2 * n, 1, 2);
        Put(d, 6 + 2 * n, static_cast<std::uint32_t>(bitCount), 2);
        if (headerSize != 12) {
            Put(d, 16, compression);
            Put(d, 20, static_cast<std::uint32_t>(bits.size()));
            Put(d, 32, colorsUsed);
            if (compression == 3) {
                d.resize(std::max<std::size_t>(d.size(), 52));
                for (std::size_t i = 0; i < 3; ++i)
                    Put(d, 40 + 4 * i, masks[i]);
            }
        }
        for (std::uint32_t c : table) {
            d.insert(d.end(), {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8),
                               static_cast<std::uint8_t>(c >> 16)});
            if (headerSize != 12)
                d.push_back(0);
        }
        d.insert(d.end(), bits.begin(), bits.end());
        return d;
    }
    Bytes File() const {
        Bytes file = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, d = Dib();
        Put(file, 2, static_cast<std::uint32_t>(14 + d.size()));
        file.insert(file.end(), d.begin(), d.end());
        return file;
    }
};

// An uncompressed DIB whose bits are a repeating pattern.
Bytes Packed(int width, int height, int bitCount, Colours table = {}, std::uint32_t used = 0) {
    Bmp b{.width = width, .height = height, .bitCount = bitCount, .colorsUsed = used, .table = std::move(table)};
    b.bits.resize(((static_cast<std::size_t>(width) * bitCount + 31) / 32) * 4 * std::abs(height));
    for (std::size_t i = 0; i < b.bits.size(); ++i)
        b.bits[i] = static_cast<std::uint8_t>(i * 7);
    return b.Dib();
}

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
    for (std::size_t i = 0; i < values.size(); ++i)
        Put(b, i * static_cast<std::size_t>(size), values.begin()[i], size);
    return b;
}

Colours Ramp(int n) {
    Colours t(static_cast<std::size_t>(n));
    for (std::size_t i = 0; i < t.size(); ++i)
        t[i] = static_cast<std::uint32_t>(0x010203 * (i + 1));
    return t;
}

PaletteEntry EntryOf(std::uint32_t rgb) {
    return {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8), static_cast<std::uint8_t>(rgb)};
}

TEST(Picture, HandlesShareOneBlockAndTheNullHandleIsNoPicture) {
    DibHandle none;
    FreePicture(none); // allowed
    EXPECT_TRUE(none.IsNull() && !none.View().data && DibSize(none) == (Size{0, 0}));
    EXPECT_EQ(DibColorCount(none) + DibBits(none) + none.Serial(), 0u);
    EXPECT_EQ(MakePalette(none).size(), 6u);

    DibHandle a = DibFromBytes(Packed(4, 3, 24));
    DibHandle b = DibFromBytes(Packed(4, 3, 24));
    ASSERT_FALSE(a.IsNull() || b.IsNull());
    EXPECT_TRUE(a.Serial() != 0 && a.Serial() != b.Serial() && a.View().serial == a.Serial());
    DibHandle copy = a;
    EXPECT_TRUE(copy == a && copy.View().data == a.View().data);
    FreePicture(a);
    EXPECT_TRUE(a.IsNull() && DibSize(copy) == (Size{4, 3})); // the copy keeps the block alive

    // The palette: six fixed colours, then the picture's own.
    const Palette fixed = {{0, 0, 0}, {255, 255, 255}, {255, 0, 52}, {128, 128, 128}, {192, 192, 192}, {0, 82, 255}};
    Palette sixteen = fixed;
    for (std::uint32_t c : Ramp(10))
        sixteen.push_back(EntryOf(c));
    EXPECT_EQ(MakePalette(DibFromBytes(Packed(4, 4, 4, Ramp(16)))), sixteen);

    // Fewer than seven colours: just the fixed six.
    EXPECT_EQ(MakePalette(DibFromBytes(Packed(4, 4, 1, Ramp(2)))), fixed);
    EXPECT_EQ(MakePalette(DibFromBytes(Packed(4, 4, 24))).size(), 6u);
    // 256 colours: the last entry is picture colour 249; an optional table is capped too.
    const Palette full = MakePalette(DibFromBytes(Packed(2, 2, 8, Ramp(256))));
    ASSERT_EQ(full.size(), 256u);
    EXPECT_EQ(full[255], EntryOf(Ramp(256)[249]));
    EXPECT_EQ(MakePalette(DibFromBytes(Packed(2, 2, 24, Ramp(300), 300))).size(), 256u);
}

TEST(Picture, ColourCountBitsOffsetAndRefusedHeaders) {
    for (const auto& [bits, used, colours] : {std::tuple{1, 0u, 2}, {4, 0u, 16}, {8, 0u, 256}, {24, 0u, 0}, {32, 0u, 0},
                                              {8, 5u, 5}, {4, 3u, 3}, {24, 2u, 2}}) {
        const DibHandle dib = DibFromBytes(Packed(5, 2, bits, Ramp(colours), used));
        EXPECT_EQ(DibColorCount(dib), colours) << bits << " bits, " << used << " used";
        EXPECT_EQ(DibBits(dib), 40u + 4u * static_cast<unsigned>(colours));
    }
    EXPECT_EQ(DibSize(DibFromBytes(Packed(5, -7, 24))), (Size{5, 7})); // top-down: a positive height

    // Too short, the last row one byte short, huge or core header, no width,
    // the least height, too many colours, too many pixels.
    const Bytes good = Packed(4, 4, 24);
    for (const Bytes& bad : {Bytes{}, Bytes(39, 0), Bytes(good.begin(), good.end() - 1), Patched(good, 0, 0x7FFFFFF0),
                             Patched(good, 0, 12), Patched(good, 4, 0), Patched(good, 8, 0x80000000),
                             Patched(Packed(4, 4, 8, Ramp(256)), 32, 0xFFFFFFFF),
                             Patched(Patched(good, 4, 0x40000000), 8, 0x40000000)})
        EXPECT_TRUE(DibFromBytes(bad).IsNull()) << bad.size();

    // A bitmap file needs its signature and the whole DIB, which is the rest of the file.
    const Bmp bmp{.width = 3, .height = 2, .table = Ramp(256), .bits = Rows({{1, 2, 3}, {4, 5, 6}})};
    const Bytes file = bmp.File();
    DibHandle pic = DibFromBmpBytes(file);
    ASSERT_FALSE(pic.IsNull());
    EXPECT_EQ(Bytes(pic.Bytes().begin(), pic.Bytes().end()), bmp.Dib()); // the rest of the file is the DIB

    Bytes wrong = file;
    wrong[1] = 'A';
    EXPECT_TRUE(DibFromBmpBytes(wrong).IsNull());
    for (std::size_t size : {std::size_t{13}, std::size_t{14}, file.size() - 1})
        EXPECT_TRUE(DibFromBmpBytes(Bytes(file.begin(), file.begin() + static_cast<long>(size))).IsNull()) << size;
    // The file header's bits offset is ignored: the bits follow the table.
    EXPECT_FALSE(DibFromBmpBytes(Patched(file, 10, 9999)).IsNull());
}

TEST(BmpForms, EveryFormDrawsItsPixels) {
    struct Form {
        std::string name;
        Bmp bmp;
        Colours topFirst;
        int colours = -1; // the colour count of the loaded picture, where it matters
    };
    std::vector<Form> forms;
    for (std::uint32_t header : {12u, 40u, 52u, 56u, 64u, 108u, 124u}) {
        Colours table = kRgbk;
        table.resize(16, 0x808080); // OS/2 1.x headers have no colours-used field: the table is full
        forms.push_back({"4 bits, header " + std::to_string(header),
                         {.headerSize = header, .width = 3, .height = 2, .bitCount = 4, .table = table,
                          .bits = Rows({{0x12, 0x30}, {0x0F, 0x20}})}, {kK, 0x808080, kG, kR, kG, kB}, 16});
    }
    forms.push_back({"8 bits, three colours, top-down",
                     {.width = 2, .height = -2, .colorsUsed = 3, .table = {kR, kG, kB}, .bits = Rows({{2, 0}, {1, 1}})},
                     {kB, kR, kG, kG}});
    Colours ramp = Ramp(256);
    forms.push_back({"8 bits, full table", {.headerSize = 124, .width = 2, .table = ramp, .bits = Rows({{255, 7}})},
                     {ramp[255], ramp[7]}, 256});
    forms.push_back({"1 bit",
                     {.headerSize = 108, .width = 9, .bitCount = 1, .table = {kK, kW}, .bits = Rows({{0xA0, 0x80}})},
                     {kW, kK, kW, kK, kK, kK, kK, kK, kW}, 2});
    // RLE8 bottom row: a run of three reds, a literal of three (the third past
    // the edge) padded to a word; end of line; a delta two right and one up;
    // two blues; end of bitmap. The middle row is never drawn.
    const Bmp rle8{.width = 5, .height = 3, .compression = 1, .colorsUsed = 4, .table = kRgbk,
                   .bits = {3, 1, 0, 3, 2, 3, 2, 0, 0, 0, 0, 2, 2, 1, 2, 3, 0, 1}};
    forms.push_back({"RLE8", rle8, {kK, kK, kB, kB, kK, kK, kK, kK, kK, kK, kR, kR, kR, kG, kB}});
    Bmp cutRle = rle8;
    cutRle.bits = {3, 1, 0, 3, 2}; // cut inside the literal: what the stream drew stays
    forms.push_back({"RLE8 cut", cutRle, {kK, kK, kK, kK, kK, kK, kK, kK, kK, kK, kR, kR, kR, kG, kK}});
    cutRle.bits = {255, 1, 0, 2, 255, 0, 0, 0, 1, 3, 0, 2, 3, 255, 7, 2}; // past every edge, no end marker
    forms.push_back({"RLE8 past the edges", cutRle, {kK, kK, kK, kK, kK, kB, kK, kK, kK, kK, kR, kR, kR, kR, kR}});
    // RLE4: a run alternating two colours; a literal of three nibbles. With
    // the sign of a top-down picture the first row is drawn at the top.
    Bmp rle4{.width = 5, .height = 2, .bitCount = 4, .compression = 2, .colorsUsed = 4, .table = kRgbk,
             .bits = {5, 0x12, 0, 0, 0, 3, 0x31, 0x20, 0, 1}};
    forms.push_back({"RLE4", rle4, {kB, kR, kG, kK, kK, kR, kG, kR, kG, kR}});
    rle4.headerSize = 64; // OS/2 2.x numbers RLE4 as Windows does
    forms.push_back({"RLE4, OS/2 header", rle4, {kB, kR, kG, kK, kK, kR, kG, kR, kG, kR}});
    rle4.height = -2;
    forms.push_back({"RLE4 top-down", rle4, {kR, kG, kR, kG, kR, kB, kR, kG, kK, kK}});
    forms.push_back({"past the table: black",
                     {.width = 2, .colorsUsed = 2, .table = {kR, kG}, .bits = Rows({{1, 2}})}, {kG, kK}});

    const Bmp rgb555{.width = 2, .height = 2, .bitCount = 16, .bits = Words({0x7C00, 0x03E0, 0x001F, 0x4210}, 2)};
    forms.push_back({"16 bits 5-5-5", rgb555, {kB, 0x838383, kR, kG}});
    for (std::uint32_t header : {40u, 52u, 56u, 108u, 124u})
        forms.push_back({"16 bits 5-6-5, header " + std::to_string(header),
                         {.headerSize = header, .width = 2, .height = 2, .bitCount = 16, .compression = 3,
                          .masks = {0xF800, 0x07E0, 0x001F}, .bits = Words({0xF800, 0x8410, 0x07E0, 0x001F}, 2)},
                         {kG, kB, kR, 0x838183}});
    forms.push_back({"24 bits",
                     {.headerSize = 124, .width = 2, .height = -1, .bitCount = 24, .bits = Rows({{1, 2, 3, 4, 5, 6}})},
                     {0x030201, 0x060504}});
    const Bmp plain32{.headerSize = 56, .width = 2, .bitCount = 32, .bits = Words({0xAA102030, 0x00405060}, 4)};
    forms.push_back({"32 bits", plain32, {0x102030, 0x405060}});
    // Bit fields in another order, and channels wider than eight bits.
    Bmp fields{.width = 2, .bitCount = 32, .compression = 3, .masks = {0x000000FF, 0x0000FF00, 0x00FF0000},
               .bits = plain32.bits};
    forms.push_back({"32 bits, swapped fields", fields, {0x302010, 0x605040}});
    fields.masks = {0x3FF00000, 0x000FFC00, 0x000003FF};
    fields.bits = Words({0x3FF00200, 0x000FFC00}, 4);
    forms.push_back({"32 bits, ten-bit fields", fields, {0xFF0080, kG}});

    for (const Form& f : forms) {
        SCOPED_TRACE(f.name);
        // Held in the one form in memory: a 40-byte header, no compression.
        const DibHandle picture = DibFromBmpBytes(f.bmp.File());
        ASSERT_FALSE(picture.IsNull());
        EXPECT_TRUE(f.colours < 0 || DibColorCount(picture) == f.colours) << DibColorCount(picture);
        const std::optional<Pixels> px = DecodeDib(picture.View());
        ASSERT_TRUE(px);
        Colours argb;
        for (std::uint32_t c : f.topFirst)
            argb.push_back(0xFF000000u | c);
        const std::uint8_t* h = picture.Bytes().data();
        EXPECT_EQ(std::tuple(Get32(h), Get32(h + 16), px->width, px->height, px->argb),
                  std::tuple(40u, 0u, f.bmp.width, std::abs(f.bmp.height), argb));
    }

    // Damaged bitmaps of the broken-file corpus are refused there; these are
    // refused too, and a picture just below the memory cap loads.
    const Bmp base{.width = 4, .height = 2, .bitCount = 16, .compression = 3, .bits = Rows({Bytes(8), Bytes(8)})};
    Bmp odd = base, wide = base, fine = base;
    odd.headerSize = 20;
    wide.width = 32769;
    fine.masks = {0xF800, 0x07E0, 0x001F};
    for (const Bmp& bmp : {base, odd, wide}) // no masks, an unknown header size, too wide
        EXPECT_TRUE(DibFromBmpBytes(bmp.File()).IsNull()) << bmp.headerSize << " " << bmp.width;
    EXPECT_FALSE(DibFromBmpBytes(fine.File()).IsNull());
    const Bmp below{.width = 32768, .height = static_cast<std::int32_t>((kMaxDibBytes - 40 - 16) / 32768),
                    .compression = 1, .colorsUsed = 4, .table = kRgbk, .bits = {0, 1}};
    EXPECT_FALSE(DibFromBmpBytes(below.File()).IsNull());
}

// The decoder of the in-memory form reads more than the bitmap loader leaves
// there: bit fields, the larger headers, a table after 24 bits.
std::optional<Pixels> Decode(const Bytes& b) { return DecodeDib(DibBytes{b.data(), b.size(), 0}); }
Colours Px(const Bytes& b) {
    const auto p = Decode(b);
    return p ? p->argb : Colours{};
}
constexpr std::uint32_t kOpaque = 0xFF000000;

TEST(DibPixels, HeadersAndDirectColours) {
    EXPECT_FALSE(ParseDibHeader(DibBytes{nullptr, 0, 0}));
    const Bytes mono = Bmp{.width = 10, .height = 2, .bitCount = 1, .table = {kK, kW}, .bits = Bytes(8)}.Dib();
    const auto one = ParseDibHeader(DibBytes{mono.data(), mono.size(), 0});
    ASSERT_TRUE(one);
    EXPECT_EQ(std::tuple(one->stride, one->colorCount, one->bitsOffset, one->topDown), std::tuple(4u, 2, 48u, false));

    // 24 bits, 6 bytes padded to 8; also behind a V5 header. 32 bits: the fourth byte is ignored.
    const Bytes rows24 = {0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0, 0};
    for (std::uint32_t header : {40u, 124u})
        EXPECT_EQ(Px(Bmp{.headerSize = header, .width = 2, .bitCount = 24, .bits = rows24}.Dib()),
                  (Colours{kOpaque | kR, kOpaque | kB}));
    EXPECT_EQ(Px(Bmp{.width = 2, .bitCount = 32, .bits = {0x00, 0xFF, 0x00, 0x12, 0x01, 0x02, 0x03, 0x00}}.Dib()),
              (Colours{kOpaque | kG, 0xFF030201}));

    // Bit fields after a 40-byte header: 10-10-10 with red high.
    Bytes b = Bmp{.bitCount = 32, .compression = 3, .masks = {0x3FF00000u, 0x000FFC00u, 0x000003FFu},
                  .bits = Words({(0x3FFu << 20) | (0x200u << 10)}, 4)}.Dib();
    EXPECT_EQ(ParseDibHeader(DibBytes{b.data(), b.size(), 0})->bitsOffset, 52u);
    EXPECT_EQ(Px(b), (Colours{0xFFFF8000u}));
    Put(b, 40, 0x30F00000u); // a mask with a gap
    EXPECT_FALSE(Decode(b));
    for (std::size_t at : {40, 44, 48})
        Put(b, at, 0);
    EXPECT_FALSE(Decode(b));
    // Bit fields are for 32 bits only here.
    EXPECT_FALSE(Decode(Bmp{.width = 2, .bitCount = 24, .compression = 3, .bits = Bytes(8)}.Dib()));
}

TEST(DibPixels, RejectsWhatDoesNotFit) {
    const Bytes rows = {1, 2, 3, 0};
    const Bytes good = Bmp{.width = 3, .table = Colours(256), .bits = rows}.Dib();
    ASSERT_TRUE(Decode(good));
    // Truncated anywhere: bits, colour table, header.
    for (std::size_t n : {good.size() - 1, std::size_t{40 + 1024}, std::size_t{100}, std::size_t{39}, std::size_t{0}})
        EXPECT_FALSE(Decode(Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n)))) << n;

    // Where a field is patched, its new value, and why that is refused.
    const std::tuple<std::size_t, std::uint32_t, const char*> patches[] = {
        {0, 12, "OS/2 core header"}, {0, 64, "unknown header size"}, {0, 0xFFFFFFF0u, "huge"}, {4, 0, "width 0"},
        {4, static_cast<std::uint32_t>(-3), "negative width"}, {4, 32769, "too wide"}, {8, 0, "height 0"},
        {8, 32769, "too high"}, {8, static_cast<std::uint32_t>(INT_MIN), "least height"}, {8, 0x7FFFFFFF, "greatest"},
        {16, 1, "RLE8"}, {32, 257, "more colours than 8 bits hold"}, {32, 0xFFFFFFFFu, "all"},
        {12, 2, "two planes"}, {14, 16, "16 bits"}};
    for (const auto& [at, value, why] : patches) {
        Bytes b = good;
        Put(b, at, value, at == 12 || at == 14 ? 2 : 4);
        EXPECT_FALSE(Decode(b)) << why;
    }
    // Huge declared dimensions with few bytes: refused without allocating.
    EXPECT_FALSE(Decode(Bmp{.width = 32768, .height = 32768, .bitCount = 24, .bits = rows}.Dib()));
    // 24 bits with a colour table (biClrUsed) that is not there.
    EXPECT_FALSE(Decode(Bmp{.bitCount = 24, .colorsUsed = 1000, .bits = rows}.Dib()));
    EXPECT_TRUE(Decode(Bmp{.bitCount = 24, .colorsUsed = 1, .table = {0x010203}, .bits = rows}.Dib()));
}

TEST(DibPixels, EncodeDib24RoundTripsBottomUp) {
    Pixels p{3, 2, {kOpaque | kR, kOpaque | kG, kOpaque | kB, 0xFFFFFFFF, 0xFF000000, 0xFF102030}};
    const Bytes dib = EncodeDib24(p);
    ASSERT_EQ(dib.size(), 40u + 2 * 12);
    EXPECT_EQ((Bytes{dib[0], dib[14], dib[20], dib[40], dib[43]}), (Bytes{40, 24, 24, 0xFF, 0x00}));
    const auto back = Decode(dib);
    ASSERT_TRUE(back);
    EXPECT_EQ(std::tuple(back->width, back->height, back->argb), std::tuple(3, 2, p.argb));
    p.argb.pop_back();
    EXPECT_TRUE(EncodeDib24(p).empty() && EncodeDib24(Pixels{0, 2, {}}).empty()); // no width
    EXPECT_FALSE(EncodeDib24(Pixels{kMaxDibSide, 1, Colours(kMaxDibSide)}).empty()); // the widest
}

// A JPEG of the given pixels, encoded by libjpeg itself into memory (progressive: ten scans).
Bytes EncodeJpeg(int width, int height, J_COLOR_SPACE space, int components, const Bytes& pixels,
                 bool progressive = false) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = components;
    cinfo.in_color_space = space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    if (progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels.data() + cinfo.next_scanline * width * components);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}

// Every pixel the same components.
Bytes Flat(int width, int height, J_COLOR_SPACE space, Bytes pixel) {
    Bytes px;
    for (int i = 0; i < width * height; ++i)
        px.insert(px.end(), pixel.begin(), pixel.end());
    return EncodeJpeg(width, height, space, static_cast<int>(pixel.size()), px);
}

// Left half red, right half blue.
Bytes RedBlueJpeg(int width, int height) {
    Bytes px;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            px.insert(px.end(), {static_cast<std::uint8_t>(x < width / 2 ? 255 : 0), 0,
                                 static_cast<std::uint8_t>(x < width / 2 ? 0 : 255)});
    return EncodeJpeg(width, height, JCS_RGB, 3, px);
}

// Red, green, blue of pixel (x, y) of a bottom-up 24-bit DIB, y from the top.
std::array<int, 3> Pixel24(const Bytes& dib, int x, int y) {
    const std::size_t stride = ((Get32(dib.data() + 4) * 3 + 3) / 4) * 4;
    const std::uint8_t* p = dib.data() + 40 + (Get32(dib.data() + 8) - 1 - static_cast<unsigned>(y)) * stride + 3 * x;
    return {p[2], p[1], p[0]};
}

// A pixel of the decoded JPEG; -1s where it was refused.
std::array<int, 3> Decoded(const Bytes& jpeg, int x, int y) {
    const auto dib = DecodeJpegToDib(jpeg);
    return dib ? Pixel24(*dib, x, y) : std::array<int, 3>{-1, -1, -1};
}

// Where marker FF `code` starts, or 0.
std::size_t Marker(const Bytes& jpeg, std::uint8_t code) {
    for (std::size_t i = 2; i + 3 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == code)
            return i;
    return 0;
}

void ExpectNear(std::array<int, 3> got, std::array<int, 3> rgb, int within = 24) {
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_NEAR(got[i], rgb[i], within) << "channel " << i;
}

TEST(Jpeg, DecodesColourGreyAndCmykIntoBottomUp24BitDibs) {
    const auto dib = DecodeJpegToDib(RedBlueJpeg(16, 8));
    ASSERT_TRUE(dib);
    EXPECT_EQ(std::tuple(Bytes(dib->begin(), dib->begin() + 16), Get32(dib->data() + 32), dib->size()),
              std::tuple(Bytes{40, 0, 0, 0, 16, 0, 0, 0, 8, 0, 0, 0, 1, 0, 24, 0}, 0u, 40u + 48u * 8u));
    ExpectNear(Pixel24(*dib, 1, 0), {255, 0, 0});
    ExpectNear(Pixel24(*dib, 14, 7), {0, 0, 255});
    // Odd width: rows padded to four bytes.
    EXPECT_EQ(DecodeJpegToDib(RedBlueJpeg(5, 3)).value_or(Bytes{}).size(), 40u + 16u * 3u);

    // Top half dark, bottom half light: the bottom-up order shows.
    Bytes grey;
    for (int i = 0; i < 16 * 8; ++i)
        grey.push_back(i < 64 ? 40 : 220);
    const Bytes g = EncodeJpeg(8, 16, JCS_GRAYSCALE, 1, grey);
    ExpectNear(Decoded(g, 3, 2), {40, 40, 40});
    ExpectNear(Decoded(g, 3, 13), {220, 220, 220});
    EXPECT_EQ(Decoded(g, 3, 2)[0], Decoded(g, 3, 2)[2]);

    // CMYK as Adobe writes it (inks inverted): no cyan, full magenta and yellow, no black = red.
    ExpectNear(Decoded(Flat(8, 8, JCS_CMYK, {255, 0, 0, 255}), 4, 4), {255, 0, 0});
    // Without the Adobe marker (APP14) the inks are taken as written.
    Bytes plain = Flat(8, 8, JCS_CMYK, {0, 255, 255, 0});
    const std::size_t app14 = Marker(plain, 0xEE);
    ASSERT_GT(app14, 0u);
    plain.erase(plain.begin() + static_cast<long>(app14),
                plain.begin() + static_cast<long>(app14 + 2 + (plain[app14 + 2] << 8 | plain[app14 + 3])));
    ExpectNear(Decoded(plain, 4, 4), {255, 0, 0});
    // Two components of no known colour space: the first is shown as grey.
    ExpectNear(Decoded(Flat(8, 8, JCS_UNKNOWN, {200, 50}), 2, 2), {200, 200, 200});

    // Damaged or oversized streams are refused.
    const Bytes jpeg = RedBlueJpeg(32, 32);
    Bytes junk(500);
    for (std::size_t i = 0; i < junk.size(); ++i)
        junk[i] = static_cast<std::uint8_t>(i * 31 + 7);
    for (const Bytes& bad : {Bytes{}, Bytes(jpeg.begin(), jpeg.begin() + 20), Bytes{'B', 'M', 0, 0, 0, 0}, junk})
        EXPECT_FALSE(DecodeJpegToDib(bad)) << bad.size();

    for (const JpegLimits& limits : {JpegLimits{.maxWidth = 31}, JpegLimits{.maxHeight = 31},
                                     JpegLimits{.maxOutputBytes = 40 + 96 * 32 - 1}})
        EXPECT_FALSE(DecodeJpegToDib(jpeg, limits));
    EXPECT_TRUE(DecodeJpegToDib(jpeg, JpegLimits{.maxOutputBytes = 40 + 96 * 32}));
    const Bytes scans = EncodeJpeg(8, 8, JCS_RGB, 3, Bytes(8 * 8 * 3, 90), true);
    EXPECT_TRUE(DecodeJpegToDib(scans, {.maxScans = 10}) && !DecodeJpegToDib(scans, {.maxScans = 9}));

    // A header that claims a huge picture is refused before decoding:
    // patch the frame header's height and width (SOF0: FF C0 len p h h w w).
    Bytes big = jpeg;
    const std::size_t frame = Marker(big, 0xC0);
    ASSERT_GT(frame, 0u);
    big[frame + 5] = big[frame + 6] = big[frame + 7] = big[frame + 8] = 0xFF;
    EXPECT_FALSE(DecodeJpegToDib(big));
}

TEST(Jpeg, ReductionGivesAnEightBitPictureOfTheNearestFixedColours) {
    // 3 x 2, bottom row first: red, white, grey 100 / (10, 200, 30), black, (250, 128, 0).
    Bmp source{.width = 3, .height = 2, .bitCount = 24,
               .bits = Rows({{0, 0, 255, 255, 255, 255, 100, 100, 100}, {30, 200, 10, 0, 0, 0, 0, 128, 250}})};
    const Bytes dib = source.Dib();
    const Bytes reduced = ReduceTo256Colors(dib);
    ASSERT_EQ(reduced.size(), 40u + 1024u + 4u * 2u);
    EXPECT_EQ(std::tuple(Bytes(reduced.begin() + 4, reduced.begin() + 16), Get32(reduced.data() + 32)),
              std::tuple(Bytes{3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 8, 0}, 256u));

    const auto colourOf = [&](int row, int x) {
        const std::uint8_t index = reduced[40 + 1024 + static_cast<std::size_t>(row * 4 + x)];
        const std::uint8_t* e = reduced.data() + 40 + 4 * index;
        return std::array<int, 3>{e[2], e[1], e[0]};
    };
    // Exact where the table holds the colour; 102 is a grey, not a tinted cube colour.
    EXPECT_EQ((std::vector{colourOf(0, 0), colourOf(0, 1), colourOf(0, 2), colourOf(1, 1)}),
              (std::vector<std::array<int, 3>>{{255, 0, 0}, {255, 255, 255}, {102, 102, 102}, {0, 0, 0}}));
    ExpectNear(colourOf(1, 0), {10, 200, 30}, 22);
    ExpectNear(colourOf(1, 2), {250, 128, 0}, 22);
    EXPECT_EQ(ReduceTo256Colors(dib), reduced); // deterministic

    // Anything but a sound 24-bit DIB comes back as it was.
    for (const Bytes& other :
         {Packed(3, 2, 8, Ramp(256)), Bytes(dib.begin(), dib.end() - 1), Bytes{}, Patched(dib, 4, 0), Patched(dib, 0, 12)})
        EXPECT_EQ(ReduceTo256Colors(other), other) << other.size();
}

TEST(LoadPicture, ReadsBmpFilesByRelativePathInAnyCaseAndJpgByName) {
    const test::TempDir dir_;
    GlobalState state_;
    state_.programDir = ToWindowsPath(dir_.Path(), true);
    const Bytes jpeg = RedBlueJpeg(10, 6);
    const Bytes bmp = Bmp{.width = 10, .height = 6, .bitCount = 24, .bits = Bytes(32 * 6)}.File();
    dir_.Write("BILDER/800/Logo.bmp", bmp);
    dir_.Write("empty.bmp", Bytes{});
    for (const char* name : {"a/bild.jpg", "b/BILD.JPG"})
        dir_.Write(name, jpeg);
    std::filesystem::resize_file(dir_ / "b/BILD.JPG", kMaxPictureFileBytes); // the largest file read
    for (const char* name : {"jpgs/pic.bmp", "c/fake.jpg"})
        dir_.Write(name, bmp);
    // Width, height and bits per pixel of what was loaded.
    const auto loaded = [&state_](const char* path) {
        const DibHandle pic = LoadPicture(state_, path);
        return pic.IsNull() ? std::string("none")
                            : std::to_string(DibSize(pic).cx) + "x" + std::to_string(DibSize(pic).cy) + "/" +
                                  std::to_string(pic.Bytes()[14]);
    };
    for (const char* path : {"BILDER\\800\\Logo.bmp", "bilder\\800\\LOGO.BMP", "a\\bild.jpg", "b\\BILD.JPG",
                             "a\\Bild.Jpg"})
        EXPECT_EQ(loaded(path), "10x6/24") << path;
    // Missing, a folder, damaged; and the name decides, not the content:
    // "JPG" anywhere in the path takes the JPEG route.
    for (const char* path : {"BILDER\\800\\Missing.bmp", "BILDER\\800", "empty.bmp", "jpgs\\pic.bmp", "c\\fake.jpg"})
        EXPECT_EQ(loaded(path), "none") << path;

    // On an 8-bit screen the JPEG is reduced to 256 colours; BMPs are not.
    state_.colorDepth = 8;
    EXPECT_EQ(loaded("a\\bild.jpg") + " " + loaded("BILDER\\800\\Logo.bmp"), "10x6/8 10x6/24");
    EXPECT_EQ(DibColorCount(LoadPicture(state_, "a\\bild.jpg")), 256);

    // Only the path below the program directory changes case; the JPEG
    // route still looks at the whole path, in upper case.
    dir_.Write("Cat/BILDER/a.bmp", bmp);
    dir_.Write("cat/BILDER/a.bmp", Bmp{.width = 3, .height = 2, .bitCount = 24, .bits = Bytes(12 * 2)}.File());
    state_.programDir = ToWindowsPath(dir_.Path() / "Cat", true);
    EXPECT_EQ(loaded("bilder\\A.bmp"), "10x6/24");
    state_.programDir = ToWindowsPath(dir_.Path() / "jpgs", true);
    EXPECT_EQ(loaded("pic.bmp"), "none");
}

TEST(Draw, PicturesByAnchorScaledAndStretched) {
    const DibHandle pic = DibFromBytes(EncodeDib24(Pixels{40, 30, Colours(40 * 30)})); // black
    RecordingDc dc;
    for (const auto anchor : {kAnchorTopLeft, kAnchorBottom, kAnchorRight})
        DrawDib(dc, pic, 100, 50, anchor);
    const DibHandle none; // draws nothing
    DrawDib(dc, none, 1, 2, kAnchorTopLeft);
    DrawDibScaled(dc, GlobalState{}, none, 1, 2, kAnchorTopLeft);
    DrawResourceDib(dc, none, 1, 2, kAnchorRight);
    DrawDibStretched(dc, none, 1, 2, 0, 0, 10, 10);
    EXPECT_EQ(test::Dump(dc.Calls()), "dib 100,50,140,80 from 0,0,40,30\n"
                                      "dib 100,20,140,50 from 0,0,40,30\n"
                                      "dib 60,50,100,80 from 0,0,40,30\n");

    // Scaled and stretched pictures use colour on colour.
    GlobalState state;
    ApplyScreenMode(state, ScreenModeForWidth(800));
    RecordingDc scaled, resource, stretched;
    DrawDibScaled(scaled, state, pic, 14, 64, kAnchorRight);
    DrawResourceDib(resource, pic, 5, 6, kAnchorBottom);
    DrawDibStretched(stretched, pic, 10, 20, 3, 4, 200, 100);
    DrawDibStretched(stretched, pic, 10, 20, 3, 4, 200, 0); // height 0: own size
    for (const RecordingDc* each : {&scaled, &resource, &stretched})
        EXPECT_EQ(each->GetStretchBltMode(), COLORONCOLOR);

    // A font is made smaller until the texts fit, down to 8, and the one selected before stays selected.
    RecordingDc fit;
    fit.SelectFont(Font{"Arial", -12});
    EXPECT_EQ(FitFont(fit, Font{"Arial", 20}, {"abcd", "ef"}, 4, 40, 100).height, 13);
    EXPECT_EQ(FitFont(fit, Font{"Arial", 20}, {"abcd"}, 0, 1, 100).height, 8);
    EXPECT_EQ(fit.GetFont(), (Font{"Arial", -12}));
    EXPECT_EQ(test::Dump(scaled.Calls()) + test::Dump(resource.Calls()) + test::Dump(stretched.Calls()),
              "dib -23,81,17,111 from 0,0,40,30\n"
              "dib 5,-24,45,6 from 0,0,40,30\n"
              "dib 10,20,210,120 from 3,4,43,34\n"
              "dib 10,20,50,50 from 3,4,43,34\n");
}

TEST(Draw, SunkenFrameDrawsFillThenFourEdgesAndRestoresThePen) {
    RecordingDc dc;
    const Pen before{PenStyle::Dot, 3, Rgb(1, 2, 3)};
    dc.SelectPen(before);
    DrawSunkenFrame(dc, 10, 20, 100, 30);
    // Right and bottom, left and top, then the inner pair one unit in (the
    // inner left edge from one unit up).
    EXPECT_EQ(test::Dump(dc.Calls()), "fill 10,20,110,50 #ffffff\n"
                                      "line 110,20 110,50 10,50 solid/1 #c0c0c0\n"
                                      "line 10,50 10,20 110,20 solid/1 #808080\n"
                                      "line 111,21 111,51 11,51 solid/1 #ffffff\n"
                                      "line 11,50 11,21 111,21 solid/1 #000000\n");
    EXPECT_EQ(dc.GetPen(), before);
}

TEST(Draw, LinesMappingAndScaledText) {
    RecordingDc dc;
    const Pen before{PenStyle::Solid, 2, Rgb(9, 9, 9)};
    dc.SelectPen(before);
    DrawDottedLine(dc, 1, 2, 30, 2, Rgb(10, 20, 30));
    DrawBlackLine(dc, 5, 6, 5, 60);
    EXPECT_EQ(test::Dump(dc.Calls()), "line 1,2 30,2 dot/1 #0a141e\n"
                                      "line 5,6 5,60 solid/1 #000000\n");
    EXPECT_EQ(dc.GetPen(), before);

    GlobalState state;
    ApplyScreenMode(state, ScreenModeForWidth(1024));
    state.designRect = Rect{0, 0, 628, 430};
    RecordingDc mapped;
    UseDesignMapping(mapped, state.designRect, state.clientRect);
    EXPECT_EQ(std::tuple(mapped.GetMapMode(), mapped.GetWindowExt(), mapped.GetViewportExt()),
              std::tuple(MapMode::Anisotropic, Size{628, 430}, Size{1012, 718}));

    RecordingDc text;
    TextOutScaled(text, state, 628, 100, "Hauptmen\xfc");
    EXPECT_EQ(test::Dump(text.Calls()), "text 1012,167 \"Hauptmen\xfc\" Arial/0/400 #000000 fmt=0\n");
}

GlobalState StateFor(int width) {
    GlobalState state;
    ApplyScreenMode(state, ScreenModeForWidth(width));
    return state;
}

// Design values scale toward zero (not down) in every mode; the square flag
// scales heights like widths; values beyond the int range are pinned.
TEST(Scale, DesignValuesInEveryMode) {
    const GlobalState s640 = StateFor(640), s800 = StateFor(800), s1024 = StateFor(1024);
    EXPECT_EQ(ScaleRect(s800, 14, 64, 296, 352), (Rect{17, 81, 371, 450}));
    EXPECT_EQ(ScaleRect(s640, 14, 64, 296, 352), (Rect{14, 64, 296, 352}));
    EXPECT_EQ(ScaleRect(s1024, 14, 64, 296, 352), (Rect{22, 106, 477, 587}));
    EXPECT_EQ((std::vector<int>{ScaleX(s640, 628), ScaleX(s800, 628), ScaleX(s1024, 628), ScaleY(s800, 430),
                                ScaleY(s1024, 430), ScaleX(s800, -14), ScaleY(s800, -64), ScaleX(s1024, INT_MAX),
                                ScaleY(s1024, INT_MIN)}),
              (std::vector<int>{628, 788, 1012, 549, 718, -17, -81, INT_MAX, INT_MIN})); // 549.97, 718.1

    EXPECT_EQ(ScaleRectSquare(s1024, 10, 100, 20, 200, 1), (Rect{16, 161, 32, 322}));
    EXPECT_EQ(ScaleRectSquare(s1024, 10, 100, 20, 200, 0), (Rect{16, 167, 32, 334}));
    EXPECT_EQ(ScaleRect(s1024, 10, 100, 20, 200), (Rect{16, 167, 32, 334}));
    Rect r{1, 2, 3, 4};
    SetScaledRight(s1024, r, 628);
    EXPECT_EQ(r, (Rect{1, 2, 1012, 4}));
    EXPECT_EQ(ScaleRect(GlobalState{}, 5, 6, 7, 8), (Rect{0, 0, 0, 0})); // factors 0 before a mode is chosen
}

} // namespace
} // namespace qx
