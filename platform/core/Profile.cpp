#include "platform/core/Profile.h"

#include "platform/core/FileIo.h"
#include "platform/core/Path.h"

#include <climits>
#include <cstdlib>
#include <system_error>

namespace fs = std::filesystem;

namespace qx {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    return s;
}

std::string_view Trim(std::string_view s) {
    s = TrimLeft(s);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

enum class LineKind { Other, Section, Key };

struct Line {
    std::size_t begin = 0;      // first byte of the line
    std::size_t contentEnd = 0; // end of the line without CR LF / LF
    std::size_t next = 0;       // first byte of the next line
    LineKind kind = LineKind::Other;
    std::string_view name;      // section name or key, trimmed
    std::string_view value;     // key value, trimmed
    bool Terminated(std::string_view text) const { return next > contentEnd && text[next - 1] == '\n'; }
};

Line ParseLine(std::string_view text, std::size_t begin) {
    Line line;
    line.begin = begin;
    const std::size_t nl = text.find('\n', begin);
    line.next = nl == std::string_view::npos ? text.size() : nl + 1;
    std::size_t end = nl == std::string_view::npos ? text.size() : nl;
    if (end > begin && text[end - 1] == '\r')
        --end;
    line.contentEnd = end;
    const std::string_view t = TrimLeft(text.substr(begin, end - begin));
    if (t.empty() || t.front() == ';')
        return line;
    if (t.front() == '[') {
        // A "[" line without "]" is no section header (Windows ignores it).
        const std::size_t close = t.find(']');
        if (close != std::string_view::npos) {
            line.kind = LineKind::Section;
            line.name = Trim(t.substr(1, close - 1));
        }
        return line;
    }
    // A line without "=" is a key without a value, which reads as missing.
    const std::size_t eq = t.find('=');
    if (eq != std::string_view::npos) {
        line.kind = LineKind::Key;
        line.name = Trim(t.substr(0, eq));
        line.value = Trim(t.substr(eq + 1));
    }
    return line;
}

std::size_t FirstLine(std::string_view text) {
    // A UTF-8 byte order mark (an editor's doing) is not part of the first line.
    return text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
}

// Calls visit(line) for each line; stops when visit returns false.
template <typename Visit> void ForEachLine(std::string_view text, Visit&& visit) {
    for (std::size_t pos = FirstLine(text); pos < text.size();) {
        const Line line = ParseLine(text, pos);
        if (!visit(line))
            return;
        pos = line.next;
    }
}

std::string_view StripQuotes(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

// Ends the last line of out, which has no LF: a final lone CR becomes CR LF
// (appending a whole CR LF would leave that CR in the line's value).
void EndLine(std::string& out) {
    if (!out.empty() && out.back() == '\r')
        out.push_back('\n');
    else
        out.append("\r\n");
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

bool ValidSection(std::string_view s) {
    return !s.empty() && Trim(s) == s && !HasLineBreak(s) && s.find(']') == std::string_view::npos;
}

bool ValidKey(std::string_view k) {
    return !k.empty() && Trim(k) == k && !HasLineBreak(k) && k.find('=') == std::string_view::npos &&
           k.front() != '[' && k.front() != ';';
}

int ParseIntValue(std::string_view s) {
    s = TrimLeft(s);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    long long v = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            break;
        v = v * 10 + (c - '0');
        if (v > static_cast<long long>(INT_MAX) + 1)
            v = static_cast<long long>(INT_MAX) + 1; // clamped below
    }
    if (negative)
        v = -v;
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

} // namespace

std::optional<std::string> ProfileLookup(std::string_view iniText, std::string_view section,
                                         std::string_view key) {
    if (section.empty() || key.empty())
        return std::nullopt;
    std::optional<std::string> result;
    bool inSection = false;
    ForEachLine(iniText, [&](const Line& line) {
        if (line.kind == LineKind::Section) {
            if (inSection)
                return false; // only the first section of the name counts
            inSection = EqualsIgnoreCase(line.name, section);
        } else if (inSection && line.kind == LineKind::Key && EqualsIgnoreCase(line.name, key)) {
            result = std::string(StripQuotes(line.value));
            return false;
        }
        return true;
    });
    return result;
}

std::optional<std::string> ProfileReplace(std::string_view iniText, std::string_view section,
                                          std::string_view key, std::string_view value) {
    if (!ValidSection(section) || !ValidKey(key) || HasLineBreak(value))
        return std::nullopt;

    bool inSection = false, sectionFound = false;
    std::optional<Line> match;
    Line insertAfter; // the last key (or the header) of the section
    ForEachLine(iniText, [&](const Line& line) {
        if (line.kind == LineKind::Section) {
            if (inSection)
                return false;
            if (EqualsIgnoreCase(line.name, section)) {
                inSection = sectionFound = true;
                insertAfter = line;
            }
            return true;
        }
        if (!inSection)
            return true;
        const std::string_view content = Trim(iniText.substr(line.begin, line.contentEnd - line.begin));
        if (line.kind == LineKind::Key && EqualsIgnoreCase(line.name, key)) {
            match = line;
            return false;
        }
        if (!content.empty() && content.front() != ';')
            insertAfter = line;
        return true;
    });

    std::string out;
    out.reserve(iniText.size() + section.size() + key.size() + value.size() + 8);
    if (match) {
        // Keep the line's indentation and the key as the file spells it.
        const std::size_t keyEnd = static_cast<std::size_t>(match->name.data() - iniText.data()) + match->name.size();
        out.append(iniText.substr(0, keyEnd));
        out.push_back('=');
        out.append(value);
        out.append(iniText.substr(match->contentEnd));
        return out;
    }
    if (sectionFound) {
        out.append(iniText.substr(0, insertAfter.next));
        if (!insertAfter.Terminated(iniText))
            EndLine(out);
        out.append(key).append("=").append(value).append("\r\n");
        out.append(iniText.substr(insertAfter.next));
        return out;
    }
    out.append(iniText);
    if (!out.empty() && out.back() != '\n')
        EndLine(out);
    out.append("[").append(section).append("]\r\n");
    out.append(key).append("=").append(value).append("\r\n");
    return out;
}

Profile::Profile(fs::path file) : file_(std::move(file)) {}

fs::path Profile::DefaultPath() {
    // XDG: a relative $XDG_CONFIG_HOME is invalid and ignored.
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg == '/')
        return fs::path(xdg) / "qxkat.ini";
    const char* home = std::getenv("HOME");
    if (home && *home)
        return fs::path(home) / ".config" / "qxkat.ini";
    return fs::path("qxkat.ini");
}

std::string Profile::GetString(std::string_view section, std::string_view key, std::string_view defaultValue,
                               std::size_t bufferSize) const {
    if (bufferSize == 0)
        return {};
    std::optional<std::string> value;
    if (const auto text = ReadWholeFile(file_))
        value = ProfileLookup(*text, section, key);
    if (!value) {
        while (!defaultValue.empty() && defaultValue.back() == ' ')
            defaultValue.remove_suffix(1);
        value = std::string(defaultValue);
    }
    if (value->size() > bufferSize - 1)
        value->resize(bufferSize - 1);
    return std::move(*value);
}

int ParseProfileInt(std::string_view value) { return ParseIntValue(value); }

int Profile::GetInt(std::string_view section, std::string_view key, int defaultValue) const {
    const auto text = ReadWholeFile(file_);
    if (!text)
        return defaultValue;
    const auto value = ProfileLookup(*text, section, key);
    if (!value || value->empty())
        return defaultValue;
    return ParseIntValue(*value);
}

bool Profile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    bool rejected = false;
    const bool ok = WriteFile(section, key, value, rejected);
    if (!ok && !rejected && onWriteFailure_)
        onWriteFailure_();
    return ok;
}

bool Profile::WriteFile(std::string_view section, std::string_view key, std::string_view value,
                        bool& rejected) {
    std::error_code ec;
    std::string text;
    if (fs::exists(file_, ec)) {
        auto existing = ReadWholeFile(file_);
        if (!existing)
            return false; // never replace a file that could not be read
        text = std::move(*existing);
    } else if (ec) {
        return false;
    } else if (file_.has_parent_path()) {
        fs::create_directories(file_.parent_path(), ec);
        if (ec)
            return false;
    }
    const auto updated = ProfileReplace(text, section, key, value);
    if (!updated) {
        rejected = true;
        return false;
    }
    if (*updated == text)
        return true;
    return WriteFileAtomic(file_, *updated);
}

} // namespace qx
