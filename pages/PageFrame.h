#pragma once
// The frame the group and product pages share: the background with the logo,
// the sunken picture panel on the left, the title and breadcrumb in the title
// panel, and the rows of their owner-drawn lists.

#include "shell/AppContext.h"
#include "platform/core/Dc.h"
#include "platform/core/DrawItem.h"

#include <string>
#include <utility>
#include <string_view>

namespace qx {

// Background, the panel of panelHeight design units at (14, 64) and the
// picture inside it.
void DrawPicturePanel(Dc& dc, const AppContext& app, const DibHandle& picture, int panelHeight);

// Switches dc to the design mapping and writes the title and, in
// breadcrumbFont, the breadcrumb in white.
void DrawTitlePanel(Dc& dc, const GlobalState& s, std::string_view title, std::string_view breadcrumb,
                    const Font& breadcrumbFont);

// A list row's background in the classic highlight when selected; leaves the
// text colour to match and a transparent background.
void FillListRow(Dc& dc, const DrawItem& item);

// A page whose Create() loads its file, or nullptr when that failed (the page
// has then told the user and asked the main window for another page).
template <class Page, class... Args>
Page* CreateLoadedPage(Args&&... args) {
    auto* page = new Page(std::forward<Args>(args)...);
    if (!page->Create()) {
        delete page;
        return nullptr;
    }
    return page;
}

// Field n of a list line, cut to capacity characters.
std::string LineField(int n, std::string_view line, int capacity);

} // namespace qx
