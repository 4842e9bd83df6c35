#pragma once
// Owner-drawn controls of the window layer: a button whose face and list
// items whose rows the owning DialogWindow draws. Private to platform/qt.

#include "Window.h"

#include <QAbstractButton>
#include <QAbstractListModel>
#include <QComboBox>
#include <QPushButton>
#include <QListView>
#include <QListWidgetItem>
#include <QStyledItemDelegate>

#include <functional>

namespace qx {

// A button whose face the owning window draws (owner draw).
class OwnerDrawButtonWidget : public QAbstractButton {
public:
    OwnerDrawButtonWidget(DialogWindow* owner, int id) : QAbstractButton(owner), owner_(owner), id_(id) {}
    DialogWindow& Owner() const { return *owner_; }
    int Id() const { return id_; }

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

// A push button and a drop-down list that carry the keyboard's dotted
// frame as the owner-drawn faces do. The style alone marks the keyboard only
// after a Tab, and then the way it marks the default button, so Enter would
// press a button the user did not see chosen.
class PushButtonWidget : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

class ComboBoxWidget : public QComboBox {
public:
    using QComboBox::QComboBox;

protected:
    void paintEvent(QPaintEvent* event) override;
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

// A row of an owner-drawn list box, read out as its owner draws it.
class OwnerDrawRow : public QListWidgetItem {
public:
    OwnerDrawRow(const QString& text, DialogWindow* owner, int id) : QListWidgetItem(text), owner_(owner), id_(id) {}
    QVariant data(int role) const override;

private:
    DialogWindow* owner_;
    int id_;
};

// The rows of a noData list box: a count and nothing else, so a list of any
// length costs no memory per row and resets at once. Only a screen reader
// asks for a row's text.
class CountModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;
    void SetCount(int count) {
        beginResetModel();
        count_ = count < 0 ? 0 : count;
        endResetModel();
    }
    // One row more at the end, or one fewer at row: the rows after it move
    // up, the view keeps its place.
    int Append() {
        beginInsertRows(QModelIndex(), count_, count_);
        ++count_;
        endInsertRows();
        return count_ - 1;
    }
    void Remove(int row) {
        if (row < 0 || row >= count_)
            return;
        beginRemoveRows(QModelIndex(), row, row);
        --count_;
        endRemoveRows();
    }
    void SetReading(std::function<QString(int row)> reading) { reading_ = std::move(reading); }
    int rowCount(const QModelIndex& parent = QModelIndex()) const override { return parent.isValid() ? 0 : count_; }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::AccessibleTextRole && reading_ && index.isValid())
            return reading_(index.row());
        return {};
    }

private:
    int count_ = 0;
    std::function<QString(int)> reading_;
};

// The list view of a noData list box.
class NoDataList : public QListView {
public:
    explicit NoDataList(QWidget* parent) : QListView(parent), model_(new CountModel(this)) { setModel(model_); }
    CountModel* Rows() const { return model_; }

protected:
    // Rows have no text to search: typed keys belong to the owner.
    void keyboardSearch(const QString&) override {}

private:
    CountModel* model_;
};

// Makes screen readers see the window layer as the user does: pages as
// named panes, owner-drawn buttons as buttons named by caption or tooltip.
// Installed once, by the first window.
void InstallAccessibility();

} // namespace qx
