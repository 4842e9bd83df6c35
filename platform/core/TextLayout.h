#pragma once
// The line breaking of DrawText, shared by every Dc implementation so that
// screen, printer and recording agree: explicit line breaks (CR LF, LF),
// word breaks at blanks when DT_WORDBREAK is set (a word longer than the
// line is broken between characters), tab expansion with DT_EXPANDTABS
// (tab stops every 8 average character widths), prefix processing ("&x" shows
// x, "&&" shows &) unless DT_NOPREFIX, and DT_SINGLELINE (line breaks shown
// as nothing, one line).

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

struct TextLine {
    std::string text; // bytes to draw, prefixes already removed
    int width = 0;    // logical units
};

// measure(bytes) gives the width of a run of text in logical units.
std::vector<TextLine> LayoutText(std::string_view text, int maxWidth, unsigned format,
                                 const std::function<int(std::string_view)>& measure);

} // namespace qx
