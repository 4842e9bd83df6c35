#include "OwnerDraw.h"

#include "QtDc.h"
#include "QtText.h"

#include <QAbstractItemView>
#include <QPainter>

namespace qx {

void OwnerDrawButtonWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    owner_->PaintButton(id_, this, painter);
}

void OwnerDrawDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    painter->save();
    const QRect r = option.rect;
    QtDc dc(*painter);
    if (auto it = owner_->controls_.find(id_); it != owner_->controls_.end())
        dc.SelectFont(it->second.font);
    DrawItem item;
    item.kind = DrawItem::ListBox;
    item.controlId = id_;
    item.itemId = index.row();
    item.action = DrawItem::DrawEntire;
    item.selected = (option.state & QStyle::State_Selected) != 0;
    item.focused = (option.state & QStyle::State_HasFocus) != 0;
    item.dc = &dc;
    item.rect = Rect{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
    item.itemData = static_cast<std::intptr_t>(index.data(Qt::UserRole).toLongLong());
    item.itemText = ToAnsi(index.data(Qt::DisplayRole).toString());
    owner_->OnDrawItem(item);
    painter->restore();
    // The keyboard's row, marked as DrawFocusRect does (inverting dots), so
    // it shows on any colours the owner drew.
    auto* list = qobject_cast<const QAbstractItemView*>(option.widget);
    if (list && list->hasFocus() && list->currentIndex() == index) {
        painter->save();
        painter->setCompositionMode(QPainter::RasterOp_NotDestination);
        painter->setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter->drawRect(r.adjusted(0, 0, -1, -1));
        painter->restore();
    }
}

void DialogWindow::PaintButton(int id, QAbstractButton* button, QPainter& painter) {
    QtDc dc(painter);
    if (auto it = controls_.find(id); it != controls_.end())
        dc.SelectFont(it->second.font);
    DrawItem item;
    item.kind = DrawItem::Button;
    item.controlId = id;
    item.action = DrawItem::DrawEntire;
    item.selected = button->isDown();
    if (item.selected)
        item.action = DrawItem::SelectChange;
    item.disabled = !button->isEnabled();
    item.focused = button->hasFocus();
    item.dc = &dc;
    item.rect = Rect{0, 0, button->width(), button->height()};
    item.itemText = ToAnsi(button->text());
    OnDrawItem(item);
}

} // namespace qx
