// The demo catalogue the generator writes at build time: the layout pictures
// the program loads at start-up, read by its own reader, and the line ends of
// the texts. (The video page's tests play its video.)
#include "catalog/Picture.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace qx {
namespace {

namespace fs = std::filesystem;
const fs::path kDemo = QX_DEMO_DIR;

// The size the program sees; the bits right after the header, as the
// program reads them whatever the file header says.
Size BmpSize(const fs::path& p) {
    const std::string b = test::ReadAll(p);
    EXPECT_EQ(b.substr(10, 4), std::string("\x36\0\0\0", 4)) << p;
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
        for (const char* small : {"Logo.bmp", "buttons/Up.bmp", "buttons/Down.bmp"})
            EXPECT_TRUE(BmpSize(dir / small).cx > 20 && BmpSize(dir / small).cy > 10 &&
                        BmpSize(dir / small).cx <= m.page.cx) << dir / small;
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

} // namespace
} // namespace qx
