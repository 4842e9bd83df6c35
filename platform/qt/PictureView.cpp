#include "PictureView.h"

#include "QtDc.h"

#include <QPainter>
#include <QScrollBar>

namespace qx {

PictureView::PictureView(QWidget* parent, const Rect& r) : QAbstractScrollArea(parent) {
    setGeometry(r.left, r.top, r.Width(), r.Height());
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCursor(Qt::ArrowCursor);
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(pal);
    viewport()->setAutoFillBackground(true);
    hide();
}

void PictureView::SetPicture(const DibBytes& picture, Size size) {
    if (!picture.data)
        return;
    picture_ = picture;
    size_ = size;
    UpdateSizes();
    viewport()->update();
}

void PictureView::UpdateSizes() {
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, size_.cx - view.width()));
    verticalScrollBar()->setRange(0, std::max(0, size_.cy - view.height()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setPageStep(view.height());
    horizontalScrollBar()->setSingleStep(16);
    verticalScrollBar()->setSingleStep(16);
    offset_.x = std::max(0, (view.width() - size_.cx) / 2);
    offset_.y = std::max(0, (view.height() - size_.cy) / 2);
}

void PictureView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateSizes();
}

void PictureView::paintEvent(QPaintEvent*) {
    if (!picture_.data)
        return;
    QPainter painter(viewport());
    QtDc dc(painter);
    const int x = offset_.x - horizontalScrollBar()->value();
    const int y = offset_.y - verticalScrollBar()->value();
    dc.StretchDib(Rect{x, y, x + size_.cx, y + size_.cy}, Rect{0, 0, size_.cx, size_.cy}, picture_);
}

} // namespace qx
