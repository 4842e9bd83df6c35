#include "MainFrame.h"

#include "BackgroundWindow.h"
#include "catalog/Scale.h"
#include "ground/Languages.h"
#include "ground/ScreenMode.h"
#include "print/ui/PrintJob.h"
#include "platform/core/CodePage.h"
#include "platform/core/Ui.h"
#include "platform/qt/HelpViewer.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtTranslations.h"
#include "resources/Menus.h"
#include "shell/Texts.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QWindow>
#include <QWindowStateChangeEvent>

#include <algorithm>

namespace qx {

namespace {
// The event that carries UM_SHOWPAGE and the close request to the frame.
int FrameEventType() {
    static const int type = QEvent::registerEventType();
    return type;
}
struct FrameEvent : QEvent {
    explicit FrameEvent(int m) : QEvent(static_cast<QEvent::Type>(FrameEventType())), message(m) {}
    int message;
};
constexpr int kCloseRequest = -1;
} // namespace

MainFrame::MainFrame(AppContext& app) : app_(app), client_(new QWidget(this)) {
    setWindowTitle(FromAnsi(texts::kAppTitle.Text(app_.state.languageIndex)));
    QPalette pal = client_->palette();
    pal.setColor(QPalette::Window, Qt::white);
    client_->setPalette(pal);
    client_->setAutoFillBackground(true);
    setCentralWidget(client_);
    // No sizing border: the size follows the screen mode only.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);

    SetCommandHandler(kCmdQuit, [this] { AskQuit(); });
    for (const LanguageInfo& l : kLanguages) {
        const int index = static_cast<int>(&l - kLanguages.data());
        SetCommandHandler(l.menuCommand, [this, index] { ChangeLanguage(index); });
    }
    SetCommandHandler(kCmdScreen800, [this] { ChangeScreenSize(800); });
    SetCommandHandler(kCmdScreen1024, [this] { ChangeScreenSize(1024); });
    // The system menu's close key, also where no window manager offers it.
    auto* altF4 = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
    QObject::connect(altF4, &QShortcut::activated, this, [this] { close(); });
    BuildMenu();
    FitToScreenMode();
}

MainFrame::~MainFrame() {
    // Pages call back into this window while they go; let them go while it is whole.
    const QObjectList children = client_->children();
    for (QObject* child : children) {
        if (dynamic_cast<DialogWindow*>(child))
            delete child;
    }
}

void MainFrame::SetCommandHandler(int command, std::function<void()> handler) {
    handlers_[command] = std::move(handler);
    if (QAction* a = Action(command))
        a->setEnabled(enabled_.count(command) ? enabled_[command] : true);
}

void MainFrame::BuildMenu() {
    actions_.clear();
    screenSizeMenu_ = nullptr;
    QMenuBar* bar = menuBar();
    bar->clear();
    // The old menus go with their submenus; later, as the command that
    // rebuilds the menu may have come from one of them.
    for (QMenu* menu : menus_)
        menu->deleteLater();
    menus_.clear();
    AddMenuItems(nullptr, MenuOfLanguage(app_.state.languageIndex));
    if (screenSizeMenu_)
        screenSizeMenu_->menuAction()->setEnabled(screenSizeEnabled_);
}

void MainFrame::AddMenuItems(QMenu* menu, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        if (item.IsSeparator()) {
            if (menu)
                menu->addSeparator();
            continue;
        }
        const QString text = QString::fromUtf8(item.text);
        if (item.IsPopup()) {
            QMenu* sub = menu ? menu->addMenu(text) : menuBar()->addMenu(text);
            if (!menu)
                menus_.push_back(sub);
            AddMenuItems(sub, item.children);
            if (item.children.front().command == kCmdScreen800)
                screenSizeMenu_ = sub;
            continue;
        }
        QAction* action = menu->addAction(text);
        const int command = item.command;
        action->setCheckable(command == kCmdPriceUpe || command == kCmdPriceVz);
        // A new menu comes with every item enabled and unchecked; states set
        // since are applied again, and items without a handler are grayed.
        const bool handled = handlers_.count(command) != 0;
        action->setEnabled(handled && (enabled_.count(command) ? enabled_[command] : true));
        QObject::connect(action, &QAction::triggered, this, [this, command] { OnMenuCommand(command); });
        actions_[command] = action;
    }
}

