#pragma once
// The application object: start-up in its fixed order, and exit.

#include "ground/CommandLine.h"
#include "shell/AppContext.h"

#include <filesystem>
#include <memory>
#include <vector>

class QWidget;

namespace qx {

class MainFrame;
class BackgroundWindow;
struct PriceMenuState;

class CatalogApp {
public:
    struct Options {
        std::filesystem::path programDir; // real directory of the catalogue
        std::filesystem::path configFile; // qxkat.ini
        int desktopWidth = 0;             // 0: the real desktop
        int language = -1;                // -1: ask
    };

    explicit CatalogApp(Options options);
    ~CatalogApp();

    // Runs the start-up steps; the main window is shown with its first page.
    bool StartUp();
    // Releases the shared resources; returns the exit code.
    int Exit();

    AppContext& Context() { return *app_; }
    MainFrame* Frame() { return frame_.get(); }
    BackgroundWindow* Background() { return background_.get(); }

private:
    void RegisterPages();
    void ApplyPriceMenu(const PriceMenuState& state);
    Options options_;
    std::unique_ptr<AppContext> app_;
    std::unique_ptr<MainFrame> frame_;
    std::unique_ptr<BackgroundWindow> background_;
};

// Opens the help of the current language: the HTML help in the program's own
// window, another help format with the desktop's viewer; a message when none exists.
void ShowHelp(const AppContext& app, QWidget* owner);

// The catalogue directory used when none is given: beside the program when a
// DATEN folder is there, else the first of the demo catalogues that holds one
// (the installed one before the build's), else the last of them.
std::filesystem::path DefaultProgramDir(const std::filesystem::path& executableDir,
                                        const std::vector<std::filesystem::path>& demoDirs);

} // namespace qx
