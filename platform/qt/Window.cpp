#include "Window.h"

#include "OwnerDraw.h"
#include "QtDc.h"
#include "QtText.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
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

int VirtualKeyOf(const QKeyEvent& event) {
    const int key = event.key();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Delete:
        return VK_DELETE;
    default:
        break;
    }
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
        return key; // Qt's codes are the ASCII ones here
    return 0;
}

struct Placed {
    QWidget* widget;
    QRect rect;
};

// Reading order: the controls are cut into rows where no control spans the
// gap between them. A group that has no such gap (a tall list beside rows of
// buttons) is cut once into columns, at its widest gap, and each side is read
// again the same way, rows first. A group that cannot be cut at all
// (overlapping controls) goes by top, then left. Controls that touch belong
// together (a keypad): a cut needs a gap.
void AppendInReadingOrder(std::vector<Placed> group, std::vector<QWidget*>& out) {
    if (group.size() <= 1) {
        for (const Placed& p : group)
            out.push_back(p.widget);
        return;
    }
    std::stable_sort(group.begin(), group.end(),
                     [](const Placed& a, const Placed& b) { return a.rect.top() < b.rect.top(); });
    std::vector<std::vector<Placed>> rows(1);
    int reach = group.front().rect.bottom() + 1;
    for (const Placed& p : group) {
        if (!rows.back().empty() && p.rect.top() > reach)
            rows.emplace_back();
        rows.back().push_back(p);
        reach = std::max(reach, p.rect.bottom() + 1);
    }
    if (rows.size() > 1) {
        for (std::vector<Placed>& row : rows)
            AppendInReadingOrder(std::move(row), out);
        return;
    }
    std::stable_sort(group.begin(), group.end(),
                     [](const Placed& a, const Placed& b) { return a.rect.left() < b.rect.left(); });
    std::size_t cut = 0;
    int widest = 0;
    reach = group.front().rect.right() + 1;
    for (std::size_t i = 1; i < group.size(); ++i) {
        if (group[i].rect.left() - reach > widest) {
            widest = group[i].rect.left() - reach;
            cut = i;
        }
        reach = std::max(reach, group[i].rect.right() + 1);
    }
    if (cut > 0) {
        AppendInReadingOrder({group.begin(), group.begin() + static_cast<std::ptrdiff_t>(cut)}, out);
        AppendInReadingOrder({group.begin() + static_cast<std::ptrdiff_t>(cut), group.end()}, out);
        return;
    }
    std::stable_sort(group.begin(), group.end(), [](const Placed& a, const Placed& b) {
        return a.rect.top() != b.rect.top() ? a.rect.top() < b.rect.top() : a.rect.left() < b.rect.left();
    });
    for (const Placed& p : group)
        out.push_back(p.widget);
}

} // namespace

int PrivateMessageEventType() {
    static const int type = QEvent::registerEventType();
    return type;
}

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
    static const bool accessible = (InstallAccessibility(), true);
    (void)accessible;
}

DialogWindow::~DialogWindow() = default;

void DialogWindow::MoveWindowTo(const Rect& r) {
    setGeometry(r.left, r.top, std::max(0, r.Width()), std::max(0, r.Height()));
    if (kind_ != Kind::Page)
        setFixedSize(std::max(0, r.Width()), std::max(0, r.Height()));
}

Rect DialogWindow::ClientRect() const { return Rect{0, 0, width(), height()}; }

void DialogWindow::Invalidate() { update(); }

void DialogWindow::InvalidateRect(const Rect& r) { update(QRect(r.left, r.top, r.Width(), r.Height())); }

void DialogWindow::UpdateNow() { repaint(); }

void DialogWindow::ShowPage(bool show) {
    EnsureInitialised();
    setVisible(show);
    if (show && kind_ == Kind::Page)
        TakeFocus();
}

void DialogWindow::TakeFocus() {
    if (QWidget* start = Item(startItem_);
        start && (start->focusPolicy() & Qt::TabFocus) && start->isEnabled() && start->isVisibleTo(this)) {
        start->setFocus(Qt::TabFocusReason);
        return;
    }
    FocusFirstItem();
}

void DialogWindow::FocusFirstItem() {
    const std::vector<QWidget*> stops = TabStops();
    if (stops.empty())
        setFocus(Qt::OtherFocusReason);
    else
        stops.front()->setFocus(Qt::TabFocusReason);
}

std::vector<QWidget*> DialogWindow::TabStops() const {
    std::vector<Placed> placed;
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(this) &&
            !w->focusProxy())
            placed.push_back({w, QRect(w->mapTo(this, QPoint(0, 0)), w->size())});
    }
    std::vector<QWidget*> stops;
    AppendInReadingOrder(std::move(placed), stops);
    return stops;
}

