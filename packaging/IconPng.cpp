// qxkat-icon-png: writes the program's window icon as PNG files for the
// desktop's menu, enlarged pixel for pixel so its art stays crisp.
// Usage: qxkat-icon-png OUT-DIR SIZE... (each SIZE a multiple of the icon's width)

#include "platform/core/DibPixels.h"
#include "platform/core/FileIo.h"
#include "resources/Bitmaps.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::uint32_t Crc32(std::string_view bytes) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (unsigned char b : bytes)
        c = table[(c ^ b) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void Put32(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((v >> shift) & 0xFF);
}

void Chunk(std::string& png, std::string_view type, std::string_view data) {
    Put32(png, static_cast<std::uint32_t>(data.size()));
    std::string body(type);
    body += data;
    png += body;
    Put32(png, Crc32(body));
}

// A zlib stream of stored blocks: an icon is small, so no compression is needed.
std::string Stored(std::string_view raw) {
    std::string z("\x78\x01", 2);
    std::uint32_t a = 1, b = 0;
    for (unsigned char ch : raw) {
        a = (a + ch) % 65521;
        b = (b + a) % 65521;
    }
    std::size_t pos = 0;
    do {
        const std::size_t n = std::min<std::size_t>(raw.size() - pos, 65535);
        z += static_cast<char>(pos + n == raw.size() ? 1 : 0);
        z += static_cast<char>(n & 0xFF);
        z += static_cast<char>(n >> 8);
        z += static_cast<char>(~n & 0xFF);
        z += static_cast<char>((~n >> 8) & 0xFF);
        z.append(raw.substr(pos, n));
        pos += n;
    } while (pos < raw.size());
    Put32(z, (b << 16) | a);
    return z;
}

std::string Png(const qx::Pixels& px, int size) {
    const int scale = size / px.width;
    std::string raw;
    for (int y = 0; y < size; ++y) {
        raw += '\0'; // no filter
        for (int x = 0; x < size; ++x) {
            const std::uint32_t argb = px.argb[static_cast<std::size_t>((y / scale) * px.width + x / scale)];
            raw += static_cast<char>((argb >> 16) & 0xFF);
            raw += static_cast<char>((argb >> 8) & 0xFF);
            raw += static_cast<char>(argb & 0xFF);
        }
    }
    std::string png("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    Put32(header, static_cast<std::uint32_t>(size));
    Put32(header, static_cast<std::uint32_t>(size));
    header += std::string("\x08\x02\x00\x00\x00", 5); // 8-bit RGB
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", Stored(raw));
    Chunk(png, "IEND", {});
    return png;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::uint8_t> dib = qx::AppIconBitmap();
    const auto px = qx::DecodeDib(qx::DibBytes{dib.data(), dib.size(), 0});
    if (argc < 3 || !px) {
        std::fputs("usage: qxkat-icon-png OUT-DIR SIZE...\n", stderr);
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size < px->width || size % px->width != 0) {
            std::fprintf(stderr, "qxkat-icon-png: %s is no multiple of %d\n", argv[i], px->width);
            return 2;
        }
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const std::filesystem::path dir = std::filesystem::path(argv[1]) / name / "apps";
        std::filesystem::create_directories(dir);
        if (!qx::WriteFileAtomic(dir / "qxkat.png", Png(*px, size))) {
            std::fprintf(stderr, "qxkat-icon-png: cannot write %s\n", (dir / "qxkat.png").c_str());
            return 1;
        }
    }
    return 0;
}
