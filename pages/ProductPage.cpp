#include "ProductPage.h"

#include "DrawingPage.h"
#include "InfoPage.h"
#include "InfoPrint.h"
#include "PageFrame.h"
#include "shell/Messages.h"
#include "catalog/GroupFile.h"
#include "shell/Fonts.h"
#include "shell/Texts.h"
#include "catalog/Draw.h"
#include "catalog/Scale.h"
#include "orders/NumberImport.h"
#include "orders/ui/NotesDialog.h"
#include "orders/ui/OrderListPage.h"
#include "orders/ui/QuantityEditor.h"
#include "print/ui/PrintJob.h"
#include "platform/core/Path.h"
#include "platform/core/Ui.h"


namespace qx {

namespace {

constexpr LangText kProductInfoCaption{{"Produktinformation", "Product info", "Info produit", "Informace o produktu"}};
#include "orders/NumberImport.h"

constexpr LangText kToolNumberLabel{{"Werkzeug-Nr.:", "Tool no:", "N° d'outil:", "Číslo nářadí:"}};
constexpr LangText kUpeLabel{{"Unverb. VP:", "Dealer UPE:", "PV conseillé:", "Doporuč. cena:"}};
constexpr LangText kDornaPriceLabel{{"Preis ab Dorna:", "Dorna price:", "Prix Dorna:", "Cena Dorna:"}};
constexpr LangText kDeliveryLabel{{"Lieferung:", "Delivery:", "Livraison:", "Dodání:"}};
constexpr LangText kVzLabel{{"VZ-EK:", "VZ netprice:", "Prix net VZ:", "VZ netto cena:"}};

constexpr const char* kDorna = "DORNA";

// The info box shows its scroll bar from this many lines on.
constexpr int kScrollLines = 4;

std::string Field(int n, std::string_view line) { return LineField(n, line, 255); }

bool IsDorna(const ProductRecord& r) { return r.supplier == kDorna; }

} // namespace

ProductPage::ProductPage(MainFrameApi& frame, AppContext& app, QWidget* parent)
    : DialogWindow(parent, Kind::Page), frame_(frame), app_(app), buttons_(app.pictures) {}

ProductPage::~ProductPage() = default;

bool ProductPage::Create() {
    GlobalState& s = app_.state;
    pictureName_.clear();
    picture_.Reset();
    std::optional<ProductList> loaded = LoadProductList(s);
    if (!loaded) {
        const int lang = s.languageIndex;
        ShowWarning(lang, texts::kNoCatalogueData);
        s.pageMode = kPageGroup;
        s.pageOrigin = 3;
        frame_.PostShowPage();
        return false;
    }
    list_ = std::move(*loaded);
    // The file says which group lists it; the group page returns there.
    s.groupFile = list_.header.groupFile.str();
    s.hierarchyCode = list_.header.hierarchyCode.str();
    BuildBreadcrumb();
    return true;
}

ProductPage* CreateProductPage(MainFrameApi& frame, AppContext& app, QWidget* parent) {
    return CreateLoadedPage<ProductPage>(frame, app, parent);
}

void ProductPage::BuildBreadcrumb() {
    const GlobalState& s = app_.state;
    breadcrumb_.clear();
    if (!s.breadcrumb.empty()) {
        breadcrumb_ = s.breadcrumb.str();
        return;
    }
    // After a search: the names of the groups on the path of the code.
    const auto file = LoadGroupFile(s.programDir.str() + s.dataDir.str() + s.groupFile.str() + ".gpe");
    if (file)
        breadcrumb_ = GroupBreadcrumb(*file, s.hierarchyCode.str());
}

void ProductPage::OnInitDialog() {
    GlobalState& s = app_.state;
    ControlStyle list;
    list.ownerDraw = true;
    list.itemHeight = 36;
    AddControl(kList, ControlKind::ListBox, list);
    ControlStyle box;
    box.readOnly = true;
    AddControl(kInfoBox, ControlKind::MultiLineEdit, box);
    for (int id : {kNote, kMainMenu, kBack, kDrawing, kOrderList, kProductInfo, kPrint})
        AddControl(id, ControlKind::OwnerDrawButton);

    SetAllControlsFont(FontBold16);
    SetItemFont(kList, FontText16);
    SetItemFont(kInfoBox, FontText16);
    SetItemHeight(kList, 36);
    SetCaptions();
    SetCaption(list_.header.title.str());
    SetItemName(kList, breadcrumb_.empty() ? list_.header.title.str() : breadcrumb_.str());

    MoveWindowTo(ScaleRect(s, 0, 0, 632, 434));
    MoveItem(kList, ScaleRect(s, 328, 64, 614, 351));
    MoveItem(kInfoBox, ScaleRect(s, 16, 364, 308, 412));
    MoveItem(kProductInfo, ScaleRect(s, 326, 366, 466, 386));
    MoveItem(kNote, ScaleRect(s, 326, 392, 392, 412));
    MoveItem(kDrawing, ScaleRect(s, 395, 392, 466, 412));
    MoveItem(kOrderList, ScaleRect(s, 471, 366, 541, 386));
    MoveItem(kPrint, ScaleRect(s, 544, 366, 614, 386));
    MoveItem(kMainMenu, ScaleRect(s, 471, 392, 541, 412));
    MoveItem(kBack, ScaleRect(s, 544, 392, 614, 412));

    int index = 0;
    if (!s.preselectKey.empty()) {
        for (std::size_t i = 0; i < list_.records.size(); ++i) {
            if (list_.records[i].key == s.preselectKey.str()) {
                index = static_cast<int>(i);
                break;
            }
        }
        s.preselectKey.clear();
    }
    FillList();
    SetCurSel(kList, index);
    current_ = -1;
    Select();
}

void ProductPage::SetCaptions() {
    const int lang = app_.state.languageIndex;
    SetItemText(kProductInfo, kProductInfoCaption.Text(lang));
    SetItemText(kNote, texts::kNoteCaption.Text(lang));
    SetItemText(kOrderList, texts::kOrderListCaption.Text(lang));
    SetItemText(kPrint, texts::kPrintCaption.Text(lang));
    SetItemText(kDrawing, texts::kDrawingCaption.Text(lang));
    SetItemText(kMainMenu, texts::kMainMenuCaption.Text(lang));
    SetItemText(kBack, texts::kBackCaption.Text(lang));
}

void ProductPage::FillList() {
    ResetContent(kList);
    pictureName_.clear();
    for (const ProductRecord& r : list_.records) {
        const std::string& second = IsDorna(r) ? r.number.str() : r.designation.str();
        AddString(kList, r.name.str() + "|" + second + "|||");
    }
}

const ProductRecord* ProductPage::CurrentRecord() const {
    if (current_ < 0 || current_ >= RecordCount())
        return nullptr;
    return &list_.records[static_cast<std::size_t>(current_)];
}

void ProductPage::Select() {
    const int index = GetCurSel(kList);
    if (index < 0 || index == current_ || index >= RecordCount())
        return;
    current_ = index;
    ++selectionLoads_;
    const ProductRecord& r = list_.records[static_cast<std::size_t>(index)];
    const GlobalState& s = app_.state;
    if (r.picture.str() != pictureName_.str()) {
        pictureName_ = r.picture.str();
        DibHandle next = LoadPicture(s, ScreenPicturePath(s.screenWidth, pictureName_.str()));
        picture_ = std::move(next);
    }
    SetItemText(kInfoBox, r.freeText);
    SetItemName(kInfoBox, r.name.str()); // the box tells about the chosen product
    SetEditVScroll(kInfoBox, GetEditLineCount(kInfoBox) >= kScrollLines);
    EnableItem(kProductInfo, !r.infoFile.empty());
    InvalidateRect(ScaleRect(s, 14, 60, 324, 484));
}

void ProductPage::OpenProductInfo() {
    const ProductRecord* r = CurrentRecord();
    if (!r)
        return;
    ShowPage(false);
    OpenInfoPage(app_, frame_, parentWidget(), this, r->infoFile.str(), r->sheetPicture.str(), r->sheetFooter.str(),
                 list_.header.subtitle.str(), 0);
}

void ProductPage::OpenDrawing() {
    const ProductRecord* r = CurrentRecord();
    if (!r)
        return;
    DrawingRequest request;
    request.number = r->number.str();
    request.name = r->name.str();
    request.picture = r->picture.str();
    OpenDrawingPage(app_, parentWidget(), this, request);
}

void ProductPage::AddToOrderList() {
    const ProductRecord* r = CurrentRecord();
    if (!r)
        return;
    OrderItem item = TakeOverItem(*r, app_.state.priceListId.str());
    QuantityEditor editor(this, app_, item);
    if (editor.DoModal() != IDOK || !ChooseOrderListFile(app_))
        return;
    ShowPage(false);
    OrderListPage* page = OpenOrderListPage(frame_, app_, parentWidget(), this);
    // A quantity beginning with "0" takes the user to the list without adding.
    if (!item.quantity.str().starts_with('0'))
        page->AddItem(item);
}

void ProductPage::PrintSheet() {
    const ProductRecord* r = CurrentRecord();
    if (!r)
        return;
    PrintJob::Run(this, app_.state.languageIndex, [&](Dc& dc) {
        PrintInfoDocument(app_, dc, r->infoFile.str(), r->sheetPicture.str(), r->sheetFooter.str(),
                          list_.header.subtitle.str(), 0, 0);
    });
}

void ProductPage::Back() {
    app_.state.pageOrigin = 3;
    Leave(kPageGroup);
}

void ProductPage::MainMenu() {
    app_.state.pageOrigin = 3;
    app_.state.areaLevel = 0;
    Leave(kPageArea);
}

void ProductPage::Leave(int pageMode) {
    app_.state.pageMode = pageMode;
    DestroyWindow();
    frame_.PostShowPage();
}

void ProductPage::OnCommand(int id, int code) {
    switch (id) {
    case kList:
        if (code == LBN_SELCHANGE)
            Select();
        break; // a double click is OK, which does nothing here
    case kProductInfo:
        OpenProductInfo();
        break;
    case kPrint:
        PrintSheet();
        break;
    case kDrawing:
        OpenDrawing();
        break;
    case kOrderList:
        AddToOrderList();
        break;
    case kNote:
        if (const ProductRecord* r = CurrentRecord()) {
            NotesDialog notes(this, app_, r->number.str(), r->name.str());
            notes.DoModal();
        }
        break;
    case kBack:
        Back();
        break;
    case kMainMenu:
        MainMenu();
        break;
    default:
        break;
    }
}

void ProductPage::OnDrawItem(DrawItem& item) {
    if (item.kind == DrawItem::Button) {
        buttons_.DrawItemInto(item);
        return;
    }
    if (item.controlId != kList || item.itemId < 0 || item.itemId >= RecordCount())
        return;
    if (!(item.action & (DrawItem::DrawEntire | DrawItem::SelectChange)))
        return;
    Dc& dc = *item.dc;
    const Rect& r = item.rect;
    FillListRow(dc, item);
    if (list_.records[static_cast<std::size_t>(item.itemId)].sealFlag == 1)
        DrawResourceDib(dc, app_.seal, r.right - 1, r.top + 1, kAnchorRight);
    dc.SelectFont(FontText16);
    dc.TextOut(r.left + 2, r.top + 2, Field(1, item.itemText));
    dc.TextOut(r.left + 10, r.top + 18, Field(2, item.itemText));
}

void ProductPage::OnPaint(Dc& dc) {
    const GlobalState& s = app_.state;
    const int lang = s.languageIndex;
    DrawPicturePanel(dc, app_, picture_, 352);

    // The rows lie closer than the font is high: no text box may cover the row above.
    // At 640 they are 12 pixels apart and the letters of neighbouring rows
    // would touch; there the block takes a size of its font one pixel higher
    // than a row, which the glyphs' empty top of the next row still clears.
    dc.SetBkMode(BkMode::Transparent);
    dc.SetTextColor(Rgb(0, 0, 0));
    const int row = ScaleY(s, 326) - ScaleY(s, 314) + 1;
    const Font bold = FitFont(dc, FontBold16, {}, 0, 0, row);
    const Font text = FitFont(dc, FontText16, {}, 0, 0, row);
    if (const ProductRecord* r = CurrentRecord()) {
        const bool dorna = IsDorna(*r);
        dc.SelectFont(bold);
        TextOutScaled(dc, s, 18, 314, dorna ? kToolNumberLabel.Text(lang) : r->designation.str());
        TextOutScaled(dc, s, 162, 314, r->number.str());
        if (s.priceMode >= 0) {
            dc.SelectFont(text);
            if (!r->upePrice.empty()) {
                TextOutScaled(dc, s, 18, 326, (dorna ? kDornaPriceLabel : kUpeLabel).Text(lang));
                TextOutScaled(dc, s, 162, 326, r->upePriceEuro.str());
            }
            if (!r->deliveryText.empty()) {
                TextOutScaled(dc, s, 18, 338, kDeliveryLabel.Text(lang));
                TextOutScaled(dc, s, 162, 338, r->deliveryText.str());
            }
            if (s.priceMode >= 1 && !r->vzPrice.empty()) {
                TextOutScaled(dc, s, 18, 351, kVzLabel.Text(lang));
                TextOutScaled(dc, s, 162, 351, r->vzPriceEuro.str());
            }
        }
    }

    DrawTitlePanel(dc, s, list_.header.title.str(), breadcrumb_.str(), FontText14);
}

void ProductPage::OnMessage(int message, std::intptr_t, std::intptr_t) {
    if (message != UM_RELOAD)
        return;
    SetCaptions();
    Invalidate();
}

void ProductPage::OnDestroy() {
    list_.records.clear();
    picture_.Reset();
}

} // namespace qx
