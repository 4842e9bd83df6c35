#include "BmpFile.h"
#include "platform/core/DibPixels.h"
#include "platform/core/LittleEndian.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace qx {

namespace {

using le::Put16;
using le::Put32;
using le::U16;
using le::U32;

constexpr std::uint64_t kMaxSide = kMaxDibSide;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::size_t kOs2HeaderSize = 64;

std::uint64_t Stride(std::uint64_t width, unsigned bits) { return (width * bits + 31) / 32 * 4; }

struct Source {
    std::uint32_t headerSize = 0;
    std::uint64_t width = 0;
    std::uint64_t height = 0;
    bool topDown = false;
    unsigned bitCount = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t colorsUsed = 0; // as written (0 for OS/2 1.x headers)
    std::uint64_t colors = 0;     // entries in the colour table
    unsigned entrySize = 4;       // 3 for OS/2 1.x colour triples
    std::uint64_t tableOffset = 0;
    std::uint64_t bitsOffset = 0;
    std::array<std::uint32_t, 3> masks{}; // red, green, blue
};

std::optional<Source> ReadHeader(std::span<const std::uint8_t> dib) {
    if (dib.size() < kCoreHeaderSize)
        return std::nullopt;
    const std::uint8_t* p = dib.data();
    Source s;
    s.headerSize = U32(p);
    std::int64_t width = 0;
    std::int64_t height = 0;
    unsigned planes = 0;
    if (s.headerSize == kCoreHeaderSize) {
        // OS/2 1.x: 16-bit unsigned sides, always bottom-up, a full table of
        // colour triples.
        width = U16(p + 4);
        height = U16(p + 6);
        planes = U16(p + 8);
        s.bitCount = U16(p + 10);
        s.entrySize = 3;
    } else if (s.headerSize == 40 || s.headerSize == 52 || s.headerSize == 56 || s.headerSize == kOs2HeaderSize ||
               s.headerSize == 108 || s.headerSize == 124) {
        if (dib.size() < s.headerSize)
            return std::nullopt;
        width = static_cast<std::int32_t>(U32(p + 4));
        height = static_cast<std::int32_t>(U32(p + 8));
        planes = U16(p + 12);
        s.bitCount = U16(p + 14);
        s.compression = U32(p + 16);
        s.colorsUsed = U32(p + 32);
        // OS/2 2.x numbers Huffman and RLE24 where Windows has bit fields.
        if (s.headerSize == kOs2HeaderSize && s.compression > kBiRle4)
            return std::nullopt;
    } else {
        return std::nullopt;
    }
    s.topDown = height < 0;
    s.width = static_cast<std::uint64_t>(width < 0 ? 0 : width);
    s.height = static_cast<std::uint64_t>(height < 0 ? -height : height);
    if (planes != 1 || s.width == 0 || s.width > kMaxSide || s.height == 0 || s.height > kMaxSide)
        return std::nullopt;

    switch (s.bitCount) {
    case 1:
        if (s.compression != kBiRgb)
            return std::nullopt;
        break;
    case 4:
        if (s.compression != kBiRgb && s.compression != kBiRle4)
            return std::nullopt;
        break;
    case 8:
        if (s.compression != kBiRgb && s.compression != kBiRle8)
            return std::nullopt;
        break;
    case 24:
        if (s.compression != kBiRgb)
            return std::nullopt;
        break;
    case 16:
    case 32:
        if (s.compression != kBiRgb && s.compression != kBiBitfields)
            return std::nullopt;
        break;
    default:
        return std::nullopt;
    }

    s.colors = s.colorsUsed;
    if (s.bitCount <= 8) {
        const std::uint64_t full = std::uint64_t{1} << s.bitCount;
        if (s.colors == 0)
            s.colors = full;
        else if (s.colors > full)
            return std::nullopt;
    }

    std::uint64_t offset = s.headerSize;
    if (s.compression == kBiBitfields) {
        const auto masks = ReadColorMasks(p, dib.size(), s.headerSize);
        if (!masks)
            return std::nullopt;
        s.masks = *masks;
        // After a 40-byte header the three masks follow it.
        if (s.headerSize == kInfoHeaderSize)
            offset += 12;
    } else if (s.bitCount == 16) {
        s.masks = {0x7C00, 0x03E0, 0x001F}; // 5-5-5
    }
    s.tableOffset = offset;
    offset += s.entrySize * s.colors; // at most 4 x 2^32: no overflow in 64 bits
    if (offset > dib.size())
        return std::nullopt;
    s.bitsOffset = offset;
    return s;
}

// Draws an RLE8 or RLE4 stream into rows of `stride` bytes, in the order the
// stream draws them. Each step consumes input, and runs are cut at the row's
// end before they are drawn, so the work is bounded by input and output.
void DecodeRle(std::span<const std::uint8_t> in, bool four, std::uint64_t width, std::uint64_t height,
               std::uint8_t* rows, std::uint64_t stride) {
    auto set = [&](std::uint64_t x, std::uint64_t y, std::uint8_t v) {
        std::uint8_t* row = rows + y * stride;
        if (four) {
            std::uint8_t& b = row[x >> 1];
            b = (x & 1) ? static_cast<std::uint8_t>((b & 0xF0) | (v & 0x0F))
                        : static_cast<std::uint8_t>((b & 0x0F) | (v << 4));
        } else {
            row[x] = v;
        }
    };
    // The i-th pixel of a run or literal, from its byte.
    auto nibble = [four](std::uint8_t byte, std::uint64_t i) -> std::uint8_t {
        if (!four)
            return byte;
        return (i & 1) ? static_cast<std::uint8_t>(byte & 0x0F) : static_cast<std::uint8_t>(byte >> 4);
    };

    std::size_t p = 0;
    std::uint64_t x = 0;
    std::uint64_t y = 0;
    while (y < height && in.size() - p >= 2) {
        const std::uint8_t n = in[p];
        const std::uint8_t c = in[p + 1];
        p += 2;
        if (n != 0) { // a run of n pixels
            const std::uint64_t drawn = x < width ? std::min<std::uint64_t>(n, width - x) : 0;
            for (std::uint64_t i = 0; i < drawn; ++i)
                set(x + i, y, nibble(c, i));
            x = std::min<std::uint64_t>(x + n, width);
            continue;
        }
        if (c == 0) { // end of line
            x = 0;
            ++y;
        } else if (c == 1) { // end of bitmap
            return;
        } else if (c == 2) { // delta: move right and down
            if (in.size() - p < 2)
                return;
            x = std::min<std::uint64_t>(x + in[p], width);
            y += in[p + 1];
            p += 2;
        } else { // c literal pixels, padded to a 16-bit boundary
            const std::uint64_t bytes = four ? (c + 1u) / 2 : c;
            const std::uint64_t padded = bytes + (bytes & 1);
            const std::uint64_t avail = in.size() - p;
            const std::uint64_t drawn = x < width ? std::min<std::uint64_t>(c, width - x) : 0;
            for (std::uint64_t i = 0; i < drawn; ++i) {
                const std::uint64_t at = four ? i / 2 : i;
                if (at >= avail)
                    return;
                set(x + i, y, nibble(in[p + at], i));
            }
            if (padded > avail)
                return;
            p += padded;
            x = std::min<std::uint64_t>(x + c, width);
        }
    }
}

} // namespace

