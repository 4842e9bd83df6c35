#include "OwnerDraw.h"

#include "LayoutCheck.h"
#include "QtDc.h"
#include "QtText.h"
#include "platform/core/RecordingDc.h"

#include <QAbstractItemView>
#include <QPainter>

#include <algorithm>

namespace qx {

void OwnerDrawButtonWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    owner_->PaintButton(id_, this, painter);
}

namespace {
void MarkFocus(QWidget* w) {
    if (!w->hasFocus())
        return;
    QPainter painter(w);
    QtDc dc(painter);
    DrawFocusMark(dc, Rect{0, 0, w->width(), w->height()});
}
} // namespace

void PushButtonWidget::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    MarkFocus(this);
}

void ComboBoxWidget::paintEvent(QPaintEvent* event) {
    QComboBox::paintEvent(event);
    MarkFocus(this);
}

void OwnerDrawDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    painter->save();
    const QRect r = option.rect;
    const LayoutCell cell(r);
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

QVariant OwnerDrawRow::data(int role) const {
    if (role == Qt::AccessibleTextRole && listWidget())
        return FromAnsi(owner_->RowReading(id_, listWidget()->row(this)));
    return QListWidgetItem::data(role);
}

std::string DialogWindow::RowReading(int id, int row) {
    auto it = controls_.find(id);
    auto* view = it == controls_.end() ? nullptr : qobject_cast<QAbstractItemView*>(it->second.widget);
    if (!view || !view->model() || row < 0 || row >= view->model()->rowCount())
        return {};
    const QModelIndex index = view->model()->index(row, 0);
    const Rect rect{0, 0, std::max(1, view->viewport()->width()), std::max(1, it->second.style.itemHeight)};
    RecordingDc dc({rect.right, rect.bottom});
    dc.SelectFont(it->second.font);
    DrawItem item;
    item.kind = DrawItem::ListBox;
    item.controlId = id;
    item.itemId = row;
    item.action = DrawItem::DrawEntire;
    item.dc = &dc;
    item.rect = rect;
    item.itemData = static_cast<std::intptr_t>(index.data(Qt::UserRole).toLongLong());
    item.itemText = ToAnsi(index.data(Qt::DisplayRole).toString());
    OnDrawItem(item);
    std::string reading;
    for (const DrawCall& call : dc.Calls()) {
        if (call.kind != DrawCall::Kind::Text && call.kind != DrawCall::Kind::DrawText)
            continue;
        if (call.text.find_first_not_of(" \t\r\n") == std::string::npos)
            continue;
        if (!reading.empty())
            reading += ", ";
        reading += call.text;
    }
    return reading;
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
