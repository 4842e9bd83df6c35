#include "platform/core/DibPixels.h"
#include "platform/core/LittleEndian.h"

#include <bit>

namespace qx {

namespace {

using le::Put16;
using le::Put32;
using le::U16;
using le::U32;

constexpr std::uint32_t Argb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

} // namespace

std::optional<std::array<std::uint32_t, 3>> ReadColorMasks(const std::uint8_t* p, std::size_t size,
                                                           std::uint64_t headerSize) {
    if (headerSize == 40 && size < 52)
        return std::nullopt;
    const std::array<std::uint32_t, 3> masks{U32(p + 40), U32(p + 44), U32(p + 48)};
    if (masks == std::array<std::uint32_t, 3>{})
        return std::nullopt;
    for (std::uint32_t m : masks) {
        if (m == 0)
            continue;
        const std::uint32_t shifted = m >> std::countr_zero(m);
        if ((shifted & (shifted + 1)) != 0)
            return std::nullopt;
    }
    return masks;
}

MaskChannel::MaskChannel(std::uint32_t mask) : mask_(mask) {
    if (mask != 0) {
        shift_ = std::countr_zero(mask);
        bits_ = std::popcount(mask);
    }
}

std::uint8_t MaskChannel::Get(std::uint32_t px) const {
    if (bits_ == 0)
        return 0;
    const std::uint32_t v = (px & mask_) >> shift_;
    if (bits_ >= 8)
        return static_cast<std::uint8_t>(v >> (bits_ - 8));
    return static_cast<std::uint8_t>(v * 255u / ((1u << bits_) - 1u));
}

std::optional<DibInfo> ParseDibHeader(const DibBytes& dib) {
    if (!dib.data || dib.size < 40)
        return std::nullopt;
    const std::uint8_t* p = dib.data;
    const std::uint32_t headerSize = U32(p);
    // BITMAPINFOHEADER, BITMAPV4HEADER, BITMAPV5HEADER.
    if (headerSize != 40 && headerSize != 108 && headerSize != 124)
        return std::nullopt;
    if (dib.size < headerSize)
        return std::nullopt;
    const auto width = static_cast<std::int32_t>(U32(p + 4));
    const auto height = static_cast<std::int32_t>(U32(p + 8));
    const std::uint16_t planes = U16(p + 12);
    const std::uint16_t bitCount = U16(p + 14);
    const std::uint32_t compression = U32(p + 16);
    const std::uint32_t colorsUsed = U32(p + 32);

    const std::int64_t absHeight = height < 0 ? -static_cast<std::int64_t>(height) : height;
    if (planes != 1 || width <= 0 || width > kMaxDibSide || absHeight == 0 || absHeight > kMaxDibSide)
        return std::nullopt;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
        return std::nullopt;
    if (compression != kBiRgb && !(compression == kBiBitfields && bitCount == 32))
        return std::nullopt;

    DibInfo info;
    info.width = width;
    info.height = static_cast<int>(absHeight);
    info.topDown = height < 0;
    info.bitCount = bitCount;
    info.headerSize = headerSize;

    std::uint64_t colors = colorsUsed;
    if (bitCount <= 8) {
        const std::uint64_t full = std::uint64_t{1} << bitCount;
        if (colors == 0)
            colors = full;
        else if (colors > full)
            return std::nullopt;
    }
    // With a 40-byte header the three masks of BI_BITFIELDS follow it; the
    // larger headers hold them.
    std::uint64_t offset = headerSize;
    if (compression == kBiBitfields) {
        const auto masks = ReadColorMasks(p, dib.size, headerSize);
        if (!masks)
            return std::nullopt;
        info.masks = *masks;
        if (headerSize == 40)
            offset += 12;
    }
    offset += 4 * colors; // at most 4 * 2^32: no overflow in 64 bits
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
    const std::uint64_t bitsSize = stride * static_cast<std::uint64_t>(absHeight);
    if (offset > dib.size || bitsSize > dib.size - offset)
        return std::nullopt;
    info.colorCount = static_cast<int>(colors);
    info.bitsOffset = static_cast<std::size_t>(offset);
    info.stride = static_cast<std::size_t>(stride);
    return info;
}

std::optional<Pixels> DecodeDib(const DibBytes& dib) {
    const auto info = ParseDibHeader(dib);
    if (!info)
        return std::nullopt;

    // The colour table, padded with black: an index past its end is black.
    std::uint32_t palette[256];
    for (auto& c : palette)
        c = Argb(0, 0, 0);
    if (info->bitCount <= 8) {
        const std::uint8_t* table = dib.data + info->bitsOffset - 4 * static_cast<std::size_t>(info->colorCount);
        for (int i = 0; i < info->colorCount && i < 256; ++i) {
            const std::uint8_t* e = table + 4 * i;
            palette[i] = Argb(e[2], e[1], e[0]); // RGBQUAD: blue, green, red, reserved
        }
    }
    const bool bitfields = info->masks != std::array<std::uint32_t, 3>{};
    const MaskChannel red(info->masks[0]), green(info->masks[1]), blue(info->masks[2]);

    Pixels out;
    out.width = info->width;
    out.height = info->height;
    const auto w = static_cast<std::size_t>(info->width);
    const auto h = static_cast<std::size_t>(info->height);
    out.argb.resize(w * h);
    for (std::size_t y = 0; y < h; ++y) {
        const std::size_t srcRow = info->topDown ? y : h - 1 - y;
        const std::uint8_t* row = dib.data + info->bitsOffset + srcRow * info->stride;
        std::uint32_t* dst = out.argb.data() + y * w;
        switch (info->bitCount) {
        case 1:
            for (std::size_t x = 0; x < w; ++x)
                dst[x] = palette[(row[x >> 3] >> (7 - (x & 7))) & 1];
            break;
        case 4:
            for (std::size_t x = 0; x < w; ++x)
                dst[x] = palette[(x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4)];
            break;
        case 8:
            for (std::size_t x = 0; x < w; ++x)
                dst[x] = palette[row[x]];
            break;
        case 24:
            for (std::size_t x = 0; x < w; ++x) {
                const std::uint8_t* s = row + 3 * x;
                dst[x] = Argb(s[2], s[1], s[0]);
            }
            break;
        case 32:
            for (std::size_t x = 0; x < w; ++x) {
                const std::uint8_t* s = row + 4 * x;
                if (bitfields) {
                    const std::uint32_t px = U32(s);
                    dst[x] = Argb(red.Get(px), green.Get(px), blue.Get(px));
                } else {
                    dst[x] = Argb(s[2], s[1], s[0]); // the fourth byte is unused
                }
            }
            break;
        }
    }
    return out;
}

std::vector<std::uint8_t> EncodeDib24(const Pixels& pixels) {
    if (pixels.width <= 0 || pixels.height <= 0 || pixels.width > kMaxDibSide || pixels.height > kMaxDibSide)
        return {};
    const auto w = static_cast<std::size_t>(pixels.width);
    const auto h = static_cast<std::size_t>(pixels.height);
    if (pixels.argb.size() != w * h)
        return {};
    const std::size_t stride = (w * 24 + 31) / 32 * 4;
    std::vector<std::uint8_t> out(40 + stride * h, 0);
    std::uint8_t* p = out.data();
    Put32(p, 40);
    Put32(p + 4, static_cast<std::uint32_t>(pixels.width));
    Put32(p + 8, static_cast<std::uint32_t>(pixels.height)); // positive: bottom-up
    Put16(p + 12, 1);
    Put16(p + 14, 24);
    Put32(p + 16, kBiRgb);
    Put32(p + 20, static_cast<std::uint32_t>(stride * h));
    for (std::size_t y = 0; y < h; ++y) {
        std::uint8_t* row = p + 40 + (h - 1 - y) * stride;
        const std::uint32_t* src = pixels.argb.data() + y * w;
        for (std::size_t x = 0; x < w; ++x) {
            row[3 * x] = static_cast<std::uint8_t>(src[x]);           // blue
            row[3 * x + 1] = static_cast<std::uint8_t>(src[x] >> 8);  // green
            row[3 * x + 2] = static_cast<std::uint8_t>(src[x] >> 16); // red
        }
    }
    return out;
}

} // namespace qx
