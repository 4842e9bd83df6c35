#include "tests/common/TempDir.h"
#include "catalog/Picture.h"

#include "ground/GlobalState.h"
#include "platform/core/Path.h"
#include "platform/jpeg/Jpeg.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace qx {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// --- builders ---------------------------------------------------------------

void Put16(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}
std::uint32_t Get32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// A packed DIB with the given colour table; the bits are a repeating
// pattern. colorsUsed goes into the header as given.
Bytes MakeDib(int width, int height, int bitCount, const std::vector<std::uint32_t>& table,
              std::uint32_t colorsUsed = 0) {
    const std::size_t stride = ((static_cast<std::size_t>(width) * bitCount + 31) / 32) * 4;
    Bytes b(40 + 4 * table.size() + stride * static_cast<std::size_t>(std::abs(height)));
    Put32(b, 0, 40);
    Put32(b, 4, static_cast<std::uint32_t>(width));
    Put32(b, 8, static_cast<std::uint32_t>(height));
    Put16(b, 12, 1);
    Put16(b, 14, static_cast<std::uint32_t>(bitCount));
    Put32(b, 32, colorsUsed);
    for (std::size_t i = 0; i < table.size(); ++i)
        Put32(b, 40 + 4 * i, table[i]); // 0x00RRGGBB is blue, green, red, 0 in memory
    for (std::size_t i = 40 + 4 * table.size(); i < b.size(); ++i)
        b[i] = static_cast<std::uint8_t>(i * 7);
    return b;
}

Bytes WithFileHeader(const Bytes& dib) {
    Bytes file(14 + dib.size());
    file[0] = 'B';
    file[1] = 'M';
    Put32(file, 2, static_cast<std::uint32_t>(file.size()));
    std::copy(dib.begin(), dib.end(), file.begin() + 14);
    return file;
}

std::vector<std::uint32_t> Ramp(int n) {
    std::vector<std::uint32_t> t;
    for (int i = 0; i < n; ++i)
        t.push_back(static_cast<std::uint32_t>(0x010203 * (i + 1)));
    return t;
}

PaletteEntry EntryOf(std::uint32_t rgb) {
    return {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8), static_cast<std::uint8_t>(rgb)};
}

// A JPEG of the given pixels (components per pixel in `space`), encoded by
// libjpeg itself into memory.
Bytes EncodeJpeg(int width, int height, J_COLOR_SPACE space, int components, const Bytes& pixels,
                 int quality = 95) {
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
    jpeg_set_quality(&cinfo, quality, TRUE);
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

// Left half red, right half blue.
Bytes RedBlueJpeg(int width, int height) {
    Bytes px;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool left = x < width / 2;
            px.insert(px.end(), {static_cast<std::uint8_t>(left ? 255 : 0), 0,
                                 static_cast<std::uint8_t>(left ? 0 : 255)});
        }
    return EncodeJpeg(width, height, JCS_RGB, 3, px);
}

// Blue, green, red of pixel (x, y) of a bottom-up 24-bit DIB, y from the top.
struct Bgr {
    int b, g, r;
};
Bgr Pixel24(const Bytes& dib, int x, int y) {
    const int width = static_cast<int>(Get32(dib.data() + 4));
    const int height = static_cast<int>(Get32(dib.data() + 8));
    const std::size_t stride = ((static_cast<std::size_t>(width) * 3 + 3) / 4) * 4;
    const std::uint8_t* p = dib.data() + 40 + static_cast<std::size_t>(height - 1 - y) * stride + 3 * x;
    return {p[0], p[1], p[2]};
}

void ExpectNear(Bgr got, int r, int g, int b) {
    EXPECT_NEAR(got.r, r, 24);
    EXPECT_NEAR(got.g, g, 24);
    EXPECT_NEAR(got.b, b, 24);
}

using test::TempDir;

// --- DibHandle and header accessors ------------------------------------------

