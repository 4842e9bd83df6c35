#pragma once
// One requirements file (.ZEN): the rows of equipment in four columns below,
// the selected row's picture and HTML text above; "Bedarf" shows the
// requirements information of the whole file, "Drucken" prints it.

#include "catalog/Requirements.h"
#include "platform/qt/Window.h"
#include "shell/AppContext.h"
#include "shell/MainFrameApi.h"
#include "shell/PictureButton.h"

#include <string>

namespace qx {

class TextView;

class RequirementsPage : public DialogWindow {
public:
    static constexpr int kList = 1095;
    static constexpr int kHiddenText = 1157;
    static constexpr int kRequirements = 1115;
    static constexpr int kPrint = 1145;
    static constexpr int kMainMenu = 1100;
    static constexpr int kBack = 2;
    // The product page's buttons, kept hidden and idle.
    static constexpr int kNote = 1142;
    static constexpr int kOrderList = 1094;
    static constexpr int kDrawing = 1097;

    RequirementsPage(MainFrameApi& frame, AppContext& app, QWidget* parent);
    ~RequirementsPage() override;

    // Loads programDir + dataDir + listFile. When it can't be read: reports
    // it with the path as caption, asks the main window for the group page
    // and answers false.
    bool Create();

    void OpenRequirementsInfo();
    void Print();
    void Back();
    void MainMenu();

    void PaintInto(Dc& dc) { OnPaint(dc); }
    void DrawItemInto(DrawItem& item) { OnDrawItem(item); }

    const RequirementsFile& File() const { return file_; }
    int RowCount() const { return static_cast<int>(file_.rows.size()); }
    int CurrentIndex() const { return current_; }
    const std::string& PictureName() const { return pictureName_.str(); }
    const DibHandle& Picture() const { return picture_; }
    TextView* View() const { return view_; }
    // How many selections loaded a row (a repeated one loads nothing).
    int SelectionLoads() const { return selectionLoads_; }

protected:
    void OnInitDialog() override;
    void OnPaint(Dc& dc) override;
    void OnCommand(int id, int code) override;
    void OnOk() override {}
    void OnCancel() override { Back(); }
    void OnDrawItem(DrawItem& item) override;
    void OnMessage(int message, std::intptr_t, std::intptr_t) override;
    void OnDestroy() override;

private:
    void FillList();
    void Select();
    void DrawRowPicture(Dc& dc);
    void SetCaptions();
    void Leave();

    MainFrameApi& frame_;
    AppContext& app_;
    CPictureButton buttons_;
    TextView* view_ = nullptr;
    FixedText<260> path_;
    RequirementsFile file_;
    int current_ = -1;
    FixedText<128> pictureName_;
    DibHandle picture_;
    int selectionLoads_ = 0;
};

// A requirements page, or nullptr when its file can't be read (the group
// page has then been asked for).
RequirementsPage* CreateRequirementsPage(MainFrameApi& frame, AppContext& app, QWidget* parent);

} // namespace qx
