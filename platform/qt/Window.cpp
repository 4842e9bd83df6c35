#include "Window.h"

#include "QtDc.h"
#include "QtText.h"
#include "platform/core/Path.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QToolTip>

#include <algorithm>

namespace qx {

namespace {

constexpr int kControlIdProperty = 0; // unused marker, ids live in the map

struct PrivateMessageEvent : QEvent {
    PrivateMessageEvent(int msg, std::intptr_t w, std::intptr_t l)
        : QEvent(static_cast<QEvent::Type>(PrivateMessageEventType())), message(msg), wParam(w), lParam(l) {}
    int message;
    std::intptr_t wParam;
    std::intptr_t lParam;
};

QFont ControlFont(const Font& font, const QWidget* widget) {
    // Control fonts: the same Windows height rule as the device context, at
    // one logical unit per pixel.
    (void)widget;
    return ToQFont(font, 1.0);
}

bool AsciiEqualNoCase(std::string_view a, std::string_view b) { return EqualsIgnoreCase(a, b); }

// A push button whose caption is wider than the button gets a smaller font
// (down to 8 pixels) instead of a cut caption: translations run long.
void FitCaption(QPushButton* button, const QFont& base) {
    QFont font = base;
    const int room = button->width() - 10;
    if (room > 0 && font.pixelSize() > 0) {
        while (QFontMetrics(font).horizontalAdvance(button->text()) > room && font.pixelSize() > 8)
            font.setPixelSize(font.pixelSize() - 1);
    }
    button->setFont(font);
}

} // namespace

int PrivateMessageEventType() {
    static const int type = QEvent::registerEventType();
    return type;
}

// A button whose face the owning window draws (owner draw).
class OwnerDrawButtonWidget : public QAbstractButton {
public:
    OwnerDrawButtonWidget(DialogWindow* owner, int id) : QAbstractButton(owner), owner_(owner), id_(id) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        owner_->PaintButton(id_, this, painter);
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

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
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
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return QSize(10, height_); }

private:
    DialogWindow* owner_;
    int id_;
    int height_;
};

DialogWindow::DialogWindow(QWidget* parent, Kind kind) : QDialog(parent), kind_(kind) {
    (void)kControlIdProperty;
    if (kind == Kind::Page) {
        setWindowFlags(Qt::Widget);
    } else if (kind == Kind::Popup) {
        setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    } else {
        setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    }
    // White background, black text: the application's dialog colours.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);
    setMouseTracking(true);
}

DialogWindow::~DialogWindow() = default;

QWidget* DialogWindow::AddControl(int id, ControlKind kind, const ControlStyle& style) {
    QWidget* w = nullptr;
    switch (kind) {
    case ControlKind::OwnerDrawButton: {
        auto* b = new OwnerDrawButtonWidget(this, id);
        b->setFocusPolicy(Qt::NoFocus);
        QObject::connect(b, &QAbstractButton::clicked, this, [this, id] { DispatchCommand(id, BN_CLICKED); });
        QObject::connect(b, &QAbstractButton::pressed, b, [b] { b->update(); });
        QObject::connect(b, &QAbstractButton::released, b, [b] { b->update(); });
        w = b;
        break;
    }
    case ControlKind::PushButton:
    case ControlKind::DefPushButton: {
        auto* b = new QPushButton(this);
        b->setAutoDefault(false);
        b->setDefault(kind == ControlKind::DefPushButton);
        QObject::connect(b, &QAbstractButton::clicked, this, [this, id] { DispatchCommand(id, BN_CLICKED); });
        w = b;
        break;
    }
    case ControlKind::ListBox: {
        auto* l = new QListWidget(this);
        l->setSelectionMode(QAbstractItemView::SingleSelection);
        l->setUniformItemSizes(true);
        l->setSortingEnabled(style.sorted);
        l->setVerticalScrollBarPolicy(style.vScroll ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAsNeeded);
        l->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        if (style.ownerDraw)
            l->setItemDelegate(new OwnerDrawDelegate(this, id, style.itemHeight));
        QObject::connect(l, &QListWidget::currentRowChanged, this, [this, id](int) {
            if (!inCommand_)
                DispatchCommand(id, LBN_SELCHANGE);
        });
        QObject::connect(l, &QListWidget::itemDoubleClicked, this,
                         [this, id](QListWidgetItem*) { DispatchCommand(id, LBN_DBLCLK); });
        w = l;
        break;
    }
    case ControlKind::Edit: {
        auto* e = new QLineEdit(this);
        e->setReadOnly(style.readOnly);
        QObject::connect(e, &QLineEdit::textEdited, this, [this, id](const QString&) {
            DispatchCommand(id, EN_CHANGE);
        });
        w = e;
        break;
    }
    case ControlKind::MultiLineEdit: {
        auto* e = new QPlainTextEdit(this);
        e->setReadOnly(style.readOnly);
        e->setVerticalScrollBarPolicy(style.vScroll ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        e->setTabChangesFocus(true);
        QObject::connect(e, &QPlainTextEdit::textChanged, this, [this, id, e] {
            if (e->document()->isModified())
                DispatchCommand(id, EN_CHANGE);
        });
        w = e;
        break;
    }
    case ControlKind::Static: {
        auto* s = new QLabel(this);
        s->setAlignment(style.centered ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignVCenter));
        s->setAttribute(Qt::WA_TranslucentBackground);
        w = s;
        break;
    }
    case ControlKind::ComboBox: {
        auto* c = new QComboBox(this);
        QObject::connect(c, &QComboBox::activated, this, [this, id](int) { DispatchCommand(id, CBN_SELENDOK); });
        w = c;
        break;
    }
    }
    w->installEventFilter(this);
    w->setMouseTracking(true);
    controls_[id] = ControlEntry{kind, style, w};
    return w;
}

