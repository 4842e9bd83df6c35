#pragma once
// A page laid over the page that opened it, with "Drucken" and "Zurück": the
// information page and the drawing page. The opener is hidden meanwhile and
// shown again when this page closes; "Drucken" prints the page's sheet.

#include "shell/AppContext.h"
#include "shell/PictureButton.h"
#include "platform/qt/Window.h"

#include <QPointer>

#include <cstdint>

namespace qx {

class SheetPage : public DialogWindow {
public:
    static constexpr int kPrint = 1145;
    static constexpr int kBack = 2;

    DialogWindow* ReturnPage() const { return returnPage_; }

    // Prints the sheet as one job; nothing when the set-up is cancelled or
    // another job runs.
    void Print();
    // Shows the page to return to and destroys this one.
    void Close();

protected:
    SheetPage(AppContext& app, QWidget* parent, DialogWindow* returnPage);

    // Adds both buttons with their captions and lays the page over the
    // client area; "Zurück" sits in the lower right corner, "Drucken" at the
    // given design rectangle.
    void AddButtons(int printLeft, int printTop, int printRight, int printBottom);
    // The button captions in the UI language; again on a language change.
    virtual void SetCaptions();
    // Draws the sheet on the job's first page, in the page system of the printout.
    virtual void PrintSheet(Dc& dc) = 0;

    void OnCommand(int id, int code) override;
    void OnOk() override {}
    void OnCancel() override { Close(); }
    void OnDrawItem(DrawItem& item) override { buttons_.DrawItemInto(item); }
    void OnMessage(int message, std::intptr_t, std::intptr_t) override;

    AppContext& app_;

private:
    CPictureButton buttons_;
    QPointer<DialogWindow> returnPage_;
};

} // namespace qx
