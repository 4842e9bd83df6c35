#pragma once
// The draw-item record of owner-drawn buttons and list items: what to draw,
// where, in which state, with which device context.

#include "Dc.h"
#include "Geometry.h"

#include <cstdint>
#include <string>

namespace qx {

struct DrawItem {
    enum Action : unsigned { DrawEntire = 1, SelectChange = 2, FocusChange = 4 };
    enum Kind { Button, ListBox, Other };
    Kind kind = Button;
    int controlId = 0;
    int itemId = -1;         // list item index
    unsigned action = DrawEntire;
    bool selected = false;   // button pressed / item selected
    bool disabled = false;
    bool focused = false;
    Dc* dc = nullptr;
    Rect rect{};             // device units of dc
    std::intptr_t itemData = 0;
    std::string itemText;    // button caption, or the text of a list item with strings
};

// The mark of the control that has the keyboard, a dotted frame inside rect:
// black dots on a white line, seen on any face or picture.
void DrawFocusMark(Dc& dc, const Rect& rect);

} // namespace qx