QWidget* DialogWindow::Item(int id) const {
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second.widget;
}

void DialogWindow::SetItemText(int id, std::string_view text) {
    QWidget* w = Item(id);
    if (!w)
        return;
    const QString s = FromAnsi(text);
    if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        b->setText(s);
        if (auto* push = qobject_cast<QPushButton*>(b))
            FitCaption(push, ControlFont(controls_.at(id).font, push));
        b->update();
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setText(s);
    } else if (auto* m = qobject_cast<QPlainTextEdit*>(w)) {
        // Edit controls separate lines with CR LF; the widget wants LF.
        QString t = s;
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        const bool blocked = m->blockSignals(true);
        m->setPlainText(t);
        m->document()->setModified(false);
        m->blockSignals(blocked);
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        l->setText(s);
    } else if (auto* c = qobject_cast<QComboBox*>(w)) {
        c->setEditText(s);
    }
}

std::string DialogWindow::GetItemText(int id, std::size_t maxChars, bool& lossless) const {
    lossless = true;
    QWidget* w = Item(id);
    if (!w)
        return {};
    QString s;
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        s = b->text();
    else if (auto* e = qobject_cast<QLineEdit*>(w))
        s = e->text();
    else if (auto* m = qobject_cast<QPlainTextEdit*>(w)) {
        s = m->toPlainText();
        s.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    } else if (auto* l = qobject_cast<QLabel*>(w))
        s = l->text();
    else if (auto* c = qobject_cast<QComboBox*>(w))
        s = c->currentText();
    std::string bytes = ToAnsi(s, &lossless);
    if (bytes.size() > maxChars)
        bytes.resize(maxChars);
    return bytes;
}

std::string DialogWindow::GetItemText(int id, std::size_t maxChars) const {
    bool lossless = true;
    return GetItemText(id, maxChars, lossless);
}

void DialogWindow::EnableItem(int id, bool enable) {
    if (QWidget* w = Item(id)) {
        w->setEnabled(enable);
        w->update();
    }
}

bool DialogWindow::IsItemEnabled(int id) const {
    QWidget* w = Item(id);
    return w && w->isEnabled();
}

void DialogWindow::ShowItem(int id, bool show) {
    if (QWidget* w = Item(id))
        w->setVisible(show);
}

bool DialogWindow::IsItemVisible(int id) const {
    QWidget* w = Item(id);
    return w && !w->isHidden();
}

void DialogWindow::MoveItem(int id, const Rect& r) {
    QWidget* w = Item(id);
    if (!w)
        return;
    w->setGeometry(r.left, r.top, std::max(0, r.Width()), std::max(0, r.Height()));
    if (auto* push = qobject_cast<QPushButton*>(w))
        FitCaption(push, ControlFont(controls_.at(id).font, push));
}

void DialogWindow::SetItemFont(int id, const Font& font) {
    auto it = controls_.find(id);
    if (it == controls_.end())
        return;
    it->second.font = font;
    it->second.widget->setFont(ControlFont(font, it->second.widget));
    if (auto* push = qobject_cast<QPushButton*>(it->second.widget))
        FitCaption(push, ControlFont(font, push));
}

void DialogWindow::SetAllControlsFont(const Font& font) {
    setFont(ControlFont(font, this));
    for (auto& [id, entry] : controls_) {
        entry.font = font;
        entry.widget->setFont(ControlFont(font, entry.widget));
        if (auto* push = qobject_cast<QPushButton*>(entry.widget))
            FitCaption(push, ControlFont(font, push));
    }
}

