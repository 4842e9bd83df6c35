#include "platform/core/RecordingDc.h"

#include "platform/core/TextLayout.h"

#include <algorithm>
#include <cstdlib>

namespace qx {

namespace {

int LineHeight(const Font& font) {
    if (font.height == 0)
        return 16;
    const long long h = std::llabs(static_cast<long long>(font.height));
    return static_cast<int>(std::min<long long>(h, 1 << 20));
}

int CharWidth(const Font& font) { return std::max(1, LineHeight(font) / 2); }

int TextWidth(const Font& font, std::string_view text) {
    const long long w = static_cast<long long>(text.size()) * CharWidth(font);
    return static_cast<int>(std::min<long long>(w, 1 << 30));
}

} // namespace

RecordingDc::RecordingDc(Size deviceSize, bool printer, int bitsPerPixel)
    : device_(deviceSize), printer_(printer), bits_(bitsPerPixel) {}

DrawCall RecordingDc::Base(DrawCall::Kind kind) const {
    DrawCall c;
    c.kind = kind;
    c.font = GetFont();
    c.pen = GetPen();
    c.color = GetTextColor();
    c.bkMode = GetBkMode();
    c.windowExt = GetWindowExt();
    c.viewportExt = GetViewportExt();
    c.mapMode = GetMapMode();
    c.page = pagesStarted_;
    return c;
}

void RecordingDc::FillRect(const Rect& rect, ColorRef color) {
    DrawCall c = Base(DrawCall::Kind::FillRect);
    c.rect = rect;
    c.color = color;
    calls_.push_back(std::move(c));
}

void RecordingDc::TextOut(int x, int y, std::string_view text) {
    DrawCall c = Base(DrawCall::Kind::Text);
    c.text.assign(text);
    c.at = {x, y};
    c.format = GetTextAlign();
    calls_.push_back(std::move(c));
}

int RecordingDc::DrawText(std::string_view text, Rect& rect, unsigned format) {
    const Font font = GetFont();
    const auto lines =
        LayoutText(text, rect.Width(), format, [&font](std::string_view s) { return TextWidth(font, s); });
    const int height = static_cast<int>(std::min<std::size_t>(lines.size(), 1 << 20)) * LineHeight(font);
    if (format & DT_CALCRECT)
        return FitRectToLines(lines, height, rect);
    DrawCall c = Base(DrawCall::Kind::DrawText);
    c.text.assign(text);
    c.rect = rect;
    c.format = format;
    calls_.push_back(std::move(c));
    return DrawTextResult(rect, height, format);
}

Size RecordingDc::GetTextExtent(std::string_view text) {
    const Font& font = GetFont();
    return {TextWidth(font, text), LineHeight(font)};
}

void RecordingDc::StretchDib(const Rect& dest, const Rect& src, const DibBytes&) {
    DrawCall c = Base(DrawCall::Kind::Dib);
    c.rect = dest;
    c.src = src;
    calls_.push_back(std::move(c));
}

int RecordingDc::GetDeviceCaps(DeviceCap cap) const {
    switch (cap) {
    case DeviceCap::HorzRes:
        return device_.cx;
    case DeviceCap::VertRes:
        return device_.cy;
    case DeviceCap::BitsPixel:
        return bits_;
    case DeviceCap::Planes:
        return 1;
    case DeviceCap::LogPixelsX:
    case DeviceCap::LogPixelsY:
        return printer_ ? 300 : 96;
    }
    return 0;
}

bool RecordingDc::StartPage() {
    if (!printer_)
        return false;
    if (failFrom_ > 0 && pagesStarted_ + 1 >= failFrom_)
        return false;
    ++pagesStarted_;
    calls_.push_back(Base(DrawCall::Kind::StartPage));
    return true;
}

bool RecordingDc::EndPage() {
    if (!printer_)
        return false;
    ++pagesEnded_;
    calls_.push_back(Base(DrawCall::Kind::EndPage));
    return true;
}

void RecordingDc::DrawPolyline(const std::vector<Point>& points) {
    DrawCall c = Base(DrawCall::Kind::Line);
    c.points = points;
    calls_.push_back(std::move(c));
}

std::vector<std::string> RecordingDc::Texts() const {
    std::vector<std::string> out;
    for (const auto& c : calls_)
        if (c.kind == DrawCall::Kind::Text || c.kind == DrawCall::Kind::DrawText)
            out.push_back(c.text);
    return out;
}

const DrawCall* RecordingDc::FindText(std::string_view text) const {
    for (const auto& c : calls_)
        if ((c.kind == DrawCall::Kind::Text || c.kind == DrawCall::Kind::DrawText) && c.text == text)
            return &c;
    return nullptr;
}

} // namespace qx
