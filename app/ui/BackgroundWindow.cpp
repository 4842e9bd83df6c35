#include "BackgroundWindow.h"

#include "ground/GlobalState.h"
#include "catalog/Draw.h"
#include "platform/qt/QtDc.h"

#include <QEvent>
#include <QPainter>

namespace qx {

BackgroundWindow::BackgroundWindow(const GlobalState& state, QWidget* mainWindow)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), main_(mainWindow) {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);
    const Rect& d = state.desktopRect;
    setGeometry(d.left, d.top, d.Width(), d.Height() - 2);
    setEnabled(false);
    setFocusPolicy(Qt::NoFocus);
    picture_ = LoadPicture(state, "QXBACK.BMP");
}

void BackgroundWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QtDc dc(painter);
    DrawDib(dc, picture_, 0, 0, 0);
}

void BackgroundWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && main_) {
        main_->raise();
        main_->activateWindow();
    }
    QWidget::changeEvent(event);
}

} // namespace qx
