#pragma once
// The one QApplication of a Qt test program (offscreen platform), made on
// first use, and small image helpers for looking at what was drawn.

#include <QApplication>
#include <QImage>
#include <QRect>

#include <algorithm>
#include <climits>

namespace qx::test {

inline QApplication& TestApp() {
    static int argc = 1;
    static char name[] = "qxkat-test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// The bounding box of pixels that differ from the background colour.
inline QRect InkBox(const QImage& image, QRgb background = 0xFFFFFFFF, QRect area = {}) {
    if (area.isNull())
        area = image.rect();
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixel(x, y) != background) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (left == INT_MAX)
        return {};
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace qx::test
