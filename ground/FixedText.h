#pragma once
// A text field of fixed capacity N (terminator included, as in the catalogue's
// records): at most N - 1 bytes are kept; longer values are cut, never overrun.

#include <cstddef>
#include <string>
#include <string_view>

namespace qx {

template <std::size_t N>
class FixedText {
    static_assert(N >= 1);

public:
    static constexpr std::size_t kCapacity = N;
    static constexpr std::size_t kMaxLength = N - 1;

    FixedText() = default;
    FixedText(std::string_view s) { assign(s); } // NOLINT: implicit by design

    FixedText& operator=(std::string_view s) {
        assign(s);
        return *this;
    }
    void assign(std::string_view s) { text_.assign(s.substr(0, kMaxLength)); }
    // Appends as much of s as still fits.
    FixedText& operator+=(std::string_view s) {
        const std::size_t room = kMaxLength - text_.size();
        text_.append(s.substr(0, room));
        return *this;
    }
    void clear() { text_.clear(); }

    const std::string& str() const { return text_; }
    const char* c_str() const { return text_.c_str(); }
    std::size_t size() const { return text_.size(); }
    bool empty() const { return text_.empty(); }
    operator std::string_view() const { return text_; } // NOLINT: implicit by design

    friend bool operator==(const FixedText& a, std::string_view b) { return std::string_view(a.text_) == b; }

private:
    std::string text_;
};

} // namespace qx
