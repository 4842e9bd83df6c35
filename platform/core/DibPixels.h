#pragma once
// Decodes a packed DIB (BITMAPINFOHEADER, colour table, bits; 1, 4, 8, 24 and
// 32 bits per pixel, uncompressed, bottom-up or top-down) into 32-bit pixels
// 0xAARRGGBB, top row first. Every declared size is checked against the
// bytes present; a DIB that does not fit gives nothing.

#include "Dc.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace qx {

struct DibInfo {
    int width = 0;
    int height = 0; // always positive
    bool topDown = false;
    int bitCount = 0;
    int colorCount = 0; // entries in the colour table
    std::size_t headerSize = 0;
    std::size_t bitsOffset = 0; // from the start of the packed DIB
    std::size_t stride = 0;     // bytes per row
};

std::optional<DibInfo> ParseDibHeader(const DibBytes& dib);

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb; // width * height, top row first
};

std::optional<Pixels> DecodeDib(const DibBytes& dib);

// Builds a packed 24-bit DIB (bottom-up) from pixels; used by generators and tests.
std::vector<std::uint8_t> EncodeDib24(const Pixels& pixels);

} // namespace qx
