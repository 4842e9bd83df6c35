#pragma once
// Owner-drawn controls of the window layer: a button whose face and list
// items whose rows the owning DialogWindow draws. Private to platform/qt.

#include "Window.h"

#include <QAbstractButton>
#include <QStyledItemDelegate>

namespace qx {

// A button whose face the owning window draws (owner draw).
class OwnerDrawButtonWidget : public QAbstractButton {
public:
    OwnerDrawButtonWidget(DialogWindow* owner, int id) : QAbstractButton(owner), owner_(owner), id_(id) {}

protected:
    void paintEvent(QPaintEvent* event) override;
    // Focus changes redraw the face with or without its focus mark.
    void focusInEvent(QFocusEvent* event) override {
        QAbstractButton::focusInEvent(event);
        update();
    }
    void focusOutEvent(QFocusEvent* event) override {
        QAbstractButton::focusOutEvent(event);
        update();
    }
    void enterEvent(QEnterEvent* event) override {
        owner_->OnControlHover(id_);
        QAbstractButton::enterEvent(event);
    }

private:
    DialogWindow* owner_;
    int id_;
};

// List items drawn by the owning window.
class OwnerDrawDelegate : public QStyledItemDelegate {
public:
    OwnerDrawDelegate(DialogWindow* owner, int id, int height)
        : QStyledItemDelegate(owner), owner_(owner), id_(id), height_(height) {}
    void SetHeight(int h) { height_ = h; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return QSize(10, height_);
    }

private:
    DialogWindow* owner_;
    int id_;
    int height_;
};

} // namespace qx
