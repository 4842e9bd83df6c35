#pragma once
// The DIB part of a .bmp file (what follows its 14-byte file header) brought
// into the one form pictures have in memory: a 40-byte BITMAPINFOHEADER, the
// colour table (blue, green, red, 0 per colour) and uncompressed rows of 1,
// 4, 8, 24 or 32 bits.
//
// Read: headers of 12 (OS/2 1.x), 40, 52, 56, 64 (OS/2 2.x), 108 and 124
// bytes; 1, 4 and 8 bits with a colour table of up to 2^bits colours; RLE8
// and RLE4; 16 bits (5-5-5, or bit fields such as 5-6-5), 24 bits, 32 bits
// plain or with bit fields; rows bottom-up or top-down. 16-bit and bit-field
// pictures become 24 bits, RLE pictures their uncompressed 8 or 4 bits, OS/2
// colour triples colour quads. The bits follow the colour table (and the
// masks after a 40-byte header); the file header's offset is not used.
//
// Every declared size is checked against the bytes present, in 64 bits.
// Uncompressed rows must all be there. An RLE stream that is cut short, or
// that runs past the picture, keeps what it drew; pixels it never reaches
// take colour 0. A side above 32768 pixels, a result above kMaxDibBytes, or
// anything else that does not fit gives nothing.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace qx {

// As much as a decoded JPEG may take: no catalogue picture comes near it.
inline constexpr std::uint64_t kMaxDibBytes = 64ull << 20;

std::optional<std::vector<std::uint8_t>> NormalizeBmpDib(std::span<const std::uint8_t> dib);

} // namespace qx
