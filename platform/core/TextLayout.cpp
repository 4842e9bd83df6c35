#include "platform/core/TextLayout.h"

#include "platform/core/Dc.h"

#include <algorithm>

namespace qx {

namespace {

using Measure = std::function<int(std::string_view)>;

struct Layouter {
    int maxWidth;
    unsigned format;
    const Measure& measure;
    int tabWidth = 0; // computed on the first tab
    int spaceWidth = 0;
    std::vector<TextLine> lines;

    bool IsBlank(char c) const { return c == ' ' || (c == '\t' && (format & DT_EXPANDTABS)); }

    int Width(std::string_view s) const { return s.empty() ? 0 : measure(s); }

    void Emit(std::string text) {
        const int w = Width(text);
        lines.push_back(TextLine{std::move(text), w});
    }

    // Appends a run of blanks to a line, expanding tabs to the next stop
    // measured from the start of the line.
    void AppendBlanks(std::string& line, std::string_view blanks) {
        for (char c : blanks) {
            if (c != '\t') {
                line.push_back(c);
                continue;
            }
            if (tabWidth == 0) {
                // Windows' stop: 8 x tmAveCharWidth; the usual estimate of the
                // average width is the width of a-z A-Z divided by 52.
                const int letters = measure("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
                const int average = std::max(1, (letters + 26) / 52);
                tabWidth = 8 * average;
                spaceWidth = std::max(1, measure(" "));
            }
            const int current = Width(line);
            const int stop = (current / tabWidth + 1) * tabWidth;
            int count = (stop - current + spaceWidth - 1) / spaceWidth;
            count = std::clamp(count, 1, 8 * 64); // a measure gone wrong must not explode the text
            line.append(static_cast<std::size_t>(count), ' ');
        }
    }

    std::string ExpandAll(std::string_view s) {
        std::string out;
        out.reserve(s.size());
        std::size_t i = 0;
        while (i < s.size()) {
            const std::size_t tab = (format & DT_EXPANDTABS) ? s.find('\t', i) : std::string_view::npos;
            if (tab == std::string_view::npos) {
                out.append(s.substr(i));
                break;
            }
            out.append(s.substr(i, tab - i));
            AppendBlanks(out, "\t");
            i = tab + 1;
        }
        return out;
    }

    // The longest prefix of s (at least one byte) that fits the width.
    std::size_t FittingPrefix(std::string_view s) const {
        std::size_t lo = 1, hi = s.size();
        while (lo < hi) {
            const std::size_t mid = lo + (hi - lo + 1) / 2;
            if (Width(s.substr(0, mid)) <= maxWidth)
                lo = mid;
            else
                hi = mid - 1;
        }
        return lo;
    }

    void Wrap(std::string_view para) {
        std::string current;
        bool hasContent = false; // current holds at least one word
        std::size_t i = 0;
        bool first = true;
        while (i < para.size()) {
            std::size_t j = i;
            while (j < para.size() && IsBlank(para[j]))
                ++j;
            std::size_t k = j;
            while (k < para.size() && !IsBlank(para[k]))
                ++k;
            const std::string_view blanks = para.substr(i, j - i);
            const std::string_view word = para.substr(j, k - j);
            i = k;
            if (word.empty()) // trailing blanks of the paragraph
                break;

            std::string candidate;
            if (hasContent) {
                candidate = current;
                AppendBlanks(candidate, blanks);
            } else if (first) {
                AppendBlanks(candidate, blanks); // leading blanks of a paragraph stay
            }
            first = false;
            candidate.append(word);
            if (Width(candidate) <= maxWidth) {
                current = std::move(candidate);
                hasContent = true;
                continue;
            }
            if (hasContent) {
                // The word goes to the next line; the blanks before it vanish.
                Emit(std::move(current));
                current.clear();
                hasContent = false;
                candidate.assign(word);
                if (Width(candidate) <= maxWidth) {
                    current = std::move(candidate);
                    hasContent = true;
                    continue;
                }
            }
            // Longer than a whole line: break between characters.
            std::string_view rest = candidate;
            while (Width(rest) > maxWidth && rest.size() > 1) {
                const std::size_t n = FittingPrefix(rest);
                Emit(std::string(rest.substr(0, n)));
                rest.remove_prefix(n);
            }
            current.assign(rest);
            hasContent = true;
        }
        Emit(std::move(current));
    }

    void Paragraph(std::string_view raw) {
        std::string para;
        para.reserve(raw.size());
        if (format & DT_NOPREFIX) {
            para.assign(raw);
        } else {
            for (std::size_t i = 0; i < raw.size(); ++i) {
                // "&x" shows x (underlined by Windows), "&&" shows "&"; a
                // final "&" has nothing to prefix and is shown as it is.
                if (raw[i] == '&' && i + 1 < raw.size())
                    ++i;
                para.push_back(raw[i]);
            }
        }
        if (format & DT_WORDBREAK)
            Wrap(para);
        else
            Emit(ExpandAll(para));
    }
};

} // namespace

std::vector<TextLine> LayoutText(std::string_view text, int maxWidth, unsigned format, const Measure& measure) {
    Layouter l{maxWidth, format, measure};
    if (format & DT_SINGLELINE) {
        if (text.empty())
            return {};
        std::string joined;
        joined.reserve(text.size());
        for (char c : text)
            if (c != '\r' && c != '\n')
                joined.push_back(c);
        // One line: no breaking at all, whatever DT_WORDBREAK says.
        l.format &= ~static_cast<unsigned>(DT_WORDBREAK);
        l.Paragraph(joined);
        return std::move(l.lines);
    }
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        l.Paragraph(text.substr(start, end - start));
        if (end == text.size())
            break;
        // CR LF, LF or a lone CR end a line.
        if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return std::move(l.lines);
}

int AlignLineX(const Rect& rect, int lineWidth, unsigned format) {
    if (format & DT_CENTER)
        return rect.left + (rect.Width() - lineWidth) / 2;
    if (format & DT_RIGHT)
        return rect.right - lineWidth;
    return rect.left;
}

int AlignBlockTop(const Rect& rect, int blockHeight, unsigned format) {
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            return rect.top + (rect.Height() - blockHeight) / 2;
        if (format & DT_BOTTOM)
            return rect.bottom - blockHeight;
    }
    return rect.top;
}

int DrawTextResult(const Rect& rect, int blockHeight, unsigned format) {
    return AlignBlockTop(rect, blockHeight, format) + blockHeight - rect.top;
}

int FitRectToLines(const std::vector<TextLine>& lines, int blockHeight, Rect& rect) {
    int widest = 0;
    for (const TextLine& line : lines)
        widest = std::max(widest, line.width);
    rect.right = rect.left + widest;
    rect.bottom = rect.top + blockHeight;
    return blockHeight;
}

} // namespace qx
