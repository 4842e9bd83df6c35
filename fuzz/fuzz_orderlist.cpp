// Order list file reader on arbitrary bytes; what it reads must write back and
// read again to the same list.
#include "orders/OrderList.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto list = qx::ParseOrderList(bytes);
    if (!list)
        return 0;
    const std::string saved = qx::SerializeOrderList(*list);
    const auto again = qx::ParseOrderList(saved);
    if (!again || qx::SerializeOrderList(*again) != saved)
        std::abort();
    for (qx::OrderItem item : list->items)
        qx::RecalcTotals(item, "DM", 0);
    return 0;
}
