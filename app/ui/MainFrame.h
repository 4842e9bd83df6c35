#pragma once
// The program's only top-level window: the menu of the current language, one
// visible page at a time in its client area, and the menu commands. Pages are
// made by a factory per page mode and by the commands of later subsystems,
// which register their handlers; a command without a handler stays grayed.

#include "shell/AppContext.h"
#include "shell/MainFrameApi.h"
#include "platform/qt/Window.h"

#include <QMainWindow>
#include <QRect>

#include <functional>
#include <map>
#include <vector>

class QAction;
class QMenu;

namespace qx {

class BackgroundWindow;

class MainFrame : public QMainWindow, public MainFrameApi {
public:
    // Creates the page of a page mode as a child of the client area, or nullptr.
    using PageFactory = std::function<DialogWindow*(MainFrame& frame, QWidget* client, int pageMode)>;

    explicit MainFrame(AppContext& app);
    ~MainFrame() override;

    AppContext& App() { return app_; }
    void SetPageFactory(PageFactory factory) { pageFactory_ = std::move(factory); }
    void SetBackgroundWindow(BackgroundWindow* window) { background_ = window; }
    void SetCommandHandler(int command, std::function<void()> handler);
    // Refreshes the two price items after the menu was rebuilt.
    void SetPriceItemsRefresh(std::function<void()> refresh) { priceItemsRefresh_ = std::move(refresh); }
    // Runs the document chooser of a mode and opens the chosen document.
    void SetDocumentSearch(std::function<void(int mode)> search) { documentSearch_ = std::move(search); }
    // Asked on every road to quit (menu, window close, Alt+F4, the start
    // page's Escape) before the window closes; false keeps the program running.
    void SetCloseGuard(std::function<bool()> guard) { closeGuard_ = std::move(guard); }

    // Rebuilds the menu bar for the current language and applies enable and check states.
    void BuildMenu();
    QAction* Action(int command) const;
    void EnableCommand(int command, bool enable);
    void CheckCommand(int command, bool check);
    bool IsCommandEnabled(int command) const;
    bool IsCommandChecked(int command) const;
    bool IsScreenSizeMenuEnabled() const;
    // Runs a menu command (as the menu does).
    void OnMenuCommand(int command);

    QWidget* Client() const { return client_; }
    // The first visible page in window order, or nullptr.
    DialogWindow* CurrentPage() const;
    // All live pages, newest first (window order).
    std::vector<DialogWindow*> Pages() const;
    // Posts a private message to every page, in window order.
    void PostToAllPages(int message);
    // Lays an overlay page over the current page: hides the current page and shows the overlay.
    DialogWindow* HideCurrentPage();

    // Fits the window to the screen mode: client = the 632 x 434 design page scaled.
    void FitToScreenMode();
    // Centres the window, frame included, on the desktop and on the screen;
    // placed again when the window manager's frame or placement moves it off
    // the screen in the moments after.
    void PlaceOnScreen();

    // MainFrameApi
    void PostShowPage() override;
    void DestroyAllPages() override;
    bool MayDestroyPages() override { return !closeGuard_ || closeGuard_(); }
    void RunCommand(int command) override { OnMenuCommand(command); }
    void RunDocumentSearch(int mode) override;
    void EnableLanguageAndScreenItems(bool enable) override;
    bool SetCommandEnabled(int command, bool enable) override;
    void PostClose() override;

    // Commands of this window.
    void ChangeLanguage(int languageIndex);
    void ChangeScreenSize(int width);
    void AskQuit();
    // UM_SHOWPAGE: creates the page of pageMode.
    void ShowPageOfMode();

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Closing this window ends the program, whatever other windows are open.
    void closeEvent(QCloseEvent* event) override;
    // Keys that reach the window itself go to the page shown.
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddMenuItems(QMenu* menu, const std::vector<struct MenuItem>& items);
    QRect PlacementArea() const;
    void KeepOnScreen();
    AppContext& app_;
    QWidget* client_;
    PageFactory pageFactory_;
    std::map<int, std::function<void()>> handlers_;
    std::function<void()> priceItemsRefresh_;
    std::function<void(int)> documentSearch_;
    std::function<bool()> closeGuard_;
    std::map<int, QAction*> actions_;
    std::map<int, bool> enabled_; // states set by pages and commands, kept across menu rebuilds
    std::map<int, bool> checked_;
    std::vector<QMenu*> menus_; // the menu bar's popups, freed at a rebuild
    QMenu* screenSizeMenu_ = nullptr;
    bool screenSizeEnabled_ = true;
    BackgroundWindow* background_ = nullptr;
    bool keepingOnScreen_ = false; // for a while after PlaceOnScreen
};

} // namespace qx