void DialogWindow::SetEditLimit(int id, int maxChars) {
    if (auto* e = qobject_cast<QLineEdit*>(Item(id)))
        e->setMaxLength(maxChars);
    else if (auto* m = qobject_cast<QPlainTextEdit*>(Item(id)))
        m->setProperty("qxLimit", maxChars);
}

void DialogWindow::SetEditModified(int id, bool modified) {
    if (auto* e = qobject_cast<QLineEdit*>(Item(id)))
        e->setModified(modified);
    else if (auto* m = qobject_cast<QPlainTextEdit*>(Item(id)))
        m->document()->setModified(modified);
}

bool DialogWindow::IsEditModified(int id) const {
    if (auto* e = qobject_cast<QLineEdit*>(Item(id)))
        return e->isModified();
    if (auto* m = qobject_cast<QPlainTextEdit*>(Item(id)))
        return m->document()->isModified();
    return false;
}

void DialogWindow::SetEditSelection(int id, int start, int end) {
    if (auto* e = qobject_cast<QLineEdit*>(Item(id))) {
        e->setSelection(start, end - start);
        if (start == end)
            e->setCursorPosition(start);
    }
}

void DialogWindow::SetFocusTo(int id) {
    if (QWidget* w = Item(id))
        w->setFocus(Qt::OtherFocusReason);
}

void DialogWindow::SetEditVScroll(int id, bool show) {
    if (auto* m = qobject_cast<QPlainTextEdit*>(Item(id)))
        m->setVerticalScrollBarPolicy(show ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

int DialogWindow::GetEditLineCount(int id) const {
    auto* m = qobject_cast<QPlainTextEdit*>(Item(id));
    if (!m)
        return 0;
    // Measured here rather than taken from the widget's layout, which a
    // page that is not shown yet has not done.
    const QTextDocument* doc = m->document();
    const qreal width = m->width() - 2 * m->frameWidth() - 2 * doc->documentMargin();
    int lines = 0;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        QTextLayout layout(block.text(), m->font());
        layout.setTextOption(doc->defaultTextOption());
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(std::max<qreal>(1, width));
            ++lines;
        }
        layout.endLayout();
    }
    return std::max(lines, 1);
}

