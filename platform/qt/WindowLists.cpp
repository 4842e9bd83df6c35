// List boxes and combo boxes of a dialog window, with the list box messages' rules.
// A noData list box is a view over a row count: selection and counts work on
// rows, the owner draws them.

#include "OwnerDraw.h"
#include "QtText.h"

#include <QComboBox>
#include <QListWidget>

#include <algorithm>

namespace qx {

int DialogWindow::AddString(int id, std::string_view text, std::intptr_t data) {
    if (auto* n = dynamic_cast<NoDataList*>(Item(id)))
        return n->Rows()->Append(); // a row is its position: no text, no data
    if (auto* l = qobject_cast<QListWidget*>(Item(id))) {
        auto* item = controls_.at(id).style.ownerDraw ? new OwnerDrawRow(FromAnsi(text), this, id)
                                                      : new QListWidgetItem(FromAnsi(text));
        item->setData(Qt::UserRole, QVariant::fromValue<qlonglong>(data));
        const bool blocked = l->blockSignals(true);
        l->addItem(item);
        l->blockSignals(blocked);
        return l->row(item);
    }
    if (auto* c = qobject_cast<QComboBox*>(Item(id))) {
        c->addItem(FromAnsi(text), QVariant::fromValue<qlonglong>(data));
        return c->count() - 1;
    }
    return -1;
}

void DialogWindow::ResetContent(int id) {
    if (dynamic_cast<NoDataList*>(Item(id))) {
        SetListCount(id, 0);
    } else if (auto* l = qobject_cast<QListWidget*>(Item(id))) {
        const bool blocked = l->blockSignals(true);
        l->clear();
        l->blockSignals(blocked);
    } else if (auto* c = qobject_cast<QComboBox*>(Item(id))) {
        c->clear();
    }
}

int DialogWindow::GetCount(int id) const {
    if (auto* n = dynamic_cast<NoDataList*>(Item(id)))
        return n->Rows()->rowCount();
    if (auto* l = qobject_cast<QListWidget*>(Item(id)))
        return l->count();
    if (auto* c = qobject_cast<QComboBox*>(Item(id)))
        return c->count();
    return 0;
}

int DialogWindow::GetCurSel(int id) const {
    if (auto* n = dynamic_cast<NoDataList*>(Item(id))) {
        const QModelIndex current = n->currentIndex();
        return current.isValid() && n->selectionModel()->isSelected(current) ? current.row() : -1;
    }
    if (auto* l = qobject_cast<QListWidget*>(Item(id))) {
        const auto sel = l->selectedItems();
        return sel.isEmpty() ? -1 : l->row(sel.front());
    }
    if (auto* c = qobject_cast<QComboBox*>(Item(id)))
        return c->currentIndex();
    return -1;
}

void DialogWindow::SetCurSel(int id, int index) {
    if (auto* n = dynamic_cast<NoDataList*>(Item(id))) {
        // As below: no notification.
        const bool wasInCommand = inCommand_;
        inCommand_ = true;
        QItemSelectionModel* sel = n->selectionModel();
        if (index < 0 || index >= n->Rows()->rowCount()) {
            sel->clear();
        } else {
            const QModelIndex row = n->Rows()->index(index);
            sel->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect);
            n->scrollTo(row);
        }
        inCommand_ = wasInCommand;
        n->viewport()->update();
        return;
    }
    if (auto* l = qobject_cast<QListWidget*>(Item(id))) {
        // Like LB_SETCURSEL: selecting sends no notification.
        const bool blocked = l->blockSignals(true);
        if (index < 0 || index >= l->count()) {
            l->clearSelection();
            l->setCurrentRow(-1);
        } else {
            l->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
            l->scrollToItem(l->item(index));
        }
        l->blockSignals(blocked);
        l->viewport()->update();
    } else if (auto* c = qobject_cast<QComboBox*>(Item(id))) {
        c->setCurrentIndex(index);
    }
}

std::string DialogWindow::GetLbText(int id, int index) const {
    if (auto* l = qobject_cast<QListWidget*>(Item(id))) {
        if (QListWidgetItem* it = l->item(index))
            return ToAnsi(it->text());
    } else if (auto* c = qobject_cast<QComboBox*>(Item(id))) {
        if (index >= 0 && index < c->count())
            return ToAnsi(c->itemText(index));
    }
    return {};
}

std::intptr_t DialogWindow::GetItemData(int id, int index) const {
    if (auto* l = qobject_cast<QListWidget*>(Item(id))) {
        if (QListWidgetItem* it = l->item(index))
            return static_cast<std::intptr_t>(it->data(Qt::UserRole).toLongLong());
    } else if (auto* c = qobject_cast<QComboBox*>(Item(id))) {
        if (index >= 0 && index < c->count())
            return static_cast<std::intptr_t>(c->itemData(index).toLongLong());
    }
    return 0;
}

void DialogWindow::SetItemData(int id, int index, std::intptr_t data) {
    if (auto* l = qobject_cast<QListWidget*>(Item(id))) {
        if (QListWidgetItem* it = l->item(index))
            it->setData(Qt::UserRole, QVariant::fromValue<qlonglong>(data));
    }
}

void DialogWindow::DeleteString(int id, int index) {
    if (auto* n = dynamic_cast<NoDataList*>(Item(id))) {
        n->Rows()->Remove(index);
        return;
    }
    if (auto* l = qobject_cast<QListWidget*>(Item(id))) {
        const bool blocked = l->blockSignals(true);
        delete l->takeItem(index);
        l->blockSignals(blocked);
    }
}

void DialogWindow::SetListCount(int id, int count) {
    if (auto* n = dynamic_cast<NoDataList*>(Item(id))) {
        const bool wasInCommand = inCommand_;
        inCommand_ = true;
        n->Rows()->SetCount(count);
        inCommand_ = wasInCommand;
    }
}

int DialogWindow::VisibleRowCount(int id) const {
    auto* view = qobject_cast<QListView*>(Item(id));
    auto it = controls_.find(id);
    if (!view || it == controls_.end() || it->second.style.itemHeight <= 0)
        return 1;
    return std::max(1, view->viewport()->height() / it->second.style.itemHeight);
}

void DialogWindow::SetItemHeight(int id, int height) {
    if (auto* n = dynamic_cast<NoDataList*>(Item(id))) {
        if (auto* d = dynamic_cast<OwnerDrawDelegate*>(n->itemDelegate()))
            d->SetHeight(height);
        controls_.at(id).style.itemHeight = height;
        n->doItemsLayout();
        return;
    }
    if (auto* l = qobject_cast<QListWidget*>(Item(id))) {
        if (auto* d = dynamic_cast<OwnerDrawDelegate*>(l->itemDelegate()))
            d->SetHeight(height);
        auto it = controls_.find(id);
        if (it != controls_.end())
            it->second.style.itemHeight = height;
        l->doItemsLayout();
    }
}

} // namespace qx
