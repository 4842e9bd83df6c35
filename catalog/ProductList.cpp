#include "ProductList.h"

#include "PriceList.h"
#include "ground/GlobalState.h"

#include <algorithm>

namespace qx {

namespace {

void ToUpperAscii(std::string& s) {
    for (char& ch : s) {
        if (ch >= 'a' && ch <= 'z') {
            ch = static_cast<char>(ch - 'a' + 'A');
        }
    }
}

void ReadRecord(TextCursor& c, ProductRecord& r, const char* contentEnd) {
    ReadLine(c, r.key);
    ReadLine(c, r.picture);
    ReadLine(c, r.number);
    ReadLine(c, r.designation);
    r.sealFlag = ReadInteger(c);
    ReadLine(c, r.name);
    ReadLine(c, r.sheetPicture);
    ReadLine(c, r.sheetFooter);
    ReadLine(c, r.vzPrice);
    ReadLine(c, r.infoFile);
    ReadLine(c, r.reserved);
    std::string supplier;
    ReadLine(c, supplier, decltype(r.supplier)::kMaxLength);
    ToUpperAscii(supplier);
    r.supplier = supplier;
    if (r.sheetFooter.empty()) {
        r.sheetFooter = r.number;
    }
    if (r.supplier == "DORNA") {
        r.designation.clear();
    }

    if (c.Peek() == '\r') {
        SkipLine(c);
    }
    SkipComments(c);
    r.freeText = ReadBracedText(c, contentEnd);
    SkipLine(c); // rest of the "}" line
    SkipLine(c); // separator line
}

} // namespace

ProductList ParseProductList(const CatalogBlock& block, std::string_view currency, int languageIndex) {
    ProductList list;
    TextCursor c = CursorAt(block);
    ReadLine(c, list.header.title);
    ReadField(c, list.header.groupFile, '|');
    ReadLine(c, list.header.hierarchyCode);
    ReadLine(c, list.header.subtitle);

    c = CursorAt(block);
    SkipLine(c);
    SkipLine(c);
    SkipLine(c);
    list.header.declaredCount = ReadInteger(c);
    SkipLine(c);

    const char* contentEnd = block.Data() + block.ContentSize();
    // Room for the records at once: a growing list of records, each half a
    // kilobyte, would be copied and its pages touched again at every step.
    // A record takes well over 16 bytes, whatever count the file declares.
    list.records.reserve(std::min<std::size_t>(static_cast<std::size_t>(std::max(list.header.declaredCount, 0)),
                                               block.ContentSize() / 16 + 1));
    // The prices only a price list gives start out formatted from empty, the
    // same for every record.
    ProductRecord blank;
    FormatPrice(blank.upePrice, false, currency, languageIndex);
    FormatPrice(blank.upePriceEuro, true, currency, languageIndex);
    FormatPrice(blank.vzPriceEuro, true, currency, languageIndex);
    for (std::int32_t i = 0; i < list.header.declaredCount; ++i) {
        if (c.AtEnd() || OnlyCommentsLeft(c.pos, contentEnd)) {
            break;
        }
        ProductRecord& r = list.records.emplace_back(blank);
        ReadRecord(c, r, contentEnd);
        FormatPrice(r.vzPrice, false, currency, languageIndex);
    }
    return list;
}

std::optional<ProductList> LoadProductList(const GlobalState& state, std::string_view listFile) {
    std::string path = state.programDir.str();
    path += state.dataDir.str();
    path += listFile;
    std::optional<CatalogBlock> block = LoadCatalogFile(path);
    if (!block) {
        return std::nullopt;
    }
    ProductList list = ParseProductList(*block, state.currency, state.languageIndex);
    LookUpPrices(list.records, state);
    return list;
}

std::optional<ProductList> LoadProductList(const GlobalState& state) { return LoadProductList(state, state.listFile); }

} // namespace qx
