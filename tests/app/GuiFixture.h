#pragma once
// Shared pieces of the GUI tests: a small catalogue written into a temporary
// program directory, and helpers to run the event loop.

#include <filesystem>
#include <string>

namespace qx::testing {

// A temporary program directory, removed with the object.
class TempCatalog {
public:
    TempCatalog();
    ~TempCatalog();
    const std::filesystem::path& Dir() const { return dir_; }
    // Writes a file below the directory (backslashes allowed), LF turned into CR LF.
    void Write(const std::string& relative, const std::string& text);
    // Writes a small 24-bit BMP of the given size.
    void WriteBmp(const std::string& relative, int width, int height, unsigned rgb = 0x336699);
    std::filesystem::path Ini() const { return dir_ / "qxkat.ini"; }

private:
    std::filesystem::path dir_;
};

// Processes pending events, posted ones included.
void Pump();

} // namespace qx::testing
