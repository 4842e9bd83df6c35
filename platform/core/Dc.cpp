#include "platform/core/Dc.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace qx {

namespace {

// GDI_ROUND: round half up, on doubles, and clamped so that a wild value
// cannot overflow the conversion to int.
int RoundToInt(double v) {
    const double r = std::floor(v + 0.5);
    if (!(r > static_cast<double>(INT_MIN)))
        return INT_MIN;
    if (r > static_cast<double>(INT_MAX))
        return INT_MAX;
    return static_cast<int>(r);
}

} // namespace

MapMode Dc::SetMapMode(MapMode mode) {
    const MapMode old = mapMode_;
    // GDI leaves everything alone when an isotropic or anisotropic context is
    // set to the mode it already has.
    if (mode == old && mode != MapMode::Text)
        return old;
    switch (mode) {
    case MapMode::Text:
        windowExt_ = {1, 1};
        viewportExt_ = {1, 1};
        break;
    case MapMode::Isotropic: {
        // GDI starts an isotropic mapping with the MM_LOMETRIC extents
        // (0.1 mm per unit, y up); programs then set their own extents.
        const int hres = GetDeviceCaps(DeviceCap::HorzRes);
        const int vres = GetDeviceCaps(DeviceCap::VertRes);
        const int dpiX = GetDeviceCaps(DeviceCap::LogPixelsX);
        const int dpiY = GetDeviceCaps(DeviceCap::LogPixelsY);
        const long long h = hres > 0 ? hres : 1;
        const long long v = vres > 0 ? vres : 1;
        const long long dx = dpiX > 0 ? dpiX : 96;
        const long long dy = dpiY > 0 ? dpiY : 96;
        const long long wx = (h * 254 + dx / 2) / dx;
        const long long wy = (v * 254 + dy / 2) / dy;
        windowExt_ = {static_cast<int>(wx > 0 && wx <= INT_MAX ? wx : 1),
                      static_cast<int>(wy > 0 && wy <= INT_MAX ? wy : 1)};
        viewportExt_ = {static_cast<int>(h), -static_cast<int>(v)};
        break;
    }
    case MapMode::Anisotropic:
        // Keeps the extents of the previous mode, as GDI does.
        break;
    }
    mapMode_ = mode;
    return old;
}

void Dc::FixIsotropic() {
    // MAPPING_FixIsotropic: square device pixels assumed. The axis with the
    // larger scale is shrunk to the other's, keeping its direction.
    const double xdim = std::fabs(static_cast<double>(viewportExt_.cx) / windowExt_.cx);
    const double ydim = std::fabs(static_cast<double>(viewportExt_.cy) / windowExt_.cy);
    if (xdim > ydim) {
        const int minimum = viewportExt_.cx >= 0 ? 1 : -1;
        viewportExt_.cx = RoundToInt(viewportExt_.cx * ydim / xdim);
        if (viewportExt_.cx == 0)
            viewportExt_.cx = minimum;
    } else if (ydim > xdim) {
        const int minimum = viewportExt_.cy >= 0 ? 1 : -1;
        viewportExt_.cy = RoundToInt(viewportExt_.cy * xdim / ydim);
        if (viewportExt_.cy == 0)
            viewportExt_.cy = minimum;
    }
}

Size Dc::SetWindowExt(int cx, int cy) {
    const Size old = windowExt_;
    // Extents are fixed in text mode; zero extents are refused (GDI fails the call).
    if (mapMode_ == MapMode::Text || cx == 0 || cy == 0)
        return old;
    windowExt_ = {cx, cy};
    if (mapMode_ == MapMode::Isotropic)
        FixIsotropic();
    return old;
}

Size Dc::SetViewportExt(int cx, int cy) {
    const Size old = viewportExt_;
    if (mapMode_ == MapMode::Text || cx == 0 || cy == 0)
        return old;
    viewportExt_ = {cx, cy};
    if (mapMode_ == MapMode::Isotropic)
        FixIsotropic();
    return old;
}

Point Dc::SetWindowOrg(int x, int y) {
    return std::exchange(windowOrg_, Point{x, y});
}

Point Dc::SetViewportOrg(int x, int y) {
    return std::exchange(viewportOrg_, Point{x, y});
}

double Dc::ScaleX() const {
    return std::fabs(static_cast<double>(viewportExt_.cx) / windowExt_.cx);
}

