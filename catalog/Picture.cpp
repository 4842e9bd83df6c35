#include "Picture.h"

#include "BmpFile.h"
#include "ground/GlobalState.h"
#include "platform/core/DibPixels.h"
#include "platform/core/Path.h"
#include "platform/jpeg/Jpeg.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace qx {

namespace {

constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kFileHeaderSize = 14;
constexpr int kMaxPaletteSize = 256;

std::uint32_t GetU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint16_t GetU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

// The colour count of the raw header; the caller has checked that 40 bytes
// are there.
std::uint64_t ColorCountOf(const std::uint8_t* header) {
    const std::uint32_t used = GetU32(header + 32);
    if (used != 0)
        return used;
    switch (GetU16(header + 14)) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

std::uint64_t NextSerial() {
    static std::atomic<std::uint64_t> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
}

// Reads a whole file of at most kMaxPictureFileBytes.
std::optional<std::vector<std::uint8_t>> ReadPictureFile(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size > kMaxPictureFileBytes)
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    // A file that shrank since its size was taken is as unreadable as a
    // truncated one.
    if (static_cast<std::uintmax_t>(in.gcount()) != size)
        return std::nullopt;
    return bytes;
}

std::string UpperAscii(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

} // namespace

std::span<const std::uint8_t> DibHandle::Bytes() const {
    if (!dib_)
        return {};
    return dib_->bytes;
}

DibBytes DibHandle::View() const {
    if (!dib_)
        return {};
    return DibBytes{dib_->bytes.data(), dib_->bytes.size(), dib_->serial};
}

DibHandle DibFromBytes(std::vector<std::uint8_t> dib) {
    if (dib.size() < kInfoHeaderSize)
        return {};
    // Our own accessors (colour count, bits offset, palette) read the header
    // and colour table by the header's word; those must be inside the block.
    const std::uint64_t headerSize = GetU32(dib.data());
    if (headerSize < kInfoHeaderSize || headerSize > dib.size())
        return {};
    if (ColorCountOf(dib.data()) > (dib.size() - headerSize) / 4)
        return {};
    // The pixel rows are the drawing code's business: accept only what it
    // can decode within the bytes present (a width and a height included).
    if (!ParseDibHeader(DibBytes{dib.data(), dib.size(), 0}))
        return {};
    auto block = std::make_shared<Dib>();
    block->bytes = std::move(dib);
    block->serial = NextSerial();
    return DibHandle(std::move(block));
}

DibHandle DibFromBmpBytes(std::span<const std::uint8_t> file) {
    if (file.size() < kFileHeaderSize || file[0] != 'B' || file[1] != 'M')
        return {};
    std::optional<std::vector<std::uint8_t>> dib = NormalizeBmpDib(file.subspan(kFileHeaderSize));
    if (!dib)
        return {};
    return DibFromBytes(std::move(*dib));
}

DibHandle LoadPicture(const GlobalState& state, std::string_view relativePath) {
    // Only the catalogue's own part changes case: the program directory is a
    // real folder that may have a sibling differing in case alone.
    const std::string fullPath = state.programDir.str() + UpperAscii(std::string(relativePath));

    const std::optional<std::vector<std::uint8_t>> bytes = ReadPictureFile(ResolvePath(fullPath));
    if (!bytes)
        return {};
    // The route is chosen by name alone, the whole path in upper case: a .bmp
    // below a folder called "jpgs" goes to the JPEG decoder too, and fails
    // there.
    if (UpperAscii(fullPath).find("JPG") != std::string::npos) {
        std::optional<std::vector<std::uint8_t>> dib = DecodeJpegToDib(*bytes);
        if (!dib)
            return {};
        if (state.colorDepth == 8)
            return DibFromBytes(ReduceTo256Colors(*dib));
        return DibFromBytes(std::move(*dib));
    }
    return DibFromBmpBytes(*bytes);
}

std::string ScreenPicturePath(int screenWidth, std::string_view name) {
    std::string path = "BILDER\\" + std::to_string(screenWidth) + "\\";
    path += name;
    return path;
}

void FreePicture(DibHandle& picture) {
    picture.Reset();
}

Size DibSize(const DibHandle& picture) {
    const std::span<const std::uint8_t> bytes = picture.Bytes();
    if (bytes.size() < kInfoHeaderSize)
        return {};
    const auto width = static_cast<std::int32_t>(GetU32(bytes.data() + 4));
    const auto height = static_cast<std::int32_t>(GetU32(bytes.data() + 8));
    // A block has width > 0 and a height other than INT32_MIN (checked at
    // construction), so the negation is safe.
    return Size{width, height < 0 ? -height : height};
}

int DibColorCount(const DibHandle& picture) {
    const std::span<const std::uint8_t> bytes = picture.Bytes();
    if (bytes.size() < kInfoHeaderSize)
        return 0;
    // Bounded by the block size at construction.
    return static_cast<int>(std::min<std::uint64_t>(ColorCountOf(bytes.data()), INT32_MAX));
}

std::size_t DibBits(const DibHandle& picture) {
    const std::span<const std::uint8_t> bytes = picture.Bytes();
    if (bytes.size() < kInfoHeaderSize)
        return 0;
    return static_cast<std::size_t>(GetU32(bytes.data()) + 4 * ColorCountOf(bytes.data()));
}

Palette MakePalette(const DibHandle& picture) {
    int n = std::min(DibColorCount(picture), kMaxPaletteSize);
    if (n < 7)
        n = 6;
    Palette palette(kFixedPalette, kFixedPalette + 6);
    palette.reserve(static_cast<std::size_t>(n));
    const std::span<const std::uint8_t> bytes = picture.Bytes();
    const std::size_t table = bytes.empty() ? 0 : GetU32(bytes.data());
    for (int i = 0; i < n - 6; ++i) {
        const std::uint8_t* quad = bytes.data() + table + 4 * static_cast<std::size_t>(i);
        palette.push_back(PaletteEntry{quad[2], quad[1], quad[0]});
    }
    return palette;
}

} // namespace qx
