// Index files and the search on arbitrary bytes: the first line is the term
// (and the prefix typed), the rest the index. The one-pass search must list
// what the plain one lists.
#include "search/SearchIndex.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t nl = bytes.find('\n');
    const std::string_view term = bytes.substr(0, nl == std::string_view::npos ? 0 : nl);
    const std::string_view index = nl == std::string_view::npos ? bytes : bytes.substr(nl + 1);
    qx::IndexList list;
    std::string folded(term.substr(0, term.find('\r')));
    list.Fill(qx::CatalogBlock(index), folded);
    // The plain search reads lines with the catalogue cursor, whose searches
    // stop after kSearchLimit bytes and which steps two bytes past every CR;
    // compare only files with no line that long and with CR LF line ends.
    if (index.size() >= qx::kSearchLimit || index.find('\0') != std::string_view::npos)
        return 0;
    for (std::size_t cr = index.find('\r'); cr != std::string_view::npos; cr = index.find('\r', cr + 1)) {
        if (cr + 1 >= index.size() || index[cr + 1] != '\n')
            return 0;
    }
    const auto plain = qx::LiteralSearch(qx::CatalogBlock(index), term.substr(0, term.find('\r')));
    if (plain.size() != list.Size())
        std::abort();
    for (std::size_t i = 0; i < list.Size(); ++i) {
        if (plain[i] != list.Positions()[i])
            std::abort();
        (void)list.Entry(i);
    }
    (void)list.FindByPrefix(term);
    return 0;
}