TEST(Picture, NullHandleIsNoPicture) {
    DibHandle none;
    EXPECT_TRUE(none.IsNull());
    EXPECT_EQ(DibSize(none), (Size{0, 0}));
    EXPECT_EQ(DibColorCount(none), 0);
    EXPECT_EQ(DibBits(none), 0u);
    EXPECT_EQ(none.Serial(), 0u);
    EXPECT_EQ(none.View().data, nullptr);
    FreePicture(none); // allowed
    EXPECT_EQ(MakePalette(none).size(), 6u);
}

TEST(Picture, HandlesShareOneBlockWithAProcessWideSerial) {
    DibHandle a = DibFromBytes(MakeDib(4, 3, 24, {}));
    DibHandle b = DibFromBytes(MakeDib(4, 3, 24, {}));
    ASSERT_FALSE(a.IsNull());
    ASSERT_FALSE(b.IsNull());
    EXPECT_NE(a.Serial(), 0u);
    EXPECT_NE(a.Serial(), b.Serial());
    DibHandle copy = a;
    EXPECT_EQ(copy, a);
    EXPECT_EQ(copy.Serial(), a.Serial());
    EXPECT_EQ(copy.View().data, a.View().data);
    EXPECT_EQ(a.View().serial, a.Serial());
    FreePicture(a);
    EXPECT_TRUE(a.IsNull());
    EXPECT_EQ(DibSize(copy), (Size{4, 3})); // the copy keeps the block alive
}

TEST(Picture, ColourCountAndBitsOffsetFollowTheHeader) {
    struct Case {
        int bits;
        std::uint32_t used;
        int expected;
    };
    for (const Case c : {Case{1, 0, 2}, Case{4, 0, 16}, Case{8, 0, 256}, Case{24, 0, 0}, Case{32, 0, 0},
                         Case{8, 5, 5}, Case{4, 3, 3}, Case{24, 2, 2}}) {
        SCOPED_TRACE(testing::Message() << c.bits << " bits, " << c.used << " used");
        DibHandle dib = DibFromBytes(MakeDib(5, 2, c.bits, Ramp(c.expected), c.used));
        ASSERT_FALSE(dib.IsNull());
        EXPECT_EQ(DibColorCount(dib), c.expected);
        EXPECT_EQ(DibBits(dib), 40u + 4u * static_cast<unsigned>(c.expected));
        EXPECT_EQ(DibSize(dib), (Size{5, 2}));
    }
    // Top-down pictures report a positive height.
    EXPECT_EQ(DibSize(DibFromBytes(MakeDib(5, -7, 24, {}))), (Size{5, 7}));
}

TEST(Picture, MalformedDibsGiveNull) {
    EXPECT_TRUE(DibFromBytes({}).IsNull());
    EXPECT_TRUE(DibFromBytes(Bytes(39, 0)).IsNull());

    Bytes good = MakeDib(4, 4, 24, {});
    ASSERT_FALSE(DibFromBytes(good).IsNull());

    Bytes cut = good;
    cut.resize(cut.size() - 1); // last row one byte short
    EXPECT_TRUE(DibFromBytes(cut).IsNull());

    struct Patch {
        std::size_t at;
        std::uint32_t value;
        const char* why;
    };
    for (const Patch p : {Patch{0, 0x7FFFFFF0, "huge header"}, Patch{0, 12, "core header"},
                          Patch{4, 0, "no width"}, Patch{8, 0x80000000, "least height"}}) {
        Bytes b = good;
        Put32(b, p.at, p.value);
        EXPECT_TRUE(DibFromBytes(b).IsNull()) << p.why;
    }
    Bytes manyColours = MakeDib(4, 4, 8, Ramp(256));
    Put32(manyColours, 32, 0xFFFFFFFF);
    EXPECT_TRUE(DibFromBytes(manyColours).IsNull());
    Bytes huge = good;
    Put32(huge, 4, 0x40000000);
    Put32(huge, 8, 0x40000000);
    EXPECT_TRUE(DibFromBytes(huge).IsNull());
}

