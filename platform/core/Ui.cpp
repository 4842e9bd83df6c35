#include "platform/core/Ui.h"

#include <atomic>

namespace qx {

namespace {

// What runs when no front end is installed (tools, core tests): nothing is
// shown and every question is answered in the way that changes nothing.
class NullUi final : public Ui {
public:
    int MessageBox(std::string_view, std::string_view, unsigned type) override {
        return (type & 0xF) == MB_OK ? IDOK : IDCANCEL;
    }
    std::optional<std::string> GetOpenFileName(const FileDialogSpec&) override { return std::nullopt; }
    std::optional<std::string> GetSaveFileName(const FileDialogSpec&) override { return std::nullopt; }
    bool ShellOpen(std::string_view) override { return false; }
    bool RunProgram(std::string_view) override { return false; }
    int PopupMenu(const std::vector<std::string>&, int, int) override { return -1; }
};

NullUi g_nullUi;
std::atomic<Ui*> g_ui{nullptr};

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

} // namespace

Ui& TheUi() {
    Ui* ui = g_ui.load(std::memory_order_acquire);
    return ui ? *ui : g_nullUi;
}

void SetUi(Ui* ui) { g_ui.store(ui, std::memory_order_release); }

std::vector<std::pair<std::string, std::string>> ParseFileFilter(std::string_view filter) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = filter.find('|', start);
        parts.push_back(Trim(filter.substr(start, bar == std::string_view::npos ? std::string_view::npos
                                                                                 : bar - start)));
        if (bar == std::string_view::npos)
            break;
        start = bar + 1;
    }
    std::vector<std::pair<std::string, std::string>> out;
    // Pairs up to the first empty name (the "||" that ends the list); a name
    // without a pattern is dropped.
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty())
            break;
        out.emplace_back(std::string(parts[i]), std::string(parts[i + 1]));
    }
    return out;
}

} // namespace qx
