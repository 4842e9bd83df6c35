// Bytes of a JPEG file, as LoadPicture hands them to the decoder, then the
// 8-bit reduction of whatever comes out.
#include "catalog/Picture.h"
#include "platform/jpeg/Jpeg.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The program's own limits: what it would take, the fuzzer takes too.
    const qx::JpegLimits limits;
    const auto dib = qx::DecodeJpegToDib(std::span<const std::uint8_t>(data, size), limits);
    if (!dib)
        return 0;
    if (dib->size() > limits.maxOutputBytes)
        __builtin_trap();
    // What the decoder makes must pass as a picture, before and after reduction.
    if (qx::DibFromBytes(*dib).IsNull())
        __builtin_trap();
    if (qx::DibFromBytes(qx::ReduceTo256Colors(*dib)).IsNull())
        __builtin_trap();
    return 0;
}
