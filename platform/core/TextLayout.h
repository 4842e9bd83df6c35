#pragma once
// The line breaking of DrawText, shared by every Dc implementation so that
// screen, printer and recording agree: explicit line breaks (CR LF, LF),
// word breaks at blanks when DT_WORDBREAK is set (a word longer than the
// line is broken between characters), tab expansion with DT_EXPANDTABS
// (tab stops every 8 average character widths), prefix processing ("&x" shows
// x, "&&" shows &) unless DT_NOPREFIX, and DT_SINGLELINE (line breaks shown
// as nothing, one line).

#include "Geometry.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

struct TextLine {
    std::string text; // bytes to draw, prefixes already removed
    int width = 0;    // logical units
};

// measure(bytes) gives the width of a run of text in logical units.
//
// Details (as Windows' DrawText): a line break at the very end adds no empty
// line, so "" gives no lines and "a\n" one; a lone CR also breaks a line. A
// trailing "&" is shown as it is. When a line is broken at blanks, the blanks
// at the break are dropped; blanks at the start of a paragraph are kept. With
// DT_WORDBREAK blanks and (with DT_EXPANDTABS) tabs are break points. An
// expanded tab becomes as many blanks as reach the next tab stop, the stop
// being 8 x the average width of the letters a-z, A-Z. maxWidth matters only
// with DT_WORDBREAK; every line then holds at least one character.
std::vector<TextLine> LayoutText(std::string_view text, int maxWidth, unsigned format,
                                 const std::function<int(std::string_view)>& measure);

// Placement of laid-out text in DrawText's rectangle, shared by every Dc.
// The x of a line of the given width (DT_LEFT, DT_CENTER, DT_RIGHT).
int AlignLineX(const Rect& rect, int lineWidth, unsigned format);
// The y of the first line of a block of the given height: the top, except that
// DT_VCENTER and DT_BOTTOM apply with DT_SINGLELINE (as in Windows).
int AlignBlockTop(const Rect& rect, int blockHeight, unsigned format);
// What DrawText returns: the bottom of the text block minus rect.top (the
// height of the text for top-aligned text).
int DrawTextResult(const Rect& rect, int blockHeight, unsigned format);
// DT_CALCRECT: the rectangle keeps its top left corner and takes the width of
// the widest line and the block's height; answers the height.
int FitRectToLines(const std::vector<TextLine>& lines, int blockHeight, Rect& rect);

} // namespace qx
