// Bytes of a .bmp file, as LoadPicture reads them, then every accessor and
// the drawing helpers on whatever handle comes out.
#include "catalog/Draw.h"
#include "catalog/Picture.h"
#include "platform/core/DibPixels.h"
#include "platform/core/RecordingDc.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const qx::DibHandle picture = qx::DibFromBmpBytes(std::span<const std::uint8_t>(data, size));
    if (picture.IsNull())
        return 0;
    const qx::Size s = qx::DibSize(picture);
    const std::size_t bits = qx::DibBits(picture);
    if (s.cx <= 0 || s.cy <= 0 || bits > picture.Bytes().size())
        __builtin_trap();
    const qx::Palette palette = qx::MakePalette(picture);
    if (palette.size() < 6 || palette.size() > 256)
        __builtin_trap();
    // A handle promises that the pixels decode within its bytes; keep the
    // decode small enough to stay fast.
    if (static_cast<std::uint64_t>(s.cx) * static_cast<std::uint64_t>(s.cy) <= (1u << 20))
        (void)qx::DecodeDib(picture.View());
    qx::RecordingDc dc;
    qx::DrawDib(dc, picture, 10, 10, qx::kAnchorRight);
    qx::DrawDibStretched(dc, picture, 0, 0, 5, 5, 0, 0);
    return 0;
}
