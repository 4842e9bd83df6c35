#include "BackgroundWindow.h"

#include "ground/GlobalState.h"
#include "catalog/Draw.h"
#include "platform/qt/QtDc.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

namespace qx {

BackgroundWindow::BackgroundWindow(const GlobalState& state, QWidget* mainWindow)
    // Kept below every other window and never focused: a click on it must not
    // bury the program's own windows.
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint |
                           Qt::WindowDoesNotAcceptFocus),
      main_(mainWindow) {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);
    const Rect& d = state.desktopRect;
    setGeometry(d.left, d.top, d.Width(), d.Height() - 2);
    setEnabled(false);
    setFocusPolicy(Qt::NoFocus);
    // The program ends with the main window, whatever this one does.
    setAttribute(Qt::WA_QuitOnClose, false);
    picture_ = LoadPicture(state, "QXBACK.BMP");
}

void BackgroundWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QtDc dc(painter);
    DrawDib(dc, picture_, 0, 0, 0);
}

void BackgroundWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && main_) {
        // The main window first, then the windows over it (help, pictures).
        main_->raise();
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w != this && w != main_ && w->isVisible())
                w->raise();
        }
        main_->activateWindow();
    }
    QWidget::changeEvent(event);
}

} // namespace qx
