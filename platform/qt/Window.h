#pragma once
// The window layer the pages and dialogs are written against: a dialog window
// (modeless child page or modal dialog) that owns controls by numeric id,
// forwards painting to a Dc, clicks and notifications to OnCommand, Escape and
// Enter to OnCancel and OnOk, owner-drawn items to OnDrawItem, and posted
// private messages to OnMessage. Texts cross this boundary as ANSI bytes.

#include "platform/core/Dc.h"
#include "platform/core/DrawItem.h"
#include "platform/core/Geometry.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class QAbstractButton;
class QListWidget;
class QLineEdit;
class QPlainTextEdit;
class QComboBox;
class QLabel;

namespace qx {

// Notification codes passed to OnCommand (Windows values where they exist).
enum : int {
    BN_CLICKED = 0,
    LBN_SELCHANGE = 1,
    LBN_DBLCLK = 2,
    EN_CHANGE = 0x300,
    CBN_SELCHANGE = 1,
    CBN_SELENDOK = 9,
};

// Virtual key codes passed to OnKeyDown (Windows values); digits and
// letters are their upper-case ASCII codes.
enum : int {
    VK_BACK = 0x08,
    VK_RETURN = 0x0D,
    VK_ESCAPE = 0x1B,
    VK_PRIOR = 0x21,
    VK_NEXT = 0x22,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_DELETE = 0x2E,
};

enum class ControlKind { OwnerDrawButton, PushButton, DefPushButton, ListBox, Edit, MultiLineEdit, Static, ComboBox };

struct ControlStyle {
    bool ownerDraw = false;     // list box: items drawn by OnDrawItem
    // List box without items of its own: SetListCount gives the number of
    // rows, OnDrawItem draws row itemId from the owner's data. For lists of
    // hundreds of thousands of entries; implies ownerDraw.
    bool noData = false;
    bool sorted = false;        // list box / combo box
    bool readOnly = false;      // edits
    int itemHeight = 16;        // list box, in pixels
    bool centered = false;      // statics
};

// One row of a layout table: a control, what it is and where it stands
// (pixels, client coordinates).
struct ControlRow {
    int id;
    ControlKind kind;
    Rect rect;
    ControlStyle style{};
};

class DialogWindow : public QDialog {
public:
    // A modeless page is a child widget of the parent; a modal dialog is a
    // top-level dialog run with DoModal().
    enum class Kind { Page, Modal, Popup };
    DialogWindow(QWidget* parent, Kind kind);
    ~DialogWindow() override;

    // --- controls ---
    QWidget* AddControl(int id, ControlKind kind, const ControlStyle& style = {});
    // Makes and places the controls of a layout table, in its order.
    void AddControls(std::initializer_list<ControlRow> rows);
    QWidget* Item(int id) const;
    bool HasItem(int id) const { return controls_.count(id) != 0; }
    void SetItemText(int id, std::string_view text);
    std::string GetItemText(int id, std::size_t maxChars = 0x7FFFFFFF) const;
    // The same; lossless tells whether the code page held every character
    // (those it can't hold come back as "?").
    std::string GetItemText(int id, std::size_t maxChars, bool& lossless) const;
    // The text as a file will store it: read in the code page, then passed to
    // clean (which answers whether it changed anything). When the text is not
    // stored as typed, the control is given what will be stored, so the user
    // sees it, and the answer is false.
    bool TakeStorableText(int id, std::size_t maxChars, std::string& out,
                          bool (*clean)(std::string&) = nullptr);
    void EnableItem(int id, bool enable);
    bool IsItemEnabled(int id) const;
    void ShowItem(int id, bool show);
    bool IsItemVisible(int id) const;
    void MoveItem(int id, const Rect& rect); // pixels, client coordinates
    void SetItemFont(int id, const Font& font);
    // The text colour of a static, for statics on a dark picture.
    void SetStaticTextColor(int id, ColorRef color);
    void SetAllControlsFont(const Font& font);
    void SetEditLimit(int id, int maxChars);
    void SetEditModified(int id, bool modified);
    bool IsEditModified(int id) const;
    void SetEditSelection(int id, int start, int end);
    void SetFocusTo(int id);
    // The control that has the keyboard (GetFocus), or 0.
    int FocusedItem() const;
    // Whether Tab stops at the control (buttons and lists do by default).
    // Tab and Shift+Tab go through the stops in reading order of their
    // rectangles, whatever order they were made in: rows from top to bottom,
    // left to right within a row, a column of a row read down before the
    // next column.
    void SetItemTabStop(int id, bool tabStop);
    void SetEditVScroll(int id, bool show);
    // Lines of a multi-line edit as EM_GETLINECOUNT counts them: wrapped
    // lines included, at the edit's width without a scroll bar.
    int GetEditLineCount(int id) const;

    // list boxes and combo boxes
    // On a noData list box, AddString adds a row at the end and DeleteString
    // removes one, text and data aside; the view keeps its place.
    int AddString(int id, std::string_view text, std::intptr_t data = 0);
    void ResetContent(int id);
    int GetCount(int id) const;
    int GetCurSel(int id) const;
    void SetCurSel(int id, int index);
    std::string GetLbText(int id, int index) const;
    std::intptr_t GetItemData(int id, int index) const;
    void SetItemData(int id, int index, std::intptr_t data);
    void DeleteString(int id, int index);
    void SetItemHeight(int id, int height);
    // Rows of a noData list box (the selection is cleared, as on refilling).
    void SetListCount(int id, int count);
    // Rows that fit into a list box at once (at least 1).
    int VisibleRowCount(int id) const;

