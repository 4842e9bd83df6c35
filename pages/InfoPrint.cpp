#include "pages/InfoPrint.h"

#include "shell/Fonts.h"
#include "catalog/Draw.h"
#include "catalog/Picture.h"
#include "platform/qt/TextView.h"

#include <cstdio>

namespace qx {

namespace {

// Right-aligned at x in FontBold16.
void TextRight(Dc& dc, int x, int y, const std::string& text) {
    dc.SelectFont(FontBold16);
    const unsigned old = dc.SetTextAlign(TA_RIGHT | TA_TOP);
    dc.TextOut(x, y, text);
    dc.SetTextAlign(old);
}

} // namespace

std::string InfoDocumentPath(const GlobalState& state, const std::string& document) {
    const int lang = state.languageIndex >= 0 && state.languageIndex <= 3 ? state.languageIndex : 0;
    return state.programDir.str() + "HTML\\LANG" + std::to_string(lang + 1) + "\\" + document;
}

void PrintInfoDocument(const AppContext& app, Dc& printerDc, const std::string& document,
                       const std::string& sheetPicture, const std::string& footer, const std::string& header,
                       int extraTopOffset, int imageFolderMode) {
    TextView* view = CreateTextView(nullptr, kTextViewPrint, Rect{0, 0, 640, 640});
    if (!view)
        return;
    LoadHtmlFile(view, InfoDocumentPath(app.state, document), imageFolderMode, app.state.programDir.str());
    SetUpTextView(view);
    PrintTextView(app, view, printerDc, sheetPicture, footer, header, extraTopOffset);
    DestroyTextView(view);
}

void PrintTextView(const AppContext& app, TextView* view, Dc& dc, const std::string& sheetPicture,
                   const std::string& footer, const std::string& header, int extraTopOffset) {
    Rect rect = kPrintRectTwips;
    const int pages = TextViewPageCount(view, rect.Height());
    rect.top += extraTopOffset;
    DibHandle sheet = LoadPicture(app.state, sheetPicture);
    if (pages <= 0) {
        FreePicture(sheet);
        return;
    }
    for (int page = 1;; ++page) {
        if (page > 1 && !dc.StartPage())
            break;
        DrawBlackLine(dc, 40, 30, 610, 30);
        // The sheet picture at half size.
        dc.SetWindowExt(1280, 960);
        DrawDib(dc, sheet, 80, 64, kAnchorTopLeft);
        dc.SetWindowExt(640, 480);
        char number[32];
        std::snprintf(number, sizeof number, "%d/%02d", page, pages);
        TextRight(dc, 610, 50, number);
        TextRight(dc, 610, 66, header);
        DrawBlackLine(dc, 40, 102, 610, 102);

        if (!PrintTextViewPage(view, dc, page, rect))
            break;

        DrawBlackLine(dc, 40, 870, 610, 870);
        TextRight(dc, 610, 874, footer);
        DrawBlackLine(dc, 40, 894, 610, 894);
        if (!dc.EndPage() || page + 1 > pages)
            break;
    }
    FreePicture(sheet);
}

} // namespace qx
