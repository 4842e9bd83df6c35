#include "platform/qt/Desktop.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace qx {

namespace {
int g_widthOverride = 0;
}

Rect DesktopRect() {
    if (g_widthOverride > 0)
        return Rect{0, 0, g_widthOverride, g_widthOverride * 3 / 4};
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return Rect{0, 0, 640, 480};
    const QRect area = screen->availableGeometry();
    return Rect{0, 0, area.width(), area.height()};
}

void SetDesktopWidthOverride(int width) { g_widthOverride = std::max(width, 0); }

int ScreenColorDepth() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen && screen->depth() > 0 ? screen->depth() : 24;
}

QCursor HandCursor() { return QCursor(Qt::PointingHandCursor); }

QCursor ArrowCursor() { return QCursor(Qt::ArrowCursor); }

void ActivateWhenShown(QWidget* dialog) {
    QTimer::singleShot(0, dialog, [dialog] {
        dialog->raise();
        dialog->activateWindow();
    });
}

} // namespace qx
