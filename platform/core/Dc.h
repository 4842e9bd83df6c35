#pragma once
// A device context in the manner of GDI: every drawing call takes logical
// coordinates, which the mapping mode (window and viewport extents and origins)
// turns into device pixels. Screen painting (Qt), printing (Qt print back end)
// and tests (RecordingDc) implement the primitives; pages only see this class.
//
// Text is passed as single-byte bytes in the current ANSI code page
// (see CodePage.h); implementations convert at the display boundary.

#include "Geometry.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

enum class MapMode { Text, Isotropic, Anisotropic };
enum class BkMode { Opaque, Transparent };
enum class PenStyle { Solid, Dot, Null };

struct Pen {
    PenStyle style = PenStyle::Solid;
    int width = 1;
    ColorRef color = 0;
    friend bool operator==(const Pen&, const Pen&) = default;
};

// Fonts follow the Windows rule: a negative height is the character (em)
// height, a positive one the cell height (ascent + descent), both in logical
// units of the context they are selected into. Zero means a default size.
struct Font {
    std::string face = "Arial";
    int height = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    friend bool operator==(const Font&, const Font&) = default;
};

// DrawText format flags, with the values of the Windows API.
enum : unsigned {
    DT_TOP = 0x0,
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_EXPANDTABS = 0x40,
    DT_NOCLIP = 0x100,
    DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800,
};

// TextOut alignment flags (SetTextAlign), Windows values.
enum : unsigned {
    TA_LEFT = 0,
    TA_RIGHT = 2,
    TA_CENTER = 6,
    TA_TOP = 0,
    TA_BOTTOM = 8,
    TA_BASELINE = 24,
};

// Stretch modes (SetStretchBltMode).
enum : int { BLACKONWHITE = 1, WHITEONBLACK = 2, COLORONCOLOR = 3, HALFTONE = 4 };

enum class DeviceCap { HorzRes, VertRes, BitsPixel, Planes, LogPixelsX, LogPixelsY };

// A packed device-independent bitmap as it lies in memory: BITMAPINFOHEADER,
// colour table, bits. Not owned.
struct DibBytes {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::uint64_t serial = 0; // identity for caches; 0 = do not cache
};

class Dc {
public:
    virtual ~Dc() = default;

    // --- mapping (handled here, identical for every implementation) ---
    // As GDI: Text resets both extents to 1,1; Isotropic starts from the
    // MM_LOMETRIC extents (from GetDeviceCaps); Anisotropic keeps the current
    // ones. Extents can only be set in the isotropic and anisotropic modes
    // (zero is refused); in isotropic mode every change shrinks one viewport
    // extent so that both axes get the smaller scale, keeping its sign.
    MapMode SetMapMode(MapMode mode);
    Size SetWindowExt(int cx, int cy);
    Size SetViewportExt(int cx, int cy);
    Point SetWindowOrg(int x, int y);
    Point SetViewportOrg(int x, int y);
    MapMode GetMapMode() const { return mapMode_; }
    Size GetWindowExt() const { return windowExt_; }
    Size GetViewportExt() const { return viewportExt_; }
    Point GetWindowOrg() const { return windowOrg_; }
    Point GetViewportOrg() const { return viewportOrg_; }

    // Device units per logical unit on each axis, after the isotropic
    // adjustment; 1.0 in text mode. Magnitudes (never negative): LpToDp
    // handles the direction of a flipped axis.
    double ScaleX() const;
    double ScaleY() const;
    // device = (logical - windowOrg) * viewportExt / windowExt + viewportOrg,
    // rounded half up as GDI does.
    Point LpToDp(Point p) const;
    // Both corners mapped, then ordered (left <= right, top <= bottom).
    Rect LpToDp(const Rect& r) const;
    Point DpToLp(Point p) const;

    // --- state ---
    BkMode SetBkMode(BkMode mode);
    BkMode GetBkMode() const { return bkMode_; }
    ColorRef SetTextColor(ColorRef color);
    ColorRef GetTextColor() const { return textColor_; }
    ColorRef SetBkColor(ColorRef color);
    ColorRef GetBkColor() const { return bkColor_; }
    unsigned SetTextAlign(unsigned align);
    unsigned GetTextAlign() const { return textAlign_; }
    int SetStretchBltMode(int mode);
    int GetStretchBltMode() const { return stretchMode_; }
    // Select returns the previous object, so callers can restore it.
    Font SelectFont(const Font& font);
    const Font& GetFont() const { return font_; }
    Pen SelectPen(const Pen& pen);
    const Pen& GetPen() const { return pen_; }
    Point MoveTo(int x, int y);
    Point GetCurrentPosition() const { return position_; }

    // Saves and restores the whole state above (SaveDC/RestoreDC). SaveDc
    // returns the new save level (1, 2, ...); RestoreDc takes such a level,
    // or a negative number relative to the newest (-1 = the last saved), and
    // drops that state and every newer one. Unknown levels are ignored.
    int SaveDc();
    void RestoreDc(int saved = -1);

    // --- drawing, in logical coordinates ---
    // From the current position with the current pen; moves the position.
    void LineTo(int x, int y);
    // Does not use or move the current position. A Null pen draws nothing.
    void Polyline(const std::vector<Point>& points);
    virtual void FillRect(const Rect& rect, ColorRef color) = 0;
    virtual void TextOut(int x, int y, std::string_view text) = 0;
    // Returns the height of the text in logical units; with DT_CALCRECT the
    // rectangle is adjusted to the text and nothing is drawn.
    virtual int DrawText(std::string_view text, Rect& rect, unsigned format) = 0;
    virtual Size GetTextExtent(std::string_view text) = 0;
    // Stretches the source rectangle (DIB pixels, origin top left) of a
    // packed DIB into the destination rectangle (logical units).
    virtual void StretchDib(const Rect& dest, const Rect& src, const DibBytes& dib) = 0;

    virtual int GetDeviceCaps(DeviceCap cap) const = 0;

    // --- printer pages; screen contexts answer false ---
    virtual bool StartPage() { return false; }
    virtual bool EndPage() { return false; }

    // The context that really draws, for content that paints with the
    // platform's own means (look for a QtDc here, not at the context given):
    // this one, or the target of a forwarding context, brought to its state.
    virtual Dc& DrawingTarget() { return *this; }

protected:
    // Polyline through points in logical units with the current pen.
    virtual void DrawPolyline(const std::vector<Point>& points) = 0;

private:
    struct State {
        MapMode mapMode;
        Size windowExt, viewportExt;
        Point windowOrg, viewportOrg;
        BkMode bkMode;
        ColorRef textColor, bkColor;
        unsigned textAlign;
        int stretchMode;
        Font font;
        Pen pen;
        Point position;
    };
    State Capture() const;
    void FixIsotropic();

    MapMode mapMode_ = MapMode::Text;
    Size windowExt_{1, 1};
    Size viewportExt_{1, 1};
    Point windowOrg_{};
    Point viewportOrg_{};
    BkMode bkMode_ = BkMode::Opaque;
    ColorRef textColor_ = 0;
    ColorRef bkColor_ = Rgb(255, 255, 255);
    unsigned textAlign_ = TA_LEFT | TA_TOP;
    int stretchMode_ = BLACKONWHITE;
    Font font_{};
    Pen pen_{};
    Point position_{};
    std::vector<State> saved_;
};

} // namespace qx
