#pragma once
// The page between the area page and the product lists: one level of a group
// file's tree at a time. Opening an entry lists its children; an entry
// without children is a leaf and opens its product list on the product page.

#include "shell/AppContext.h"
#include "shell/MainFrameApi.h"
#include "shell/PictureButton.h"
#include "catalog/CatalogText.h"
#include "catalog/GroupFile.h"
#include "platform/qt/Window.h"

#include <optional>
#include <string>

namespace qx {

class GroupPage : public DialogWindow {
public:
    static constexpr int kList = 1079;
    static constexpr int kHint = 1115;     // a plain button, hidden and disabled for good
    static constexpr int kMainMenu = 1100;
    static constexpr int kBack = 2;

    GroupPage(MainFrameApi& frame, AppContext& app, QWidget* parent);
    ~GroupPage() override;

    // Loads programDir + dataDir + groupFile + ".gpe". When it can't be read:
    // reports it, asks the main window for the area page and answers false.
    bool Create();

    // Opens the selected entry (OK, Enter, double click).
    void Open();
    // One level up; from the top level back to the area page.
    void Up();
    void MainMenu();

    void PaintInto(Dc& dc) { OnPaint(dc); }
    void DrawItemInto(DrawItem& item) { OnDrawItem(item); }

    int Depth() const { return depth_; }
    const std::string& CurrentCode() const { return code_.str(); }
    const std::string& Breadcrumb() const { return breadcrumb_.str(); }
    const std::string& Title() const { return file_.title.str(); }
    int SelectionIndex() const { return selection_; }
    const std::string& SelectedText() const { return selectedText_.str(); }
    const std::string& PictureName() const { return pictureName_.str(); }
    const DibHandle& Picture() const { return picture_; }

protected:
    void OnInitDialog() override;
    void OnPaint(Dc& dc) override;
    void OnCommand(int id, int code) override;
    void OnOk() override { Open(); }
    void OnCancel() override { Up(); }
    void OnDrawItem(DrawItem& item) override;
    void OnMessage(int message, std::intptr_t, std::intptr_t) override;
    void OnDestroy() override;

private:
    // Lists the entries of code length depth below the current code; returns
    // how many. Builds the breadcrumb again.
    int FillList(int depth);
    void BuildBreadcrumb();
    // The list's selection becomes the selected entry; its picture is loaded.
    void Select();
    void SelectEntry(int index);
    void LoadEntryPicture();
    void SetCaptions();
    void Leave(int pageMode);

    MainFrameApi& frame_;
    AppContext& app_;
    CPictureButton buttons_;
    GroupFile file_;
    FixedText<160> code_;         // the code of the listed level's parent
    int depth_ = 1;               // code length of the listed entries
    int selection_ = 0;
    FixedText<128> selectedText_; // the whole entry line
    FixedText<256> breadcrumb_;
    FixedText<64> pictureName_;
    DibHandle picture_;
};

// A group page, or nullptr when its group file can't be read (the area page
// has then been asked for).
GroupPage* CreateGroupPage(MainFrameApi& frame, AppContext& app, QWidget* parent);

} // namespace qx
