#include "print/AbortableDc.h"

#include <utility>

namespace qx {

AbortableDc::AbortableDc(Dc& target, std::function<bool()> abortProc, std::function<void(Dc&)> abandon)
    : target_(target), abortProc_(std::move(abortProc)), abandon_(std::move(abandon)) {}

void AbortableDc::Abandon() {
    if (abandoned_)
        return;
    abandoned_ = true;
    if (abandon_)
        abandon_(target_);
}

bool AbortableDc::RunAbortProc() {
    calls_ = 0;
    if (!abandoned_ && abortProc_ && !abortProc_())
        Abandon();
    return !abandoned_;
}

bool AbortableDc::Turn() {
    if (abandoned_)
        return false;
    if (++calls_ >= kCallsPerTurn)
        return RunAbortProc();
    return true;
}

void AbortableDc::Sync() {
    Dc& t = target_;
    const MapMode mode = GetMapMode();
    const Size windowExt = GetWindowExt();
    const Size viewportExt = GetViewportExt();
    if (!mappingSynced_ || mode != syncedMode_ || windowExt != syncedWindowExt_ || viewportExt != syncedViewportExt_) {
        t.SetMapMode(mode);
        if (mode != MapMode::Text) {
            t.SetWindowExt(windowExt.cx, windowExt.cy);
            t.SetViewportExt(viewportExt.cx, viewportExt.cy);
            // Our extents are already adjusted; should the target's isotropic
            // rounding still move one, the same mapping is set anisotropic.
            if (t.GetWindowExt() != windowExt || t.GetViewportExt() != viewportExt) {
                t.SetMapMode(MapMode::Anisotropic);
                t.SetWindowExt(windowExt.cx, windowExt.cy);
                t.SetViewportExt(viewportExt.cx, viewportExt.cy);
            }
        }
        mappingSynced_ = true;
        syncedMode_ = mode;
        syncedWindowExt_ = windowExt;
        syncedViewportExt_ = viewportExt;
    }
    t.SetWindowOrg(GetWindowOrg().x, GetWindowOrg().y);
    t.SetViewportOrg(GetViewportOrg().x, GetViewportOrg().y);
    t.SetBkMode(GetBkMode());
    t.SetTextColor(GetTextColor());
    t.SetBkColor(GetBkColor());
    t.SetTextAlign(GetTextAlign());
    t.SetStretchBltMode(GetStretchBltMode());
    if (!(t.GetFont() == GetFont()))
        t.SelectFont(GetFont());
    if (!(t.GetPen() == GetPen()))
        t.SelectPen(GetPen());
}

void AbortableDc::FillRect(const Rect& rect, ColorRef color) {
    if (!Turn())
        return;
    Sync();
    target_.FillRect(rect, color);
}

void AbortableDc::TextOut(int x, int y, std::string_view text) {
    if (!Turn())
        return;
    Sync();
    target_.TextOut(x, y, text);
}

int AbortableDc::DrawText(std::string_view text, Rect& rect, unsigned format) {
    const bool draw = (format & DT_CALCRECT) != 0 || Turn();
    Sync();
    if (draw)
        return target_.DrawText(text, rect, format);
    // Callers advance by the height drawn; they get it without ink.
    Rect measured = rect;
    return target_.DrawText(text, measured, format | DT_CALCRECT);
}

Size AbortableDc::GetTextExtent(std::string_view text) {
    Sync();
    return target_.GetTextExtent(text);
}

void AbortableDc::StretchDib(const Rect& dest, const Rect& src, const DibBytes& dib) {
    if (!Turn())
        return;
    Sync();
    target_.StretchDib(dest, src, dib);
}

int AbortableDc::GetDeviceCaps(DeviceCap cap) const { return target_.GetDeviceCaps(cap); }

bool AbortableDc::StartPage() {
    if (!RunAbortProc())
        return false;
    if (pageOpen_)
        return false;
    pageOpen_ = target_.StartPage();
    return pageOpen_;
}

bool AbortableDc::EndPage() {
    if (!RunAbortProc() || !pageOpen_)
        return false;
    pageOpen_ = false;
    return target_.EndPage();
}

Dc& AbortableDc::DrawingTarget() {
    if (!Turn())
        return *this;
    Sync();
    return target_;
}

void AbortableDc::DrawPolyline(const std::vector<Point>& points) {
    if (!Turn())
        return;
    Sync();
    target_.Polyline(points);
}

} // namespace qx
