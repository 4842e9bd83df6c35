#include "DrawItem.h"

#include <vector>

namespace qx {

void DrawFocusMark(Dc& dc, const Rect& rect) {
    if (rect.Width() <= 6 || rect.Height() <= 6)
        return;
    const std::vector<Point> frame{{rect.left + 2, rect.top + 2},
                                   {rect.right - 3, rect.top + 2},
                                   {rect.right - 3, rect.bottom - 3},
                                   {rect.left + 2, rect.bottom - 3},
                                   {rect.left + 2, rect.top + 2}};
    const Pen previous = dc.SelectPen(Pen{PenStyle::Solid, 1, Rgb(255, 255, 255)});
    dc.Polyline(frame);
    dc.SelectPen(Pen{PenStyle::Dot, 1, Rgb(0, 0, 0)});
    dc.Polyline(frame);
    dc.SelectPen(previous);
}

} // namespace qx
