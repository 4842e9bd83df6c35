// Any bytes as a packed DIB: the header parser and the decoder must never
// read outside the bytes, and what they accept must be self-consistent.
#include "platform/core/DibPixels.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const qx::DibBytes dib{data, size, 0};
    const auto info = qx::ParseDibHeader(dib);
    const auto pixels = qx::DecodeDib(dib);
    if (info.has_value() != pixels.has_value())
        __builtin_trap();
    if (!info)
        return 0;
    if (info->width <= 0 || info->height <= 0 || info->bitsOffset > size ||
        info->stride * static_cast<std::size_t>(info->height) > size - info->bitsOffset)
        __builtin_trap();
    if (pixels->width != info->width || pixels->height != info->height ||
        pixels->argb.size() != static_cast<std::size_t>(info->width) * static_cast<std::size_t>(info->height))
        __builtin_trap();
    for (std::uint32_t px : pixels->argb)
        if ((px >> 24) != 0xFF)
            __builtin_trap();
    // What decodes encodes to a 24-bit DIB that decodes to the same pixels.
    const auto again = qx::EncodeDib24(*pixels);
    const auto back = qx::DecodeDib(qx::DibBytes{again.data(), again.size(), 0});
    if (!back || back->argb != pixels->argb)
        __builtin_trap();
    return 0;
}