TEST(Picture, BmpFileBytesNeedSignatureAndWholeDib) {
    const Bytes dib = MakeDib(3, 2, 8, Ramp(256));
    const Bytes file = WithFileHeader(dib);
    DibHandle pic = DibFromBmpBytes(file);
    ASSERT_FALSE(pic.IsNull());
    EXPECT_EQ(Bytes(pic.Bytes().begin(), pic.Bytes().end()), dib); // the rest of the file is the DIB

    Bytes wrong = file;
    wrong[1] = 'A';
    EXPECT_TRUE(DibFromBmpBytes(wrong).IsNull());
    EXPECT_TRUE(DibFromBmpBytes(Bytes(file.begin(), file.begin() + 13)).IsNull());
    EXPECT_TRUE(DibFromBmpBytes(Bytes(file.begin(), file.begin() + 14)).IsNull());
    EXPECT_TRUE(DibFromBmpBytes(Bytes(file.begin(), file.end() - 1)).IsNull());

    // The file header's bits offset is ignored: the bits follow the table.
    Bytes offset = file;
    Put32(offset, 10, 9999);
    EXPECT_FALSE(DibFromBmpBytes(offset).IsNull());
}

TEST(Picture, PaletteIsSixFixedColoursThenThePictures) {
    std::vector<std::uint32_t> colours = Ramp(16);
    DibHandle sixteen = DibFromBytes(MakeDib(4, 4, 4, colours));
    const Palette p = MakePalette(sixteen);
    ASSERT_EQ(p.size(), 16u);
    EXPECT_EQ(p[0], (PaletteEntry{0, 0, 0}));
    EXPECT_EQ(p[1], (PaletteEntry{255, 255, 255}));
    EXPECT_EQ(p[2], (PaletteEntry{255, 0, 52}));
    EXPECT_EQ(p[3], (PaletteEntry{128, 128, 128}));
    EXPECT_EQ(p[4], (PaletteEntry{192, 192, 192}));
    EXPECT_EQ(p[5], (PaletteEntry{0, 82, 255}));
    for (std::size_t i = 0; i < 10; ++i)
        EXPECT_EQ(p[6 + i], EntryOf(colours[i]));

    // Fewer than seven colours: just the fixed six.
    EXPECT_EQ(MakePalette(DibFromBytes(MakeDib(4, 4, 1, Ramp(2)))).size(), 6u);
    EXPECT_EQ(MakePalette(DibFromBytes(MakeDib(4, 4, 24, {}))).size(), 6u);
    // 256 colours: the last entry is picture colour 249.
    const Palette full = MakePalette(DibFromBytes(MakeDib(2, 2, 8, Ramp(256))));
    ASSERT_EQ(full.size(), 256u);
    EXPECT_EQ(full[255], EntryOf(Ramp(256)[249]));
    // A 24-bit picture with a large optional table is still capped.
    EXPECT_EQ(MakePalette(DibFromBytes(MakeDib(2, 2, 24, Ramp(300), 300))).size(), 256u);
}

// --- JPEG ----------------------------------------------------------------------

