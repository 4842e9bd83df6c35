// Product list, group file and requirements readers on arbitrary bytes.
#include "catalog/GroupFile.h"
#include "catalog/ProductList.h"
#include "catalog/Requirements.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const qx::CatalogBlock block(bytes);
    (void)qx::ParseProductList(block, "EUR", static_cast<int>(size % 4));
    (void)qx::ParseGroupFile(block);
    (void)qx::ParseRequirements(block);
    return 0;
}
