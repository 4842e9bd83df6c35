#pragma once
// The dimension drawing of one product in a scrollable picture view, laid
// over the product page; "Drucken" prints it as a sheet with the product's
// name and order number.

#include "ground/FixedText.h"
#include "pages/SheetPage.h"

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

class DrawingPage : public SheetPage {
public:
    // Loads BILDER\ZEICHNG\ + the request's picture and hides returnPage.
    DrawingPage(AppContext& app, QWidget* parent, DialogWindow* returnPage, const DrawingRequest& request);
    ~DrawingPage() override;

    PictureView* View() const { return view_; }
    const DibHandle& Drawing() const { return drawing_; }
    const DrawingRequest& Request() const { return request_; }

protected:
    void OnInitDialog() override;
    void OnPaint(Dc& dc) override;
    void OnDestroy() override;
    void SetCaptions() override;
    void PrintSheet(Dc& dc) override;

private:
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
