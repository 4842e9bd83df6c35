#pragma once
// Recorded drawing as text, one line per call, so a test compares what was
// drawn in one go. Only the fields that matter for the kind of call are
// written; the mapping and the page only when they are set.

#include "platform/core/RecordingDc.h"

#include <cstdio>
#include <string>
#include <vector>

namespace qx::test {

inline std::string Dump(const DrawCall& c) {
    char buf[96];
    const auto rect = [&buf](const Rect& r) {
        std::snprintf(buf, sizeof buf, " %d,%d,%d,%d", r.left, r.top, r.right, r.bottom);
        return std::string(buf);
    };
    const auto colour = [&buf](ColorRef v) {
        std::snprintf(buf, sizeof buf, " #%02x%02x%02x", RedOf(v), GreenOf(v), BlueOf(v));
        return std::string(buf);
    };
    const auto text = [&] {
        const Font& f = c.font;
        std::snprintf(buf, sizeof buf, "/%d/%d%s%s", f.height, f.weight, f.italic ? "i" : "", f.underline ? "u" : "");
        std::string s = " \"" + c.text + "\" " + f.face + buf;
        s += colour(c.color);
        std::snprintf(buf, sizeof buf, " fmt=%x", c.format);
        return s + buf + (c.bkMode == BkMode::Transparent ? " clear" : "");
    };
    std::string s;
    switch (c.kind) {
    case DrawCall::Kind::Text:
        s = "text " + std::to_string(c.at.x) + "," + std::to_string(c.at.y) + text();
        break;
    case DrawCall::Kind::DrawText:
        s = "drawtext" + rect(c.rect) + text();
        break;
    case DrawCall::Kind::Line:
        s = "line";
        for (const Point& p : c.points)
            s += " " + std::to_string(p.x) + "," + std::to_string(p.y);
        s += c.pen.style == PenStyle::Dot ? " dot/" : c.pen.style == PenStyle::Null ? " null/" : " solid/";
        s += std::to_string(c.pen.width) + colour(c.pen.color);
        break;
    case DrawCall::Kind::FillRect:
        s = "fill" + rect(c.rect) + colour(c.color);
        break;
    case DrawCall::Kind::Dib:
        s = "dib" + rect(c.rect) + " from" + rect(c.src);
        break;
    case DrawCall::Kind::StartPage:
    case DrawCall::Kind::EndPage:
        s = c.kind == DrawCall::Kind::StartPage ? "startpage" : "endpage";
        break;
    }
    if (c.mapMode != MapMode::Text) {
        std::snprintf(buf, sizeof buf, " %s %dx%d>%dx%d", c.mapMode == MapMode::Isotropic ? "iso" : "aniso",
                      c.windowExt.cx, c.windowExt.cy, c.viewportExt.cx, c.viewportExt.cy);
        s += buf;
    }
    return s + (c.page > 0 ? " p" + std::to_string(c.page) : "") + "\n";
}

inline std::string Dump(const std::vector<DrawCall>& calls) {
    std::string s;
    for (const DrawCall& c : calls)
        s += Dump(c);
    return s;
}

} // namespace qx::test
