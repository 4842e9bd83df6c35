#pragma once
// JPEG decoding into a packed DIB, and colour reduction for 8-bit screens.
//
// The DIB produced is the in-memory picture format of the catalogue: a 40-byte
// BITMAPINFOHEADER followed directly by the colour table (none for 24 bits)
// and the pixel rows, bottom row first, each row padded to a multiple of
// four bytes.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace qx {

// Bounds on what a decode may allocate; a stream that declares more is
// refused before any pixel memory is taken.
struct JpegLimits {
    std::uint32_t maxWidth = 16384;
    std::uint32_t maxHeight = 16384;
    std::uint64_t maxOutputBytes = 64ull << 20; // the finished DIB
    int maxScans = 500;                           // progressive scans
};

// Decodes a JPEG stream (baseline, progressive or arithmetic; grey, YCbCr,
// RGB, CMYK, YCCK or other component counts) into a packed 24-bit DIB.
// Grey and CMYK pictures become RGB. A stream cut short decodes as far as its
// data goes (the rest grey), as libjpeg does. Anything unreadable, or larger
// than the limits, gives nothing. Never exits, throws or reads past the input.
std::optional<std::vector<std::uint8_t>> DecodeJpegToDib(std::span<const std::uint8_t> bytes,
                                                         const JpegLimits& limits = {});

// Reduces a 24-bit packed DIB to 8 bits per pixel with a fixed palette of 256
// colours: a 6 x 7 x 6 colour cube (indices 0-251, red slowest) and four
// greys (51, 102, 153, 204; indices 252-255). Each pixel takes the nearest
// entry, so the result depends on the pixels alone. A DIB that is not a
// well-formed uncompressed 24-bit one comes back unchanged.
std::vector<std::uint8_t> ReduceTo256Colors(const std::vector<std::uint8_t>& dib);

} // namespace qx