TEST(Jpeg, DecodesColourGreyAndCmykIntoBottomUp24BitDibs) {
    const Bytes jpeg = RedBlueJpeg(16, 8);
    const auto dib = DecodeJpegToDib(jpeg);
    ASSERT_TRUE(dib);
    EXPECT_EQ(Get32(dib->data()), 40u);
    EXPECT_EQ(Get32(dib->data() + 4), 16u);
    EXPECT_EQ(Get32(dib->data() + 8), 8u); // positive: bottom-up
    EXPECT_EQ((*dib)[14], 24);
    EXPECT_EQ(Get32(dib->data() + 32), 0u);
    EXPECT_EQ(dib->size(), 40u + 48u * 8u);
    ExpectNear(Pixel24(*dib, 1, 0), 255, 0, 0);
    ExpectNear(Pixel24(*dib, 14, 7), 0, 0, 255);

    // Odd width: rows padded to four bytes.
    const auto odd = DecodeJpegToDib(RedBlueJpeg(5, 3));
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->size(), 40u + 16u * 3u);
    EXPECT_FALSE(DibFromBytes(*odd).IsNull());

    // Top half dark, bottom half light: the bottom-up order shows.
    Bytes grey;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 8; ++x)
            grey.push_back(y < 8 ? 40 : 220);
    const auto g = DecodeJpegToDib(EncodeJpeg(8, 16, JCS_GRAYSCALE, 1, grey));
    ASSERT_TRUE(g);
    EXPECT_EQ((*g)[14], 24);
    const Bgr top = Pixel24(*g, 3, 2);
    const Bgr bottom = Pixel24(*g, 3, 13);
    ExpectNear(top, 40, 40, 40);
    ExpectNear(bottom, 220, 220, 220);
    EXPECT_EQ(top.r, top.g);
    EXPECT_EQ(top.g, top.b);

    // CMYK as Adobe writes it (inks inverted): no cyan, full magenta and
    // yellow, no black = red.
    Bytes cmyk;
    for (int i = 0; i < 8 * 8; ++i)
        cmyk.insert(cmyk.end(), {255, 0, 0, 255});
    const auto c = DecodeJpegToDib(EncodeJpeg(8, 8, JCS_CMYK, 4, cmyk));
    ASSERT_TRUE(c);
    EXPECT_EQ((*c)[14], 24);
    ExpectNear(Pixel24(*c, 4, 4), 255, 0, 0);

    // Without the Adobe marker the inks are taken as written: full magenta
    // and yellow, no cyan, no black = red again.
    Bytes plainInks;
    for (int i = 0; i < 8 * 8; ++i)
        plainInks.insert(plainInks.end(), {0, 255, 255, 0});
    Bytes plain = EncodeJpeg(8, 8, JCS_CMYK, 4, plainInks);
    bool stripped = false;
    for (std::size_t i = 2; i + 3 < plain.size(); ++i)
        if (plain[i] == 0xFF && plain[i + 1] == 0xEE) { // APP14, the Adobe marker
            const std::size_t length = static_cast<std::size_t>(plain[i + 2] << 8 | plain[i + 3]);
            plain.erase(plain.begin() + static_cast<long>(i), plain.begin() + static_cast<long>(i + 2 + length));
            stripped = true;
            break;
        }
    ASSERT_TRUE(stripped);
    const auto p = DecodeJpegToDib(plain);
    ASSERT_TRUE(p);
    ExpectNear(Pixel24(*p, 4, 4), 255, 0, 0);

    // Two components of no known colour space: the first is shown as grey.
    Bytes two;
    for (int i = 0; i < 8 * 8; ++i)
        two.insert(two.end(), {200, 50});
    const auto t = DecodeJpegToDib(EncodeJpeg(8, 8, JCS_UNKNOWN, 2, two));
    ASSERT_TRUE(t);
    ExpectNear(Pixel24(*t, 2, 2), 200, 200, 200);
}

TEST(Jpeg, DamagedOrOversizedStreamsAreRefused) {
    const Bytes jpeg = RedBlueJpeg(32, 32);
    EXPECT_FALSE(DecodeJpegToDib({}));
    EXPECT_FALSE(DecodeJpegToDib(Bytes(jpeg.begin(), jpeg.begin() + 20))); // no frame header yet
    EXPECT_FALSE(DecodeJpegToDib(Bytes{'B', 'M', 0, 0, 0, 0}));
    Bytes junk(500);
    for (std::size_t i = 0; i < junk.size(); ++i)
        junk[i] = static_cast<std::uint8_t>(i * 31 + 7);
    EXPECT_FALSE(DecodeJpegToDib(junk));

    // Cut inside the entropy-coded data (after the start of scan, FF DA):
    // shown as far as it goes.
    std::size_t scan = 0;
    for (std::size_t i = 0; i + 1 < jpeg.size() && scan == 0; ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA)
            scan = i;
    ASSERT_GT(scan, 0u);
    const std::size_t cut = scan + 20 + (jpeg.size() - scan - 20) / 2;
    const auto half = DecodeJpegToDib(Bytes(jpeg.begin(), jpeg.begin() + static_cast<long>(cut)));
    ASSERT_TRUE(half);
    EXPECT_EQ(Get32(half->data() + 4), 32u);

    JpegLimits narrow;
    narrow.maxWidth = 31;
    EXPECT_FALSE(DecodeJpegToDib(jpeg, narrow));
    JpegLimits low;
    low.maxHeight = 31;
    EXPECT_FALSE(DecodeJpegToDib(jpeg, low));
    JpegLimits small;
    small.maxOutputBytes = 40 + 96 * 32 - 1;
    EXPECT_FALSE(DecodeJpegToDib(jpeg, small));
    small.maxOutputBytes = 40 + 96 * 32;
    EXPECT_TRUE(DecodeJpegToDib(jpeg, small));

    // A header that claims a huge picture is refused before decoding:
    // patch the frame header's height and width (SOF0: FF C0 len p h h w w).
    Bytes big = jpeg;
    for (std::size_t i = 0; i + 8 < big.size(); ++i)
        if (big[i] == 0xFF && big[i + 1] == 0xC0) {
            big[i + 5] = big[i + 6] = big[i + 7] = big[i + 8] = 0xFF;
            break;
        }
    EXPECT_FALSE(DecodeJpegToDib(big));
}

