#pragma once
// The modal dialog that sets the quantity and remarks of one order entry,
// with an on-screen keypad; a free entry (kItemFree) also takes designation,
// number and price. It edits the caller's work item in place; the caller
// uses it only when the dialog ends with IDOK.

#include "orders/OrderList.h"
#include "shell/AppContext.h"
#include "platform/core/Ui.h"
#include "platform/qt/Window.h"

namespace qx {

class QuantityEditor : public DialogWindow {
public:
    static constexpr int kQuantity = 1092;
    static constexpr int kRemarks = 1112;
    static constexpr int kName = 1110;
    static constexpr int kNumber = 1117;
    static constexpr int kPrice = 1118;
    static constexpr int kClear = 1170;
    // Keypad ids of the digits 0 to 9.
    static constexpr int kDigits[10] = {1169, 1166, 1167, 1168, 1163, 1164, 1165, 1171, 1172, 1173};

    QuantityEditor(QWidget* parent, AppContext& app, OrderItem& item);

    // A keypad key: a digit, or "CL".
    void PressDigit(int digit);
    void Clear();

protected:
    void OnInitDialog() override;
    void OnPaint(Dc& dc) override;
    void OnCommand(int id, int code) override;
    void OnOk() override;
    void OnCancel() override { EndDialog(IDCANCEL); }
    bool OnKeyDown(int key) override;

private:
    bool IsFree() const { return (item_.kind & kItemFree) != 0; }
    void Recalc();
    void PriceTyped();

    AppContext& app_;
    OrderItem& item_;
    bool firstKey_ = true;
};

} // namespace qx
