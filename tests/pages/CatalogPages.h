#pragma once
// The small catalogue and the helpers of the page tests.

#include "tests/app/GuiFixture.h"
#include "tests/app/RunningProgram.h"

#include "platform/core/RecordingDc.h"

#include <memory>
#include <vector>

namespace qx {
class OrderListPage;
class ScriptedUi;
} // namespace qx

namespace qx::testing {

// The menu's "Bestellliste" with the file dialog answered by file: the page it opened, or null.
OrderListPage* OpenOrderList(RunningProgram& p, ScriptedUi& ui, const std::string& file);
// Saves an order list of one entry per number and supplier: quantity 1, named by its number.
bool SaveListOf(const std::string& file, const std::vector<std::pair<std::string, std::string>>& entries);

// The area files of WriteAreas, and German data: group file HEBE.gpe with three levels, product lists
// SAEULE.KAT (three products, one of them DORNA's) and EMPTY.KAT, a price
// list, pictures of the screen modes and product information HTML.
void WriteCatalogPages(TempCatalog& c);


// The child pages of parent of a class, found by their real type (the pages
// carry no meta-object of their own). Destroyed pages don't count.
template <class Page> std::vector<Page*> PagesOf(QWidget* parent) {
    std::vector<Page*> pages;
    for (DialogWindow* w : parent->findChildren<DialogWindow*>()) {
        if (auto* page = dynamic_cast<Page*>(w); page && !page->IsDestroyed())
            pages.push_back(page);
    }
    return pages;
}
template <class Page> Page* FindPage(QWidget* parent) {
    const std::vector<Page*> pages = PagesOf<Page>(parent);
    return pages.empty() ? nullptr : pages.front();
}
template <class Page> int CountPages(QWidget* parent) { return static_cast<int>(PagesOf<Page>(parent).size()); }

// While it lives, every print job draws into a recording printer context;
// Calls() holds what the last finished job drew.
class RecordedPrint {
public:
    RecordedPrint();
    ~RecordedPrint();
    const std::vector<DrawCall>& Calls() const { return *calls_; }
    // How many print jobs started while it lived.
    int Jobs() const { return *jobs_; }
    int Pages() const;
    const DrawCall* FindText(std::string_view text) const;

private:
    std::shared_ptr<std::vector<DrawCall>> calls_;
    std::shared_ptr<int> jobs_;
};

// The page shown: "area N", "group N <selected entry>", "product", "info", ...
std::string Where(RunningProgram& p);

} // namespace qx::testing