    // --- window ---
    void MoveWindowTo(const Rect& rect); // pixels, parent coordinates
    Rect ClientRect() const;
    void Invalidate();
    void InvalidateRect(const Rect& rect);
    void UpdateNow();
    // Shown, a page takes the keyboard: its start control (SetStartItem), else
    // its first control in tab order, or the page itself when it has none.
    void ShowPage(bool show);
    // The control a page gives the keyboard to when it is shown.
    void SetStartItem(int id) { startItem_ = id; }
    // Gives the keyboard to the first control in tab order.
    void FocusFirstItem();
    // Destroys the window: hidden at once, deleted by the event loop.
    void DestroyWindow();
    bool IsDestroyed() const { return destroyed_; }
    // A page laid over another closes: returnPage is shown again (when there
    // is one and it still exists) and this page destroyed; nothing when this
    // page is gone already.
    void ReturnTo(DialogWindow* returnPage);
    // A modal dialog shows its caption in the title bar; a page has none,
    // its caption is the name screen readers announce for it.
    void SetCaption(std::string_view text);
    void CenterOn(QWidget* other);
    void SetHandCursorOver(int id, bool hand);
    // The name screen readers announce for a control whose own text does not
    // say what it is: a list, an edit, a button without caption. Buttons
    // without a name are called by their caption, then by their tooltip.
    void SetItemName(int id, std::string_view name);
    // The tooltip text of a control; empty when it has none.
    std::string ItemToolTip(int id) const;
    bool IsPage() const { return kind_ == Kind::Page; }

    // --- modal run ---
    int DoModal();
    void EndDialog(int result);

    // --- messages ---
    // Posts a private message; it is delivered by the event loop to OnMessage.
    static void PostMessageTo(QObject* target, int message, std::intptr_t wParam = 0, std::intptr_t lParam = 0);
    // Delivers a command as if the control had sent it (tests and keyboard).
    void SendCommand(int id, int code = BN_CLICKED) { DispatchCommand(id, code); }

    // The control offers a context menu: a right click, the Menu key or
    // Shift+F10 on it calls OnContextMenu.
    void EnableContextMenu(int id);

    // Tooltip text source for controls; empty string: no tooltip.
    void EnableToolTips(std::function<std::string(int id)> provider);

protected:
    virtual void OnInitDialog() {}
    virtual void OnPaint(Dc& dc) { (void)dc; }
    virtual void OnCommand(int id, int code) { (void)id; (void)code; }
    virtual void OnOk() {}
    virtual void OnCancel() {}
    // A key pressed without Ctrl or Alt that no control took, before Escape
    // and Enter become OnCancel and OnOk; true when handled.
    virtual bool OnKeyDown(int virtualKey) {
        (void)virtualKey;
        return false;
    }
    virtual void OnDrawItem(DrawItem& item) { (void)item; }
    virtual void OnMessage(int message, std::intptr_t wParam, std::intptr_t lParam) {
        (void)message; (void)wParam; (void)lParam;
    }
    virtual void OnShowWindow(bool shown) { (void)shown; }
    // The mouse entered a control (the cursor question of the platform).
    virtual void OnControlHover(int id) { (void)id; }
    // A context menu asked for on a control, to be shown at a point of the
    // screen: where the mouse was, or by the keyboard at the current row.
    virtual void OnContextMenu(int id, Point screen) { (void)id; (void)screen; }
    virtual void OnDestroy() {}
    // Runs OnInitDialog once, before the first show or DoModal.
    void EnsureInitialised();

    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void reject() override;
    void accept() override;

private:
    friend class OwnerDrawButtonWidget;
    friend class OwnerDrawDelegate;
    friend class OwnerDrawRow;
    void DispatchCommand(int id, int code);
    // An owner-drawn row as a screen reader reads it: the texts its owner
    // draws into it, in drawing order.
    std::string RowReading(int id, int row);
    void TakeFocus();
    // The widgets Tab stops at, in reading order.
    std::vector<QWidget*> TabStops() const;
    void PaintButton(int id, QAbstractButton* button, QPainter& painter);
    struct ControlEntry {
        ControlKind kind;
        ControlStyle style;
        QWidget* widget;
        Font font{}; // selected into the device context of owner drawing
    };
    Kind kind_;
    std::map<int, ControlEntry> controls_;
    std::function<std::string(int)> tooltips_;
    bool initialised_ = false;
    bool destroyed_ = false;
    bool inCommand_ = false;
    int startItem_ = 0;
};

// The registered event type of posted private messages.
int PrivateMessageEventType();

// Dialog units of the templates ("MS Sans Serif" 8) to pixels: 1.5 pixels
// per horizontal and 1.625 per vertical unit.
constexpr Rect DialogUnits(int x, int y, int width, int height) {
    return Rect{x * 3 / 2, y * 13 / 8, (x + width) * 3 / 2, (y + height) * 13 / 8};
}

} // namespace qx
