#include "GuiFixture.h"

#include "platform/core/DibPixels.h"

#include <QApplication>
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

namespace qx::testing {

TempCatalog::TempCatalog() {
    static int counter = 0;
    dir_ = std::filesystem::temp_directory_path() /
           ("qx_gui_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
}

TempCatalog::~TempCatalog() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

void TempCatalog::Write(const std::string& relative, const std::string& text) {
    std::string rel = relative;
    for (char& c : rel) {
        if (c == '\\')
            c = '/';
    }
    const auto path = dir_ / rel;
    std::filesystem::create_directories(path.parent_path());
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    std::ofstream(path, std::ios::binary) << out;
}

void TempCatalog::WriteBmp(const std::string& relative, int width, int height, unsigned rgb) {
    Pixels px;
    px.width = width;
    px.height = height;
    px.argb.assign(static_cast<std::size_t>(width * height), 0xFF000000u | rgb);
    const auto dib = EncodeDib24(px);
    std::string file = "BM";
    const std::uint32_t size = static_cast<std::uint32_t>(14 + dib.size());
    const std::uint32_t offset = 14 + 40;
    for (int i = 0; i < 4; ++i)
        file += static_cast<char>((size >> (8 * i)) & 0xFF);
    file += std::string(4, '\0');
    for (int i = 0; i < 4; ++i)
        file += static_cast<char>((offset >> (8 * i)) & 0xFF);
    file.append(reinterpret_cast<const char*>(dib.data()), dib.size());
    std::string rel = relative;
    for (char& c : rel) {
        if (c == '\\')
            c = '/';
    }
    const auto path = dir_ / rel;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << file;
}

void Pump() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

} // namespace qx::testing

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
