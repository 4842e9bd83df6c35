#pragma once
// Product list files: a five-line header, then records of twelve lines and a
// free text that ends at "}".

#include "CatalogText.h"
#include "ground/FixedText.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

struct GlobalState;

struct ProductRecord {
    FixedText<32> key;
    FixedText<32> picture;
    FixedText<32> number;        // key of the price lookup
    FixedText<32> designation;   // empty for "DORNA" products
    std::int32_t sealFlag = 0;   // 1: the list shows the seal
    FixedText<128> name;
    FixedText<256> sheetPicture;
    FixedText<128> sheetFooter;  // the number when the file leaves it empty
    FixedText<32> vzPrice;       // list currency; the file's value until a price file supplies one
    FixedText<32> infoFile;
    FixedText<32> reserved;
    FixedText<32> supplier;      // upper case
    // Filled by the price lookup; all four prices are in display form.
    FixedText<32> upePrice;
    FixedText<32> upePriceEuro;
    FixedText<32> vzPriceEuro;
    FixedText<64> deliveryText;
    std::string freeText;        // up to the "}", line breaks kept
};

struct ProductListHeader {
    FixedText<256> title;
    FixedText<64> groupFile;
    FixedText<64> hierarchyCode;
    FixedText<256> subtitle;
    std::int32_t declaredCount = 0;
};

struct ProductList {
    ProductListHeader header;
    std::vector<ProductRecord> records; // file order; never more than the file holds
};

// Reads header and records (prices formatted as the file gives them, without
// a price lookup). currency and languageIndex shape the price texts. A count
// larger than the records present yields the records present; overlong
// values are cut; nothing is read past the block.
ProductList ParseProductList(const CatalogBlock& block, std::string_view currency, int languageIndex);

// The whole load of a product page: programDir + dataDir + listFile, header,
// records, then the price lookup (unless the price list is outdated). Nothing
// when the file can't be read. groupFile and hierarchyCode of the header are
// the caller's to take into the state.
std::optional<ProductList> LoadProductList(const GlobalState& state, std::string_view listFile);
std::optional<ProductList> LoadProductList(const GlobalState& state);

} // namespace qx
