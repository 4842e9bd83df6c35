// Every catalogue reader over every file of the broken-file corpus, whole and
// cut at several lengths: nothing may crash, hang or read out of bounds (the
// sanitizer build checks the last).
#include "catalog/GroupFile.h"
#include "catalog/PriceList.h"
#include "catalog/ProductList.h"
#include "catalog/Requirements.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace qx {
namespace {

namespace fs = std::filesystem;

void RunAllReaders(const std::string& bytes) {
    const CatalogBlock block(bytes);
    const ProductList list = ParseProductList(block, "DM", 0);
    EXPECT_LE(list.records.size(), bytes.size() / 2 + 1);
    for (const ProductRecord& r : list.records) {
        EXPECT_LE(r.freeText.size(), bytes.size());
    }
    std::vector<ProductRecord> records = list.records;
    records.emplace_back().number = "V.A.G 1234";
    CatalogBlock priceBlock(bytes);
    ApplyPriceFile(records, priceBlock, "DM", 3);
    CatalogBlock headerBlock(bytes);
    (void)ParsePriceListHeader(headerBlock);
    (void)ParseGroupFile(block);
    (void)ParseRequirements(block);
}

TEST(BrokenFiles, EveryReaderSurvivesTheCorpus) {
    const fs::path dir = fs::path(QX_TEST_DATA_DIR) / "broken";
    ASSERT_TRUE(fs::is_directory(dir));
    int files = 0;
    for (const fs::directory_entry& e : fs::directory_iterator(dir)) {
        if (!e.is_regular_file()) {
            continue;
        }
        std::ifstream in(e.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        SCOPED_TRACE(e.path().filename().string());
        RunAllReaders(bytes);
        for (std::size_t cut : {std::size_t{1}, std::size_t{5}, bytes.size() / 2, bytes.size() - 1}) {
            if (cut < bytes.size()) {
                RunAllReaders(bytes.substr(0, cut));
            }
        }
        ++files;
    }
    EXPECT_GE(files, 6);
}

} // namespace
} // namespace qx