bool DialogWindow::focusNextPrevChild(bool next) {
    // The focus chain is the order the controls were made in; Tab goes by
    // where they are on the screen instead, and stays within this window.
    const std::vector<QWidget*> stops = TabStops();
    if (stops.empty())
        return kind_ == Kind::Page || QDialog::focusNextPrevChild(next);
    const QWidget* focus = window()->focusWidget();
    const auto at = std::find_if(stops.begin(), stops.end(),
                                 [focus](QWidget* w) { return focus && (w == focus || w->isAncestorOf(focus)); });
    const auto count = static_cast<std::ptrdiff_t>(stops.size());
    std::ptrdiff_t index = next ? 0 : count - 1;
    if (at != stops.end())
        index = ((at - stops.begin()) + (next ? 1 : -1) + count) % count;
    stops[static_cast<std::size_t>(index)]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void DialogWindow::DestroyWindow() {
    if (destroyed_)
        return;
    destroyed_ = true;
    OnDestroy();
    hide();
    deleteLater();
}

void DialogWindow::ReturnTo(DialogWindow* returnPage) {
    if (destroyed_)
        return;
    if (returnPage && !returnPage->IsDestroyed())
        returnPage->ShowPage(true);
    DestroyWindow();
}

void DialogWindow::SetCaption(std::string_view text) { setWindowTitle(FromAnsi(text)); }

void DialogWindow::SetItemName(int id, std::string_view name) {
    if (QWidget* w = Item(id))
        w->setAccessibleName(FromAnsi(name));
}

std::string DialogWindow::ItemToolTip(int id) const { return tooltips_ && HasItem(id) ? tooltips_(id) : std::string(); }

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
    const int result = exec();
    // The keyboard goes back to the window the dialog was opened over, also
    // where no window manager hands it back.
    if (QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr; owner && owner->isVisible())
        owner->activateWindow();
    return result;
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
    if (const int vk = VirtualKeyOf(*event); vk != 0 && OnKeyDown(vk)) {
        event->accept();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Escape:
        OnCancel();
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter presses the button that has the keyboard, as Space does.
        if (auto* button = qobject_cast<QAbstractButton*>(focusWidget());
            button && isAncestorOf(button) && button->isEnabled()) {
            button->click();
        } else {
            OnOk();
        }
        event->accept();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void DialogWindow::showEvent(QShowEvent* event) {
    EnsureInitialised();
    QDialog::showEvent(event);
    // A dialog takes the keyboard when it appears, also where no window
    // manager hands it over.
    if (kind_ != Kind::Page && !event->spontaneous()) {
        if (!focusWidget())
            TakeFocus();
        activateWindow();
    }
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

void DialogWindow::EnableContextMenu(int id) {
    QWidget* w = Item(id);
    if (!w)
        return;
    w->setContextMenuPolicy(Qt::CustomContextMenu);
    // A list reports the point in its viewport's coordinates.
    auto* view = qobject_cast<QAbstractScrollArea*>(w);
    QWidget* origin = view ? view->viewport() : w;
    QObject::connect(w, &QWidget::customContextMenuRequested, this, [this, id, origin](const QPoint& at) {
        const QPoint global = origin->mapToGlobal(at);
        OnContextMenu(id, Point{global.x(), global.y()});
    });
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
    auto* widget = qobject_cast<QWidget*>(watched);
    const bool hasMenu = widget && widget->contextMenuPolicy() == Qt::CustomContextMenu;
    // The keys are taken here, so that Shift+F10 works as the Menu key does
    // and on every platform; the menu event some platforms add for the Menu
    // key would show the menu a second time.
    if (hasMenu && event->type() == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard)
        return true;
    if (hasMenu && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
        if ((key->key() == Qt::Key_Menu && mods == Qt::NoModifier) ||
            (key->key() == Qt::Key_F10 && mods == Qt::ShiftModifier)) {
            QPoint at(4, 4);
            QWidget* origin = widget;
            if (auto* view = qobject_cast<QAbstractItemView*>(widget)) {
                origin = view->viewport();
                if (view->currentIndex().isValid())
                    at = view->visualRect(view->currentIndex()).center();
                at.setY(std::clamp(at.y(), 0, std::max(0, origin->height() - 1)));
                at.setX(std::clamp(at.x(), 0, std::max(0, origin->width() - 1)));
            }
            for (auto& [id, entry] : controls_) {
                if (entry.widget == widget) {
                    const QPoint global = origin->mapToGlobal(at);
                    OnContextMenu(id, Point{global.x(), global.y()});
                    return true;
                }
            }
        }
    }
    if (event->type() == QEvent::KeyPress) {
        // A read-only edit has no use for Backspace and Delete: they are the
        // window's keys there, as where no control takes them.
        auto* key = static_cast<QKeyEvent*>(event);
        if (auto* e = qobject_cast<QLineEdit*>(watched);
            e && e->isReadOnly() && (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete) &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && OnKeyDown(VirtualKeyOf(*key)))
            return true;
        // Multi-line edits with a limit refuse input past it.
        if (auto* m = qobject_cast<QPlainTextEdit*>(watched)) {
            const QVariant limit = m->property("qxLimit");
            if (limit.isValid() && !key->text().isEmpty() && key->text().at(0).isPrint() &&
                m->toPlainText().size() >= limit.toInt() && !m->textCursor().hasSelection())
                return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace qx
