#include "Draw.h"

#include "Scale.h"
#include "ground/GlobalState.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

namespace qx {

namespace {

// Positions come from catalogue files and scaling; sums of two of them are
// taken in 64 bits and pinned so that no edge wraps around.
int Pin(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX));
}

Rect RectAt(int x, int y, int width, int height) {
    return Rect{x, y, Pin(std::int64_t{x} + width), Pin(std::int64_t{y} + height)};
}

constexpr ColorRef kWhite = Rgb(255, 255, 255);
constexpr ColorRef kLightGrey = Rgb(192, 192, 192);
constexpr ColorRef kGrey = Rgb(128, 128, 128);
constexpr ColorRef kBlack = Rgb(0, 0, 0);

Pen SolidPen(ColorRef color) {
    return Pen{PenStyle::Solid, 1, color};
}

void Line(Dc& dc, const Pen& pen, int x1, int y1, int x2, int y2) {
    const Pen old = dc.SelectPen(pen);
    dc.MoveTo(x1, y1);
    dc.LineTo(x2, y2);
    dc.SelectPen(old);
}

} // namespace

void UseDesignMapping(Dc& dc, const Rect& a, const Rect& b) {
    dc.SetMapMode(MapMode::Anisotropic);
    dc.SetWindowExt(a.right, a.bottom);
    dc.SetViewportExt(b.right, b.bottom);
}

void TextOutScaled(Dc& dc, const GlobalState& state, int x, int y, std::string_view text) {
    dc.TextOut(ScaleX(state, x), ScaleY(state, y), text);
}

Font FitFont(Dc& dc, Font font, std::initializer_list<std::string_view> texts, int gap, int width, int height) {
    const Font selected = dc.GetFont();
    for (; font.height > 8; --font.height) {
        dc.SelectFont(font);
        int needed = gap * (static_cast<int>(texts.size()) - 1);
        for (std::string_view text : texts)
            needed += dc.GetTextExtent(text).cx;
        if (needed <= width && dc.GetTextExtent("X").cy <= height)
            break;
    }
    dc.SelectFont(selected);
    return font;
}

void DrawDib(Dc& dc, const DibHandle& picture, int x, int y, int anchor) {
    if (picture.IsNull())
        return;
    const Size size = DibSize(picture);
    if (anchor == kAnchorBottom)
        y = Pin(std::int64_t{y} - size.cy);
    else if (anchor == kAnchorRight)
        x = Pin(std::int64_t{x} - size.cx);
    dc.StretchDib(RectAt(x, y, size.cx, size.cy), Rect{0, 0, size.cx, size.cy}, picture.View());
}

void DrawDibScaled(Dc& dc, const GlobalState& state, const DibHandle& picture, int designX, int designY,
                   int anchor) {
    dc.SetStretchBltMode(COLORONCOLOR);
    DrawDib(dc, picture, ScaleX(state, designX), ScaleY(state, designY), anchor);
}

void DrawResourceDib(Dc& dc, const DibHandle& resource, int x, int y, int anchor) {
    dc.SetStretchBltMode(COLORONCOLOR);
    DrawDib(dc, resource, x, y, anchor);
}

void DrawDibStretched(Dc& dc, const DibHandle& picture, int x, int y, int srcX, int srcY, int width,
                      int height) {
    dc.SetStretchBltMode(COLORONCOLOR);
    if (picture.IsNull())
        return;
    const Size size = DibSize(picture);
    if (height == 0) {
        width = size.cx;
        height = size.cy;
    }
    dc.StretchDib(RectAt(x, y, width, height), RectAt(srcX, srcY, size.cx, size.cy), picture.View());
}

void DrawSunkenFrame(Dc& dc, int x, int y, int width, int height) {
    const int right = Pin(std::int64_t{x} + width);
    const int bottom = Pin(std::int64_t{y} + height);
    // Bottom left, top left, top right, bottom right, bottom left.
    std::vector<Point> p = {{x, bottom}, {x, y}, {right, y}, {right, bottom}, {x, bottom}};
    const auto leftTop = [&p] { return std::vector<Point>(p.begin(), p.begin() + 3); };
    const auto rightBottom = [&p] { return std::vector<Point>(p.begin() + 2, p.end()); };

    dc.FillRect(Rect{x, y, right, bottom}, kWhite);
    const Pen old = dc.SelectPen(SolidPen(kLightGrey));
    dc.Polyline(rightBottom());
    dc.SelectPen(SolidPen(kGrey));
    dc.Polyline(leftTop());
    // The inner edge, one unit further in and down.
    for (Point& point : p) {
        point.x = Pin(std::int64_t{point.x} + 1);
        point.y = Pin(std::int64_t{point.y} + 1);
    }
    dc.SelectPen(SolidPen(kWhite));
    dc.Polyline(rightBottom());
    dc.SelectPen(SolidPen(kBlack));
    // The black edge starts one unit higher, stopping short of the white bottom edge.
    p[0].y = Pin(std::int64_t{p[0].y} - 1);
    dc.Polyline(leftTop());
    dc.SelectPen(old);
}

void DrawDottedLine(Dc& dc, int x1, int y1, int x2, int y2, ColorRef color) {
    Line(dc, Pen{PenStyle::Dot, 1, color}, x1, y1, x2, y2);
}

void DrawBlackLine(Dc& dc, int x1, int y1, int x2, int y2) {
    Line(dc, SolidPen(kBlack), x1, y1, x2, y2);
}

} // namespace qx