TEST(Jpeg, ReductionGivesAnEightBitPictureOfTheNearestFixedColours) {
    // 3 x 2, bottom row first: red, white, grey 100 / (10, 200, 30), black, (250, 128, 0).
    Bytes dib = MakeDib(3, 2, 24, {});
    const std::size_t stride = 12;
    const std::uint8_t rows[2][9] = {{0, 0, 255, 255, 255, 255, 100, 100, 100},
                                     {30, 200, 10, 0, 0, 0, 0, 128, 250}};
    for (int y = 0; y < 2; ++y)
        std::copy(rows[y], rows[y] + 9, dib.begin() + 40 + static_cast<long>(y * stride));
    const Bytes reduced = ReduceTo256Colors(dib);
    ASSERT_EQ(reduced.size(), 40u + 1024u + 4u * 2u);
    EXPECT_EQ(reduced[14], 8);
    EXPECT_EQ(Get32(reduced.data() + 32), 256u);
    EXPECT_EQ(Get32(reduced.data() + 4), 3u);
    EXPECT_EQ(Get32(reduced.data() + 8), 2u);
    DibHandle handle = DibFromBytes(reduced);
    ASSERT_FALSE(handle.IsNull());
    EXPECT_EQ(DibColorCount(handle), 256);

    const auto colourOf = [&](int row, int x) {
        const std::uint8_t index = reduced[40 + 1024 + static_cast<std::size_t>(row) * 4 + static_cast<std::size_t>(x)];
        const std::uint8_t* e = reduced.data() + 40 + 4 * index;
        return Bgr{e[0], e[1], e[2]};
    };
    const auto expectExact = [](Bgr c, int r, int g, int b) {
        EXPECT_EQ(c.r, r);
        EXPECT_EQ(c.g, g);
        EXPECT_EQ(c.b, b);
    };
    expectExact(colourOf(0, 0), 255, 0, 0);
    expectExact(colourOf(0, 1), 255, 255, 255);
    expectExact(colourOf(0, 2), 102, 102, 102); // a grey, not a tinted cube colour
    expectExact(colourOf(1, 1), 0, 0, 0);
    for (const auto& [row, x, r, g, b] : {std::tuple{1, 0, 10, 200, 30}, std::tuple{1, 2, 250, 128, 0}}) {
        const Bgr c = colourOf(row, x);
        EXPECT_NEAR(c.r, r, 26);
        EXPECT_NEAR(c.g, g, 22);
        EXPECT_NEAR(c.b, b, 26);
    }
    EXPECT_EQ(ReduceTo256Colors(dib), reduced); // deterministic

    // Anything but a sound 24-bit DIB comes back as it was.
    const Bytes eight = MakeDib(3, 2, 8, Ramp(256));
    EXPECT_EQ(ReduceTo256Colors(eight), eight);
    Bytes cut(dib.begin(), dib.end() - 1);
    EXPECT_EQ(ReduceTo256Colors(cut), cut);
    EXPECT_TRUE(ReduceTo256Colors({}).empty());
}

// --- LoadPicture ---------------------------------------------------------------

