#pragma once
// The private-profile functions over one INI file (qxkat.ini): the same
// semantics as GetPrivateProfileString/Int and WritePrivateProfileString.
// Section and key names compare case-insensitively; a missing file, section
// or key gives the default; a write keeps every other section and key and
// replaces the file atomically.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qx {

// File format, as Windows reads and writes it: "[Section]" lines, then
// "key=value" lines, CR LF (LF alone is read too). Blanks around section
// names, keys and values are ignored; a line starting with ';' is a comment;
// only the first section of a name counts, and in it the first key of a name.
// A value enclosed in one pair of matching double or single quotes loses them.

class Profile {
public:
    explicit Profile(std::filesystem::path file);

    // Default location: $XDG_CONFIG_HOME/qxkat.ini, else ~/.config/qxkat.ini.
    static std::filesystem::path DefaultPath();

    const std::filesystem::path& File() const { return file_; }

    // At most bufferSize - 1 characters are returned (the buffer holds the
    // terminator), as the Windows function does; trailing blanks of the
    // default are dropped, as Windows does.
    std::string GetString(std::string_view section, std::string_view key, std::string_view defaultValue,
                          std::size_t bufferSize = 128) const;
    // Leading blanks, optional sign and decimal digits; no digits: 0; missing
    // or empty value: default. Out-of-range numbers are clamped.
    int GetInt(std::string_view section, std::string_view key, int defaultValue) const;
    // Replaces the key's line in place, or adds the key after the last key of
    // the section, or appends the section at the end; every other byte stays.
    // Creates the file and its directory when missing. False when the names
    // or the value cannot be stored (a line break anywhere, an empty or
    // blank-edged name, '=' in a key, ']' in a section...), or when the file
    // could not be read or written; the old file then stays as it was.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);

    // Called after each write that failed on the file itself (not for names
    // or values that cannot be stored): the program's way to tell the user.
    void SetWriteFailureHandler(std::function<void()> handler) { onWriteFailure_ = std::move(handler); }

private:
    bool WriteFile(std::string_view section, std::string_view key, std::string_view value, bool& rejected);

    std::filesystem::path file_;
    std::function<void()> onWriteFailure_;
};

// The text-level operations behind Profile, on the bytes of an INI file;
// they never fail on any input.
// The value of the key (quotes removed, not truncated), or nothing.
std::optional<std::string> ProfileLookup(std::string_view iniText, std::string_view section,
                                         std::string_view key);
// The text with the key set (see WriteString); nothing when the names or the
// value cannot be stored.
std::optional<std::string> ProfileReplace(std::string_view iniText, std::string_view section,
                                          std::string_view key, std::string_view value);

// The number GetInt makes of a value: leading blanks, optional sign,
// decimal digits; 0 without digits; clamped to the int range.
int ParseProfileInt(std::string_view value);

} // namespace qx
