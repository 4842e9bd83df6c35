#pragma once
// The modal dialog of the product searches and document choosers: the index
// of its mode, filtered with the search term of the program run, in a list
// that refers into the loaded index. Choosing hands back the entry's key and
// file; the caller opens the product page or the document.

#include "search/SearchIndex.h"
#include "platform/qt/Window.h"

#include <string>

namespace qx {

struct AppContext;

// Mode bits besides the index bits of SearchIndex.h.
inline constexpr int kSearchNumber = 1;
inline constexpr int kSearchQtx = 32;
inline constexpr int kSearchHln = 64;
// The document lists of the printed catalogues.
constexpr int kCatalogueModes = kIndexPrb | kIndexPrs | kIndexPrk;

class SearchDialog : public DialogWindow {
public:
    static constexpr int kList = 1080;
    static constexpr int kTerm = 1093;
    static constexpr int kPrompt = 1140;
    static constexpr int kContinue = 1143;
    static constexpr int kNewSearch = 1144;
    static constexpr int kTermMax = 128;

    struct Choice {
        std::string key;  // field 2, at most 127 characters
        std::string area; // always "bereich1"
        std::string file; // field 3, at most 127 characters
    };

    SearchDialog(QWidget* parent, AppContext& app, int mode);
    ~SearchDialog() override;
    // Valid after DoModal returned IDOK.
    const Choice& Chosen() const { return chosen_; }
    const IndexList& List() const { return list_; }

protected:
    void OnInitDialog() override;
    void OnPaint(Dc& dc) override;
    void OnCommand(int id, int code) override;
    void OnOk() override;
    void OnCancel() override;
    bool OnKeyDown(int virtualKey) override;
    void OnDrawItem(DrawItem& item) override;
    void OnMessage(int message, std::intptr_t wParam, std::intptr_t lParam) override;

private:
    bool CatalogueMode() const { return (mode_ & kCatalogueModes) != 0; }
    void PlaceCaret();
    void Refill(const std::string& term);
    void SelectAndShow(int row);
    void ContinueSearch();
    void NewSearch();
    void Choose();

    AppContext& app_;
    int mode_;
    IndexList list_;
    Choice chosen_;
};

// The searches as the main window runs them, parented to window.
// A product search ends on the product page of the chosen product, or with a
// message when its list file is missing; a document chooser opens the chosen
// PDF with the desktop's program.
class MainFrameApi;
void RunProductSearch(MainFrameApi& frame, AppContext& app, QWidget* window, int mode);
void RunDocumentChooser(AppContext& app, QWidget* window, int mode);

} // namespace qx
