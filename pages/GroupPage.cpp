#include "GroupPage.h"

#include "PageFrame.h"
#include "shell/Messages.h"
#include "shell/Fonts.h"
#include "shell/Texts.h"
#include "catalog/Draw.h"
#include "catalog/Scale.h"
#include "platform/core/Ui.h"

#include <algorithm>

namespace qx {

namespace {

constexpr LangText kNotInstalled{{"Dieser Produktbereich wurde\nnicht installiert!", "This productfield is not installed!",
                                  "Ce domaine de produits n'a pas\nété installé!",
                                  "Tato oblast produktů nebyla\nnainstalována!"}};

std::string Field(int n, std::string_view line) { return LineField(n, line, 127); }

} // namespace

GroupPage::GroupPage(MainFrameApi& frame, AppContext& app, QWidget* parent)
    : DialogWindow(parent, Kind::Page), frame_(frame), app_(app), buttons_(app.pictures) {}

GroupPage::~GroupPage() = default;

bool GroupPage::Create() {
    GlobalState& s = app_.state;
    std::optional<GroupFile> loaded = LoadGroupFile(s.programDir.str() + s.dataDir.str() + s.groupFile.str() + ".gpe");
    if (!loaded) {
        const int lang = s.languageIndex;
        ShowWarning(lang, kNotInstalled);
        s.pageOrigin = 2;
        s.pageMode = kPageArea;
        frame_.PostShowPage();
        return false;
    }
    file_ = std::move(*loaded);
    return true;
}

GroupPage* CreateGroupPage(MainFrameApi& frame, AppContext& app, QWidget* parent) {
    return CreateLoadedPage<GroupPage>(frame, app, parent);
}

void GroupPage::OnInitDialog() {
    GlobalState& s = app_.state;
    ControlStyle list;
    list.ownerDraw = true;
    list.itemHeight = 16;
    AddControl(kList, ControlKind::ListBox, list);
    AddControl(kMainMenu, ControlKind::OwnerDrawButton);
    AddControl(kBack, ControlKind::OwnerDrawButton);
    AddControl(kHint, ControlKind::PushButton);
    ShowItem(kHint, false);
    EnableItem(kHint, false);

    SetAllControlsFont(FontBold16);
    SetItemFont(kList, FontText16);
    SetItemHeight(kList, 16);
    SetCaptions();
    SetCaption(file_.title.str());
    MoveWindowTo(ScaleRect(s, 0, 0, 632, 434));
    MoveItem(kList, ScaleRect(s, 328, 64, 612, 375));
    MoveItem(kMainMenu, ScaleRect(s, 327, 392, 467, 412));
    MoveItem(kBack, ScaleRect(s, 473, 392, 613, 412));
    MoveItem(kHint, ScaleRect(s, 327, 392, 395, 412));

    selection_ = 0;
    picture_.Reset();
    pictureName_.clear();
    code_.clear();
    depth_ = 1;
    if (s.pageOrigin == 3) {
        // Back from a product list: the level of the entry that names it.
        if (const GroupEntry* e = FindEntryListing(file_, s.listFile.str())) {
            code_ = e->hierarchyCode.str();
            s.hierarchyCode = code_.str();
            depth_ = std::max<int>(1, static_cast<int>(code_.size()));
        } else {
            s.hierarchyCode = "a";
        }
    }

    FillList(depth_);
    SetCurSel(kList, selection_);
    selectedText_ = GetLbText(kList, selection_);
    code_ = code_.str().substr(0, static_cast<std::size_t>(depth_ - 1));
    BuildBreadcrumb();
    LoadEntryPicture();
    s.pageOrigin = 2;
}

void GroupPage::SetCaptions() {
    const int lang = app_.state.languageIndex;
    SetItemText(kBack, texts::kBackCaption.Text(lang));
    SetItemText(kMainMenu, texts::kMainMenuCaption.Text(lang));
}

int GroupPage::FillList(int depth) {
    ResetContent(kList);
    const std::size_t d = static_cast<std::size_t>(depth);
    const std::string& code = code_.str();
    int count = 0;
    for (const GroupEntry& e : file_.entries) {
        const std::string& c = e.hierarchyCode.str();
        if (c.size() != d)
            continue;
        if (d > 1 && c.compare(0, d - 1, code.substr(0, d - 1)) != 0)
            continue;
        const int position = AddString(kList, e.line.str());
        if (c == code.substr(0, d))
            selection_ = position;
        ++count;
    }
    BuildBreadcrumb();
    return count;
}

void GroupPage::BuildBreadcrumb() {
    breadcrumb_ = GroupBreadcrumb(file_, code_.str());
    // The list holds the level the path leads to; the top level has no path.
    SetItemName(kList, breadcrumb_.empty() ? file_.title.str() : breadcrumb_.str());
}

void GroupPage::SelectEntry(int index) {
    SetCurSel(kList, index);
    Select();
}

void GroupPage::Select() {
    const int index = GetCurSel(kList);
    if (index < 0)
        return;
    selection_ = index;
    selectedText_ = GetLbText(kList, index);
    InvalidateRect(ScaleRect(app_.state, 116, 36, 632, 60));
    LoadEntryPicture();
}

void GroupPage::LoadEntryPicture() {
    const std::string name = Field(4, selectedText_.str()).substr(0, decltype(pictureName_)::kMaxLength);
    if (name == pictureName_.str())
        return;
    const GlobalState& s = app_.state;
    picture_.Reset();
    pictureName_ = name;
    picture_ = LoadPicture(s, ScreenPicturePath(s.screenWidth, name));
    InvalidateRect(ScaleRect(s, 14, 62, 312, 418));
}

void GroupPage::Open() {
    if (GetCurSel(kList) < 0)
        return; // an empty level has nothing to open
    const std::string entry = selectedText_.str();
    code_ = Field(1, entry);
    ++depth_;
    if (FillList(depth_) > 0) {
        SelectEntry(0);
        return;
    }
    // A leaf: its product list, with the path that leads to it.
    GlobalState& s = app_.state;
    s.hierarchyCode = Field(1, entry);
    s.listFile = Field(2, entry);
    s.breadcrumb = breadcrumb_.str();
    Leave(kPageProduct);
}

void GroupPage::Up() {
    --depth_;
    if (depth_ < 1) {
        app_.state.pageOrigin = 2;
        Leave(kPageArea);
        return;
    }
    code_ = code_.str().substr(0, static_cast<std::size_t>(depth_ - 1));
    selection_ = 0;
    FillList(depth_);
    SelectEntry(0);
    InvalidateRect(ScaleRect(app_.state, 116, 36, 632, 60));
}

void GroupPage::MainMenu() {
    app_.state.areaLevel = 0;
    Leave(kPageArea);
}

void GroupPage::Leave(int pageMode) {
    DestroyWindow();
    app_.state.pageMode = pageMode;
    frame_.PostShowPage();
}

void GroupPage::OnCommand(int id, int code) {
    switch (id) {
    case kList:
        if (code == LBN_SELCHANGE)
            Select();
        else if (code == LBN_DBLCLK)
            Open();
        break;
    case kBack:
        Up();
        break;
    case kMainMenu:
        MainMenu();
        break;
    default:
        break;
    }
}

void GroupPage::OnDrawItem(DrawItem& item) {
    if (item.kind == DrawItem::Button) {
        buttons_.DrawItemInto(item);
        return;
    }
    if (item.controlId != kList || item.itemId < 0)
        return;
    Dc& dc = *item.dc;
    FillListRow(dc, item);
    dc.SelectFont(FontText16);
    Rect r = item.rect;
    r.left += 2;
    dc.DrawText(Field(3, item.itemText), r, DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
}

void GroupPage::OnPaint(Dc& dc) {
    DrawPicturePanel(dc, app_, picture_, 350);
    DrawTitlePanel(dc, app_.state, file_.title.str(), breadcrumb_.str(), FontText16);
}

void GroupPage::OnMessage(int message, std::intptr_t, std::intptr_t) {
    if (message != UM_RELOAD)
        return;
    SetCaptions();
    Invalidate();
}

void GroupPage::OnDestroy() {
    file_.entries.clear();
    picture_.Reset();
}

} // namespace qx
