#pragma once
// A small catalogue for the group and product page tests, and the running
// program that shows it.

#include "app/ui/CatalogApp.h"
#include "app/ui/MainFrame.h"
#include "tests/app/GuiFixture.h"

#include <memory>

namespace qx::testing {

// The area files of WriteAreas, and German data: group file HEBE.gpe with three levels, product lists
// SAEULE.KAT (three products, one of them DORNA's) and EMPTY.KAT, a price
// list, pictures of the screen modes and product information HTML.
void WriteCatalogPages(TempCatalog& c);

struct RunningProgram {
    explicit RunningProgram(TempCatalog& c, int desktopWidth = 640);
    ~RunningProgram();
    MainFrame& Frame() { return *app->Frame(); }
    GlobalState& State() { return app->Context().state; }
    // Replaces the pages by the one of a page mode, as a page that leads
    // elsewhere does.
    void ShowPage(int pageMode);
    template <class Page>
    Page* Current() {
        return dynamic_cast<Page*>(Frame().CurrentPage());
    }
    std::unique_ptr<CatalogApp> app;
};

} // namespace qx::testing
