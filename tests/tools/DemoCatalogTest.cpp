// Checks the demo catalogue that the generator writes at build time: the
// layout pictures the program loads at start-up, the language picture, the
// line ends of the texts and the video container.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path kDemo = QX_DEMO_DIR;

std::vector<unsigned char> ReadAll(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t U32(const std::vector<unsigned char>& b, size_t at)
{
    return at + 4 <= b.size() ? std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16
                                    | std::uint32_t(b[at + 3]) << 24
                              : 0;
}
std::uint16_t U16(const std::vector<unsigned char>& b, size_t at)
{
    return at + 2 <= b.size() ? std::uint16_t(b[at] | b[at + 1] << 8) : 0;
}
bool Tag(const std::vector<unsigned char>& b, size_t at, const char* tag)
{
    return at + 4 <= b.size() && std::equal(tag, tag + 4, b.begin() + std::ptrdiff_t(at));
}

struct Bmp {
    bool ok = false;
    int width = 0, height = 0;
    std::string why;
};

// A picture as the program's own reader takes it: "BM", a 40-byte info
// header, 24 bits, uncompressed, bits right after the header, whole rows.
Bmp ReadBmp(const fs::path& p)
{
    Bmp r;
    const auto b = ReadAll(p);
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') {
        r.why = "not a BMP";
        return r;
    }
    if (U32(b, 14) != 40) {
        r.why = "info header is not 40 bytes";
        return r;
    }
    r.width = int(U32(b, 18));
    r.height = int(U32(b, 22));
    const int bits = U16(b, 28);
    const size_t stride = (size_t(r.width) * 3 + 3) & ~size_t(3);
    if (bits != 24 || U32(b, 30) != 0 || U32(b, 10) != 54)
        r.why = "not an uncompressed 24-bit picture with its bits after the header";
    else if (U32(b, 2) != b.size() || b.size() != 54 + stride * size_t(r.height))
        r.why = "sizes in the header do not match the file";
    else
        r.ok = true;
    return r;
}

} // namespace

TEST(DemoCatalog, LayoutPicturesOfEveryScreenMode)
{
    if (!fs::exists(kDemo / "BILDER"))
        GTEST_SKIP() << "demo catalogue not generated";
    struct Mode {
        int width;
        double sx, sy;
    };
    for (const Mode m : {Mode{640, 1.0, 1.0}, Mode{800, 1.255, 1.279}, Mode{1024, 1.6115, 1.67}}) {
        const fs::path dir = kDemo / "BILDER" / "OHNE" / std::to_string(m.width);
        const int pageW = int(632 * m.sx);
        const int pageH = int(434 * m.sy);
        for (const char* page : {"Hintergrund_mit_logo.bmp", "Hintergrund.bmp", "QXStart.bmp"}) {
            SCOPED_TRACE(dir / page);
            const Bmp b = ReadBmp(dir / page);
            ASSERT_TRUE(b.ok) << b.why;
            EXPECT_EQ(b.width, pageW);
            EXPECT_EQ(b.height, pageH);
        }
        for (const char* small : {"Logo.bmp", "buttons/Up.bmp", "buttons/Down.bmp"}) {
            SCOPED_TRACE(dir / small);
            const Bmp b = ReadBmp(dir / small);
            ASSERT_TRUE(b.ok) << b.why;
            EXPECT_GT(b.width, 20);
            EXPECT_GT(b.height, 10);
            EXPECT_LE(b.width, pageW);
        }
    }
    const Bmp intro = ReadBmp(kDemo / "BILDER" / "OHNE" / "800" / "qxintro.bmp");
    ASSERT_TRUE(intro.ok) << intro.why;
    EXPECT_EQ(intro.width, 800);
    EXPECT_EQ(intro.height, 600);
    const Bmp back = ReadBmp(kDemo / "QXBACK.BMP");
    ASSERT_TRUE(back.ok) << back.why;
    EXPECT_GE(back.width, 1280);
    for (const char* logo : {"QTX_VZ.bmp", "DORNA.bmp", "DERUZA.bmp", "logo.bmp"})
        EXPECT_TRUE(ReadBmp(kDemo / logo).ok) << logo;
}

TEST(DemoCatalog, VideosAreMotionJpegAvi)
{
    const fs::path dir = kDemo / "VIDEO";
    if (!fs::exists(dir))
        GTEST_SKIP() << "no videos in the demo catalogue";
    int videos = 0;
    for (const auto& e : fs::recursive_directory_iterator(dir)) {
        if (!e.is_regular_file())
            continue;
        ++videos;
        SCOPED_TRACE(e.path());
        const auto b = ReadAll(e.path());
        ASSERT_TRUE(Tag(b, 0, "RIFF") && Tag(b, 8, "AVI "));
        ASSERT_EQ(U32(b, 4), b.size() - 8);
        // One motion-JPEG video stream; every frame a whole JPEG.
        ASSERT_TRUE(Tag(b, 12, "LIST") && Tag(b, 20, "hdrl") && Tag(b, 24, "avih"));
        const std::uint32_t frames = U32(b, 32 + 16);
        EXPECT_GT(frames, 0u);
        const size_t movi = 20 + U32(b, 16);
        ASSERT_TRUE(Tag(b, movi, "LIST") && Tag(b, movi + 8, "movi"));
        const size_t moviEnd = movi + 8 + U32(b, movi + 4);
        std::uint32_t chunks = 0;
        for (size_t at = movi + 12; at + 8 <= moviEnd; ++chunks) {
            ASSERT_TRUE(Tag(b, at, "00dc"));
            const std::uint32_t size = U32(b, at + 4);
            ASSERT_LE(at + 8 + size, moviEnd);
            EXPECT_TRUE(b[at + 8] == 0xFF && b[at + 9] == 0xD8 && b[at + 8 + size - 1] == 0xD9);
            at += 8 + size + (size & 1);
        }
        EXPECT_EQ(chunks, frames);
        EXPECT_TRUE(Tag(b, moviEnd, "idx1"));
    }
    EXPECT_GT(videos, 0);
}

TEST(DemoCatalog, CatalogueTextsUseCrLf)
{
    const fs::path dir = kDemo / "DATEN";
    if (!fs::exists(dir))
        GTEST_SKIP() << "demo catalogue not generated";
    for (const auto& e : fs::recursive_directory_iterator(dir)) {
        if (!e.is_regular_file())
            continue;
        const auto b = ReadAll(e.path());
        if (Tag(b, 0, "CRPT"))
            continue;
        for (size_t i = 0; i < b.size(); ++i)
            if (b[i] == '\n') {
                ASSERT_TRUE(i > 0 && b[i - 1] == '\r') << e.path() << " has a bare LF at byte " << i;
            }
    }
}
