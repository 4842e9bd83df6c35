#pragma once
// Drawing helpers shared by every page: pictures, design-unit text and
// mapping, the sunken frame around input fields, and thin lines. All of them
// draw nothing for a null picture and leave the pen as they found it.

#include "Picture.h"
#include "platform/core/Dc.h"
#include "platform/core/Geometry.h"

#include <initializer_list>
#include <string_view>

namespace qx {

struct GlobalState;

// Where (x, y) lies on a picture drawn by DrawDib and its kin.
enum DibAnchor : int {
    kAnchorTopLeft = 0, // (x, y) is the top left corner
    kAnchorBottom = 1,  // y is the bottom edge
    kAnchorRight = 2,   // x is the right edge
};

// Anisotropic mapping of window extent (a.right, a.bottom) onto viewport
// extent (b.right, b.bottom). With designRect and clientRect, output in design
// units then fills the client area.
void UseDesignMapping(Dc& dc, const Rect& a, const Rect& b);

// Text at the scaled position of design point (x, y).
void TextOutScaled(Dc& dc, const GlobalState& state, int x, int y, std::string_view text);

// The font (a cell height), or a smaller size of it down to 8, in which the
// texts side by side, gap apart, are at most width wide and one line at most
// height high: for headings whose places are fixed while their texts run
// long. The selected font is left as it was.
Font FitFont(Dc& dc, Font font, std::initializer_list<std::string_view> texts, int gap, int width, int height);

// The whole picture 1:1 at (x, y), placed by the anchor.
void DrawDib(Dc& dc, const DibHandle& picture, int x, int y, int anchor);

// Stretch mode colour-on-colour, then DrawDib at the scaled design point.
void DrawDibScaled(Dc& dc, const GlobalState& state, const DibHandle& picture, int designX, int designY,
                   int anchor);

// DrawDib for a bitmap resource (a handle made with DibFromBytes), with
// stretch mode colour-on-colour.
void DrawResourceDib(Dc& dc, const DibHandle& resource, int x, int y, int anchor);

// Stretch mode colour-on-colour; the picture's own width and height of
// pixels from (srcX, srcY) on are drawn into width x height at (x, y). When
// height is 0 the destination takes the picture's own size. The device
// context clips a source that runs past the picture.
void DrawDibStretched(Dc& dc, const DibHandle& picture, int x, int y, int srcX, int srcY, int width,
                      int height);

// A white field with a two-pixel sunken edge: light grey and grey outside,
// white and black inside, over the rectangle (x, y)-(x + width, y + height).
void DrawSunkenFrame(Dc& dc, int x, int y, int width, int height);

// A dotted line one unit wide in the colour.
void DrawDottedLine(Dc& dc, int x1, int y1, int x2, int y2, ColorRef color);

// A solid black line one unit wide.
void DrawBlackLine(Dc& dc, int x1, int y1, int x2, int y2);

} // namespace qx
