#pragma once
// Bitmap resources of the program, drawn from readable pixel art in the
// source: the seal mark of sealed products ("IDB_SEAL") and the application
// icon (resource 102). Each is a packed 24-bit DIB.

#include <cstdint>
#include <vector>

namespace qx {

std::vector<std::uint8_t> SealBitmap();
std::vector<std::uint8_t> AppIconBitmap();

} // namespace qx