double Dc::ScaleY() const {
    return std::fabs(static_cast<double>(viewportExt_.cy) / windowExt_.cy);
}

Point Dc::LpToDp(Point p) const {
    const double sx = static_cast<double>(viewportExt_.cx) / windowExt_.cx;
    const double sy = static_cast<double>(viewportExt_.cy) / windowExt_.cy;
    return {RoundToInt((static_cast<double>(p.x) - windowOrg_.x) * sx + viewportOrg_.x),
            RoundToInt((static_cast<double>(p.y) - windowOrg_.y) * sy + viewportOrg_.y)};
}

Rect Dc::LpToDp(const Rect& r) const {
    const Point a = LpToDp(Point{r.left, r.top});
    const Point b = LpToDp(Point{r.right, r.bottom});
    // Normalised, as GDI orders a rectangle after mapping it (an axis may be flipped).
    Rect out{a.x, a.y, b.x, b.y};
    if (out.left > out.right)
        std::swap(out.left, out.right);
    if (out.top > out.bottom)
        std::swap(out.top, out.bottom);
    return out;
}

Point Dc::DpToLp(Point p) const {
    const double sx = static_cast<double>(windowExt_.cx) / viewportExt_.cx;
    const double sy = static_cast<double>(windowExt_.cy) / viewportExt_.cy;
    return {RoundToInt((static_cast<double>(p.x) - viewportOrg_.x) * sx + windowOrg_.x),
            RoundToInt((static_cast<double>(p.y) - viewportOrg_.y) * sy + windowOrg_.y)};
}

BkMode Dc::SetBkMode(BkMode mode) {
    return std::exchange(bkMode_, mode);
}

ColorRef Dc::SetTextColor(ColorRef color) {
    return std::exchange(textColor_, color);
}

ColorRef Dc::SetBkColor(ColorRef color) {
    return std::exchange(bkColor_, color);
}

unsigned Dc::SetTextAlign(unsigned align) {
    return std::exchange(textAlign_, align);
}

int Dc::SetStretchBltMode(int mode) {
    const int old = stretchMode_;
    if (mode >= BLACKONWHITE && mode <= HALFTONE)
        stretchMode_ = mode;
    return old;
}

Font Dc::SelectFont(const Font& font) {
    Font old = font_;
    font_ = font;
    return old;
}

Pen Dc::SelectPen(const Pen& pen) {
    Pen old = pen_;
    pen_ = pen;
    return old;
}

Point Dc::MoveTo(int x, int y) {
    return std::exchange(position_, Point{x, y});
}

Dc::State Dc::Capture() const {
    return State{mapMode_, windowExt_, viewportExt_, windowOrg_, viewportOrg_, bkMode_, textColor_,
                 bkColor_, textAlign_, stretchMode_, font_, pen_, position_};
}

int Dc::SaveDc() {
    saved_.push_back(Capture());
    return static_cast<int>(saved_.size());
}

void Dc::RestoreDc(int saved) {
    // Positive: the level SaveDc returned; negative: relative to the newest
    // (-1 = the last one). Out-of-range levels (0 among them) are ignored, as
    // GDI fails them.
    const long long count = static_cast<long long>(saved_.size());
    const long long index = saved < 0 ? count + saved : static_cast<long long>(saved) - 1;
    if (index < 0 || index >= count)
        return;
    const State s = saved_[static_cast<std::size_t>(index)];
    saved_.resize(static_cast<std::size_t>(index));
    mapMode_ = s.mapMode;
    windowExt_ = s.windowExt;
    viewportExt_ = s.viewportExt;
    windowOrg_ = s.windowOrg;
    viewportOrg_ = s.viewportOrg;
    bkMode_ = s.bkMode;
    textColor_ = s.textColor;
    bkColor_ = s.bkColor;
    textAlign_ = s.textAlign;
    stretchMode_ = s.stretchMode;
    font_ = s.font;
    pen_ = s.pen;
    position_ = s.position;
}

void Dc::LineTo(int x, int y) {
    const Point to{x, y};
    if (pen_.style != PenStyle::Null)
        DrawPolyline({position_, to});
    position_ = to;
}

void Dc::Polyline(const std::vector<Point>& points) {
    // Polyline neither uses nor moves the current position (GDI).
    if (pen_.style == PenStyle::Null || points.size() < 2)
        return;
    DrawPolyline(points);
}

} // namespace qx
