#pragma once
// qx::Dc on a QPainter: the screen (a widget in its paint event), an image,
// or a printer (PrinterDc in Print.h).
//
// Mapping: rectangles, lines and pictures are mapped corner by corner with
// Dc::LpToDp (GDI rounding), so their edges land on the same device pixels as
// GDI's would. Text is drawn through a world transform built from the same
// extents and origins: the font size is in logical units and scales with the
// mapping like everything else.
//
// Fonts: the face "Arial" is drawn with Liberation Sans (metric-compatible),
// falling back to Arial, Helvetica, any sans serif. Heights follow the
// Windows rule of qx::Font: negative = em height, positive = cell height
// (ascent + descent), 0 = a 16 unit cell. Text measurement uses the font's
// design advances without kerning, so screen, printer and image agree.

#include "platform/core/Dc.h"

#include <QFont>
#include <QTransform>

#include <memory>

class QPainter;
class QPaintDevice;

namespace qx {

// The cell metrics of a font in logical units.
struct FontCell {
    double em = 0;      // character height
    double ascent = 0;  // baseline below the cell top
    double descent = 0; // cell bottom below the baseline
    int height = 0;     // rounded ascent + descent: GetTextExtent's cy, DrawText's line height
};
FontCell CellOf(const Font& font);

// The QFont for a qx::Font as it looks where one logical unit is `scale`
// pixels (whole pixel sizes, as Qt has them). For widgets that show text in
// the catalogue's fonts; QtDc itself keeps fractional sizes.
QFont ToQFont(const Font& font, double scale = 1.0);

class QtDc : public Dc {
public:
    // Draws with a painter someone else owns (a paint event's painter). The
    // painter's own state is saved and restored around each call.
    explicit QtDc(QPainter& painter);
    // Opens its own painter on the device (a widget inside its paint event,
    // or a QImage); it ends with this object.
    explicit QtDc(QPaintDevice* device);
    ~QtDc() override;

    QtDc(const QtDc&) = delete;
    QtDc& operator=(const QtDc&) = delete;

    void FillRect(const Rect& rect, ColorRef color) override;
    // Honours SetTextAlign (left/centre/right, top/baseline/bottom) and the
    // background mode: opaque fills the text's cell box with the bk colour.
    void TextOut(int x, int y, std::string_view text) override;
    // Line breaking by qx::LayoutText; clips to the rectangle unless DT_NOCLIP.
    int DrawText(std::string_view text, Rect& rect, unsigned format) override;
    Size GetTextExtent(std::string_view text) override;
    // Decoded pictures are cached by DibBytes::serial (process-wide, small
    // LRU), so repainting a full-screen background does not decode it again.
    // HALFTONE smooths; the other stretch modes pick pixels.
    void StretchDib(const Rect& dest, const Rect& src, const DibBytes& dib) override;
    int GetDeviceCaps(DeviceCap cap) const override;

    // For content that paints itself with Qt (the text view's printed
    // pages): the painter the drawing calls use (null when none is active)
    // and the transform from logical units to its device pixels.
    QPainter* ContentPainter() const { return ActivePainter(); }
    QTransform LogicalToDevice() const { return WorldTransform(); }

protected:
    // For PrinterDc: the device is known, the painter comes and goes with
    // the pages.
    explicit QtDc(QPaintDevice* device, std::nullptr_t);
    // The painter used by the drawing calls; null makes them do nothing.
    void SetPainter(QPainter* painter) { painter_ = painter; }
    QPaintDevice* Device() const { return device_; }

    // Solid, dotted (3 on, 3 off device pixels; gaps filled with the bk
    // colour in opaque mode, as GDI does; the dots grow with a scaled pen)
    // or null. Width 0 is one device pixel; other widths scale with the x
    // axis, to at least one device pixel.
    void DrawPolyline(const std::vector<Point>& points) override;

private:
    // The selected font as drawn: a QFont of whole pixel size `size` and the
    // factor that brings it to the fractional em in logical units.
    struct Prepared {
        Font font;
        QFont qfont;
        double factor = 1.0;
        FontCell cell;
    };

    QPainter* ActivePainter() const;
    QTransform WorldTransform() const;
    const Prepared& CurrentFont();
    double Advance(const QString& text);
    int Measure(std::string_view bytes);
    // One run of text whose cell's top left corner is at (x, top), logical.
    void DrawRun(QPainter& p, const QString& text, double x, double top, double width);

    QPaintDevice* device_ = nullptr;
    QPainter* painter_ = nullptr;
    std::unique_ptr<QPainter> ownPainter_;
    std::unique_ptr<Prepared> font_;
};

} // namespace qx
