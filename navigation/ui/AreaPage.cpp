#include "AreaPage.h"

#include "catalog/Draw.h"
#include "catalog/Scale.h"
#include "navigation/External.h"
#include "platform/core/Path.h"
#include "platform/core/Ui.h"
#include "resources/Menus.h"
#include "shell/Fonts.h"
#include "shell/Messages.h"
#include "shell/Texts.h"

namespace qx {

namespace {

constexpr LangText kCatalogTitle{{"Katalog\nBetriebseinrichtungen und Spezialwerkzeuge",
                                  "Catalogue\nWorkshop equipment and Special tools",
                                  "Catalogue\nEquipements d'atelier et Outils spéciaux",
                                  "Katalog\nvybavení servisu a speciálního nářadí"}};
constexpr LangText kFileMissing{
    {"Die Datei fehlt:\n", "File not found:\n", "Fichier introuvable :\n", "Soubor nebyl nalezen:\n"}};

} // namespace

AreaPage::AreaPage(MainFrameApi& frame, AppContext& app, QWidget* parent)
    : DialogWindow(parent, Kind::Page), frame_(frame), app_(app), buttons_(app.pictures) {}

AreaPage::~AreaPage() = default;

void AreaPage::OnInitDialog() {
    GlobalState& s = app_.state;
    s.pageOrigin = 1;
    entries_.clear();
    kind_ = AreaPageKind::Start;
    lastPointed_ = -1;
    level_ = s.areaLevel;
    if (level_ < 0 || level_ >= kAreaLevels)
        level_ = 0;
    for (int id = kFirstButton; id <= kLastButton; ++id) {
        AddControl(id, ControlKind::OwnerDrawButton);
        SetHandCursorOver(id, true);
        ShowItem(id, false);
    }
    SetAllControlsFont(FontBold16);
    EnableToolTips([this](int id) { return TooltipOf(id); });
    Reload();
}

void AreaPage::Reload() {
    if (level_ == 0)
        ShowArea("QXSTART.BER", "QXStart.bmp");
    else
        ShowArea(app_.areaHistory.files[static_cast<std::size_t>(level_)].str(),
                 app_.areaHistory.pictures[static_cast<std::size_t>(level_)].str());
}

void AreaPage::ShowArea(const std::string& fileName, const std::string& pictureName) {
    LoadArea(fileName, pictureName);
    Layout();
    // A new level starts with the keyboard on its first entry, never on the
    // place an entry of the last level had.
    if (isVisible())
        FocusFirstItem();
    Invalidate();
}

void AreaPage::LoadArea(const std::string& fileName, const std::string& pictureName) {
    const GlobalState& s = app_.state;
    app_.areaHistory.files[static_cast<std::size_t>(level_)] = fileName;
    app_.areaHistory.pictures[static_cast<std::size_t>(level_)] = pictureName;
    entries_.clear();

    const std::string path = s.programDir.str() + s.dataDir.str() + fileName;
    const auto parsed = LoadAreaFile(path);
    if (!parsed) {
        // The page keeps its picture and shows no entries. Without its start
        // file the program would show nothing at all: say so, once a file.
        if (level_ == 0 && app_.reportedMissingFiles.insert(path).second)
            TheUi().MessageBox(kFileMissing.Text(s.languageIndex) + DisplayPath(path),
                               texts::kAppTitle.Text(s.languageIndex), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    entries_ = parsed->entries;
    if (parsed->tooManyEntries)
        TheUi().MessageBox(kTooManyAreaEntries.Text(s.languageIndex), texts::kAppTitle.Text(s.languageIndex),
                           MB_OK | MB_ICONEXCLAMATION);

    kind_ = AreaPageKindOf(fileName);
    picture_.Reset();
    preview_.Reset();
    if (kind_ == AreaPageKind::SubArea) {
        const std::string first = entries_.empty() ? std::string() : entries_.front().picture.str();
        picture_ = LoadPicture(s, "BILDER\\" + s.langDir.str() + std::to_string(s.screenWidth) + "\\" + first);
    } else {
        picture_ = LoadPicture(s, "BILDER\\OHNE\\" + std::to_string(s.screenWidth) + "\\" + pictureName);
    }
}

void AreaPage::Layout() {
    const GlobalState& s = app_.state;
    // The whole client area, as the other pages: the pictures of the area
    // pages are drawn for it, and a smaller page leaves white strips.
    MoveWindowTo(ScaleRect(s, 0, 0, 632, 434));
    SetCaption((kind_ == AreaPageKind::Start ? texts::kAppTitle : kCatalogTitle).Text(s.languageIndex));
    int i = 0;
    for (; i < EntryCount(); ++i) {
        const AreaEntry& e = entries_[static_cast<std::size_t>(i)];
        const int id = kFirstButton + i;
        SetItemText(id, e.caption.str());
        MoveItem(id, AreaEntryPixels(s, e.rect, level_));
        ShowItem(id, true);
        // Sub-area pages draw nothing over the picture: the buttons are hot areas.
        Item(id)->update();
    }
    for (; i < kMaxAreaEntries; ++i)
        ShowItem(kFirstButton + i, false);
}

void AreaPage::OnPaint(Dc& dc) {
    const GlobalState& s = app_.state;
    DrawDib(dc, picture_, 0, 0, kAnchorTopLeft);
    DrawDib(dc, preview_, ScaleX(s, 16), ScaleY(s, 64), kAnchorTopLeft);
    if (kind_ == AreaPageKind::Catalogue) {
        UseDesignMapping(dc, s.designRect, s.clientRect);
        dc.SetBkMode(BkMode::Transparent);
        dc.SetTextColor(Rgb(255, 255, 255));
        dc.SelectFont(FontText16);
        Rect title{326, 77, 620, 300};
        dc.DrawText(kCatalogTitle.Text(s.languageIndex), title, DT_WORDBREAK | DT_NOPREFIX);
    }
}

void AreaPage::OnDrawItem(DrawItem& item) {
    if (kind_ != AreaPageKind::SubArea)
        buttons_.DrawItemInto(item);
    else if (item.focused && item.dc)
        DrawFocusMark(*item.dc, item.rect); // a hot area shows only where the keyboard is
}

void AreaPage::OnControlHover(int id) {
    if (id < kFirstButton || id > kLastButton)
        return;
    Preview(id - (kFirstButton - 1));
}

void AreaPage::Preview(int entryNumber) {
    if (kind_ != AreaPageKind::Catalogue || entryNumber == lastPointed_)
        return;
    lastPointed_ = entryNumber;
    preview_.Reset();
    const GlobalState& s = app_.state;
    if (entryNumber >= 1 && entryNumber <= EntryCount()) {
        preview_ = LoadPicture(
            s, ScreenPicturePath(s.screenWidth, entries_[static_cast<std::size_t>(entryNumber - 1)].picture.str()));
        ++previewLoads_;
    }
    InvalidateRect(ScaleRect(s, 16, 64, 320, 600));
}

std::string AreaPage::TooltipOf(int id) const {
    const int i = id - kFirstButton;
    if (i < 0 || i >= EntryCount())
        return {};
    return entries_[static_cast<std::size_t>(i)].tooltip.str().substr(0, 79);
}

void AreaPage::OnCommand(int id, int) {
    if (id >= kFirstButton && id <= kLastButton)
        DispatchEntry(id - kFirstButton);
}

void AreaPage::DispatchEntry(int index) {
    if (index < 0 || index >= EntryCount())
        return;
    const AreaEntry entry = entries_[static_cast<std::size_t>(index)]; // the entries may be replaced below
    const std::string& target = entry.target.str();
    switch (ClassifyAreaTarget(target)) {
    case AreaTargetKind::Video:
        if (openVideo)
            openVideo(*this, target);
        break;
    case AreaTargetKind::Back:
        Back();
        break;
    case AreaTargetKind::Program:
        if (!RunCatalogProgram(app_.state, target))
            ShowNotOpened(app_.state.languageIndex, ProgramPath(app_.state, target));
        break;
    case AreaTargetKind::Document:
        if (!OpenDocument(app_.state, target))
            ShowNotOpened(app_.state.languageIndex, DocumentPath(app_.state, target));
        break;
    case AreaTargetKind::OrderList:
        frame_.RunCommand(kCmdOrderList);
        break;
    case AreaTargetKind::KeywordSearch:
        frame_.RunCommand(kCmdKeyword);
        break;
    case AreaTargetKind::ToolNumberSearch:
        frame_.RunCommand(kCmdToolNumber);
        break;
    case AreaTargetKind::QtxNumberSearch:
        frame_.RunCommand(kCmdQtxNumber);
        break;
    case AreaTargetKind::ZNumberSearch:
        frame_.RunCommand(kCmdHlnNumber);
        break;
    case AreaTargetKind::WorkshopTerms:
        frame_.RunCommand(kCmdTermsEquipment);
        break;
    case AreaTargetKind::SpecialToolTerms:
        frame_.RunCommand(kCmdTermsTools);
        break;
    case AreaTargetKind::DocumentsPrb:
        frame_.RunDocumentSearch(128);
        break;
    case AreaTargetKind::DocumentsPrs:
        frame_.RunDocumentSearch(256);
        break;
    case AreaTargetKind::DocumentsPrk:
        frame_.RunDocumentSearch(512);
        break;
    case AreaTargetKind::ServiceStandards:
        frame_.RunDocumentSearch(2);
        break;
    case AreaTargetKind::Requirements:
        OpenProductList(entry, kPageRequirements);
        break;
    case AreaTargetKind::SubArea:
        if (level_ + 1 >= kAreaLevels)
            break; // levels run from 0 to 63
        ++level_;
        ShowArea(target, entry.picture.str());
        break;
    case AreaTargetKind::GroupList:
        OpenProductList(entry, kPageGroup);
        break;
    }
}

void AreaPage::OpenProductList(const AreaEntry& entry, int pageMode) {
    if (entry.target.empty())
        return;
    GlobalState& s = app_.state;
    s.listFile = entry.target.str();
    s.groupFile = entry.target.str();
    s.pageMode = pageMode;
    s.areaLevel = level_;
    DestroyWindow();
    frame_.PostShowPage();
}

void AreaPage::Back() {
    if (level_ > 0) {
        --level_;
        Reload();
        return;
    }
    const int lang = app_.state.languageIndex;
    if (TheUi().MessageBox(texts::kQuitQuestion.Text(lang), texts::kAppTitle.Text(lang), MB_OKCANCEL | MB_ICONEXCLAMATION) ==
        IDOK) {
        DestroyWindow();
        frame_.PostClose();
    }
}

void AreaPage::OnMessage(int message, std::intptr_t, std::intptr_t) {
    if (message == UM_RELOAD)
        Reload();
}

void AreaPage::OnShowWindow(bool shown) { frame_.EnableLanguageAndScreenItems(shown); }

void AreaPage::OnDestroy() {
    picture_.Reset();
    preview_.Reset();
}

} // namespace qx
