// Small readers of outside text, chosen by the first byte:
//   0: the check that keeps documents and programs inside the catalogue
//   1: code-page conversions both ways
//   2: DrawText's line breaking
//   3: path resolution below the drive root
//   4: the INI number parser
#include "FuzzTempDir.h"
#include "navigation/External.h"
#include "platform/core/CodePage.h"
#include "platform/core/Path.h"
#include "platform/core/Profile.h"
#include "platform/core/TextLayout.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace fs = std::filesystem;

namespace {

void Inside(std::string_view in) {
    const std::string_view program = qx::ProgramNameOf(in);
    if (in.substr(0, program.size()) != program)
        __builtin_trap();
    if (!qx::StaysInside(in))
        return;
    if (in.front() == '\\' || in.front() == '/' || in.find(':') == 1)
        __builtin_trap();
    // No ".." between separators.
    for (std::size_t at = in.find(".."); at != std::string_view::npos; at = in.find("..", at + 1)) {
        const bool startsPart = at == 0 || in[at - 1] == '\\' || in[at - 1] == '/';
        const bool endsPart = at + 2 == in.size() || in[at + 2] == '\\' || in[at + 2] == '/';
        if (startsPart && endsPart)
            __builtin_trap();
    }
}

void CodePages(std::string_view in) {
    for (qx::CodePage cp : {qx::CodePage::Cp1252, qx::CodePage::Cp1250}) {
        bool lossless = true;
        if (qx::FromUtf8(qx::ToUtf8(in, cp), cp, &lossless) != in || !lossless)
            __builtin_trap();
        if (qx::FromUtf16(qx::ToUtf16(in, cp), cp, &lossless) != in || !lossless)
            __builtin_trap();
        // The input as UTF-8: whatever it holds, the answer is one byte per
        // character or "?" and says so.
        lossless = true;
        const std::string back = qx::FromUtf8(in, cp, &lossless);
        if (back.size() > in.size() || lossless != qx::Representable(in, cp))
            __builtin_trap();
    }
}

void Layout(std::string_view in) {
    if (in.size() < 3)
        return;
    const unsigned format = static_cast<unsigned char>(in[0]) | (static_cast<unsigned char>(in[1]) << 8);
    const int maxWidth = static_cast<unsigned char>(in[2]) * 4 - 200;
    const std::string_view text = in.substr(3);
    const auto lines = qx::LayoutText(text, maxWidth, format, [](std::string_view s) {
        return static_cast<int>(s.size()) * 7;
    });
    // Every line holds at least one character of the text (a tab expands to
    // at most eight blanks), except the lines that line breaks make.
    if (lines.size() > 8 * text.size() + 1)
        __builtin_trap();
}

const fs::path& DriveRoot() {
    static const fs::path root = [] {
        const fs::path& dir = qx::fuzz::ProcessTempDir("qx_fuzz_paths");
        fs::create_directories(dir / "Bilder" / "800");
        fs::create_directories(dir / "BILDER");
        std::ofstream(dir / "Bilder" / "800" / "a.BMP") << "x";
        qx::SetDriveRootForTesting(dir);
        return dir;
    }();
    return root;
}

void Resolve(std::string_view in) {
    const fs::path& root = DriveRoot();
    const fs::path resolved = qx::ResolvePath("C:\\" + std::string(in));
    // ".." never climbs above the drive root.
    const std::string r = resolved.string();
    if (r.compare(0, root.string().size(), root.string()) != 0)
        __builtin_trap();
    (void)qx::FileExists("C:\\" + std::string(in));
    (void)qx::ToWindowsPath(resolved);
}

void Number(std::string_view in) {
    const int n = qx::ParseProfileInt(in);
    // A plain run of digits reads as itself, clamped.
    if (!in.empty() && in.size() <= 18 && in.find_first_not_of("0123456789") == std::string_view::npos) {
        const long long v = std::stoll(std::string(in));
        if (n != (v > INT_MAX ? INT_MAX : static_cast<int>(v)))
            __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::string_view in(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 5) {
    case 0: Inside(in); break;
    case 1: CodePages(in); break;
    case 2: Layout(in); break;
    case 3: Resolve(in); break;
    default: Number(in); break;
    }
    return 0;
}