std::optional<std::vector<std::uint8_t>> NormalizeBmpDib(std::span<const std::uint8_t> dib) {
    const std::optional<Source> s = ReadHeader(dib);
    if (!s)
        return std::nullopt;
    // Already the form in memory: taken as it is.
    if (s->headerSize == kInfoHeaderSize && s->compression == kBiRgb && s->bitCount != 16)
        return std::vector<std::uint8_t>(dib.begin(), dib.end());

    const bool rle = s->compression == kBiRle8 || s->compression == kBiRle4;
    const bool convert = s->bitCount == 16 || s->compression == kBiBitfields;
    const unsigned outBits = convert ? 24 : s->bitCount;
    const std::uint64_t inStride = Stride(s->width, s->bitCount);
    const std::uint64_t outStride = Stride(s->width, outBits);
    const std::uint64_t tableBytes = 4 * s->colors;
    const std::uint64_t bitsBytes = outStride * s->height;
    // Rows stored as they are must all be there; an RLE stream is as long as
    // it is.
    if (!rle && inStride * s->height > dib.size() - s->bitsOffset)
        return std::nullopt;
    if (kInfoHeaderSize + tableBytes + bitsBytes > kMaxDibBytes)
        return std::nullopt;

    std::vector<std::uint8_t> out(static_cast<std::size_t>(kInfoHeaderSize + tableBytes + bitsBytes), 0);
    std::uint8_t* h = out.data();
    Put32(h, kInfoHeaderSize);
    Put32(h + 4, static_cast<std::uint32_t>(s->width));
    const auto height = static_cast<std::int32_t>(s->height);
    Put32(h + 8, static_cast<std::uint32_t>(s->topDown ? -height : height));
    Put16(h + 12, 1);
    Put16(h + 14, outBits);
    Put32(h + 16, kBiRgb);
    Put32(h + 20, static_cast<std::uint32_t>(bitsBytes));
    Put32(h + 32, s->colorsUsed);

    const std::uint8_t* table = dib.data() + s->tableOffset;
    std::uint8_t* outTable = h + kInfoHeaderSize;
    for (std::uint64_t i = 0; i < s->colors; ++i) {
        const std::uint8_t* e = table + s->entrySize * i;
        std::uint8_t* o = outTable + 4 * i;
        o[0] = e[0];
        o[1] = e[1];
        o[2] = e[2];
    }

    std::uint8_t* outBitsStart = outTable + tableBytes;
    const std::uint8_t* inBits = dib.data() + s->bitsOffset;
    if (rle) {
        DecodeRle(dib.subspan(static_cast<std::size_t>(s->bitsOffset)), s->compression == kBiRle4, s->width,
                  s->height, outBitsStart, outStride);
        return out;
    }
    if (!convert) {
        std::memcpy(outBitsStart, inBits, static_cast<std::size_t>(bitsBytes));
        return out;
    }
    const MaskChannel red(s->masks[0]), green(s->masks[1]), blue(s->masks[2]);
    for (std::uint64_t y = 0; y < s->height; ++y) {
        const std::uint8_t* src = inBits + y * inStride;
        std::uint8_t* dst = outBitsStart + y * outStride;
        for (std::uint64_t x = 0; x < s->width; ++x) {
            const std::uint32_t px = s->bitCount == 16 ? U16(src + 2 * x) : U32(src + 4 * x);
            dst[3 * x] = blue.Get(px);
            dst[3 * x + 1] = green.Get(px);
            dst[3 * x + 2] = red.Get(px);
        }
    }
    return out;
}

} // namespace qx