int DialogWindow::AddString(int id, std::string_view text, std::intptr_t data) {
    if (auto* l = qobject_cast<QListWidget*>(Item(id))) {
        auto* item = new QListWidgetItem(FromAnsi(text));
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
    if (auto* l = qobject_cast<QListWidget*>(Item(id))) {
        const bool blocked = l->blockSignals(true);
        l->clear();
        l->blockSignals(blocked);
    } else if (auto* c = qobject_cast<QComboBox*>(Item(id))) {
        c->clear();
    }
}

int DialogWindow::GetCount(int id) const {
    if (auto* l = qobject_cast<QListWidget*>(Item(id)))
        return l->count();
    if (auto* c = qobject_cast<QComboBox*>(Item(id)))
        return c->count();
    return 0;
}

int DialogWindow::GetCurSel(int id) const {
    if (auto* l = qobject_cast<QListWidget*>(Item(id))) {
        const auto sel = l->selectedItems();
        return sel.isEmpty() ? -1 : l->row(sel.front());
    }
    if (auto* c = qobject_cast<QComboBox*>(Item(id)))
        return c->currentIndex();
    return -1;
}

void DialogWindow::SetCurSel(int id, int index) {
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

int DialogWindow::FindStringExact(int id, std::string_view text) const {
    const int n = GetCount(id);
    for (int i = 0; i < n; ++i) {
        if (AsciiEqualNoCase(GetLbText(id, i), text))
            return i;
    }
    return -1;
}

void DialogWindow::DeleteString(int id, int index) {
    if (auto* l = qobject_cast<QListWidget*>(Item(id))) {
        const bool blocked = l->blockSignals(true);
        delete l->takeItem(index);
        l->blockSignals(blocked);
    }
}

void DialogWindow::SetItemHeight(int id, int height) {
    if (auto* l = qobject_cast<QListWidget*>(Item(id))) {
        if (auto* d = dynamic_cast<OwnerDrawDelegate*>(l->itemDelegate()))
            d->SetHeight(height);
        auto it = controls_.find(id);
        if (it != controls_.end())
            it->second.style.itemHeight = height;
        l->doItemsLayout();
    }
}

void DialogWindow::MoveWindowTo(const Rect& r) {
    setGeometry(r.left, r.top, std::max(0, r.Width()), std::max(0, r.Height()));
    if (kind_ != Kind::Page)
        setFixedSize(std::max(0, r.Width()), std::max(0, r.Height()));
}

Rect DialogWindow::ClientRect() const { return Rect{0, 0, width(), height()}; }

void DialogWindow::Invalidate(bool) { update(); }

void DialogWindow::InvalidateRect(const Rect& r, bool) { update(QRect(r.left, r.top, r.Width(), r.Height())); }

void DialogWindow::UpdateNow() { repaint(); }

void DialogWindow::ShowPage(bool show) {
    EnsureInitialised();
    setVisible(show);
}

void DialogWindow::DestroyWindow() {
    if (destroyed_)
        return;
    destroyed_ = true;
    OnDestroy();
    hide();
    deleteLater();
}

void DialogWindow::SetCaption(std::string_view text) { setWindowTitle(FromAnsi(text)); }

void DialogWindow::CenterOn(QWidget* other) {
    QRect area;
    if (other)
        area = QRect(other->mapToGlobal(QPoint(0, 0)), other->size());
    else if (screen())
        area = screen()->availableGeometry();
    if (area.isValid())
        move(area.center() - QPoint(width() / 2, height() / 2));
}

void DialogWindow::SetHandCursorOver(int id, bool hand) {
    if (QWidget* w = Item(id))
        w->setCursor(hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

int DialogWindow::DoModal() {
    EnsureInitialised();
    return exec();
}

void DialogWindow::EndDialog(int result) { done(result); }

void DialogWindow::PostMessageTo(QObject* target, int message, std::intptr_t wParam, std::intptr_t lParam) {
    if (target)
        QCoreApplication::postEvent(target, new PrivateMessageEvent(message, wParam, lParam));
}

void DialogWindow::EnableToolTips(std::function<std::string(int)> provider) { tooltips_ = std::move(provider); }

void DialogWindow::EnsureInitialised() {
    if (initialised_)
        return;
    initialised_ = true;
    OnInitDialog();
}

void DialogWindow::DispatchCommand(int id, int code) {
    if (destroyed_)
        return;
    // A command may destroy the window; the object stays alive until the
    // event loop runs, so finishing this call is safe.
    const bool was = inCommand_;
    inCommand_ = true;
    OnCommand(id, code);
    inCommand_ = was;
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

void DialogWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QtDc dc(painter);
    OnPaint(dc);
}

void DialogWindow::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        QDialog::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Escape:
        OnCancel();
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OnOk();
        event->accept();
        return;
    default:
        break;
    }
    int key = 0;
    if (event->key() == Qt::Key_Backspace)
        key = VK_BACK;
    else if (event->key() == Qt::Key_Delete)
        key = VK_DELETE;
    else if (event->key() >= Qt::Key_0 && event->key() <= Qt::Key_9)
        key = '0' + (event->key() - Qt::Key_0);
    else if (event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z)
        key = 'A' + (event->key() - Qt::Key_A);
    if (key != 0 && OnKeyDown(key)) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void DialogWindow::showEvent(QShowEvent* event) {
    EnsureInitialised();
    QDialog::showEvent(event);
    if (!event->spontaneous())
        OnShowWindow(true);
}

void DialogWindow::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous() && !destroyed_)
        OnShowWindow(false);
}

void DialogWindow::closeEvent(QCloseEvent* event) {
    // The close box of a modal dialog counts as Cancel.
    event->ignore();
    OnCancel();
}

void DialogWindow::reject() { OnCancel(); }

void DialogWindow::accept() { OnOk(); }

bool DialogWindow::event(QEvent* event) {
    if (event->type() == PrivateMessageEventType()) {
        auto* m = static_cast<PrivateMessageEvent*>(event);
        if (!destroyed_)
            OnMessage(m->message, m->wParam, m->lParam);
        return true;
    }
    return QDialog::event(event);
}

bool DialogWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip && tooltips_) {
        for (auto& [id, entry] : controls_) {
            if (entry.widget == watched) {
                const std::string tip = tooltips_(id);
                auto* help = static_cast<QHelpEvent*>(event);
                if (tip.empty())
                    QToolTip::hideText();
                else
                    QToolTip::showText(help->globalPos(), FromAnsi(tip), entry.widget);
                return true;
            }
        }
    }
    if (event->type() == QEvent::Enter) {
        for (auto& [id, entry] : controls_) {
            if (entry.widget == watched && entry.kind != ControlKind::OwnerDrawButton)
                OnControlHover(id);
        }
    }
    if (event->type() == QEvent::KeyPress) {
        // Multi-line edits with a limit refuse input past it.
        if (auto* m = qobject_cast<QPlainTextEdit*>(watched)) {
            const QVariant limit = m->property("qxLimit");
            auto* key = static_cast<QKeyEvent*>(event);
            if (limit.isValid() && !key->text().isEmpty() && key->text().at(0).isPrint() &&
                m->toPlainText().size() >= limit.toInt() && !m->textCursor().hasSelection())
                return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace qx
