#pragma once
// One HTML document in a text view, with "Drucken" and "Zurück": the terms
// of delivery, a product's information, the requirements information. It is
// laid over the page that opened it, which is hidden meanwhile and shown
// again when this page closes.

#include "ground/FixedText.h"
#include "pages/SheetPage.h"
#include "shell/MainFrameApi.h"

#include <string>

namespace qx {

class TextView;

class InfoPage : public SheetPage {
public:
    // document: file name in HTML\LANGn\; imageFolderMode 1 takes the
    // pictures from BILDER\1024 instead of BILDER\800. The printout always
    // uses BILDER\800.
    InfoPage(AppContext& app, MainFrameApi& frame, QWidget* parent, DialogWindow* returnPage, std::string document,
             std::string sheetPicture = {}, std::string footer = {}, std::string header = {},
             int imageFolderMode = 0);
    ~InfoPage() override;

    TextView* View() const { return view_; }
    const std::string& Document() const { return document_.str(); }

protected:
    void OnInitDialog() override;
    void OnPaint(Dc& dc) override;
    void OnDestroy() override;
    void PrintSheet(Dc& dc) override;

private:
    MainFrameApi& frame_;
    TextView* view_ = nullptr;
    FixedText<128> document_;
    FixedText<256> sheetPicture_;
    FixedText<256> footer_;
    FixedText<256> header_;
    int imageFolderMode_;
};

// Creates the information page over the client area, shows and paints it.
// The caller has hidden returnPage (it may be null: nothing to show again).
InfoPage* OpenInfoPage(AppContext& app, MainFrameApi& frame, QWidget* parent, DialogWindow* returnPage,
                       std::string document, std::string sheetPicture, std::string footer, std::string header,
                       int imageFolderMode);

} // namespace qx
