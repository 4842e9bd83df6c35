#pragma once
// Pictures in memory and their loading.
//
// A picture is a packed device-independent bitmap: a BITMAPINFOHEADER (40
// bytes or more), then the colour table (blue, green, red, 0 per colour),
// then the pixel rows. A DibHandle shares one immutable such block; copies
// are cheap and the block goes when the last handle does. A null handle is
// "no picture": every operation here and every drawing call accepts it.
//
// Every non-null handle holds a block whose header, colour table and pixel
// rows all lie inside the bytes, so drawing code never reads past the end.

#include "platform/core/Dc.h"
#include "platform/core/Geometry.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

struct GlobalState;

struct Dib {
    std::vector<std::uint8_t> bytes;
    std::uint64_t serial = 0; // unique per process, never 0
};

class DibHandle {
public:
    DibHandle() = default;

    bool IsNull() const { return dib_ == nullptr; }
    explicit operator bool() const { return dib_ != nullptr; }
    // The packed DIB; empty for a null handle.
    std::span<const std::uint8_t> Bytes() const;
    // Identity of the block, so that screens can cache converted images;
    // 0 for a null handle.
    std::uint64_t Serial() const { return dib_ ? dib_->serial : 0; }
    // The form the device context takes.
    DibBytes View() const;
    void Reset() { dib_.reset(); }

    // Two handles are equal when they share one block (or both are null).
    friend bool operator==(const DibHandle& a, const DibHandle& b) { return a.dib_ == b.dib_; }

private:
    friend DibHandle DibFromBytes(std::vector<std::uint8_t> dib);
    explicit DibHandle(std::shared_ptr<const Dib> dib) : dib_(std::move(dib)) {}
    std::shared_ptr<const Dib> dib_;
};

// A handle for a packed DIB already in memory (a bitmap resource, a decoded
// JPEG). Null when the header is malformed or declares more colours or rows
// than the bytes hold, or the pixel format is one the drawing code cannot
// show (see ParseDibHeader).
DibHandle DibFromBytes(std::vector<std::uint8_t> dib);

// A handle for the bytes of a .bmp file: a 14-byte file header starting with
// "BM", then the DIB in any of the forms NormalizeBmpDib reads, brought into
// the form in memory. The header's offset to the bits is not used: the bits
// must follow the colour table. Null for fewer than 14 bytes, another
// signature, or a DIB that is malformed, damaged past reading or too large.
DibHandle DibFromBmpBytes(std::span<const std::uint8_t> file);

// Loads the picture at programDir + relativePath. The relative part is
// upper-cased; when the whole path in upper case contains "JPG" anywhere
// the file is decoded as JPEG (and
// reduced to 256 colours when colorDepth is 8), otherwise it is read as a
// .bmp file. Null when the file is missing, unreadable, larger than
// kMaxPictureFileBytes or not a picture of the expected kind.
DibHandle LoadPicture(const GlobalState& state, std::string_view relativePath);

inline constexpr std::uint64_t kMaxPictureFileBytes = 64ull << 20;

// "BILDER\<width>\<name>": where the pictures of one screen width lie
// (previews, product, group and requirements pictures).
std::string ScreenPicturePath(int screenWidth, std::string_view name);

// Releases the handle's share of the picture; null is allowed.
void FreePicture(DibHandle& picture);

// Width and height in pixels (height positive for top-down DIBs too);
// (0, 0) for null.
Size DibSize(const DibHandle& picture);

// Entries in the colour table: the header's colours-used value when not
// zero, otherwise 2, 16 or 256 for 1, 4 or 8 bits per pixel and 0 for any
// other bit count. 0 for null.
int DibColorCount(const DibHandle& picture);

// Offset of the pixel bits from the start of the DIB: header size + 4 x
// colour count. 0 for null.
std::size_t DibBits(const DibHandle& picture);

struct PaletteEntry {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};
using Palette = std::vector<PaletteEntry>;

// The six colours every page draws with, in palette order.
inline constexpr PaletteEntry kFixedPalette[6] = {
    {0, 0, 0}, {255, 255, 255}, {255, 0, 52}, {128, 128, 128}, {192, 192, 192}, {0, 82, 255},
};

// A palette for showing the picture on a palette screen: the six fixed
// colours, then the picture's colours 0 to n - 7, where n is its colour
// count (at most 256). When there is no picture or n < 7 it is just the six.
Palette MakePalette(const DibHandle& picture);

} // namespace qx
