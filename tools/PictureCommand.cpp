// qxkat-tool picture: one picture loaded as the program loads it, written
// as a binary PPM, so that catalogue authors see what a screen would show.

#include "Commands.h"

#include "catalog/Picture.h"
#include "ground/GlobalState.h"
#include "platform/core/DibPixels.h"
#include "platform/core/Path.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>

namespace fs = std::filesystem;

namespace qx::tool {

namespace {

int PictureUsage() {
    std::fputs("usage: qxkat-tool picture FILE --ppm OUT [--color-depth N]\n", stderr);
    return 2;
}

bool WritePpm(const fs::path& out, const Pixels& px) {
    std::string bytes = "P6\n" + std::to_string(px.width) + " " + std::to_string(px.height) + "\n255\n";
    bytes.reserve(bytes.size() + px.argb.size() * 3);
    for (std::uint32_t c : px.argb) {
        bytes += static_cast<char>(c >> 16);
        bytes += static_cast<char>(c >> 8);
        bytes += static_cast<char>(c);
    }
    std::ofstream f(out, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(f.flush());
}

} // namespace

int Picture(const std::vector<std::string>& args) {
    if (args.empty() || args[0].rfind("--", 0) == 0)
        return PictureUsage();
    const std::string& file = args[0];
    std::string ppm;
    // The program reduces JPEGs to 256 colours on 8-bit screens only; the
    // screens it meets today are deeper.
    int colorDepth = 24;
    for (std::size_t i = 1; i < args.size(); i += 2) {
        if (i + 1 >= args.size())
            return PictureUsage();
        if (args[i] == "--ppm") {
            ppm = args[i + 1];
        } else if (args[i] == "--color-depth") {
            colorDepth = std::atoi(args[i + 1].c_str());
        } else {
            return PictureUsage();
        }
    }
    if (ppm.empty())
        return PictureUsage();

    // The file's folder stands for the program directory: the name below it
    // is what a catalogue file would give.
    const fs::path path = fs::absolute(file);
    GlobalState state;
    state.programDir = ToWindowsPath(path.parent_path(), true);
    state.colorDepth = colorDepth;
    const DibHandle picture = LoadPicture(state, path.filename().string());
    const std::optional<Pixels> px = DecodeDib(picture.View());
    if (!px) {
        std::fprintf(stderr, "qxkat-tool: %s: no picture (missing, unreadable or a kind the program cannot show)\n",
                     file.c_str());
        return 1;
    }
    if (!WritePpm(ppm, *px)) {
        std::fprintf(stderr, "qxkat-tool: cannot write %s\n", ppm.c_str());
        return 1;
    }
    const std::span<const std::uint8_t> dib = picture.Bytes();
    const int bits = dib[14] | (dib[15] << 8);
    std::printf("%dx%d %d-bit %d colours\n", px->width, px->height, bits, DibColorCount(picture));
    return 0;
}

} // namespace qx::tool
