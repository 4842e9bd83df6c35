#include "RequirementsPage.h"

#include "InfoPage.h"
#include "InfoPrint.h"
#include "catalog/Draw.h"
#include "catalog/Scale.h"
#include "print/ui/PrintJob.h"
#include "platform/core/Ui.h"
#include "platform/qt/TextView.h"
#include "shell/Fonts.h"
#include "shell/Texts.h"

#include <algorithm>

namespace qx {

namespace {

constexpr LangText kRequirementsCaption{{"Bedarf", "Requirements", "Besoins", "Potřeba"}};

constexpr LangText kQuantityHeading{{"Anzahl", "Quantity", "Quantité", "Počet"}};
constexpr LangText kDesignationHeading{{"Bezeichnung", "Designation", "Désignation", "Označení"}};
constexpr LangText kNumberHeading{{"Q.T.X/ZRT - Nr. ", "Q.T.X/ZRT - no.", "N° Q.T.X/ZRT", "Č. Q.T.X/ZRT"}};
// The French and Czech rows, ours, short enough to clear the number heading at 640.
constexpr LangText kAreaHeading{{"Fläche (LxB[m])", "Area req. (LxWxH[m])", "Surf. (Lxl[m])", "Plocha (DxŠ[m])"}};

// The information page and the printout take their pictures from BILDER\1024.
constexpr int kImageFolderMode = 1;
constexpr const char* kSheetPicture = "logo.bmp";

// Columns as written by the platform's text drawing: no prefix characters,
// wrapping allowed within the row.
constexpr unsigned kColumnFormat = DT_LEFT | DT_NOPREFIX;

} // namespace

RequirementsPage::RequirementsPage(MainFrameApi& frame, AppContext& app, QWidget* parent)
    : DialogWindow(parent, Kind::Page), frame_(frame), app_(app), buttons_(app.pictures) {}

RequirementsPage::~RequirementsPage() = default;

bool RequirementsPage::Create() {
    GlobalState& s = app_.state;
    view_ = CreateTextView(this, kTextViewRequirements, ScaleRect(s, 326, 66, 612, 220));
    ShowTextView(view_, true);
    pictureName_.clear();
    picture_.Reset();
    path_ = s.programDir.str() + s.dataDir.str() + s.listFile.str();
    std::optional<RequirementsFile> loaded = LoadRequirements(path_.str());
    if (!loaded) {
        TheUi().MessageBox(texts::kNoCatalogueData.Text(s.languageIndex), path_.str(), MB_OK | MB_ICONEXCLAMATION);
        s.pageMode = kPageGroup;
        s.pageOrigin = 3;
        frame_.PostShowPage();
        return false;
    }
    file_ = std::move(*loaded);
    return true;
}

RequirementsPage* CreateRequirementsPage(MainFrameApi& frame, AppContext& app, QWidget* parent) {
    auto* page = new RequirementsPage(frame, app, parent);
    if (!page->Create()) {
        delete page; // the text view goes with its parent
        return nullptr;
    }
    return page;
}

void RequirementsPage::OnInitDialog() {
    const GlobalState& s = app_.state;
    ControlStyle list;
    list.ownerDraw = true;
    list.itemHeight = ScaleY(s, 16);
    AddControl(kList, ControlKind::ListBox, list);
    SetStartItem(kList); // the arrows move in the rows at once
    for (int id : {kRequirements, kPrint, kMainMenu, kBack, kNote, kDrawing, kOrderList})
        AddControl(id, ControlKind::OwnerDrawButton);
    ControlStyle hidden;
    hidden.readOnly = true;
    AddControl(kHiddenText, ControlKind::MultiLineEdit, hidden);
    for (int id : {kNote, kDrawing, kOrderList, kHiddenText})
        ShowItem(id, false);

    SetAllControlsFont(FontBold16);
    SetItemFont(kList, FontText16);
    SetCaptions();

    MoveWindowTo(ScaleRect(s, 0, 0, 632, 434));
    MoveItem(kList, ScaleRect(s, 16, 240, 614, 380));
    MoveItem(kHiddenText, ScaleRect(s, 326, 66, 612, 220));
    MoveItem(kRequirements, ScaleRect(s, 300, 392, 392, 412));
    MoveItem(kPrint, ScaleRect(s, 395, 392, 466, 412));
    MoveItem(kMainMenu, ScaleRect(s, 471, 392, 541, 412));
    MoveItem(kBack, ScaleRect(s, 544, 392, 614, 412));
    MoveItem(kNote, ScaleRect(s, 326, 392, 392, 412));
    MoveItem(kDrawing, ScaleRect(s, 395, 392, 466, 412));
    MoveItem(kOrderList, ScaleRect(s, 471, 366, 541, 386));

    FillList();
    SetCurSel(kList, 0);
    current_ = -1;
    Select();
    SetUpTextView(view_);
}

void RequirementsPage::SetCaptions() {
    const int lang = app_.state.languageIndex;
    SetCaption(file_.title.str());
    SetItemName(kList, kQuantityHeading.Text(lang) + ", " + kDesignationHeading.Text(lang) + ", " +
                           kNumberHeading.Text(lang) + ", " + kAreaHeading.Text(lang));
    SetItemText(kRequirements, kRequirementsCaption.Text(lang));
    SetItemText(kPrint, texts::kPrintCaption.Text(lang));
    SetItemText(kMainMenu, texts::kMainMenuCaption.Text(lang));
    SetItemText(kBack, texts::kBackCaption.Text(lang));
    SetItemText(kNote, texts::kNoteCaption.Text(lang));
    SetItemText(kOrderList, texts::kOrderListCaption.Text(lang));
    SetItemText(kDrawing, texts::kDrawingCaption.Text(lang));
}

void RequirementsPage::FillList() {
    ResetContent(kList);
    pictureName_.clear();
    for (std::size_t i = 0; i < file_.rows.size(); ++i)
        AddString(kList, {}, static_cast<std::intptr_t>(i));
}

void RequirementsPage::Select() {
    const int index = GetCurSel(kList);
    if (index < 0 || index == current_ || index >= RowCount())
        return;
    current_ = index;
    ++selectionLoads_;
    const RequirementRow& row = file_.rows[static_cast<std::size_t>(index)];
    const GlobalState& s = app_.state;
    if (row.picture.str() != pictureName_.str()) {
        pictureName_ = row.picture.str();
        picture_ = LoadPicture(s, ScreenPicturePath(s.screenWidth, pictureName_.str()));
    }
    SetItemText(kHiddenText, row.text);
    ShowHtmlText(view_, row.text, s.programDir.str());
    const std::string title = TextViewTitle(view_);
    SetTextViewName(view_, title.empty() ? row.designation.str() : title);
    InvalidateRect(ScaleRect(s, 14, 60, 324, 220));
}

void RequirementsPage::OpenRequirementsInfo() {
    ShowPage(false);
    OpenInfoPage(app_, frame_, parentWidget(), this, file_.infoFile.str(), kSheetPicture, file_.title.str(),
                 file_.subtitle.str(), kImageFolderMode);
}

void RequirementsPage::Print() {
    PrintJob::Run(this, app_.state.languageIndex, [&](Dc& dc) {
        PrintInfoDocument(app_, dc, file_.infoFile.str(), kSheetPicture, file_.title.str(), file_.subtitle.str(), 0,
                          kImageFolderMode);
    });
}

void RequirementsPage::Back() {
    app_.state.pageMode = kPageArea;
    Leave();
}

void RequirementsPage::MainMenu() {
    GlobalState& s = app_.state;
    s.pageMode = kPageArea;
    s.pageOrigin = 3;
    s.areaLevel = 0;
    Leave();
}

void RequirementsPage::Leave() {
    DestroyWindow();
    frame_.PostShowPage();
}

void RequirementsPage::OnCommand(int id, int code) {
    switch (id) {
    case kList:
        if (code == LBN_SELCHANGE)
            Select();
        break; // a double click does nothing here
    case kRequirements:
        OpenRequirementsInfo();
        break;
    case kPrint:
        Print();
        break;
    case kMainMenu:
        MainMenu();
        break;
    case kBack:
        Back();
        break;
    default:
        break; // the hidden product page buttons
    }
}

void RequirementsPage::OnDrawItem(DrawItem& item) {
    if (item.kind == DrawItem::Button) {
        buttons_.DrawItemInto(item);
        return;
    }
    const auto index = static_cast<std::size_t>(item.itemData);
    if (item.controlId != kList || item.itemId < 0 || index >= file_.rows.size())
        return;
    const RequirementRow& row = file_.rows[index];
    const GlobalState& s = app_.state;
    Dc& dc = *item.dc;
    dc.SetBkMode(BkMode::Transparent);
    dc.FillRect(item.rect, item.selected ? Rgb(0, 0, 128) : Rgb(255, 255, 255));
    dc.SetTextColor(item.selected ? Rgb(255, 255, 255) : Rgb(0, 0, 0));
    auto column = [&](int designX, std::string_view text) {
        Rect r = item.rect;
        r.left = item.rect.left + ScaleX(s, designX);
        dc.DrawText(text, r, kColumnFormat);
    };
    dc.SelectFont(FontText16);
    column(4, row.quantity.str());
    // A "$" code marks a heading row: its designation is bold.
    const bool heading = row.code.str().starts_with('$');
    if (heading)
        dc.SelectFont(FontBold16);
    column(62, row.designation.str());
    if (heading)
        dc.SelectFont(FontText16);
    column(412, row.number.str());
    column(518, row.floorArea.str());
}

void RequirementsPage::DrawRowPicture(Dc& dc) {
    if (picture_.IsNull())
        return;
    // Rows often share the product pictures, which are taller than this
    // panel: such a picture is scaled down to fit left of the text.
    const GlobalState& s = app_.state;
    const Size size = DibSize(picture_);
    const int x = ScaleX(s, 18);
    const int y = ScaleY(s, 66);
    const int room = ScaleX(s, 324) - x;
    const int height = ScaleY(s, 218) - y;
    int w = size.cx;
    int h = size.cy;
    if (w > room || h > height) {
        const double f = std::min(static_cast<double>(room) / w, static_cast<double>(height) / h);
        w = std::max(1, static_cast<int>(w * f));
        h = std::max(1, static_cast<int>(h * f));
    }
    dc.SetStretchBltMode(COLORONCOLOR);
    dc.StretchDib(Rect{x, y, x + w, y + h}, Rect{0, 0, size.cx, size.cy}, picture_.View());
}

void RequirementsPage::OnPaint(Dc& dc) {
    const GlobalState& s = app_.state;
    const int lang = s.languageIndex;
    DrawDib(dc, app_.pictures.backgroundWithLogo, 0, 0, kAnchorTopLeft);
    DrawSunkenFrame(dc, ScaleX(s, 16), ScaleY(s, 64), ScaleX(s, 598), ScaleY(s, 156));
    DrawRowPicture(dc);

    dc.SetBkMode(BkMode::Transparent);
    dc.SetTextColor(Rgb(255, 255, 255));
    // The headings keep their places. Where a heading would run into the
    // next one or under the list (at 640 and 800), all of them get a smaller
    // size of the font instead.
    const std::string quantity = kQuantityHeading.Text(lang);
    const std::string number = kNumberHeading.Text(lang);
    const std::string area = kAreaHeading.Text(lang);
    const int gap = ScaleX(s, 6);
    const int height = ScaleY(s, 240) - ScaleY(s, 226);
    Font font = FitFont(dc, FontText16, {quantity}, 0, ScaleX(s, 80) - ScaleX(s, 20) - gap, height);
    font = FitFont(dc, font, {number, area}, gap, ScaleX(s, 612) - ScaleX(s, 430), height);
    dc.SelectFont(font);
    TextOutScaled(dc, s, 20, 226, quantity);
    TextOutScaled(dc, s, 80, 226, kDesignationHeading.Text(lang));
    TextOutScaled(dc, s, 430, 226, number);
    const Size extent = dc.GetTextExtent(area);
    dc.TextOut(ScaleX(s, 612) - extent.cx, ScaleY(s, 226), area);

    UseDesignMapping(dc, s.designRect, s.clientRect);
    dc.SelectFont(FontTitle);
    dc.TextOut(116, 14, file_.title.str());
}

void RequirementsPage::OnMessage(int message, std::intptr_t, std::intptr_t) {
    if (message != UM_RELOAD)
        return;
    SetCaptions();
    Invalidate();
}

void RequirementsPage::OnDestroy() {
    file_.rows.clear();
    picture_.Reset();
    DestroyTextView(view_);
}

} // namespace qx
