#pragma once
// Design coordinates to pixels. Pages are laid out for a 632 x 434 unit
// page; the screen mode's factors (GlobalState::scaleX, scaleY) stretch that
// to 640 x 480, 800 x 600 or 1024 x 768. A design value v becomes
// v x factor, truncated toward zero (628 -> 628, 788, 1012).

#include "platform/core/Geometry.h"

namespace qx {

struct GlobalState;

// Each value scaled: left and right by scaleX, top and bottom by scaleY.
Rect ScaleRect(const GlobalState& state, int left, int top, int right, int bottom);

// As ScaleRect, but top and bottom are scaled by scaleX too when square is
// not zero, so that a square in design units stays square on screen.
Rect ScaleRectSquare(const GlobalState& state, int left, int top, int right, int bottom, int square);

int ScaleX(const GlobalState& state, int x);
int ScaleY(const GlobalState& state, int y);

// rect.right := x scaled by scaleX.
void SetScaledRight(const GlobalState& state, Rect& rect, int x);

} // namespace qx
