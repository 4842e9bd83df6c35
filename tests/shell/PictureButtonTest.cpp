#include "shell/PictureButton.h"
#include "platform/core/DibPixels.h"
#include "platform/core/RecordingDc.h"

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
    const Rect upFace{0, 0, 4, 2};
    const Rect downFace{0, 0, 6, 3};
    CPictureButton button(pictures);

    auto draw = [&](unsigned action, bool selected, bool disabled, const char* caption,
                    bool focused = false) {
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
        return dc.Calls();
    };

    // Whole button: the up face stretched over it, white centred caption.
    auto calls = draw(DrawItem::DrawEntire, false, false, "Drucken");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].kind, DrawCall::Kind::Dib);
    EXPECT_EQ(calls[0].rect, (Rect{0, 0, 140, 22}));
    EXPECT_EQ(calls[0].src, upFace);
    EXPECT_EQ(calls[1].text, "Drucken");
    EXPECT_EQ(calls[1].color, Rgb(255, 255, 255));
    EXPECT_EQ(calls[1].format, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(calls[1].bkMode, BkMode::Transparent);

    // Pressed: the down face; released: the up face again.
    calls = draw(DrawItem::SelectChange, true, false, "A & B");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].kind, DrawCall::Kind::Dib);
    EXPECT_EQ(calls[0].src, downFace);
    EXPECT_EQ(calls[0].rect, (Rect{0, 0, 140, 22}));
    EXPECT_EQ(calls[1].text, "A & B"); // the "&" is drawn, not an underline
    const auto upCalls = draw(DrawItem::SelectChange, false, false, "x");
    ASSERT_FALSE(upCalls.empty());
    EXPECT_EQ(upCalls[0].src, upFace);

    // Disabled: gray caption on the up face. Focus only: no face.
    calls = draw(DrawItem::DrawEntire, false, true, "Notiz");
    EXPECT_EQ(calls[0].src, upFace);
    EXPECT_EQ(calls[1].color, Rgb(128, 128, 128));
    calls = draw(DrawItem::FocusChange, false, false, "Notiz");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].kind, DrawCall::Kind::DrawText);

    // The button that has the keyboard: black dots on white inside the face.
    calls = draw(DrawItem::DrawEntire, false, false, "Drucken", true);
    ASSERT_EQ(calls.size(), 4u);
    for (int i : {2, 3}) {
        EXPECT_EQ(calls[i].kind, DrawCall::Kind::Line);
        EXPECT_EQ(calls[i].points.front(), (Point{2, 2}));
        EXPECT_EQ(calls[i].points[2], (Point{137, 19}));
    }
    EXPECT_EQ(calls[2].pen.color, Rgb(255, 255, 255));
    EXPECT_EQ(calls[3].pen.style, PenStyle::Dot);
}

} // namespace
} // namespace qx
