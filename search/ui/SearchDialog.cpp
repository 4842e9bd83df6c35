#include "SearchDialog.h"

#include "catalog/Draw.h"
#include "navigation/External.h"
#include "platform/core/Path.h"
#include "platform/core/Ui.h"
#include "shell/AppContext.h"
#include "shell/Fonts.h"
#include "shell/MainFrameApi.h"
#include "shell/Messages.h"
#include "shell/Texts.h"
#include "shell/ui/InputDialog.h"

#include <algorithm>

namespace qx {

namespace {

constexpr LangText kCaption{{"Produktsuche", "Search", "Recherche produit", "Hledat"}};
constexpr LangText kCaptionStandard{{"Service Standard", "Service Standard", "Standard Service", "Servisní standardy"}};
constexpr LangText kCaptionCatalogue{{"Katalog zum Drucken", "View catalogue", "Catalogue à imprimer", "Katalog pro tisk"}};
// With their letters: Alt and the letter press them while the keyboard
// stays in the search field.
constexpr LangText kContinueText{{"&Weitersuchen", "&Reduce", "&Suivant", "&Další hledání"}};
constexpr LangText kNewSearchText{{"&Neue Suche", "&New search", "&Recherche", "&Nové hledání"}};
constexpr LangText kChooseText{{"Auswählen", "Choose", "Choisir", "Volba"}};
constexpr LangText kDescription{{"Beschreibung", "Description", "Description", "Popis"}};
constexpr LangText kNumber{{"Nummer", "Number", "Numéro", "Číslo"}};
constexpr LangText kSearchFor{{"Suchbegriff:", "Search for:", "Critère de recherche:", "Hledání pojmu"}};
constexpr LangText kNoEntry{{"Kein Eintrag vorhanden!", "No entry!", "Pas d'entrée!", "Žádná položka!"}};
constexpr LangText kNoData{{"Es liegen keine Daten für \ndiesen Produktbereich vor!", "There are no files for this area!",
                            "Il n'y a pas de données disponibles \npour ce domaine de produit!",
                            "Neexistují žádná data \n v této oblasti!"}};

constexpr std::size_t kTermRead = 127; // what the edit is read with
constexpr std::size_t kOutMax = 127;   // the callers' buffers
constexpr int kItemHeight = 16;
constexpr int kPlaceCaretMessage = 0x0401; // a private message of this dialog

// The colours of a selected row, as the desktop's default scheme has them.
constexpr ColorRef kHighlight = Rgb(0, 120, 215);
constexpr ColorRef kHighlightText = Rgb(255, 255, 255);

} // namespace

SearchDialog::SearchDialog(QWidget* parent, AppContext& app, int mode)
    : DialogWindow(parent, Kind::Modal), app_(app), mode_(mode) {}

SearchDialog::~SearchDialog() = default;

void SearchDialog::OnInitDialog() {
    GlobalState& s = app_.state;
    const int lang = s.languageIndex;
    const Rect client = DialogUnits(0, 0, 246, 167);
    setFixedSize(client.Width(), client.Height());

    ControlStyle prompt;
    prompt.centered = true;
    ControlStyle list;
    list.ownerDraw = true;
    list.noData = true;
    list.itemHeight = kItemHeight;
    AddControls({
        {kPrompt, ControlKind::Static, DialogUnits(6, 3, 234, 9), prompt},
        {kTerm, ControlKind::Edit, DialogUnits(6, 15, 234, 13)},
        {kList, ControlKind::ListBox, DialogUnits(6, 41, 234, 99), list},
        {kContinue, ControlKind::PushButton, DialogUnits(6, 147, 56, 14)},
        {kNewSearch, ControlKind::PushButton, DialogUnits(65, 147, 56, 14)},
        {IDOK, ControlKind::DefPushButton, DialogUnits(124, 147, 56, 14)},
        {IDCANCEL, ControlKind::PushButton, DialogUnits(184, 147, 56, 14)},
    });
    // Clicks in the list leave the keyboard in the term edit, so typing
    // always goes there; the arrow keys reach the list through OnKeyDown.
    SetItemTabStop(kList, false);
    SetAllControlsFont(FontText14);
    SetStaticTextColor(kPrompt, Rgb(255, 255, 255)); // on the dark background
    SetItemText(kContinue, kContinueText.Text(lang));
    SetItemText(kNewSearch, kNewSearchText.Text(lang));
    SetItemText(IDOK, kChooseText.Text(lang));
    SetItemText(IDCANCEL, texts::kCancel.Text(lang));
    SetEditLimit(kTerm, kTermMax);
    SetItemName(kTerm, kSearchFor.Text(lang));

    if (CatalogueMode())
        SetItemText(kPrompt, ((mode_ & kSearchNumber) ? kNumber : kDescription).Text(lang));
    else
        SetItemText(kPrompt, s.searchTerm.str());
    const LangText& caption = CatalogueMode() ? kCaptionCatalogue : (mode_ & kIndexStd) ? kCaptionStandard : kCaption;
    SetCaption(caption.Text(lang));
    SetItemName(kList, caption.Text(lang)); // the hits are what the dialog is about
    if (CatalogueMode()) {
        ShowItem(kContinue, false);
        ShowItem(kNewSearch, false);
    }

    // The catalogue lists are short and always shown whole.
    Refill(CatalogueMode() ? std::string() : s.searchTerm.str());
    SetCurSel(kList, 0);
    if (mode_ & kSearchHln) {
        SetItemText(kTerm, "HLN");
        if (const auto found = list_.FindByPrefix("HLN"))
            SelectAndShow(static_cast<int>(*found));
    }
    if (!s.lastSearchChoice.empty()) {
        if (const auto found = list_.FindByPrefix(s.lastSearchChoice.str())) {
            SelectAndShow(static_cast<int>(*found));
            SetItemText(kTerm, s.lastSearchChoice.str());
        }
    }
    CenterOn(parentWidget());
    SetFocusTo(kTerm);
    PlaceCaret();
    // Showing the dialog selects the whole edit as it hands it the keyboard;
    // the caret is placed again once the dialog is up.
    PostMessageTo(this, kPlaceCaretMessage);
}

void SearchDialog::PlaceCaret() {
    const GlobalState& s = app_.state;
    const int caret = s.lastSearchChoice.empty() ? 3 : static_cast<int>(s.lastSearchChoice.size());
    const int at = std::min(caret, static_cast<int>(GetItemText(kTerm).size()));
    SetEditSelection(kTerm, at, at);
}

void SearchDialog::OnMessage(int message, std::intptr_t, std::intptr_t) {
    if (message == kPlaceCaretMessage)
        PlaceCaret();
}

void SearchDialog::Refill(const std::string& term) {
    std::string folded = term;
    if (!list_.Fill(app_.state, mode_, folded))
        return; // no index: the list keeps what it showed
    if (!CatalogueMode())
        app_.state.searchTerm = folded;
    SetListCount(kList, static_cast<int>(list_.Size()));
}

void SearchDialog::SelectAndShow(int row) { SetCurSel(kList, row); }

void SearchDialog::OnPaint(Dc& dc) { DrawDib(dc, app_.pictures.background, 0, 0, kAnchorTopLeft); }

void SearchDialog::OnCommand(int id, int code) {
    switch (id) {
    case kTerm:
        // Only the user's typing arrives here: texts the dialog sets don't notify.
        if (code == EN_CHANGE) {
            const std::string text = GetItemText(kTerm, kTermRead);
            if (!text.empty()) {
                if (const auto found = list_.FindByPrefix(text))
                    SelectAndShow(static_cast<int>(*found));
            }
        }
        break;
    case kList:
        if (code == LBN_SELCHANGE) {
            const int row = GetCurSel(kList);
            if (row >= 0) {
                SetItemText(kTerm, list_.Display(static_cast<std::size_t>(row)));
            }
        } else if (code == LBN_DBLCLK) {
            Choose();
        }
        break;
    case kContinue:
        ContinueSearch();
        break;
    case kNewSearch:
        NewSearch();
        break;
    case IDOK:
        Choose();
        break;
    case IDCANCEL:
        OnCancel();
        break;
    default:
        break;
    }
}

void SearchDialog::ContinueSearch() {
    GlobalState& s = app_.state;
    InputDialog ask(this, s.languageIndex, kSearchFor.Text(s.languageIndex));
    if (ask.DoModal() != IDOK || ask.Result().empty())
        return;
    // A term past its 399 characters is cut there: the words before the cut
    // keep their meaning, the last one may match more than was typed.
    s.searchTerm = s.searchTerm.str() + " " + ask.Result();
    SetItemText(kPrompt, s.searchTerm.str());
    Refill(s.searchTerm.str());
    SetCurSel(kList, 0);
    SetItemText(kTerm, "");
}

void SearchDialog::NewSearch() {
    app_.state.searchTerm.clear();
    SetItemText(kPrompt, "");
    Refill(std::string());
    SetCurSel(kList, 0);
    ContinueSearch();
}

void SearchDialog::Choose() {
    const int row = GetCurSel(kList);
    if (row < 0)
        return;
    const std::string typed = GetItemText(kTerm, kTermRead);
    const int lang = app_.state.languageIndex;
    // The typed text need only begin some entry; the selected one is taken.
    if (!list_.FindByPrefix(typed)) {
        TheUi().MessageBox(kNoEntry.Text(lang), texts::kAppTitle.Text(lang), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const IndexEntry e = list_.Entry(static_cast<std::size_t>(row));
    app_.state.lastSearchChoice = e.display;
    chosen_.key = e.key.substr(0, kOutMax);
    chosen_.area = "bereich1";
    chosen_.file = e.file.substr(0, kOutMax);
    EndDialog(IDOK);
}

void SearchDialog::OnOk() { Choose(); }

void SearchDialog::OnCancel() { EndDialog(IDCANCEL); }

bool SearchDialog::OnKeyDown(int virtualKey) {
    // The edit keeps the keyboard; the keys that move in a list move this one.
    const int count = GetCount(kList);
    if (count == 0)
        return false;
    const int page = VisibleRowCount(kList);
    const int row = GetCurSel(kList);
    int next = row;
    switch (virtualKey) {
    case VK_UP:
        next = row - 1;
        break;
    case VK_DOWN:
        next = row + 1;
        break;
    case VK_PRIOR:
        next = row - page;
        break;
    case VK_NEXT:
        next = row + page;
        break;
    default:
        return false;
    }
    next = std::clamp(next, 0, count - 1);
    if (next != row) {
        SelectAndShow(next);
        OnCommand(kList, LBN_SELCHANGE); // as the list tells of a user's move
    }
    return true;
}

void SearchDialog::OnDrawItem(DrawItem& item) {
    if (item.controlId != kList || item.itemId < 0 || item.itemId >= static_cast<int>(list_.Size()))
        return;
    if (!(item.action & (DrawItem::DrawEntire | DrawItem::SelectChange)))
        return;
    Dc& dc = *item.dc;
    dc.FillRect(item.rect, item.selected ? kHighlight : Rgb(255, 255, 255));
    if (item.selected)
        dc.SetTextColor(kHighlightText);
    dc.SetBkMode(BkMode::Transparent);
    Rect r = item.rect;
    r.left += 2;
    dc.DrawText(list_.Display(static_cast<std::size_t>(item.itemId)), r, DT_WORDBREAK | DT_NOPREFIX);
}

void RunProductSearch(MainFrameApi& frame, AppContext& app, QWidget* window, int mode) {
    SearchDialog dialog(window, app, mode);
    if (dialog.DoModal() != IDOK)
        return;
    GlobalState& s = app.state;
    const SearchDialog::Choice& c = dialog.Chosen();
    if (!FileExists(s.programDir.str() + s.dataDir.str() + c.file)) {
        const int lang = s.languageIndex;
        TheUi().MessageBox(kNoData.Text(lang), texts::kAppTitle.Text(lang), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (!frame.MayDestroyPages())
        return; // the user keeps the order list page with its changes
    s.groupFile = c.area;
    s.hierarchyCode = "a";
    s.listFile = c.file;
    frame.DestroyAllPages();
    s.preselectKey = c.key;
    s.breadcrumb.clear();
    s.pageOrigin = 1;
    s.pageMode = kPageProduct;
    s.areaLevel = 0;
    frame.PostShowPage();
}

void RunDocumentChooser(AppContext& app, QWidget* window, int mode) {
    SearchDialog dialog(window, app, mode);
    if (dialog.DoModal() == IDOK && !OpenDocument(app.state, dialog.Chosen().file))
        ShowNotOpened(app.state.languageIndex, DocumentPath(app.state, dialog.Chosen().file));
}

} // namespace qx
