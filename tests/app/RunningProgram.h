#pragma once
// The program started on a test catalogue as a user starts it (language
// chosen by option, no dialog), ended with the object.

#include "GuiFixture.h"
#include "app/ui/CatalogApp.h"
#include "app/ui/MainFrame.h"

#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace qx::testing {

struct RunningProgram {
    explicit RunningProgram(TempCatalog& c, int desktopWidth = 640, int language = 0)
        : RunningProgram(c.Dir(), c.Ini(), desktopWidth, language) {}
    // On a catalogue elsewhere (the demo), with the settings file of a temporary one.
    RunningProgram(const std::filesystem::path& programDir, const std::filesystem::path& ini,
                   int desktopWidth, int language) {
        app = std::make_unique<CatalogApp>(CatalogApp::Options{programDir, ini, desktopWidth, language});
        EXPECT_TRUE(app->StartUp());
        Pump();
    }
    ~RunningProgram() {
        app->Exit();
        Pump();
    }
    MainFrame& Frame() { return *app->Frame(); }
    AppContext& Context() { return app->Context(); }
    GlobalState& State() { return app->Context().state; }
    // Replaces the pages by the one of a page mode, as a page leading elsewhere does.
    template <class Page = DialogWindow> Page* ShowPage(int pageMode) {
        Frame().DestroyAllPages();
        State().pageMode = pageMode;
        Frame().PostShowPage();
        Pump();
        return Current<Page>();
    }
    // What a user does, with the events it leads to run.
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        PressKey(&Frame(), key, modifiers);
        Pump();
    }
    void Menu(int command) {
        Frame().OnMenuCommand(command);
        Pump();
    }
    void Click(QWidget* button) {
        QTest::mouseClick(button, Qt::LeftButton);
        Pump();
    }
    template <class Page> void Send(Page* page, int command) {
        page->SendCommand(command);
        Pump();
    }
    template <class Page> Page* Current() { return dynamic_cast<Page*>(Frame().CurrentPage()); }
    std::unique_ptr<CatalogApp> app;
};

// A click on a control of a page, with the events it leads to run.
inline void Click(DialogWindow* page, int id) {
    QTest::mouseClick(page->Item(id), Qt::LeftButton);
    Pump();
}

// Paints a page or dialog into a recording, as its window does on screen.
struct PaintOf : DialogWindow {
    static void Into(DialogWindow& w, Dc& dc) { (w.*&PaintOf::OnPaint)(dc); }
};

// Draws one owner-drawn item of a page, as its list or button does on screen.
struct DrawOf : DialogWindow {
    static void Into(DialogWindow& w, DrawItem& item) { (w.*&DrawOf::OnDrawItem)(item); }
};

} // namespace qx::testing
