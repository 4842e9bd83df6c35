#pragma once
// The texts of an order list's two letters side by side: sender, recipient,
// opening and closing text for special tools on the left, for workshop
// equipment on the right. Laid over the order list page and back to it.

#include "orders/OrderInfo.h"
#include "platform/core/FileStamp.h"
#include "platform/qt/Window.h"
#include "shell/AppContext.h"
#include "shell/MainFrameApi.h"
#include "shell/PictureButton.h"

#include <QPointer>

namespace qx {

class OrderInfoPage : public DialogWindow {
public:
    // The edits in the order of the file's texts.
    static constexpr int kEdits[kOrderInfoFields] = {1091, 1090, 1088, 1087, 1085, 1083, 1084, 1086};
    static constexpr int kSave = 1;
    static constexpr int kBack = 2;

    // orderListPath: the list whose .STT this page edits.
    OrderInfoPage(AppContext& app, QWidget* parent, DialogWindow* returnPage, std::string orderListPath);

    // Writes the eight texts; false (with the message shown) when that failed,
    // or when the file changed on disk since it was read and the user chose
    // to load it instead or to do nothing.
    bool Save();
    // Shows the order list page again; unsaved texts are dropped.
    void Close();
    const std::string& FilePath() const { return path_; }

protected:
    void OnInitDialog() override;
    void OnPaint(Dc& dc) override;
    void OnCommand(int id, int code) override;
    void OnOk() override { Save(); }
    void OnCancel() override { Close(); }
    void OnDrawItem(DrawItem& item) override { buttons_.DrawItemInto(item); }
    void OnMessage(int message, std::intptr_t, std::intptr_t) override;

private:
    void SetCaptions();
    // The texts as opening shows them: the list's file, else the template.
    void LoadTexts();

    AppContext& app_;
    CPictureButton buttons_;
    QPointer<DialogWindow> returnPage_;
    std::string listPath_;
    std::string path_;
    FileStamp stamp_; // the list's file as last read or written here
};

OrderInfoPage* OpenOrderInfoPage(AppContext& app, QWidget* parent, DialogWindow* returnPage,
                                 std::string orderListPath);

} // namespace qx
