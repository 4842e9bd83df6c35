#include "shell/PictureButton.h"
#include "resources/Bitmaps.h"
#include "resources/Menus.h"
#include "platform/core/DibPixels.h"
#include "platform/core/RecordingDc.h"
#include "tests/common/DrawDump.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

// Faces of different sizes, so that the source rectangle tells which was drawn.
DibHandle Face(unsigned rgb, int width, int height) {
    Pixels px{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width * height), 0xFF000000u | rgb)};
    return DibFromBytes(EncodeDib24(px));
}

TEST(PictureButton, FacesCaptionColourAndAmpersand) {
    SharedPictures pictures;
    pictures.buttonUp = Face(0x0000FF, 4, 2);
    pictures.buttonDown = Face(0xFF0000, 6, 3);
    CPictureButton button(pictures);

    auto draw = [&](unsigned action, bool selected, bool disabled, const char* caption, bool focused = false) {
        RecordingDc dc({200, 40});
        DrawItem item;
        item.dc = &dc;
        item.rect = Rect{0, 0, 140, 22};
        item.action = action;
        item.selected = selected;
        item.disabled = disabled;
        item.itemText = caption;
        item.focused = focused;
        button.DrawItemInto(item);
        return test::Dump(dc.Calls());
    };
    const auto face = [](const char* from, const char* caption, const char* colour = "#ffffff") {
        return std::string(from ? "dib 0,0,140,22 from 0,0," : "") + (from ? from : "") + (from ? "\n" : "") +
               "drawtext 0,0,140,22 \"" + caption + "\" Arial/0/400 " + colour + " fmt=825 clear\n";
    };
    // Whole button: the up face (4 x 2) stretched over it, white centred caption.
    EXPECT_EQ(draw(DrawItem::DrawEntire, false, false, "Drucken"), face("4,2", "Drucken"));
    // Pressed: the down face (6 x 3), the "&" drawn, not an underline; released: the up face again.
    EXPECT_EQ(draw(DrawItem::SelectChange, true, false, "A & B"), face("6,3", "A & B"));
    EXPECT_EQ(draw(DrawItem::SelectChange, false, false, "x"), face("4,2", "x"));
    // Disabled: gray caption on the up face. Focus only: no face.
    EXPECT_EQ(draw(DrawItem::DrawEntire, false, true, "Notiz"), face("4,2", "Notiz", "#808080"));
    EXPECT_EQ(draw(DrawItem::FocusChange, false, false, "Notiz"), face(nullptr, "Notiz"));
    // The button that has the keyboard: black dots on white inside the face.
    EXPECT_EQ(draw(DrawItem::DrawEntire, false, false, "Drucken", true),
              face("4,2", "Drucken") + "line 2,2 137,2 137,19 2,19 2,2 solid/1 #ffffff\n"
                                       "line 2,2 137,2 137,19 2,19 2,2 dot/1 #000000\n");
}

// The seal drawn beside sealed products: a red rosette with a white tick.
TEST(Seal, ARedRosetteWithAWhiteTick) {
    const std::vector<std::uint8_t> bytes = SealBitmap();
    const std::optional<Pixels> px = DecodeDib(DibBytes{bytes.data(), bytes.size(), 0});
    ASSERT_TRUE(px);
    std::string rows;
    for (int y : {0, 8}) {
        for (int x = 0; x < px->width; ++x) {
            const std::uint32_t c = px->argb[static_cast<std::size_t>(y * px->width + x)];
            rows += c == 0xFFFFFFFF ? '.' : c == 0xFFD81E34 ? 'R' : c == 0xFFB0102A ? 'r' : '?';
        }
        rows += '|';
    }
    EXPECT_EQ(rows, "......rr..rr......|.rRR..RRRR...RRRr.|");
}

std::vector<int> Commands(const std::vector<MenuItem>& items) {
    std::vector<int> out;
    for (const MenuItem& i : items)
        out.push_back(i.IsSeparator() ? 0 : i.IsPopup() ? -1 : i.command);
    return out;
}

// The language submenu lists the menu's own language first.
TEST(Menus, TheLanguageOfTheMenuComesFirst) {
    EXPECT_EQ(Commands(MenuOfLanguage(1)[0].children[7].children), (std::vector<int>{40033, 40032, 40057, 40058}));
    EXPECT_EQ(Commands(MenuOfLanguage(0)[0].children[7].children), (std::vector<int>{40032, 40033, 40057, 40058}));
}

} // namespace
} // namespace qx
