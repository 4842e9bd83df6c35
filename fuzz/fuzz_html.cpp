// Bytes of an HTML page as the info and requirements pages load them: from
// a file into a text view, then laid out for printing.
#include "FuzzTempDir.h"
#include "platform/core/FileIo.h"
#include "platform/core/Path.h"
#include "platform/qt/TextView.h"

#include <QApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

qx::TextView* g_view = nullptr;

} // namespace

// Qt keeps caches (fonts, styles) for the life of the process.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QApplication app(*argc, *argv);
    const fs::path& root = qx::fuzz::ProcessTempDir("qx_fuzz_html");
    fs::create_directories(root / "BILDER" / "800");
    qx::SetDriveRootForTesting(root);
    g_view = qx::CreateTextView(nullptr, qx::kTextViewInfoPage, qx::Rect{0, 0, 600, 400});
    if (!g_view)
        std::abort();
    qx::SetUpTextView(g_view);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path file = qx::fuzz::ProcessTempDir("qx_fuzz_html") / "page.htm";
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    // A page refused for its tables leaves the view as it was.
    if (qx::LoadHtmlFile(g_view, "C:\\page.htm", 0, "C:\\"))
        (void)qx::TextViewPageCount(g_view, 11077);
    return 0;
}
