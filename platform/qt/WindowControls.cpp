// Controls of a dialog window: creation by kind, texts, states, fonts and edits.

#include "OwnerDraw.h"
#include "QtDc.h"
#include "QtText.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace qx {

namespace {

QFont ControlFont(const Font& font, const QWidget* widget) {
    // Control fonts: the same Windows height rule as the device context, at
    // one logical unit per pixel.
    (void)widget;
    return ToQFont(font, 1.0);
}

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

QWidget* DialogWindow::AddControl(int id, ControlKind kind, const ControlStyle& style) {
    QWidget* w = nullptr;
    switch (kind) {
    case ControlKind::OwnerDrawButton: {
        auto* b = new OwnerDrawButtonWidget(this, id);
        // Tab reaches it, a click does not take the keyboard from a list.
        b->setFocusPolicy(Qt::TabFocus);
        QObject::connect(b, &QAbstractButton::clicked, this, [this, id] { DispatchCommand(id, BN_CLICKED); });
        QObject::connect(b, &QAbstractButton::pressed, b, [b] { b->update(); });
        QObject::connect(b, &QAbstractButton::released, b, [b] { b->update(); });
        w = b;
        break;
    }
    case ControlKind::PushButton:
    case ControlKind::DefPushButton: {
        auto* b = new PushButtonWidget(this);
        b->setAutoDefault(false);
        b->setDefault(kind == ControlKind::DefPushButton);
        QObject::connect(b, &QAbstractButton::clicked, this, [this, id] { DispatchCommand(id, BN_CLICKED); });
        w = b;
        break;
    }
    case ControlKind::ListBox: {
        if (style.noData) {
            auto* l = new NoDataList(this);
            l->setSelectionMode(QAbstractItemView::SingleSelection);
            l->setUniformItemSizes(true);
            l->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
            l->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            l->setItemDelegate(new OwnerDrawDelegate(this, id, style.itemHeight));
            l->Rows()->SetReading([this, id](int row) { return FromAnsi(RowReading(id, row)); });
            QObject::connect(l->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                             [this, id](const QModelIndex&, const QModelIndex&) {
                                 if (!inCommand_)
                                     DispatchCommand(id, LBN_SELCHANGE);
                             });
            QObject::connect(l, &QAbstractItemView::doubleClicked, this,
                             [this, id](const QModelIndex&) { DispatchCommand(id, LBN_DBLCLK); });
            w = l;
        } else {
            auto* l = new QListWidget(this);
            l->setSelectionMode(QAbstractItemView::SingleSelection);
            l->setUniformItemSizes(true);
            l->setSortingEnabled(style.sorted);
            l->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
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
        }
        break;
    }
    case ControlKind::Edit: {
        auto* e = new QLineEdit(this);
        e->setReadOnly(style.readOnly);
        QObject::connect(e, &QLineEdit::textEdited, this,
                         [this, id](const QString&) { DispatchCommand(id, EN_CHANGE); });
        w = e;
        break;
    }
    case ControlKind::MultiLineEdit: {
        auto* e = new QPlainTextEdit(this);
        e->setReadOnly(style.readOnly);
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
        auto* c = new ComboBoxWidget(this);
        QObject::connect(c, &QComboBox::activated, this,
                         [this, id](int) { DispatchCommand(id, CBN_SELENDOK); });
        w = c;
        break;
    }
    }
    w->installEventFilter(this);
    controls_[id] = ControlEntry{kind, style, w};
    return w;
}

void DialogWindow::AddControls(std::initializer_list<ControlRow> rows) {
    for (const ControlRow& row : rows) {
        AddControl(row.id, row.kind, row.style);
        MoveItem(row.id, row.rect);
    }
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
        // A limit is for typing (as the edit limit of the system's own edit
        // is): a longer text from a file is shown whole and stored back whole.
        if (const QVariant limit = e->property("qxLimit"); limit.isValid())
            e->setMaxLength(std::max<int>(limit.toInt(), static_cast<int>(s.size())));
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

std::string DialogWindow::GetItemText(int id, std::size_t maxChars) const {
    bool lossless = true;
    return GetItemText(id, maxChars, lossless);
}

bool DialogWindow::TakeStorableText(int id, std::size_t maxChars, std::string& out, bool (*clean)(std::string&)) {
    bool lossless = true;
    out = GetItemText(id, maxChars, lossless);
    const bool changed = clean && clean(out);
    if (lossless && !changed)
        return true;
    SetItemText(id, out);
    return false;
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
    if (auto* e = qobject_cast<QLineEdit*>(Item(id))) {
        if (!e->property("qxLimit").isValid()) {
            // Once the user has shortened a long text, the limit holds again.
            QObject::connect(e, &QLineEdit::textEdited, e, [e](const QString& text) {
                const int limit = e->property("qxLimit").toInt();
                if (text.size() <= limit)
                    e->setMaxLength(limit);
            });
        }
        e->setProperty("qxLimit", maxChars);
        e->setMaxLength(std::max<int>(maxChars, static_cast<int>(e->text().size())));
    } else if (auto* m = qobject_cast<QPlainTextEdit*>(Item(id))) {
        m->setProperty("qxLimit", maxChars);
    }
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
    // An empty selection puts the caret at start.
    if (auto* e = qobject_cast<QLineEdit*>(Item(id)))
        e->setSelection(start, end - start);
}

void DialogWindow::SetStaticTextColor(int id, ColorRef color) {
    if (auto* s = qobject_cast<QLabel*>(Item(id))) {
        QPalette palette = s->palette();
        palette.setColor(QPalette::WindowText, QColor(RedOf(color), GreenOf(color), BlueOf(color)));
        s->setPalette(palette);
    }
}

void DialogWindow::SetFocusTo(int id) {
    if (QWidget* w = Item(id))
        w->setFocus(Qt::OtherFocusReason);
}

int DialogWindow::FocusedItem() const {
    const QWidget* focus = focusWidget();
    for (const auto& [id, entry] : controls_) {
        if (entry.widget == focus)
            return id;
    }
    return 0;
}

void DialogWindow::SetItemTabStop(int id, bool tabStop) {
    if (QWidget* w = Item(id))
        w->setFocusPolicy(tabStop ? static_cast<Qt::FocusPolicy>(w->focusPolicy() | Qt::TabFocus)
                                  : Qt::NoFocus);
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

} // namespace qx
