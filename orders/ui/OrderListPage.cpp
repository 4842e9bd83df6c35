#include "OrderListPage.h"

#include "OrderInfoPage.h"
#include "print/ui/PrintJob.h"
#include "QuantityEditor.h"
#include "orders/NumberImport.h"
#include "orders/OrderLetters.h"
#include "orders/OrderListCsv.h"
#include "platform/core/FileIo.h"
#include "platform/core/Clock.h"
#include "suppliers/AddressFile.h"
#include "suppliers/ui/SupplierSearchPage.h"
#include "shell/Messages.h"
#include "shell/Fonts.h"
#include "shell/Texts.h"
#include "catalog/CatalogText.h"
#include "catalog/Draw.h"
#include "catalog/Scale.h"
#include "platform/core/Path.h"
#include "platform/core/Ui.h"
#include "resources/Menus.h"

#include <filesystem>
#include <fstream>

namespace qx {

namespace {

constexpr LangText kTitle{{"Bestellliste", "Order list", "Liste de commande", "Objednací list"}};
constexpr LangText kOrderInfoCaption{{"Bestellinformation", "Order information", "Info commande", "Informace k objednávce"}};
constexpr LangText kSaveCaption{{"Liste speichern", "Save", "Enregistrer", "Uložit"}};
constexpr LangText kPrintCaption{{"Liste drucken", "Print list", "Imprimer la liste", "Tisk seznamu"}};
constexpr LangText kSuppliersCaption{{"Lieferanten", "Distributors", "Fournisseurs", "Dodavatelé"}};
constexpr LangText kModifyCaption{{"Eintrag verändern", "Modify entry", "Modifier l'entrée", "Změnit položku"}};
constexpr LangText kInsertCaption{{"Eintrag einfügen", "Insert entry", "Insérer une entrée", "Vložit položku"}};
constexpr LangText kDeleteCaption{{"Eintrag löschen", "Delete entry", "Supprimer l'entrée", "Smazat položku"}};
constexpr LangText kSelectFirst{{"Bitte selektieren Sie zuerst einen Eintrag!", "First select an entry!",
                                 "Veuillez d'abord sélectionner une entrée!", "Nejprve vyberte položku!"}};
constexpr LangText kSaveQuestion{{"Sollen die Änderungen gespeichert werden?", "Should the modifications be saved?",
                                  "Voulez-vous enregistrer les modifications?", "Mají se změny uložit?"}};
constexpr LangText kChangedElsewhere{
    {"Die Bestellliste wurde seit dem Laden an einem anderen Arbeitsplatz geändert.",
     "The order list has been changed at another workstation since it was loaded.",
     "La liste de commande a été modifiée sur un autre poste depuis son chargement.",
     "Objednací list byl od načtení změněn na jiném pracovišti."}};
// The French and Czech rows, ours, short enough to clear the number column at 640.
constexpr LangText kQuantityTitle{{"Menge", "Quantity", "Qté", "Ks"}};
constexpr LangText kNumberTitle{{"Nummer ", "No. ", "Numéro ", "Číslo "}};
constexpr LangText kProductTitle{{"Artikel", "Product", "Article", "Výrobek"}};
constexpr LangText kUnitPriceTitle{{"Stückpreis", "Price", "Prix unitaire", "Cena/ks"}};
constexpr LangText kPriceTitle{{"Preis", "Price", "Prix", "Cena"}};
constexpr LangText kIndicationLabel{{"Auftragskennzeichnung:", "Order indication:", "Référence commande:",
                                     "Označení zakázky:"}};
constexpr LangText kFilter{{"Bestellliste (*.stk) | *.stk ||", "Order list (*.stk) | *.stk ||",
                            "Liste cde (*.stk) | *.stk ||", "Objednávka (*.stk) | *.stk ||"}};
constexpr LangText kNoAccess{{"Die Datei konnte nicht erzeugt werden!\nGeben Sie evtl. ein anderes Laufwerk \n(nicht CD-ROM) an.",
                              "File error! No access to media(CD-ROM?).",
                              "Erreur de fichier! Pas d'accès au support (CD-ROM?).",
                              "Chyba souboru! Médium není přístupné (CD-ROM?)."}};

constexpr LangText kExportCaption{{"Als Tabelle exportieren…", "Export as spreadsheet…", "Exporter comme tableau…",
                                   "Exportovat jako tabulku…"}};
constexpr LangText kImportCaption{{"Nummern einfügen…", "Insert numbers…", "Insérer des numéros…", "Vložit čísla…"}};
constexpr LangText kCsvFilter{{"Tabelle (*.csv) | *.csv;*.CSV ||", "Spreadsheet (*.csv) | *.csv;*.CSV ||",
                               "Tableau (*.csv) | *.csv;*.CSV ||", "Tabulka (*.csv) | *.csv;*.CSV ||"}};
constexpr LangText kNumbersFilter{{"Nummernliste (*.txt, *.csv) | *.txt;*.TXT;*.csv;*.CSV ||",
                                   "List of numbers (*.txt, *.csv) | *.txt;*.TXT;*.csv;*.CSV ||",
                                   "Liste de numéros (*.txt, *.csv) | *.txt;*.TXT;*.csv;*.CSV ||",
                                   "Seznam čísel (*.txt, *.csv) | *.txt;*.TXT;*.csv;*.CSV ||"}};
constexpr LangText kSaveElsewhere{{"Soll die Liste unter einem anderen Namen gespeichert werden?",
                                   "Save the list under another name?", "Enregistrer la liste sous un autre nom?",
                                   "Uložit seznam pod jiným názvem?"}};

constexpr LangText kNoOrderInfo{{"Die Datei mit den Bestellinformationen \nkonnte nicht geöffnet werden!",
                                 "File open error!", "Le fichier des informations de commande \nn'a pas pu être ouvert!",
                                 "Soubor s informacemi k objednávce \nnelze otevřít!"}};

// The folder of a chosen file takes a new file (a CD does not).
bool FolderTakesFiles(const std::string& chosen) {
    const std::filesystem::path probe = ResolvePath(DirectoryOf(chosen) + "\\~~acs");
    {
        std::ofstream out(probe, std::ios::binary);
        if (!out)
            return false;
    }
    std::error_code ec;
    std::filesystem::remove(probe, ec);
    return true;
}

enum class Pick { Open, OpenWritable, SaveAs };

// The file dialog of every road that chooses a list: the folder kept in
// qxkat.ini while it exists, else the user's home folder (never the working folder, which
// is wherever the program happened to be started). A path too long for
// orderListPath is refused as a folder without access: cut, it would name
// another file. Except for Open, the folder must take a new file; SaveAs
// asks before it replaces another list.
std::optional<std::string> PickOrderListFile(AppContext& app, Pick pick) {
    GlobalState& s = app.state;
    FileDialogSpec spec;
    spec.fileName = "*.STK";
    spec.filter = kFilter.Text(s.languageIndex);
    spec.initialDirectory = app.profile.GetString("Paths", "stk", "", 128);
    std::error_code ec;
    if (!std::filesystem::is_directory(ResolvePath(spec.initialDirectory), ec))
        spec.initialDirectory = ToWindowsPath(HomeFolder()); // nothing kept, or the folder is gone
    spec.overwritePrompt = pick == Pick::SaveAs;
    std::optional<std::string> chosen =
        pick == Pick::SaveAs ? TheUi().GetSaveFileName(spec) : TheUi().GetOpenFileName(spec);
    if (!chosen)
        return std::nullopt;
    if (chosen->size() > decltype(s.orderListPath)::kMaxLength ||
        (pick != Pick::Open && !FolderTakesFiles(*chosen))) {
        ShowWarning(s.languageIndex, kNoAccess);
        return std::nullopt;
    }
    s.orderListPath = *chosen;
    app.profile.WriteString("Paths", "stk", DirectoryOf(*chosen));
    return chosen;
}

} // namespace

std::optional<std::string> AskOrderListFile(AppContext& app) { return PickOrderListFile(app, Pick::Open); }

bool ChooseOrderListFile(AppContext& app) {
    return !app.state.orderListPath.empty() || PickOrderListFile(app, Pick::OpenWritable);
}

OrderListPage::OrderListPage(MainFrameApi& frame, AppContext& app, QWidget* parent, DialogWindow* returnPage)
    : DialogWindow(parent, Kind::Page), frame_(frame), app_(app), buttons_(app.pictures), returnPage_(returnPage),
      filePath_(app.state.orderListPath.str()) {}

OrderListPage::~OrderListPage() = default;

void OrderListPage::OnInitDialog() {
    const GlobalState& s = app_.state;
    savedMenuState_ = frame_.SetCommandEnabled(kCmdOrderList, false);

    ControlStyle list;
    list.ownerDraw = true;
    list.noData = true; // a row is the entry at its position: 100,000 entries keep no row objects
    list.itemHeight = 36;
    const ControlKind button = ControlKind::OwnerDrawButton;
    AddControls({
        {kList, ControlKind::ListBox, ScaleRect(s, 18, 88, 615, 327), list},
        {kIndication, ControlKind::Edit, ScaleRect(s, 169, 336, 313, 356)},
        {kOrderInfo, button, ScaleRect(s, 18, 366, 160, 386)},
        {kSave, button, ScaleRect(s, 18, 392, 160, 412)},
        {kPrint, button, ScaleRect(s, 168, 366, 308, 386)},
        {kSuppliers, button, ScaleRect(s, 168, 392, 308, 412)},
        {kModify, button, ScaleRect(s, 322, 366, 464, 386)},
        {kInsert, button, ScaleRect(s, 322, 392, 464, 412)},
        {kDelete, button, ScaleRect(s, 474, 366, 615, 386)},
        {kBack, button, ScaleRect(s, 474, 392, 615, 412)},
    });
    SetAllControlsFont(FontBold16);
    SetItemFont(kList, FontText16);
    SetItemHeight(kList, 36);
    SetEditLimit(kIndication, static_cast<int>(kIndicationTyped));
    SetCaptions();

    MoveWindowTo(ScaleRect(s, 0, 0, 632, 434));

    EnableContextMenu(kList);

    LoadFile();
}

void OrderListPage::LoadFile() {
    loading_ = true;
    if (LoadOrderList(filePath_.str(), list_, &stamp_) == OrderListRead::WrongFormat) {
        ShowWarning(app_.state.languageIndex, kWrongOrderListFormat);
        filePath_ = FallbackOrderListPath(filePath_.str());
        // Saves go there now: what it holds is what a save may replace unasked.
        stamp_ = FileStamp::Read(ResolvePath(filePath_.str()));
    }
    FillList();
    SetItemText(kIndication, list_.indication.str());
    loading_ = false;
    changed_ = false;
}

void OrderListPage::SetCaptions() {
    const int lang = app_.state.languageIndex;
    SetCaption(kTitle.Text(lang));
    std::string columns = kQuantityTitle.Text(lang) + ", " + kNumberTitle.Text(lang) + ", " + kProductTitle.Text(lang);
    if (app_.state.priceMode >= 0)
        columns += ", " + kUnitPriceTitle.Text(lang) + ", " + kPriceTitle.Text(lang);
    SetItemName(kList, columns);
    SetItemName(kIndication, kIndicationLabel.Text(lang));
    SetItemText(kOrderInfo, kOrderInfoCaption.Text(lang));
    SetItemText(kSave, kSaveCaption.Text(lang));
    SetItemText(kPrint, kPrintCaption.Text(lang));
    SetItemText(kSuppliers, kSuppliersCaption.Text(lang));
    SetItemText(kModify, kModifyCaption.Text(lang));
    SetItemText(kInsert, kInsertCaption.Text(lang));
    SetItemText(kDelete, kDeleteCaption.Text(lang));
    SetItemText(kBack, texts::kBackCaption.Text(lang));
}

void OrderListPage::FillList() {
    ResetContent(kList);
    SetListCount(kList, static_cast<int>(list_.items.size()));
}

bool OrderListPage::AddItem(const OrderItem& item) {
    list_.items.push_back(item);
    const int index = AddString(kList, {});
    SetCurSel(kList, index);
    changed_ = true;
    return Save();
}

void OrderListPage::InsertEntry() {
    OrderItem work;
    work.quantity = "1";
    work.kind = kItemFree;
    QuantityEditor editor(this, app_, work);
    if (editor.DoModal() != IDOK)
        return;
    work.supplier = "QTX_VZ";
    // Saved, the file has it, but "Zurück" still asks; not saved, the list is
    // changed anyway, unless the user took the other version of the file.
    if (AddItem(work))
        changed_ = true;
}

bool OrderListPage::SelectionOrMessage(int& index) {
    index = GetCurSel(kList);
    if (index >= 0 && index < static_cast<int>(list_.items.size()))
        return true;
    ShowWarning(app_.state.languageIndex, kSelectFirst);
    return false;
}

void OrderListPage::ModifyEntry() {
    int index = 0;
    if (!SelectionOrMessage(index))
        return;
    OrderItem work = list_.items[static_cast<std::size_t>(index)];
    work.kind = kItemChanged;
    QuantityEditor editor(this, app_, work);
    if (editor.DoModal() != IDOK)
        return;
    list_.items[static_cast<std::size_t>(index)] = work;
    SetCurSel(kList, index);
    Invalidate();
    changed_ = true;
}

void OrderListPage::DeleteEntry() {
    int index = 0;
    if (!SelectionOrMessage(index))
        return;
    list_.items.erase(list_.items.begin() + index);
    // The rows below move up one: their data is their position. No row stays
    // selected, or a second press would delete the next entry unasked.
    DeleteString(kList, GetCount(kList) - 1);
    SetCurSel(kList, -1);
    Invalidate();
    changed_ = true;
}

bool OrderListPage::Save() {
    if (!changed_)
        return true;
    const int lang = app_.state.languageIndex;
    if (!MayOverwrite(lang, kChangedElsewhere, filePath_.str(), stamp_, [this] { LoadFile(); Invalidate(); }))
        return false;
    TakeIndication();
    if (!SaveOrderList(filePath_.str(), list_, &stamp_)) {
        ShowWarning(lang, kOrderListNotCreated);
        TheUi().MessageBox(DisplayPath(filePath_.str()), texts::kAppTitle.Text(lang),
                           MB_OK | MB_ICONEXCLAMATION);
        return SaveElsewhere();
    }
    changed_ = false;
    return true;
}

void OrderListPage::OnContextMenu(int id, Point screen) {
    if (id != kList)
        return;
    const int lang = app_.state.languageIndex;
    switch (TheUi().PopupMenu({kExportCaption.Text(lang), kImportCaption.Text(lang)}, screen.x, screen.y)) {
    case 0:
        ExportSpreadsheet();
        break;
    case 1:
        InsertNumbers();
        break;
    default:
        break;
    }
}

void OrderListPage::ExportSpreadsheet() {
    const GlobalState& s = app_.state;
    const int lang = s.languageIndex;
    const std::string& path = filePath_.str();
    const std::size_t name = path.find_last_of('\\') + 1;
    FileDialogSpec spec;
    spec.fileName = path.substr(name, path.find('.', name) - name) + ".csv";
    spec.filter = kCsvFilter.Text(lang);
    spec.initialDirectory = DirectoryOf(path);
    spec.defaultExtension = "csv";
    spec.overwritePrompt = true;
    const std::optional<std::string> target = TheUi().GetSaveFileName(spec);
    if (!target)
        return;
    if (!WriteFileAtomic(ResolvePath(*target), OrderListCsv(list_, s.priceMode, lang))) {
        ShowWarning(lang, kOrderListNotCreated);
        TheUi().MessageBox(*target, texts::kAppTitle.Text(lang), MB_OK | MB_ICONEXCLAMATION);
    }
}

void OrderListPage::InsertNumbers() {
    const int lang = app_.state.languageIndex;
    FileDialogSpec spec;
    spec.filter = kNumbersFilter.Text(lang);
    spec.initialDirectory = DirectoryOf(filePath_.str());
    const std::optional<std::string> source = TheUi().GetOpenFileName(spec);
    if (!source)
        return;
    const std::optional<std::string> bytes = ReadWholeFile(ResolvePath(*source), kMaxNumbersFileBytes);
    const std::optional<NumberImport> taken = bytes ? ImportNumbers(app_.state, *bytes) : std::nullopt;
    if (!taken) {
        ShowWarning(lang, kNumbersUnreadable);
        return;
    }
    if (!taken->items.empty()) {
        for (const OrderItem& item : taken->items) {
            list_.items.push_back(item);
            AddString(kList, {});
        }
        SetCurSel(kList, static_cast<int>(list_.items.size()) - 1);
        changed_ = true;
        Save();
    }
    if (const std::string message = NotAddedMessage(*taken, lang); !message.empty())
        TheUi().MessageBox(message, texts::kAppTitle.Text(lang), MB_OK | MB_ICONEXCLAMATION);
}

void OrderListPage::TakeIndication() {
    std::string indication;
    // The edit's limit is for typing: a longer indication read from the file is kept whole.
    if (!TakeStorableText(kIndication, decltype(list_.indication)::kMaxLength, indication))
        ShowWarning(app_.state.languageIndex, texts::kCharactersReplaced); // shown, not stored silently
    list_.indication = indication;
}

bool OrderListPage::SaveElsewhere() {
    const int lang = app_.state.languageIndex;
    if (TheUi().MessageBox(kSaveElsewhere.Text(lang), texts::kAppTitle.Text(lang),
                           MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return false;
    const std::optional<std::string> chosen = PickOrderListFile(app_, Pick::SaveAs);
    if (!chosen)
        return false;
    filePath_ = *chosen;
    // The user chose to replace whatever the new file held.
    stamp_ = FileStamp::Read(ResolvePath(filePath_.str()));
    Invalidate();
    return Save();
}

void OrderListPage::PrintLetters() {
    if (list_.items.empty())
        return;
    const GlobalState& s = app_.state;
    const int lang = s.languageIndex;
    if (LetterSuppliers(list_).empty())
        return; // no letter to print: no job, no sheet
    list_.indication = GetItemText(kIndication, decltype(list_.indication)::kMaxLength);
    if (!PrintJob::Start(this, lang))
        return; // cancelled, or another job is running
    if (Dc* dc = PrintJob::GetDc()) {
        const std::string addressFile = app_.profile.GetString("Paths", "adr", "", 260);
        LetterInput in;
        in.list = &list_;
        in.state = &s;
        in.today = Now();
        in.info = LetterOrderInfo(filePath_.str(), s.programDir.str(), lang);
        if (!in.info)
            ShowWarning(lang, kNoOrderInfo);
        if (auto addresses = ReadAddressFile(addressFile))
            in.addresses = std::move(*addresses);
        LayOutOrderLetters(*dc, in);
    }
    PrintJob::Finish();
}

bool OrderListPage::SettleChanges() {
    if (!changed_)
        return true;
    const int lang = app_.state.languageIndex;
    switch (TheUi().MessageBox(kSaveQuestion.Text(lang), texts::kAppTitle.Text(lang),
                               MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDYES:
        return Save();
    case IDNO:
        return true;
    default:
        return false;
    }
}

bool OrderListPage::Close() {
    if (IsDestroyed())
        return true;
    if (!SettleChanges())
        return false;
    if (returnPage_ && !returnPage_->IsDestroyed())
        returnPage_->ShowPage(true);
    DestroyWindow();
    return true;
}

void OrderListPage::OnCommand(int id, int code) {
    switch (id) {
    case kInsert:
        InsertEntry();
        break;
    case kModify:
        ModifyEntry();
        break;
    case kDelete:
        DeleteEntry();
        break;
    case kSave:
        Save();
        break;
    case kPrint:
        PrintLetters();
        break;
    case kOrderInfo:
        ShowPage(false);
        OpenOrderInfoPage(app_, parentWidget(), this, filePath_.str());
        break;
    case kSuppliers:
        ShowPage(false);
        OpenSupplierSearchPage(app_, parentWidget(), this);
        break;
    case kBack:
        Close();
        break;
    case kIndication:
        if (code == EN_CHANGE && !loading_)
            changed_ = true;
        break;
    default:
        break;
    }
}

void OrderListPage::OnDrawItem(DrawItem& item) {
    if (item.kind == DrawItem::Button) {
        buttons_.DrawItemInto(item);
        return;
    }
    if (item.controlId != kList || item.itemId < 0 || item.itemId >= static_cast<int>(list_.items.size()))
        return;
    if (!(item.action & (DrawItem::DrawEntire | DrawItem::SelectChange)))
        return;
    const GlobalState& s = app_.state;
    const OrderItem& e = list_.items[static_cast<std::size_t>(item.itemId)];
    Dc& dc = *item.dc;
    const Rect& r = item.rect;
    dc.FillRect(r, item.selected ? Rgb(192, 192, 192) : Rgb(255, 255, 255));
    dc.SetBkMode(BkMode::Transparent);
    dc.SetTextColor(Rgb(0, 0, 0));
    dc.SelectFont(FontText16);
    const int top = r.top + 2;
    auto column = [&](int left, int right) {
        return Rect{r.left + ScaleX(s, left), top, r.left + ScaleX(s, right), top + 16};
    };
    dc.TextOut(r.left + ScaleX(s, 8), top, e.quantity.str());
    dc.TextOut(r.left + ScaleX(s, 50), top, e.number.str());
    Rect name = column(160, 380);
    dc.DrawText(Designation(e), name, DT_NOPREFIX | DT_SINGLELINE);
    if (s.priceMode >= 0) {
        const bool vz = s.priceMode == 1;
        Rect unit = column(380, 474);
        Rect total = column(480, 576);
        dc.DrawText(vz ? e.vzUnitEur.str() : e.upeUnitEur.str(), unit, DT_NOPREFIX | DT_SINGLELINE | DT_RIGHT);
        dc.DrawText(vz ? e.vzTotalEur.str() : e.upeTotalEur.str(), total, DT_NOPREFIX | DT_SINGLELINE | DT_RIGHT);
    }
    dc.TextOut(r.left + ScaleX(s, 160), r.top + 16, e.remarks.str());
    DrawDottedLine(dc, r.left + 4, r.bottom - 1, r.right - 4, r.bottom - 1, Rgb(0, 0, 0));
}

void OrderListPage::OnPaint(Dc& dc) {
    const GlobalState& s = app_.state;
    const int lang = s.languageIndex;
    DrawDib(dc, app_.pictures.backgroundWithLogo, 0, 0, kAnchorTopLeft);
    dc.SetBkMode(BkMode::Transparent);
    dc.SetTextColor(Rgb(255, 255, 255));
    // "Quantity" runs into the number column at 640: a smaller size of the
    // font there rather than a title out of its place.
    dc.SelectFont(FitFont(dc, FontText14, {kQuantityTitle.Text(lang)}, 0, ScaleX(s, 68) - ScaleX(s, 26) - ScaleX(s, 4),
                          FontText14.height));
    TextOutScaled(dc, s, 26, 65, kQuantityTitle.Text(lang));
    dc.SelectFont(FontText14);
    TextOutScaled(dc, s, 68, 65, kNumberTitle.Text(lang));
    TextOutScaled(dc, s, 180, 65, kProductTitle.Text(lang));
    if (s.priceMode >= 0) {
        TextOutScaled(dc, s, 440, 65, kUnitPriceTitle.Text(lang));
        TextOutScaled(dc, s, 568, 65, kPriceTitle.Text(lang));
    }
    TextOutScaled(dc, s, 26, 338, kIndicationLabel.Text(lang));
    TextOutScaled(dc, s, 330, 338, DisplayPath(filePath_.str()));
    UseDesignMapping(dc, s.designRect, s.clientRect);
    dc.SelectFont(FontTitle);
    dc.TextOut(116, 14, kTitle.Text(lang));
}

void OrderListPage::OnMessage(int message, std::intptr_t, std::intptr_t) {
    if (message == UM_RELOAD) {
        SetCaptions();
        Invalidate();
    }
}

void OrderListPage::OnDestroy() {
    frame_.SetCommandEnabled(kCmdOrderList, savedMenuState_);
    list_.items.clear();
}

OrderListPage* OpenOrderListPage(MainFrameApi& frame, AppContext& app, QWidget* parent, DialogWindow* returnPage) {
    auto* page = new OrderListPage(frame, app, parent, returnPage);
    page->ShowPage(true);
    page->UpdateNow();
    return page;
}

} // namespace qx
