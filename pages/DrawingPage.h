#pragma once
// The dimension drawing of one product in a scrollable picture view, laid
// over the product page; "Drucken" prints it as a sheet with the product's
// name and order number.

#include "ground/FixedText.h"
#include "platform/qt/Window.h"
#include "shell/AppContext.h"
#include "shell/PictureButton.h"

#include <QPointer>

#include <cstdint>
#include <string>
#include <string_view>

namespace qx {

class PictureView;

// What the opener hands over.
struct DrawingRequest {
    std::int32_t paletteFromDrawing = 0; // kept for the opener's sake; pictures keep their own colours
    FixedText<192> number;
    FixedText<128> name;
    FixedText<132> picture;
};

class DrawingPage : public DialogWindow {
public:
    static constexpr int kPrint = 1145;
    static constexpr int kBack = 2;

    // Loads BILDER\ZEICHNG\ + the request's picture and hides returnPage.
    DrawingPage(AppContext& app, QWidget* parent, DialogWindow* returnPage, const DrawingRequest& request);
    ~DrawingPage() override;

    PictureView* View() const { return view_; }
    const DibHandle& Drawing() const { return drawing_; }
    const DrawingRequest& Request() const { return request_; }

    void Print();
    // Shows the page to return to and destroys this one.
    void Close();

protected:
    void OnInitDialog() override;
    void OnPaint(Dc& dc) override;
    void OnCommand(int id, int code) override;
    void OnOk() override {}
    void OnCancel() override { Close(); }
    void OnDrawItem(DrawItem& item) override { buttons_.DrawItemInto(item); }
    void OnMessage(int message, std::intptr_t, std::intptr_t) override;
    void OnDestroy() override;

private:
    void SetCaptions();

    AppContext& app_;
    CPictureButton buttons_;
    QPointer<DialogWindow> returnPage_;
    DrawingRequest request_;
    PictureView* view_ = nullptr;
    DibHandle drawing_;
};

// The path of a product's drawing below the program directory.
std::string DrawingPath(std::string_view picture);

// Creates the drawing page over the client area, hides returnPage, shows and
// paints the new page.
DrawingPage* OpenDrawingPage(AppContext& app, QWidget* parent, DialogWindow* returnPage,
                             const DrawingRequest& request);

} // namespace qx
