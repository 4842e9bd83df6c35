// Every catalogue reader over every file of the broken-file corpus, whole and
// cut at several lengths: nothing may crash, hang or read out of bounds (the
// sanitizer build checks the last).
#include "catalog/GroupFile.h"
#include "catalog/Picture.h"
#include "catalog/PriceList.h"
#include "catalog/ProductList.h"
#include "catalog/Requirements.h"

#include "platform/core/DibPixels.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

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

// Bitmaps damaged past reading give no picture; the others keep what could
// be decoded. Either way a picture that comes out draws within its bytes.
const std::set<std::string> kPartlyReadableBitmaps = {
    "bmp_rle8_cut_short.bmp", "bmp_rle4_runs_past_the_edge.bmp", "bmp_index_past_palette.bmp"};

void ReadAsPicture(const std::string& name, const std::string& bytes, bool whole) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const DibHandle picture = DibFromBmpBytes(std::span<const std::uint8_t>(data, bytes.size()));
    if (whole && name.ends_with(".bmp")) {
        EXPECT_EQ(picture.IsNull(), !kPartlyReadableBitmaps.count(name));
    }
    if (!picture.IsNull()) {
        const std::optional<Pixels> px = DecodeDib(picture.View());
        ASSERT_TRUE(px);
        EXPECT_EQ(px->argb.size(), static_cast<std::size_t>(DibSize(picture).cx) * DibSize(picture).cy);
    }
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
        const std::string name = e.path().filename().string();
        RunAllReaders(bytes);
        ReadAsPicture(name, bytes, true);
        for (std::size_t cut : {std::size_t{1}, std::size_t{5}, bytes.size() / 2, bytes.size() - 1}) {
            if (cut < bytes.size()) {
                RunAllReaders(bytes.substr(0, cut));
                ReadAsPicture(name, bytes.substr(0, cut), false);
            }
        }
        ++files;
    }
    EXPECT_GE(files, 16);
}

} // namespace
} // namespace qx
