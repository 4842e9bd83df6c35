#pragma once
// The push button of nearly every page: its face is the shared up or down
// picture of the screen mode, stretched to the button, with the caption
// centred in white (gray when disabled). "&" is shown as it is. The button
// that has the keyboard carries a dotted frame.

#include "AppContext.h"
#include "platform/core/DrawItem.h"

namespace qx {

class CPictureButton {
public:
    explicit CPictureButton(const SharedPictures& pictures) : pictures_(&pictures) {}
    void DrawItemInto(const DrawItem& item) const;

private:
    const SharedPictures* pictures_;
};

} // namespace qx
