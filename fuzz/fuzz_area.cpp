// Area file parser on arbitrary bytes.
#include "navigation/AreaFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const qx::AreaFileParse p = qx::ParseAreaFile(bytes);
    for (const qx::AreaEntry& e : p.entries) {
        (void)qx::ClassifyAreaTarget(e.target);
    }
    (void)qx::AreaPageKindOf(bytes);
    return 0;
}
