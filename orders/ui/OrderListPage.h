#pragma once
// The page on which the user sees, edits, saves and prints the order list.
// It is laid over the page that opened it, which is shown again on "Zurück".
// While it exists the menu's "Bestellliste" is grayed: one list at a time.

#include "orders/OrderList.h"
#include "platform/core/FileStamp.h"
#include "platform/qt/Window.h"
#include "shell/AppContext.h"
#include "shell/MainFrameApi.h"
#include "shell/PictureButton.h"

#include <QPointer>

namespace qx {

class OrderListPage : public DialogWindow {
public:
    static constexpr int kList = 1079;
    static constexpr int kIndication = 1092;
    static constexpr int kOrderInfo = 1157;
    static constexpr int kSave = 1146;
    static constexpr int kPrint = 1145;
    static constexpr int kSuppliers = 1147;
    static constexpr int kModify = 1148;
    static constexpr int kInsert = 1124;
    static constexpr int kDelete = 1156;
    static constexpr int kBack = 2;

    // Takes its file from orderListPath.
    OrderListPage(MainFrameApi& frame, AppContext& app, QWidget* parent, DialogWindow* returnPage);
    ~OrderListPage() override;

    // Appends a copy, selects it and saves at once; the result of the save.
    bool AddItem(const OrderItem& item);
    void InsertEntry();
    void ModifyEntry();
    void DeleteEntry();
    // One letter per supplier, to the printer the user chooses.
    void PrintLetters();
    // Saves when changed; false when a save failed (the messages were shown)
    // or did not happen: when the file changed on disk since it was read,
    // the user chooses to overwrite it, to load it instead or to do nothing.
    // After a failed save the user may save the list under another name,
    // which then becomes the page's file.
    bool Save();
    // The list as a spreadsheet file the user chooses (context menu).
    void ExportSpreadsheet();
    // Appends the products of a file of numbers the user chooses and saves
    // as AddItem does; the lines not taken are named in one message.
    void InsertNumbers();
    // When changed, asks whether to save: true when the list may be left
    // (saved, or No), false on Cancel or a failed save.
    bool SettleChanges();
    // Back: asks about unsaved changes; true when the page closed.
    bool Close();

    const OrderList& List() const { return list_; }
    const std::string& FilePath() const { return filePath_.str(); }
    bool IsChanged() const { return changed_; }
    DialogWindow* ReturnPage() const { return returnPage_; }

protected:
    void OnInitDialog() override;
    void OnPaint(Dc& dc) override;
    void OnCommand(int id, int code) override;
    void OnOk() override {}
    void OnCancel() override { Close(); }
    void OnDrawItem(DrawItem& item) override;
    void OnMessage(int message, std::intptr_t, std::intptr_t) override;
    void OnDestroy() override;
    void OnContextMenu(int id, Point screen) override;

private:
    void SetCaptions();
    void FillList();
    // Reads the page's file into the list and the edit; unsaved changes are gone.
    void LoadFile();
    bool SelectionOrMessage(int& index);
    // The edit's text into the list, the user told of characters replaced.
    void TakeIndication();
    bool SaveElsewhere();

    MainFrameApi& frame_;
    AppContext& app_;
    CPictureButton buttons_;
    QPointer<DialogWindow> returnPage_;
    FixedText<128> filePath_;
    OrderList list_;
    FileStamp stamp_; // the file as last read or written here
    bool changed_ = false;
    bool savedMenuState_ = true;
    bool loading_ = false;
};

// Asks for an order list file unless one is known; probes that the folder
// takes files. False when cancelled or not writable (the user was told).
bool ChooseOrderListFile(AppContext& app);

// The menu's road: always asks for the file (the folder is kept in
// qxkat.ini, at first the home folder). Nothing when cancelled or when the
// path is longer than the program keeps (the user was told).
std::optional<std::string> AskOrderListFile(AppContext& app);

// Creates the page over the client area and shows it; the caller has hidden
// returnPage (it may be null).
OrderListPage* OpenOrderListPage(MainFrameApi& frame, AppContext& app, QWidget* parent, DialogWindow* returnPage);

} // namespace qx
