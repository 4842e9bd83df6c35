// Readers of the dealer's own files and the distributor tables on arbitrary
// bytes: address and order information blocks (with and without "|" ends)
// and the distributor match.
#include "suppliers/AddressFile.h"
#include "suppliers/Distributors.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (bool pipes : {false, true}) {
        const auto blocks = qx::ReadBlocks(bytes, 8, pipes);
        if (blocks.size() != 8)
            std::abort();
    }
    // What was written reads back the same, whatever the texts (no NUL in them).
    const auto three = qx::ReadBlocks(bytes, 3, false);
    if (qx::ReadBlocks(qx::WriteBlocks(three), 3, false) != three)
        std::abort();
    for (const std::string& country : qx::DistributorCountries(bytes, 3)) {
        for (const qx::Brand& brand : qx::kBrands) {
            const qx::DistributorMatches m = qx::FindDistributors(bytes, country, brand.code, "0");
            for (const std::string& address : m.equipment)
                (void)qx::AddressText(address);
        }
    }
    return 0;
}
