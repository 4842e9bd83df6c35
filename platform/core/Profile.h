#pragma once
// The private-profile functions over one INI file (qxkat.ini): the same
// semantics as GetPrivateProfileString/Int and WritePrivateProfileString.
// Section and key names compare case-insensitively; a missing file, section
// or key gives the default; a write keeps every other section and key and
// replaces the file atomically.

#include <filesystem>
#include <string>
#include <string_view>

namespace qx {

class Profile {
public:
    explicit Profile(std::filesystem::path file);

    // Default location: $XDG_CONFIG_HOME/qxkat.ini, else ~/.config/qxkat.ini.
    static std::filesystem::path DefaultPath();

    const std::filesystem::path& File() const { return file_; }

    // At most bufferSize - 1 characters are returned (the buffer holds the
    // terminator), as the Windows function does.
    std::string GetString(std::string_view section, std::string_view key, std::string_view defaultValue,
                          std::size_t bufferSize = 128) const;
    // Leading blanks, optional sign and decimal digits; no digits: 0; missing: default.
    int GetInt(std::string_view section, std::string_view key, int defaultValue) const;
    // False when the file could not be written; the old file then stays as it was.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);

private:
    std::filesystem::path file_;
};

} // namespace qx
