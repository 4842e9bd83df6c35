#include "CatalogApp.h"

#include "BackgroundWindow.h"
#include "InfoDialog.h"
#include "LanguageDialog.h"
#include "MainFrame.h"
#include "ground/Languages.h"
#include "ground/ScreenMode.h"
#include "navigation/ui/AreaPage.h"
#include "navigation/ui/VideoPage.h"
#include "orders/ui/OrderListPage.h"
#include "pages/GroupPage.h"
#include "pages/InfoPage.h"
#include "pages/ProductPage.h"
#include "pages/RequirementsPage.h"
#include "platform/core/Clock.h"
#include "platform/core/CodePage.h"
#include "platform/core/DibPixels.h"
#include "platform/core/Path.h"
#include "platform/core/Ui.h"
#include "platform/qt/Desktop.h"
#include "platform/qt/HelpViewer.h"
#include "platform/qt/QtTranslations.h"
#include "resources/Bitmaps.h"
#include "resources/Menus.h"
#include "search/ui/SearchDialog.h"
#include "shell/Messages.h"
#include "shell/Prices.h"
#include "shell/Texts.h"

#include <QApplication>
#include <QIcon>
#include <QImage>

#include <utility>

namespace qx {

namespace {

QIcon IconFromDib(const std::vector<std::uint8_t>& dib) {
    const auto px = DecodeDib(DibBytes{dib.data(), dib.size(), 0});
    if (!px)
        return {};
    QImage image(px->width, px->height, QImage::Format_ARGB32);
    for (int y = 0; y < px->height; ++y) {
        for (int x = 0; x < px->width; ++x)
            image.setPixel(x, y, px->argb[static_cast<std::size_t>(y * px->width + x)]);
    }
    return QIcon(QPixmap::fromImage(image.scaled(32, 32)));
}

constexpr LangText kSettingsNotSaved{
    {"Die Einstellungen konnten nicht in qxkat.ini gespeichert werden.\nSie gelten nur bis zum Programmende.",
     "The settings could not be saved in qxkat.ini.\nThey apply only until the program is closed.",
     "Les réglages n'ont pas pu être enregistrés dans qxkat.ini.\nIls ne valent que jusqu'à la fermeture du "
     "programme.",
     "Nastavení nelze uložit do qxkat.ini.\nPlatí jen do ukončení programu."}};

} // namespace

void ShowHelp(const AppContext& app, QWidget* owner) {
    // The help files of the languages; on this platform the HTML help beside
    // them is shown in our own window, another format by the desktop.
    static constexpr const char* kHelpFiles[4] = {"online", "onlineuk", "onlinefr", "onlinecz"};
    const GlobalState& s = app.state;
    const std::string base = s.programDir.str() + kHelpFiles[(s.languageIndex >= 0 && s.languageIndex < 4) ? s.languageIndex : 0];
    for (const char* ext : {".htm", ".html"}) {
        if (FileExists(base + ext) && ShowHelpFile(base + ext, owner))
            return;
    }
    for (const char* ext : {".hlp", ".pdf", ".chm"}) {
        if (FileExists(base + ext) && TheUi().ShellOpen(base + ext))
            return;
    }
    TheUi().MessageBox(texts::kNoHelp.Text(s.languageIndex) + DisplayPath(base + ".hlp"),
                       texts::kAppTitle.Text(s.languageIndex), MB_OK | MB_ICONEXCLAMATION);
}

std::filesystem::path DefaultProgramDir(const std::filesystem::path& executableDir,
                                        const std::vector<std::filesystem::path>& demoDirs) {
    auto holdsCatalogue = [](const std::filesystem::path& dir) {
        std::error_code ec;
        return std::filesystem::is_directory(ResolvePath(ToWindowsPath(dir) + "\\DATEN"), ec);
    };
    if (holdsCatalogue(executableDir))
        return executableDir;
    for (const std::filesystem::path& dir : demoDirs) {
        if (holdsCatalogue(dir))
            return dir;
    }
    return demoDirs.empty() ? executableDir : demoDirs.back();
}

CatalogApp::CatalogApp(Options options) : options_(std::move(options)) {}

CatalogApp::~CatalogApp() = default;

bool CatalogApp::StartUp() {
    // 1. A fresh, zero-filled state and level history.
    app_ = std::make_unique<AppContext>(options_.configFile);
    GlobalState& s = app_->state;
    // Settings are written as the user works; a folder that refuses them
    // would otherwise bring the same message with every click.
    app_->profile.SetWriteFailureHandler([app = app_.get(), told = false]() mutable {
        if (!std::exchange(told, true))
            ShowWarning(app->state.languageIndex, kSettingsNotSaved);
    });

    // 2. The desktop; its right edge is the width the screen mode is chosen from.
    if (options_.desktopWidth > 0)
        SetDesktopWidthOverride(options_.desktopWidth);
    s.desktopRect = DesktopRect();
    const int desktopWidth = s.desktopRect.right;

    // 3. The program directory, with one trailing backslash.
    s.programDir = ToWindowsPath(options_.programDir, true);

    // 4. A background window behind the main window on wide desktops.
    if (desktopWidth > 1024) {
        background_ = std::make_unique<BackgroundWindow>(s, nullptr);
        background_->show();
    }

    // 5-7. Dialog colours (the window layer's default), icon, seal, cursors, fonts.
    QApplication::setWindowIcon(IconFromDib(AppIconBitmap()));
    app_->seal = DibFromBytes(SealBitmap());

    // 8. The language: asked at every start unless given.
    int language = options_.language;
    if (language < 0) {
        LanguageDialog dialog(nullptr, s);
        dialog.DoModal();
        language = dialog.ChosenLanguage();
    }
    s.languageIndex = language;
    SetAnsiCodePage(CodePageOfLanguage(language));
    InstallQtTranslation(language);

    // 9-10. First page and screen mode.
    s.pageMode = kPageArea;
    s.designRect = Rect{0, 0, 628, 430};
    SelectScreenMode(*app_, desktopWidth);

    // 11-12. Price settings.
    s.priceUpdatePath = app_->profile.GetString("Global", "Update04", "", 128);
    s.priceMode = app_->profile.GetInt("Global", "PriceMode", 0);
    s.currency = "DM";

    // 13. Data directories of the language.
    const LanguageInfo& info = LanguageAt(language);
    s.dataDir = info.dataDir;
    s.langDir = info.langDir;

    // 14-15. The main window.
    frame_ = std::make_unique<MainFrame>(*app_);
    if (background_)
        background_->SetMainWindow(frame_.get());
    frame_->SetBackgroundWindow(background_.get());
    s.colorDepth = ScreenColorDepth();
    RegisterPages();

    // 16. The first page, the window shown and painted.
    frame_->ShowPageOfMode();
    frame_->show();
    frame_->PlaceOnScreen();
    frame_->repaint();
    // Without a window manager nobody else gives the window the keyboard.
    frame_->raise();
    frame_->activateWindow();

    // 17. The price list in force, its expiry and the price items.
    ApplyPriceMenu(RunPriceListCheck(*app_, Now()));
    return true;
}

void CatalogApp::ApplyPriceMenu(const PriceMenuState& m) {
    MainFrame& f = *frame_;
    f.EnableCommand(kCmdPriceUpe, m.enabled);
    f.EnableCommand(kCmdPriceVz, m.enabled);
    f.CheckCommand(kCmdPriceUpe, m.upeChecked);
    f.CheckCommand(kCmdPriceVz, m.vzChecked);
}

void CatalogApp::RegisterPages() {
    MainFrame& f = *frame_;
    AppContext& app = *app_;
    auto repaintCurrent = [&f] {
        if (DialogWindow* page = f.CurrentPage())
            page->Invalidate();
    };
    f.SetCommandHandler(kCmdPriceVz, [this, repaintCurrent] {
        ApplyPriceMenu(SetPriceMode(*app_, 1));
        repaintCurrent();
    });
    f.SetCommandHandler(kCmdPriceUpe, [this, repaintCurrent] {
        ApplyPriceMenu(SetPriceMode(*app_, 0));
        repaintCurrent();
    });
    f.SetCommandHandler(kCmdPriceUpdate, [this] {
        if (RunPriceUpdate(*app_))
            ApplyPriceMenu(RunPriceListCheck(*app_, Now()));
    });
    f.SetPriceItemsRefresh([this] { ApplyPriceMenu(PriceMenuStateFor(app_->state, app_->priceAvailability)); });
    f.SetPageFactory([&app](MainFrame& frame, QWidget* client, int mode) -> DialogWindow* {
        switch (mode) {
        case kPageArea: {
            auto* page = new AreaPage(frame, app, client);
            page->openVideo = [&app, client](AreaPage& area, const std::string& video) {
                area.ShowPage(false);
                OpenVideoPage(app, client, &area, video);
            };
            return page;
        }
        case kPageGroup:
            return CreateGroupPage(frame, app, client);
        case kPageProduct:
            return CreateProductPage(frame, app, client);
        case kPageRequirements:
            return CreateRequirementsPage(frame, app, client);
        default:
            return nullptr;
        }
    });
    f.SetCommandHandler(kCmdHelp, [&f, &app] { ShowHelp(app, &f); });
    f.SetCommandHandler(kCmdInfo, [&f, &app] {
        InfoDialog dialog(&f, app.pictures);
        dialog.DoModal();
    });
    // Terms of delivery: the information page laid over the current page.
    auto openTerms = [&f, &app](const char* document) {
        DialogWindow* hidden = f.HideCurrentPage();
        OpenInfoPage(app, f, f.Client(), hidden, document, {}, {}, {}, 0);
    };
    // Changes to the order list are never lost by quitting: its page asks first.
    f.SetCloseGuard([&f] {
        for (DialogWindow* page : f.Pages()) {
            if (auto* list = dynamic_cast<OrderListPage*>(page); list && !list->IsDestroyed())
                return list->SettleChanges();
        }
        return true;
    });
    // Order list: the file is always asked for here, then the page laid over the current one.
    f.SetCommandHandler(kCmdOrderList, [&f, &app] {
        if (!AskOrderListFile(app))
            return;
        DialogWindow* hidden = f.HideCurrentPage();
        OpenOrderListPage(f, app, f.Client(), hidden);
    });
    // The searches: four product searches, the service standard and, from
    // the area pages, the printed catalogues' lists.
    const std::pair<int, int> productSearches[] = {{kCmdKeyword, kIndexSws},
                                                   {kCmdToolNumber, kSearchNumber | kIndexAnr},
                                                   {kCmdQtxNumber, kSearchNumber | kIndexAnr | kSearchQtx},
                                                   {kCmdHlnNumber, kSearchNumber | kIndexAnr | kSearchHln}};
    for (const auto& search : productSearches) {
        const int mode = search.second;
        f.SetCommandHandler(search.first, [&f, &app, mode] { RunProductSearch(f, app, &f, mode); });
    }
    f.SetCommandHandler(kCmdServiceStandard, [&f, &app] { RunDocumentChooser(app, &f, kIndexStd); });
    f.SetDocumentSearch([&f, &app](int mode) { RunDocumentChooser(app, &f, mode); });
    f.SetCommandHandler(kCmdTermsEquipment, [openTerms] { openTerms("Betrieb.htm"); });
    f.SetCommandHandler(kCmdTermsTools, [openTerms] { openTerms("Spezial.htm"); });
}

int CatalogApp::Exit() {
    frame_.reset();
    InstallQtTranslation(-1);
    background_.reset();
    if (app_)
        app_->pictures = SharedPictures{};
    return 0;
}

} // namespace qx
