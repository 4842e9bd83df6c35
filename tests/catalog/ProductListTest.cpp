#include "catalog/ProductList.h"

#include <gtest/gtest.h>

#include <string>

namespace qx {
namespace {

std::string Record(const std::string& key, const std::string& number, const std::string& supplier,
                   const std::string& footer = "", const std::string& text = "Text of " ) {
    return key + "\r\npic_" + key + ".jpg\r\n" + number + "\r\nD-" + key + "\r\n1\r\nName " + key +
           "\r\nsheet.bmp\r\n" + footer + "\r\n12,5\r\ninfo.htm\r\n\r\n" + supplier + "\r\n\r\n" + text + key +
           "\r\nsecond line}\r\n\r\n";
}

std::string Joined(std::initializer_list<std::string_view> fields) {
    std::string out;
    for (std::string_view f : fields)
        out.append(f).push_back('|');
    out.pop_back();
    return out;
}

// Every field of a record, in file order, then the lookup's.
std::string Fields(const ProductRecord& r) {
    return Joined({r.key, r.picture, r.number, r.designation, std::to_string(r.sealFlag), r.name,
                   r.sheetPicture, r.sheetFooter, r.vzPrice, r.infoFile, r.supplier, r.upePrice,
                   r.upePriceEuro, r.vzPriceEuro, r.deliveryText, r.freeText});
}

const std::string kHeader = "Title\r\nGRUPPE|abc\r\nSubtitle\r\n";

TEST(ProductList, HeaderAndRecordsAsThePageReadsThem) {
    const std::string file = kHeader + "2\r\nignored\r\n" + Record("K1", "V.A.G 1", "qtx_vz", "Footer") +
                             Record("K2", "V.A.G 2", "dorna");
    const ProductList list = ParseProductList(CatalogBlock(file), "DM", 1);
    const ProductListHeader& h = list.header;
    EXPECT_EQ(Joined({h.title, h.groupFile, h.hierarchyCode, h.subtitle}), "Title|GRUPPE|abc|Subtitle");
    ASSERT_EQ(list.records.size(), 2u);
    // Supplier upper-cased, price formatted, the lookup's prices not yet there.
    EXPECT_EQ(Fields(list.records[0]),
              "K1|pic_K1.jpg|V.A.G 1|D-K1|1|Name K1|sheet.bmp|Footer|12,50 DM|info.htm|"
              "QTX_VZ|on request|on request|on request||Text of K1\r\nsecond line");
    // For DORNA the designation is emptied; an empty footer takes the number.
    EXPECT_EQ(Fields(list.records[1]), "K2|pic_K2.jpg|V.A.G 2||1|Name K2|sheet.bmp|V.A.G 2|12,50 DM|info.htm|"
                                       "DORNA|on request|on request|on request||Text of K2\r\nsecond line");
}

TEST(ProductList, CommentLinesAndHashFields) {
    // A comment between record lines is skipped; a line that begins with "#"
    // is a comment too, so the field it was meant for takes the next line.
    std::string rec = Record("K1", "N1", "s");
    rec.insert(rec.find("N1"), "# a comment\r\n");
    std::string hashField = Record("K2", "#N2", "s");
    const std::string file = kHeader + "2\r\n\r\n" + rec + hashField;
    const ProductList list = ParseProductList(CatalogBlock(file), "DM", 0);
    ASSERT_EQ(list.records.size(), 2u);
    EXPECT_EQ(list.records[0].number, "N1");
    EXPECT_EQ(list.records[0].designation, "D-K1");
    EXPECT_EQ(list.records[1].number, "D-K2");
    EXPECT_EQ(list.records[1].designation, "1"); // everything after shifts one line
    EXPECT_EQ(list.records[1].name, "sheet.bmp");
}

TEST(ProductList, RecordsWithoutEmptyLineAfterLineTwelveAndCommentsBeforeText) {
    const std::string file = kHeader +
                             "1\r\n\r\nK\r\np\r\nN\r\nD\r\n0\r\nn\r\ns\r\nf\r\n\r\ni\r\nr\r\nsup\r\n#c\r\nText}rest\r\n\r\n";
    const ProductList list = ParseProductList(CatalogBlock(file), "DM", 0);
    ASSERT_EQ(list.records.size(), 1u);
    EXPECT_EQ(list.records[0].supplier, "SUP");
    EXPECT_EQ(list.records[0].freeText, "Text");
    EXPECT_EQ(list.records[0].vzPrice, "siehe VZ-Preisliste");
}

TEST(ProductList, DamagedFilesYieldWhatIsPresent) {
    // A count larger than the records present.
    {
        const std::string file = kHeader + "50\r\n\r\n" + Record("K1", "N1", "s") + Record("K2", "N2", "s") + "\r\n\r\n";
        EXPECT_EQ(ParseProductList(CatalogBlock(file), "DM", 0).records.size(), 2u);
        // Comment lines at the end are no record either.
        EXPECT_EQ(ParseProductList(CatalogBlock(file + "# end\r\n\r\n#\r\n# last"), "DM", 0).records.size(), 2u);
    }
    // No final line end.
    {
        std::string file = kHeader + "2\r\n\r\n" + Record("K1", "N1", "s") + Record("K2", "N2", "s");
        file.resize(file.size() - 4); // ends with "}"
        const ProductList list = ParseProductList(CatalogBlock(file), "DM", 0);
        ASSERT_EQ(list.records.size(), 2u);
        EXPECT_EQ(list.records[1].freeText, "Text of K2\r\nsecond line");
    }
    // A missing "}": the text runs to the end of the file and reading stops.
    {
        std::string second = Record("K2", "N2", "s");
        std::string first = Record("K1", "N1", "s");
        first.erase(first.find('}'), 1);
        const ProductList list = ParseProductList(CatalogBlock(kHeader + "2\r\n\r\n" + first + second), "DM", 0);
        ASSERT_EQ(list.records.size(), 1u);
        EXPECT_NE(list.records[0].freeText.find("K2"), std::string::npos);
    }
    // An over-long line is cut to its capacity and the next line is read.
    {
        const std::string longName(500, 'n');
        std::string rec = Record("K1", "N1", "s");
        rec.replace(rec.find("Name K1"), 7, longName);
        const ProductList list = ParseProductList(CatalogBlock(kHeader + "1\r\n\r\n" + rec), "DM", 0);
        ASSERT_EQ(list.records.size(), 1u);
        EXPECT_EQ(list.records[0].name.str(), std::string(127, 'n'));
        EXPECT_EQ(list.records[0].sheetPicture, "sheet.bmp");
    }
    // A huge or negative count.
    EXPECT_EQ(ParseProductList(CatalogBlock(kHeader + "2147483647\r\n\r\n" + Record("K", "N", "s")), "DM", 0).records.size(),
              1u);
    EXPECT_EQ(ParseProductList(CatalogBlock(kHeader + "-5\r\n\r\n" + Record("K", "N", "s")), "DM", 0).records.size(), 0u);
}

} // namespace
} // namespace qx
