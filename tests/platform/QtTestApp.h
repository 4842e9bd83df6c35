#pragma once
// The one QApplication of a Qt test program (offscreen platform), made on
// first use, and small image helpers for looking at what was drawn.

#include <QApplication>
#include <QImage>
#include <QRect>

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
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != background)
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace qx::test
