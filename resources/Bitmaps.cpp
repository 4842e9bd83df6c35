#include "Bitmaps.h"

#include "platform/core/DibPixels.h"

#include <string_view>

namespace qx {

namespace {

// One character per pixel; the legend maps characters to colours.
struct Legend {
    char key;
    std::uint32_t argb;
};

std::vector<std::uint8_t> FromArt(const std::string_view* rows, int height, const Legend* legend, int n) {
    Pixels px;
    px.width = static_cast<int>(rows[0].size());
    px.height = height;
    px.argb.assign(static_cast<std::size_t>(px.width) * static_cast<std::size_t>(height), 0xFFFFFFFFu);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < px.width && x < static_cast<int>(rows[y].size()); ++x) {
            for (int i = 0; i < n; ++i) {
                if (legend[i].key == rows[y][static_cast<std::size_t>(x)])
                    px.argb[static_cast<std::size_t>(y * px.width + x)] = legend[i].argb;
            }
        }
    }
    return EncodeDib24(px);
}

} // namespace

std::vector<std::uint8_t> SealBitmap() {
    // A red rosette with a white tick: "checked and sealed".
    static constexpr std::string_view art[] = {
        "......rr..rr......",
        "...rr.rrrrrr.rr...",
        "...rrrrRRRRrrrr...",
        ".rrrRRRRRRRRRRrrr.",
        ".rrRRRRRRRRRRRRrr.",
        "..rRRRRRRRRRRwwRr.",
        "rrRRRRRRRRRRwwwRrr",
        "rrRRRRRRRRRwwwRRrr",
        ".rRRwwRRRRwwwRRRr.",
        ".rRRwwwRRwwwRRRRr.",
        "rrRRRwwwwwwRRRRRrr",
        "rrRRRRwwwwRRRRRRrr",
        ".rRRRRRwwRRRRRRRr.",
        ".rrRRRRRRRRRRRRrr.",
        ".rrrRRRRRRRRRRrrr.",
        "...rrrrRRRRrrrr...",
        "...rr.rrrrrr.rr...",
        "......rr..rr......",
    };
    static constexpr Legend legend[] = {
        {'.', 0xFFFFFFFF}, {'r', 0xFFB0102A}, {'R', 0xFFD81E34}, {'w', 0xFFFFFFFF}};
    return FromArt(art, 18, legend, 4);
}

std::vector<std::uint8_t> AppIconBitmap() {
    // The brand's "Q" on navy.
    static constexpr std::string_view art[] = {
        "NNNNNNNNNNNNNNNN",
        "NNNNNNNNNNNNNNNN",
        "NNNNNsssssNNNNNN",
        "NNNsssNNNsssNNNN",
        "NNssNNNNNNNssNNN",
        "NNssNNNNNNNssNNN",
        "NssNNNNNNNNNssNN",
        "NssNNNNNNNNNssNN",
        "NssNNNNNNNNNssNN",
        "NNssNNNNrrNssNNN",
        "NNssNNNNNrrsNNNN",
        "NNNsssNNNsrrNNNN",
        "NNNNNsssssNrrNNN",
        "NNNNNNNNNNNNrrNN",
        "NNNNNNNNNNNNNNNN",
        "NNNNNNNNNNNNNNNN",
    };
    static constexpr Legend legend[] = {{'N', 0xFF13315C}, {'s', 0xFFE8ECF2}, {'r', 0xFFD81E34}};
    return FromArt(art, 16, legend, 3);
}

} // namespace qx
