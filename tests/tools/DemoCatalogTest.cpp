// The demo catalogue the generator writes at build time: the layout pictures
// the program loads at start-up, read by its own reader; the line ends of the
// texts; the video container.
#include "catalog/Picture.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

namespace qx {
namespace {

namespace fs = std::filesystem;
const fs::path kDemo = QX_DEMO_DIR;

std::uint32_t U32(std::string_view b, std::size_t at) {
    if (at + 4 > b.size())
        return 0;
    const auto u = [&](std::size_t i) { return std::uint32_t(static_cast<unsigned char>(b[at + i])) << (8 * i); };
    return u(0) | u(1) | u(2) | u(3);
}

// The size the program sees; the bits right after the header, as the
// program reads them whatever the file header says.
Size BmpSize(const fs::path& p) {
    const std::string b = test::ReadAll(p);
    EXPECT_EQ(U32(b, 10), 54u) << p;
    return DibSize(DibFromBmpBytes({reinterpret_cast<const std::uint8_t*>(b.data()), b.size()}));
}

TEST(DemoCatalog, LayoutPicturesOfEveryScreenModeAndCrLfTexts) {
    if (!fs::exists(kDemo / "BILDER"))
        GTEST_SKIP() << "demo catalogue not generated";
    const struct {
        int width;
        Size page;
    } modes[] = {{640, {632, 434}}, {800, {793, 555}}, {1024, {1018, 724}}};
    for (const auto& m : modes) {
        const fs::path dir = kDemo / "BILDER" / "OHNE" / std::to_string(m.width);
        for (const char* page : {"Hintergrund_mit_logo.bmp", "Hintergrund.bmp", "QXStart.bmp"})
            EXPECT_EQ(BmpSize(dir / page), m.page) << dir / page;
        for (const char* small : {"Logo.bmp", "buttons/Up.bmp", "buttons/Down.bmp"}) {
            const Size s = BmpSize(dir / small);
            EXPECT_TRUE(s.cx > 20 && s.cy > 10 && s.cx <= m.page.cx) << dir / small;
        }
    }
    EXPECT_EQ(BmpSize(kDemo / "BILDER" / "OHNE" / "800" / "qxintro.bmp"), (Size{800, 600}));
    EXPECT_GE(BmpSize(kDemo / "QXBACK.BMP").cx, 1280);
    for (const char* logo : {"QTX_VZ.bmp", "DORNA.bmp", "DERUZA.bmp", "logo.bmp"})
        EXPECT_GT(BmpSize(kDemo / logo).cx, 0) << logo;

    for (const auto& e : fs::recursive_directory_iterator(kDemo / "DATEN")) {
        const std::string b = e.is_regular_file() ? test::ReadAll(e.path()) : "";
        if (b.starts_with("CRPT"))
            continue;
        for (std::size_t i = b.find('\n'); i != std::string::npos; i = b.find('\n', i + 1))
            ASSERT_TRUE(i > 0 && b[i - 1] == '\r') << e.path() << " has a bare LF at byte " << i;
    }
}

// One motion-JPEG stream: every chunk of "movi" a whole JPEG frame, as many
// as the main header counts, and the index after them.
TEST(DemoCatalog, VideosAreMotionJpegAvi) {
    if (!fs::exists(kDemo / "VIDEO"))
        GTEST_SKIP() << "no videos in the demo catalogue";
    int videos = 0;
    for (const auto& e : fs::recursive_directory_iterator(kDemo / "VIDEO")) {
        if (!e.is_regular_file())
            continue;
        ++videos;
        SCOPED_TRACE(e.path());
        const std::string b = test::ReadAll(e.path());
        const auto tag = [&](std::size_t at, const char* t) { return b.compare(at, 4, t) == 0; };
        ASSERT_TRUE(tag(0, "RIFF") && tag(8, "AVI ") && U32(b, 4) == b.size() - 8);
        ASSERT_TRUE(tag(12, "LIST") && tag(20, "hdrl") && tag(24, "avih"));
        const std::size_t movi = 20 + U32(b, 16);
        ASSERT_TRUE(tag(movi, "LIST") && tag(movi + 8, "movi"));
        const std::size_t end = movi + 8 + U32(b, movi + 4);
        std::uint32_t chunks = 0;
        for (std::size_t at = movi + 12; at + 8 <= end; ++chunks) {
            const std::uint32_t size = U32(b, at + 4);
            ASSERT_TRUE(tag(at, "00dc") && size >= 4 && at + 8 + size <= end);
            EXPECT_TRUE(b.compare(at + 8, 2, "\xFF\xD8") == 0 && b.compare(at + 6 + size, 2, "\xFF\xD9") == 0);
            at += 8 + size + (size & 1);
        }
        EXPECT_EQ(chunks, U32(b, 48));
        EXPECT_GT(chunks, 0u);
        EXPECT_TRUE(tag(end, "idx1"));
    }
    EXPECT_GT(videos, 0);
}

} // namespace
} // namespace qx
