#include "PictureButton.h"

#include "catalog/Draw.h"

#include <cstdlib>

namespace qx {

void CPictureButton::DrawItemInto(const DrawItem& item) const {
    if (item.kind != DrawItem::Button || !item.dc)
        return;
    Dc& dc = *item.dc;
    dc.SetBkMode(BkMode::Transparent);
    std::string caption = item.itemText.substr(0, 127);

    const DibHandle* face = nullptr;
    if (item.action & DrawItem::DrawEntire)
        face = &pictures_->buttonUp;
    if (item.action & DrawItem::SelectChange)
        face = item.selected ? &pictures_->buttonDown : &pictures_->buttonUp;
    if (face) {
        dc.SetStretchBltMode(COLORONCOLOR);
        DrawDibStretched(dc, *face, 0, 0, 0, 0, item.rect.right, item.rect.bottom);
    }
    dc.SetTextColor(item.disabled ? Rgb(128, 128, 128) : Rgb(255, 255, 255));
    // A caption wider than its button is drawn a little smaller rather than
    // cut: the small screen mode leaves some captions no room.
    Font font = dc.GetFont();
    const int room = item.rect.Width() - 4;
    const int smallest = font.height < 0 ? -9 : 10;
    while (dc.GetTextExtent(caption).cx > room && font.height != 0 && std::abs(font.height) > std::abs(smallest)) {
        font.height += font.height < 0 ? 1 : -1;
        dc.SelectFont(font);
    }
    Rect r = item.rect;
    dc.DrawText(caption, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (item.focused)
        DrawFocusMark(dc, item.rect);
}

} // namespace qx
