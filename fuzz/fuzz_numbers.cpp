// A file of numbers and a number index on arbitrary bytes, split at the
// first "\n===\n": every line read must look itself up without harm, and a
// line's number must find what its blank-free, upper-case form finds. The
// same bytes as an order list must export with balanced quotes.
#include "orders/NumberImport.h"
#include "orders/OrderListCsv.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t split = bytes.find("\n===\n");
    const std::string_view numbers = bytes.substr(0, split);
    const std::string_view index = split == std::string_view::npos ? bytes : bytes.substr(split + 5);
    const qx::NumberIndex found = qx::NumberIndex::FromBytes(index);
    if (const auto lines = qx::ReadNumberLines(numbers, size % 4)) {
        for (const qx::NumberLine& line : *lines) {
            if (line.text.empty())
                std::abort();
            for (const qx::NumberLine::Reading& r : line.readings) {
                if (r.quantity < 1 || r.quantity > 9999)
                    std::abort();
                std::string upper;
                for (char ch : r.number)
                    if (ch != ' ')
                        upper += ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch;
                if (found.Find(r.number).size() != found.Find(upper).size())
                    std::abort();
            }
        }
    }
    if (const auto list = qx::ParseOrderList(bytes)) {
        const std::string csv = qx::OrderListCsv(*list, static_cast<int>(size % 3) - 1, static_cast<int>(size % 4));
        if (std::count(csv.begin(), csv.end(), '"') % 2 != 0)
            std::abort();
    }
    return 0;
}
