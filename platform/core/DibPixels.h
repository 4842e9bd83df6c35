#pragma once
// Decodes a packed DIB (BITMAPINFOHEADER, colour table, bits; 1, 4, 8, 24 and
// 32 bits per pixel, uncompressed, bottom-up or top-down) into 32-bit pixels
// 0xAARRGGBB, top row first. Every declared size is checked against the
// bytes present; a DIB that does not fit gives nothing.
//
// Accepted: a header of 40 bytes (BITMAPINFOHEADER) or 108/124 (V4/V5);
// one plane; width 1..32768, height 1..32768 either way up; BI_RGB, or
// BI_BITFIELDS for 32 bits (masks after a 40-byte header, inside the larger
// ones; each mask one run of bits, not all zero). The colour table follows the
// header (and masks) with biClrUsed entries of 4 bytes (blue, green, red, 0);
// 0 means 2^bits for up to 8 bits, more than 2^bits is refused. The bits
// follow the colour table directly, rows padded to 4 bytes. All sizes are
// computed in 64 bits. Pixels are always opaque (alpha 0xFF, as GDI ignores
// it); a palette index past the colour table gives black.

#include "Dc.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace qx {

// Compression codes of the bitmap header.
inline constexpr std::uint32_t kBiRgb = 0;
inline constexpr std::uint32_t kBiRle8 = 1;
inline constexpr std::uint32_t kBiRle4 = 2;
inline constexpr std::uint32_t kBiBitfields = 3;
// The largest width or height a bitmap may have.
inline constexpr std::int64_t kMaxDibSide = 32768;

struct DibInfo {
    int width = 0;
    int height = 0; // always positive
    bool topDown = false;
    int bitCount = 0;
    int colorCount = 0; // entries in the colour table
    std::size_t headerSize = 0;
    std::size_t bitsOffset = 0; // from the start of the packed DIB
    std::size_t stride = 0;     // bytes per row
    std::array<std::uint32_t, 3> masks{}; // red, green, blue of BI_BITFIELDS; all zero for BI_RGB
};

std::optional<DibInfo> ParseDibHeader(const DibBytes& dib);

// The red, green and blue masks of a BI_BITFIELDS header of headerSize bytes
// at p, with size bytes present from p: after a 40-byte header they follow it
// (12 more bytes), the larger headers hold them. Nothing when the bytes are
// missing, all three are zero or one is not a single run of set bits (a zero
// mask alone is allowed: its channel reads 0).
std::optional<std::array<std::uint32_t, 3>> ReadColorMasks(const std::uint8_t* p, std::size_t size,
                                                           std::uint64_t headerSize);

// One colour channel of a bit-field pixel, scaled to 0..255.
class MaskChannel {
public:
    explicit MaskChannel(std::uint32_t mask);
    std::uint8_t Get(std::uint32_t px) const;

private:
    std::uint32_t mask_ = 0;
    int shift_ = 0;
    int bits_ = 0;
};

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb; // width * height, top row first
};

std::optional<Pixels> DecodeDib(const DibBytes& dib);

// Builds a packed 24-bit DIB (40-byte header with biSizeImage, bottom-up rows)
// from pixels; used by generators and tests. Empty when the pixels are not
// width x height values or a dimension is outside 1..32768.
std::vector<std::uint8_t> EncodeDib24(const Pixels& pixels);

} // namespace qx