class LoadPictureTest : public testing::Test {
protected:
    void SetUp() override { state_.programDir = ToWindowsPath(dir_.Path(), true); }
    TempDir dir_;
    GlobalState state_;
};

TEST_F(LoadPictureTest, ReadsBmpFilesByRelativePathInAnyCase) {
    const Bytes dib = MakeDib(6, 4, 24, {});
    dir_.Write("BILDER/800/Logo.bmp", WithFileHeader(dib));
    DibHandle pic = LoadPicture(state_, "BILDER\\800\\Logo.bmp");
    ASSERT_FALSE(pic.IsNull());
    EXPECT_EQ(DibSize(pic), (Size{6, 4}));
    EXPECT_FALSE(LoadPicture(state_, "bilder\\800\\LOGO.BMP").IsNull());
    EXPECT_TRUE(LoadPicture(state_, "BILDER\\800\\Missing.bmp").IsNull());
    EXPECT_TRUE(LoadPicture(state_, "BILDER\\800").IsNull()); // a folder
    // Damaged contents are refused by the byte-level reader tested above.
    dir_.Write("empty.bmp", Bytes{});
    EXPECT_TRUE(LoadPicture(state_, "empty.bmp").IsNull());
}

TEST_F(LoadPictureTest, JpgAnywhereInThePathTakesTheJpegRoute) {
    const Bytes jpeg = RedBlueJpeg(10, 6);
    const Bytes bmp = WithFileHeader(MakeDib(10, 6, 24, {}));
    dir_.Write("a/bild.jpg", jpeg);
    dir_.Write("b/BILD.JPG", jpeg);
    dir_.Write("jpgs/pic.bmp", bmp);
    dir_.Write("bmps/pic.bmp", bmp);
    dir_.Write("c/fake.jpg", bmp);

    for (const char* path : {"a\\bild.jpg", "b\\BILD.JPG", "a\\Bild.Jpg"}) {
        SCOPED_TRACE(path);
        DibHandle pic = LoadPicture(state_, path);
        ASSERT_FALSE(pic.IsNull());
        EXPECT_EQ(DibSize(pic), (Size{10, 6}));
        EXPECT_EQ(pic.Bytes()[14], 24);
    }
    // The name decides, not the content.
    EXPECT_TRUE(LoadPicture(state_, "jpgs\\pic.bmp").IsNull());
    EXPECT_FALSE(LoadPicture(state_, "bmps\\pic.bmp").IsNull());
    EXPECT_TRUE(LoadPicture(state_, "c\\fake.jpg").IsNull());

    // On an 8-bit screen the JPEG is reduced to 256 colours; BMPs are not.
    state_.colorDepth = 8;
    DibHandle reduced = LoadPicture(state_, "a\\bild.jpg");
    ASSERT_FALSE(reduced.IsNull());
    EXPECT_EQ(reduced.Bytes()[14], 8);
    EXPECT_EQ(DibColorCount(reduced), 256);
    EXPECT_EQ(DibSize(reduced), (Size{10, 6}));
    EXPECT_EQ(LoadPicture(state_, "bmps\\pic.bmp").Bytes()[14], 24);
}

TEST_F(LoadPictureTest, OnlyThePathBelowTheProgramDirectoryChangesCase) {
    dir_.Write("Cat/BILDER/a.bmp", WithFileHeader(MakeDib(6, 4, 24, {})));
    dir_.Write("cat/BILDER/a.bmp", WithFileHeader(MakeDib(3, 2, 24, {})));
    dir_.Write("jpg/a.bmp", WithFileHeader(MakeDib(3, 2, 24, {})));
    state_.programDir = ToWindowsPath(dir_.Path() / "Cat", true);
    EXPECT_EQ(DibSize(LoadPicture(state_, "bilder\\A.bmp")), (Size{6, 4}));
    // The JPEG route still looks at the whole path, in upper case.
    state_.programDir = ToWindowsPath(dir_.Path() / "jpg", true);
    EXPECT_TRUE(LoadPicture(state_, "a.bmp").IsNull());
}

} // namespace
} // namespace qx
