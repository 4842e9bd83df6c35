#pragma once
// A device context that draws nothing and records every call, in logical
// coordinates, with the state in force (font, pen, colours, mapping). Tests
// of paint and print code assert what was drawn where. Text measurement uses
// a fixed approximation: lines are |font height| high (16 when the height is
// 0) and each character is half a line high wide (integer division, at least
// 1), so a run of n bytes is n x that wide.
//
// DrawText lays the text out with LayoutText (TextLayout.h) and returns what
// Windows returns (DrawTextResult); it records one DrawText call whose text is
// the text as passed (prefixes and line breaks included). With DT_CALCRECT it
// only adjusts the rectangle (right = left + widest line, bottom = top +
// height) and records nothing. Screen contexts report 96 dots per inch,
// printer contexts 300; a StartPage that fails is neither counted nor recorded.

#include "Dc.h"

#include <string>
#include <string_view>
#include <vector>

namespace qx {

struct DrawCall {
    enum class Kind { Text, DrawText, Line, FillRect, Dib, StartPage, EndPage };
    Kind kind = Kind::Text;
    std::string text;            // Text and DrawText
    Rect rect{};                 // DrawText, FillRect, Dib (destination)
    Rect src{};                  // Dib source
    unsigned format = 0;         // DrawText format or text alignment of TextOut
    std::vector<Point> points{}; // Line: the polyline, logical
    Point at{};                  // Text: position
    Font font{};
    Pen pen{};
    ColorRef color = 0;          // text colour, or fill colour
    BkMode bkMode = BkMode::Opaque;
    Size windowExt{};
    Size viewportExt{};
    MapMode mapMode = MapMode::Text;
    int page = 0;                // printer page the call belongs to (0 before StartPage)
};

class RecordingDc : public Dc {
public:
    // A screen-like context of the given device size, or a printer-like one
    // (pages counted, StartPage/EndPage succeed).
    explicit RecordingDc(Size deviceSize = {640, 480}, bool printer = false, int bitsPerPixel = 24);

    void FillRect(const Rect& rect, ColorRef color) override;
    void TextOut(int x, int y, std::string_view text) override;
    int DrawText(std::string_view text, Rect& rect, unsigned format) override;
    Size GetTextExtent(std::string_view text) override;
    void StretchDib(const Rect& dest, const Rect& src, const DibBytes& dib) override;
    int GetDeviceCaps(DeviceCap cap) const override;
    bool StartPage() override;
    bool EndPage() override;

    const std::vector<DrawCall>& Calls() const { return calls_; }
    // Texts drawn (TextOut and DrawText), in order.
    std::vector<std::string> Texts() const;
    // The first text call whose text equals the argument, or nullptr.
    const DrawCall* FindText(std::string_view text) const;
    int PagesStarted() const { return pagesStarted_; }
    int PagesEnded() const { return pagesEnded_; }
    // Makes StartPage fail from the given page number on (1-based); 0 = never.
    void FailStartPageFrom(int page) { failFrom_ = page; }
    void Clear() { calls_.clear(); }

protected:
    void DrawPolyline(const std::vector<Point>& points) override;

private:
    DrawCall Base(DrawCall::Kind kind) const;
    Size device_;
    bool printer_;
    int bits_;
    int pagesStarted_ = 0;
    int pagesEnded_ = 0;
    int failFrom_ = 0;
    std::vector<DrawCall> calls_;
};

} // namespace qx
