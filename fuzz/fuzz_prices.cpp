// Price file header and lookup on arbitrary bytes; the records' numbers come
// from the first line of the input so that keys do occur in the text.
#include "catalog/PriceList.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    qx::CatalogBlock header(bytes);
    (void)qx::ParsePriceListHeader(header);

    std::vector<qx::ProductRecord> records(3);
    const std::size_t lf = bytes.find('\n');
    const std::string_view first = bytes.substr(0, lf == std::string_view::npos ? 0 : lf);
    records[0].number = first.substr(0, first.size() / 2);
    records[1].number = first.substr(first.size() / 2);
    records[2].number = "";
    qx::CatalogBlock prices(bytes);
    qx::ApplyPriceFile(records, prices, "CZK", 3);
    return 0;
}
