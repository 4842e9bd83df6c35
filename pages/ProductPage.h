#pragma once
// One product list: the products on the right; on the left the selected
// product's picture, number, prices and free text; the catalogue title and
// the path of groups that leads to it in the header.

#include "shell/AppContext.h"
#include "shell/MainFrameApi.h"
#include "shell/PictureButton.h"
#include "catalog/ProductList.h"
#include "platform/qt/Window.h"

#include <string>

namespace qx {

class ProductPage : public DialogWindow {
public:
    static constexpr int kList = 1095;
    static constexpr int kInfoBox = 1157;
    static constexpr int kNote = 1142;
    static constexpr int kMainMenu = 1100;
    static constexpr int kBack = 2;
    static constexpr int kDrawing = 1097;
    static constexpr int kOrderList = 1094;
    static constexpr int kProductInfo = 1115;
    static constexpr int kPrint = 1145;

    ProductPage(MainFrameApi& frame, AppContext& app, QWidget* parent);
    ~ProductPage() override;

    // Loads the product list with its prices and the breadcrumb. When the
    // list can't be read: reports it, asks the main window for the group page
    // and answers false.
    bool Create();

    void OpenProductInfo();
    void PrintSheet();
    // Produktbild: the drawing page over this one.
    void OpenDrawing();
    // Bestellliste: the quantity editor, then the order list page with the entry.
    void AddToOrderList();
    void Back();
    void MainMenu();

    void PaintInto(Dc& dc) { OnPaint(dc); }
    void DrawItemInto(DrawItem& item) { OnDrawItem(item); }

    const std::string& Title() const { return list_.header.title.str(); }
    const std::string& Subtitle() const { return list_.header.subtitle.str(); }
    const std::string& Breadcrumb() const { return breadcrumb_.str(); }
    int RecordCount() const { return static_cast<int>(list_.records.size()); }
    // The selected record's index, or -1.
    int CurrentIndex() const { return current_; }
    const ProductRecord* CurrentRecord() const;
    const std::string& PictureName() const { return pictureName_.str(); }
    const DibHandle& Picture() const { return picture_; }
    // How many selections loaded a record (a repeated one loads nothing).
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
    void BuildBreadcrumb();
    void FillList();
    void Select();
    void SetCaptions();
    void Leave(int pageMode);

    MainFrameApi& frame_;
    AppContext& app_;
    CPictureButton buttons_;
    ProductList list_;
    FixedText<260> breadcrumb_;
    int current_ = -1;
    FixedText<32> pictureName_;
    DibHandle picture_;
    int selectionLoads_ = 0;
};

// A product page, or nullptr when its product list can't be read (the group
// page has then been asked for).
ProductPage* CreateProductPage(MainFrameApi& frame, AppContext& app, QWidget* parent);

} // namespace qx
