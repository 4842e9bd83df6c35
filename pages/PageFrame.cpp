#include "PageFrame.h"

#include "shell/Fonts.h"
#include "catalog/CatalogText.h"
#include "catalog/Draw.h"
#include "catalog/Scale.h"

namespace qx {

void DrawPicturePanel(Dc& dc, const AppContext& app, const DibHandle& picture, int panelHeight) {
    const GlobalState& s = app.state;
    DrawDib(dc, app.pictures.backgroundWithLogo, 0, 0, kAnchorTopLeft);
    DrawSunkenFrame(dc, ScaleX(s, 14), ScaleY(s, 64), ScaleX(s, 296), ScaleY(s, panelHeight));
    DrawDibScaled(dc, s, picture, 16, 66, kAnchorTopLeft);
}

void DrawTitlePanel(Dc& dc, const GlobalState& s, std::string_view title, std::string_view breadcrumb,
                    const Font& breadcrumbFont) {
    UseDesignMapping(dc, s.designRect, s.clientRect);
    dc.SetBkMode(BkMode::Transparent);
    dc.SetTextColor(Rgb(255, 255, 255));
    dc.SelectFont(FontTitle);
    dc.TextOut(116, 14, title);
    dc.SelectFont(breadcrumbFont);
    dc.TextOut(116, 37, breadcrumb);
}

void FillListRow(Dc& dc, const DrawItem& item) {
    // The classic system highlight.
    dc.SetBkMode(BkMode::Transparent);
    dc.FillRect(item.rect, item.selected ? Rgb(0, 0, 128) : Rgb(255, 255, 255));
    dc.SetTextColor(item.selected ? Rgb(255, 255, 255) : Rgb(0, 0, 0));
}

std::string LineField(int n, std::string_view line, int capacity) {
    std::string out;
    GetField(n, line, out, static_cast<std::size_t>(capacity));
    return out;
}

} // namespace qx
