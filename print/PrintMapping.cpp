#include "print/PrintMapping.h"

#include "shell/Fonts.h"
#include "catalog/Draw.h"
#include "platform/core/Dc.h"

namespace qx {

namespace {

// Device pixel of the page's logical origin: a small margin that keeps the
// first columns and lines clear of the sheet edge.
constexpr int kOriginX = 12;
constexpr int kOriginY = 20;
// Where the text of a continuation page starts (below the page number line).
constexpr int kContinuationTop = 104;

} // namespace

void SetupPrintMapping(Dc& dc, int width, int height) {
    dc.SetMapMode(MapMode::Isotropic);
    dc.SetWindowExt(width, height);
    dc.SetViewportExt(dc.GetDeviceCaps(DeviceCap::HorzRes), dc.GetDeviceCaps(DeviceCap::VertRes));
    dc.SetViewportOrg(kOriginX, kOriginY);
    dc.SelectFont(FontSmall);
    dc.SetBkMode(BkMode::Transparent);
}

bool NewPageIfFull(int& y, Dc& dc, int limit) {
    if (y < limit)
        return false;
    dc.EndPage();
    dc.StartPage();
    y = kContinuationTop;
    // A new page may come with a fresh device state; the mapping is set again.
    SetupPrintMapping(dc, 640, 480);
    return true;
}

void PrintSheetHeading(Dc& dc, std::string_view title, std::string_view line) {
    dc.SelectFont(FontTitle);
    dc.TextOut(40, 40, title);
    dc.SelectFont(FontSmall);
    dc.TextOut(40, 64, line);
    DrawBlackLine(dc, 40, 90, 600, 90);
}

} // namespace qx