QAction* MainFrame::Action(int command) const {
    auto it = actions_.find(command);
    return it == actions_.end() ? nullptr : it->second;
}

void MainFrame::EnableCommand(int command, bool enable) {
    enabled_[command] = enable;
    if (QAction* a = Action(command))
        a->setEnabled(enable && handlers_.count(command) != 0);
}

bool MainFrame::SetCommandEnabled(int command, bool enable) {
    const auto it = enabled_.find(command);
    const bool before = it == enabled_.end() || it->second;
    EnableCommand(command, enable);
    return before;
}

void MainFrame::CheckCommand(int command, bool check) {
    checked_[command] = check;
    if (QAction* a = Action(command))
        a->setChecked(check);
}

bool MainFrame::IsCommandEnabled(int command) const {
    QAction* a = Action(command);
    return a && a->isEnabled();
}

bool MainFrame::IsCommandChecked(int command) const {
    QAction* a = Action(command);
    return a && a->isChecked();
}

bool MainFrame::IsScreenSizeMenuEnabled() const {
    return screenSizeMenu_ && screenSizeMenu_->menuAction()->isEnabled();
}

void MainFrame::OnMenuCommand(int command) {
    // A disabled window (a print job runs) takes no command by any road.
    if (!isEnabled())
        return;
    auto it = handlers_.find(command);
    if (it == handlers_.end())
        return;
    if (QAction* a = Action(command); a && !a->isEnabled())
        return;
    auto handler = it->second; // the handler may replace the menu
    handler();
}

DialogWindow* MainFrame::CurrentPage() const {
    for (DialogWindow* page : Pages()) {
        if (!page->isHidden())
            return page;
    }
    return nullptr;
}

std::vector<DialogWindow*> MainFrame::Pages() const {
    std::vector<DialogWindow*> pages;
    const QObjectList& children = client_->children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        auto* page = dynamic_cast<DialogWindow*>(*it);
        if (page && !page->IsDestroyed())
            pages.push_back(page);
    }
    return pages;
}

void MainFrame::PostToAllPages(int message) {
    for (DialogWindow* page : Pages())
        DialogWindow::PostMessageTo(page, message);
}

DialogWindow* MainFrame::HideCurrentPage() {
    DialogWindow* page = CurrentPage();
    if (page)
        page->ShowPage(false);
    return page;
}

void MainFrame::FitToScreenMode() {
    const GlobalState& s = app_.state;
    const int w = static_cast<int>(632 * s.scaleX);
    const int h = static_cast<int>(434 * s.scaleY);
    if (w <= 0 || h <= 0)
        return;
    client_->setFixedSize(w, h);
    // The maximised size never exceeds the screen mode: the window cannot grow.
    adjustSize();
    setFixedSize(sizeHint());
}

QRect MainFrame::PlacementArea() const {
    const Rect& d = app_.state.desktopRect;
    QRect area(d.left, d.top, d.Width(), d.Height());
    // A desktop width given on the command line may describe more than the screen has.
    if (screen())
        area = area.intersected(screen()->availableGeometry());
    return area;
}

void MainFrame::PlaceOnScreen() {
    const QRect area = PlacementArea();
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const QSize outer = size().grownBy(frame);
    const int x = area.left() + std::max(0, (area.width() - outer.width()) / 2);
    const int y = area.top() + std::max(0, (area.height() - outer.height()) / 2);
    // The window's own corner where the frame is known: Qt's frame position
    // goes through the window manager's gravity rules, read unalike.
    if (windowHandle() && !frame.isNull())
        windowHandle()->setPosition(x + frame.left(), y + frame.top());
    else
        move(x, y);
    if (windowHandle() && !keepingOnScreen_) {
        // A window manager frames and places the window after it is shown,
        // at its own pace; for a while each move is checked.
        keepingOnScreen_ = true;
        windowHandle()->installEventFilter(this);
        for (int ms : {150, 400, 1000})
            QTimer::singleShot(ms, this, [this] { KeepOnScreen(); });
        QTimer::singleShot(2000, this, [this] {
            keepingOnScreen_ = false;
            if (windowHandle())
                windowHandle()->removeEventFilter(this);
        });
    }
}

