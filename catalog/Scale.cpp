#include "Scale.h"

#include "ground/GlobalState.h"

#include <climits>
#include <cmath>

namespace qx {

namespace {

// Truncation toward zero, as the layouts were designed with. Coordinates can
// come from catalogue files, so products outside the int range (or a NaN
// factor) are pinned rather than left to undefined conversion.
int Scaled(int value, double factor) {
    const double product = static_cast<double>(value) * factor;
    if (std::isnan(product))
        return 0;
    if (product >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (product <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(product);
}

} // namespace

Rect ScaleRect(const GlobalState& state, int left, int top, int right, int bottom) {
    return ScaleRectSquare(state, left, top, right, bottom, 0);
}

Rect ScaleRectSquare(const GlobalState& state, int left, int top, int right, int bottom, int square) {
    const double yFactor = square != 0 ? state.scaleX : state.scaleY;
    return Rect{Scaled(left, state.scaleX), Scaled(top, yFactor), Scaled(right, state.scaleX),
                Scaled(bottom, yFactor)};
}

int ScaleX(const GlobalState& state, int x) {
    return Scaled(x, state.scaleX);
}

int ScaleY(const GlobalState& state, int y) {
    return Scaled(y, state.scaleY);
}

void SetScaledRight(const GlobalState& state, Rect& rect, int x) {
    rect.right = Scaled(x, state.scaleX);
}

} // namespace qx
