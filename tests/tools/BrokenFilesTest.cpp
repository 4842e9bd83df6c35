// Every reader of outside data over every file of the broken-file corpus,
// whole and cut at several lengths, through the entry points that read the
// files: nothing may crash, hang or read out of bounds (the sanitizer build
// checks the last), and a reader either reads what is there or says it could
// not. Files past a reader's limit are refused unread.
#include "catalog/BlockStream.h"
#include "catalog/CatalogText.h"
#include "catalog/GroupFile.h"
#include "catalog/Picture.h"
#include "catalog/PriceList.h"
#include "catalog/ProductList.h"
#include "catalog/Requirements.h"
#include "ground/GlobalState.h"
#include "navigation/AreaFile.h"
#include "orders/Notes.h"
#include "orders/OrderInfo.h"
#include "orders/OrderList.h"
#include "platform/core/DibPixels.h"
#include "platform/core/FileIo.h"
#include "platform/core/Path.h"
#include "platform/core/Profile.h"
#include "search/SearchIndex.h"
#include "suppliers/AddressFile.h"
#include "suppliers/Distributors.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>

namespace qx {
namespace {

namespace fs = std::filesystem;

// Pictures damaged past reading give none; these keep what could be decoded
// (a JPEG cut inside its scans comes out grey from there on).
const std::set<std::string> kPartlyReadablePictures = {"bmp_rle8_cut_short.bmp", "bmp_rle4_runs_past_the_edge.bmp",
                                                       "bmp_index_past_palette.bmp", "jpeg_cut_in_scan.jpg",
                                                       "jpeg_progressive_no_end.jpg"};

struct Catalogue {
    Catalogue() {
        SetDriveRootForTesting(dir.Path());
        state.programDir = "C:\\";
        state.dataDir = "DATEN\\LANG1\\";
        state.currency = "DM";
        state.colorDepth = 8;
    }
    ~Catalogue() { SetDriveRootForTesting({}); }
    test::TempDir dir;
    GlobalState state;
};

std::size_t Lines(std::string_view bytes) { return static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1; }

// The catalogue's own files: each one reads, and what it holds stays within what the bytes can carry.
void ReadAsCatalogueFiles(Catalogue& c, const std::string& bytes) {
    for (const char* name : {"DATEN/LANG1/LIST.TXT", "DATEN/LANG1/QX.PRS", "UPDATE.PRS", "DATEN/LANG1/G.GPE",
                             "DATEN/LANG1/R.ZEN", "DATEN/LANG1/Katalog.SWS", "DIST_GR.TAB"})
        c.dir.Write(name, bytes);
    GlobalState& s = c.state;
    s.priceUpdatePath = "C:\\UPDATE.PRS";
    s.priceListOutdated = 0;
    ASSERT_TRUE(ReadPriceListHeader("C:\\UPDATE.PRS"));
    (void)CheckPriceList(s, 1700000000);

    const std::optional<ProductList> list = LoadProductList(s, "LIST.TXT");
    ASSERT_TRUE(list);
    EXPECT_LE(list->records.size(), bytes.size() / 2 + 1);

    const std::optional<GroupFile> group = LoadGroupFile("C:\\DATEN\\LANG1\\G.GPE");
    ASSERT_TRUE(group);
    EXPECT_LE(group->entries.size(), Lines(bytes));
    const std::optional<RequirementsFile> requirements = LoadRequirements("C:\\DATEN\\LANG1\\R.ZEN");
    ASSERT_TRUE(requirements);
    EXPECT_LE(requirements->rows.size(), bytes.size() / 6 + 1);

    IndexList index;
    std::string term = "a";
    ASSERT_TRUE(index.Fill(s, kIndexSws, term));
    for (std::size_t i = 0; i < index.Size(); ++i) {
        const IndexEntry e = index.Entry(i);
        EXPECT_LE(e.display.size(), 255u);
        EXPECT_LE(e.key.size(), 127u);
        EXPECT_LE(e.file.size(), 127u);
    }

    const std::optional<CatalogBlock> table = LoadCatalogFile("C:\\DIST_GR.TAB");
    ASSERT_TRUE(table);
    const std::vector<std::string> countries = DistributorCountries(table->Content(), 0);
    EXPECT_LE(countries.size(), Lines(bytes));
    for (const std::string& country : countries) {
        for (const Brand& brand : kBrands) {
            const DistributorMatches m = FindDistributors(table->Content(), country, brand.code, "");
            for (const std::string& part : m.equipment)
                EXPECT_LE(AddressLines(part).size(), part.size() + 1);
        }
    }
}

// The dealer's own files.
void ReadAsDealerFiles(Catalogue& c, const std::string& bytes) {
    for (const char* name : {"ORDERS.STK", "ORDERS.STT", "ADRESSE.ADR", "A.BER", "NOTES/V_A_G.NTZ", "qxkat.ini"})
        c.dir.Write(name, bytes);

    OrderList orders;
    const OrderListRead read = LoadOrderList("C:\\ORDERS.STK", orders);
    EXPECT_EQ(read, bytes.starts_with("QX000") ? OrderListRead::Loaded : OrderListRead::WrongFormat);
    EXPECT_LE(orders.items.size(), Lines(bytes));

    const std::optional<OrderInfo> info = LoadOrderInfo("C:\\ORDERS.STT");
    ASSERT_TRUE(info);
    for (const std::string& text : *info)
        EXPECT_LE(text.size(), bytes.size());
    const auto addresses = ReadAddressFile("C:\\ADRESSE.ADR");
    ASSERT_TRUE(addresses);
    EXPECT_EQ(addresses->size(), kAddressBlocks);

    const std::optional<AreaFileParse> area = LoadAreaFile("C:\\A.BER");
    ASSERT_TRUE(area);
    EXPECT_LE(area->entries.size(), static_cast<std::size_t>(kMaxAreaEntries));
    EXPECT_EQ(area->tooManyEntries, area->firstExcessLine > 0);

    EXPECT_EQ(LoadNote("C:\\NOTES\\V_A_G.NTZ", "").text.find('['), std::string::npos);
    (void)Profile(c.dir / "qxkat.ini").GetString("Paths", "Note", "-", 260);
}

// Pictures, as bitmap and as JPEG: damaged ones give no picture, and a
// picture that comes out decodes within its bytes.
void ReadAsPictures(Catalogue& c, const std::string& name, const std::string& bytes, bool whole) {
    c.dir.Write("BILDER/800/P.BMP", bytes);
    c.dir.Write("BILDER/800/P.JPG", bytes);
    for (const char* rel : {"BILDER\\800\\P.BMP", "BILDER\\800\\P.JPG"}) {
        const DibHandle picture = LoadPicture(c.state, rel);
        const bool ofItsKind = name.ends_with(std::string_view(rel).ends_with("JPG") ? ".jpg" : ".bmp");
        if (whole) {
            EXPECT_EQ(picture.IsNull(), !ofItsKind || !kPartlyReadablePictures.count(name)) << rel;
        }
        if (!picture.IsNull()) {
            const std::optional<Pixels> px = DecodeDib(picture.View());
            ASSERT_TRUE(px);
            EXPECT_EQ(px->argb.size(), static_cast<std::size_t>(DibSize(picture).cx) * DibSize(picture).cy);
        }
    }
}

TEST(BrokenFiles, EveryReaderReadsOrRefusesEveryFileOfTheCorpus) {
    const fs::path dir = fs::path(QX_TEST_DATA_DIR) / "broken";
    ASSERT_TRUE(fs::is_directory(dir));
    Catalogue c;
    int files = 0;
    for (const fs::directory_entry& e : fs::directory_iterator(dir)) {
        if (!e.is_regular_file())
            continue;
        const std::string name = e.path().filename().string();
        const std::optional<std::string> bytes = ReadWholeFile(e.path());
        ASSERT_TRUE(bytes) << name;
        for (std::size_t cut : {bytes->size(), std::size_t{1}, std::size_t{5}, bytes->size() / 2, bytes->size() - 1}) {
            if (cut > bytes->size())
                continue;
            SCOPED_TRACE(name + " cut at " + std::to_string(cut));
            const std::string part = bytes->substr(0, cut);
            ReadAsCatalogueFiles(c, part);
            ReadAsDealerFiles(c, part);
            ReadAsPictures(c, name, part, cut == bytes->size());
        }
        ++files;
    }
    EXPECT_GE(files, 30);
}

// Files past a reader's limit are refused before they are read, the way a
// missing file is; sparse files keep this cheap.
TEST(BrokenFiles, FilesPastTheLimitsAreRefused) {
    Catalogue c;
    const auto huge = [&](const char* name, std::uint64_t size, std::string_view head) {
        const fs::path p = c.dir.Write(name, head);
        fs::resize_file(p, size);
    };
    huge("BIG.TXT", kMaxCatalogFileBytes + 1, "x|y|\r\n");
    EXPECT_FALSE(LoadCatalogFile("C:\\BIG.TXT") || ReadAddressFile("C:\\BIG.TXT") || LoadOrderInfo("C:\\BIG.TXT") ||
                 BlockStream::Open("C:\\BIG.TXT", false));
    huge("MAX.TXT", kMaxCatalogFileBytes, "x|y|\r\n"); // the largest a stream takes
    EXPECT_TRUE(BlockStream::Open("C:\\MAX.TXT", false));
    huge("BIG.STK", kMaxWholeFileBytes + 1, "QX0002\r\n");
    OrderList orders;
    EXPECT_EQ(LoadOrderList("C:\\BIG.STK", orders), OrderListRead::Missing);
    huge("BIG.BER", kMaxWholeFileBytes + 1, "a|b|c|1|2|3|4|\r\n");
    EXPECT_FALSE(LoadAreaFile("C:\\BIG.BER"));
    huge("BIG.NTZ", kMaxWholeFileBytes + 1, "name|\r\ntext");
    EXPECT_EQ(LoadNote("C:\\BIG.NTZ", "given").text, "");
    // An INI file that can't be read is never replaced.
    huge("qxkat.ini", kMaxWholeFileBytes + 1, "[Paths]\r\nNote=C:\\\r\n");
    Profile profile(c.dir / "qxkat.ini");
    EXPECT_TRUE(profile.GetString("Paths", "Note", "-") == "-" && !profile.WriteString("Paths", "Note", "D:\\"));
    EXPECT_EQ(fs::file_size(c.dir / "qxkat.ini"), kMaxWholeFileBytes + 1);
    // A bitmap file past its limit.
    huge("BILDER/800/BIG.BMP", kMaxPictureFileBytes + 1, "BM");
    EXPECT_TRUE(LoadPicture(c.state, "BILDER\\800\\BIG.BMP").IsNull());
}

} // namespace
} // namespace qx