void MainFrame::KeepOnScreen() {
    if (!keepingOnScreen_ || !windowHandle() || !isVisible())
        return;
    const QRect outer = windowHandle()->frameGeometry();
    const QRect area = PlacementArea();
    if (outer.top() < area.top() || outer.left() < area.left() ||
        (outer.width() <= area.width() && outer.right() > area.right()) ||
        (outer.height() <= area.height() && outer.bottom() > area.bottom()))
        PlaceOnScreen();
}

bool MainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle() && (event->type() == QEvent::Expose || event->type() == QEvent::Move))
        KeepOnScreen();
    return QMainWindow::eventFilter(watched, event);
}

void MainFrame::PostShowPage() { QCoreApplication::postEvent(this, new FrameEvent(UM_SHOWPAGE)); }

void MainFrame::PostClose() { QCoreApplication::postEvent(this, new FrameEvent(kCloseRequest)); }

void MainFrame::DestroyAllPages() {
    for (DialogWindow* page : Pages())
        page->DestroyWindow();
}

void MainFrame::RunDocumentSearch(int mode) {
    if (documentSearch_)
        documentSearch_(mode);
}

void MainFrame::EnableLanguageAndScreenItems(bool enable) {
    for (const LanguageInfo& l : kLanguages)
        EnableCommand(l.menuCommand, enable);
    screenSizeEnabled_ = enable;
    if (screenSizeMenu_)
        screenSizeMenu_->menuAction()->setEnabled(enable);
}

void MainFrame::ShowPageOfMode() {
    if (!pageFactory_)
        return;
    DialogWindow* page = pageFactory_(*this, client_, app_.state.pageMode); // none for a mode it does not know
    if (!page || page->IsDestroyed())
        return;
    page->ShowPage(true);
    page->raise();
    page->UpdateNow();
}

void MainFrame::ChangeLanguage(int languageIndex) {
    const LanguageInfo& info = LanguageAt(languageIndex);
    GlobalState& s = app_.state;
    s.languageIndex = languageIndex;
    SetAnsiCodePage(CodePageOfLanguage(languageIndex));
    InstallQtTranslation(languageIndex);
    BuildMenu();
    if (priceItemsRefresh_)
        priceItemsRefresh_();
    app_.profile.WriteString("Global", "language", info.iniValue);
    s.dataDir = info.dataDir;
    s.langDir = info.langDir;
    PostToAllPages(UM_RELOAD);
}

void MainFrame::ChangeScreenSize(int width) {
    if (!MayDestroyPages())
        return;
    DestroyAllPages();
    SelectScreenMode(app_, width);
    FitToScreenMode();
    keepingOnScreen_ = false; // the corner of the screen, as asked
    move(0, 0);
    GlobalState& s = app_.state;
    s.pageOrigin = 1;
    s.pageMode = kPageArea;
    s.areaLevel = 0;
    PostShowPage();
}

void MainFrame::AskQuit() {
    const int lang = app_.state.languageIndex;
    if (TheUi().MessageBox(texts::kQuitQuestion.Text(lang), texts::kAppTitle.Text(lang),
                           MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK)
        close();
}

bool MainFrame::event(QEvent* event) {
    if (event->type() == FrameEventType()) {
        const int message = static_cast<FrameEvent*>(event)->message;
        if (message == UM_SHOWPAGE)
            ShowPageOfMode();
        else if (message == kCloseRequest)
            close();
        return true;
    }
    return QMainWindow::event(event);
}

void MainFrame::closeEvent(QCloseEvent* event) {
    if (PrintJob::IsStarted()) {
        // The printing page lives until its job returns: abort the job and
        // close once it has ended.
        event->ignore();
        PrintJob::Abort();
        QTimer::singleShot(50, this, [this] { close(); });
        return;
    }
    if (!MayDestroyPages()) {
        event->ignore();
        return;
    }
    event->accept();
    // The background and the help window are windows of their own and would
    // keep the event loop running.
    if (background_)
        background_->hide();
    CloseHelp();
    // Any other window left open must not either. Outside the application's
    // loop (start-up, tests) the quit does nothing.
    QCoreApplication::quit();
}

void MainFrame::keyPressEvent(QKeyEvent* event) {
    DialogWindow* page = CurrentPage();
    if (page && page->isEnabled() && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        QCoreApplication::sendEvent(page, event);
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainFrame::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange && background_) {
        if (isMinimized())
            background_->showMinimized();
        else
            background_->showNormal();
    }
    QMainWindow::changeEvent(event);
}

} // namespace qx
