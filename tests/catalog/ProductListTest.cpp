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

// Odd and damaged files: the records read, and one field of the last.
TEST(ProductList, CommentsHashFieldsAndDamagedFiles) {
    // A comment between record lines is skipped; a line that begins with "#"
    // is a comment too, so the field it was meant for takes the next line.
    std::string comment = Record("K1", "N1", "s");
    comment.insert(comment.find("N1"), "# a comment\r\n");
    std::string longName = Record("K1", "N1", "s");
    longName.replace(longName.find("Name K1"), 7, std::string(500, 'n'));
    const std::string two = Record("K1", "N1", "s") + Record("K2", "N2", "s");
    const auto last = [](const ProductRecord& r) {
        return Joined({r.number, r.designation, r.name, r.sheetPicture, r.supplier, r.vzPrice, r.freeText});
    };
    const struct {
        std::string body;
        std::size_t count;
        std::string last;
    } cases[] = {
        {"1\r\n\r\n" + comment, 1, "N1|D-K1|Name K1|sheet.bmp|S|12,50 DM|Text of K1\r\nsecond line"},
        {"1\r\n\r\n" + Record("K2", "#N2", "s"), 1, "D-K2|1|sheet.bmp|||info.htm|Text of K2\r\nsecond line"},
        // No empty line after line twelve, a comment before the text.
        {"1\r\n\r\nK\r\np\r\nN\r\nD\r\n0\r\nn\r\ns\r\nf\r\n\r\ni\r\nr\r\nsup\r\n#c\r\nText}rest\r\n\r\n", 1,
         "N|D|n|s|SUP|siehe VZ-Preisliste|Text"},
        // A count larger than the records present; comment lines at the end are no record.
        {"50\r\n\r\n" + two + "\r\n\r\n# end\r\n\r\n#\r\n# last", 2, "N2|D-K2|Name K2|sheet.bmp|S|12,50 DM|Text of K2\r\nsecond line"},
        // No final line end.
        {"2\r\n\r\n" + two.substr(0, two.size() - 4), 2, "N2|D-K2|Name K2|sheet.bmp|S|12,50 DM|Text of K2\r\nsecond line"},
        // An over-long line is cut to its capacity and the next line is read.
        {"1\r\n\r\n" + longName, 1, "N1|D-K1|" + std::string(127, 'n') + "|sheet.bmp|S|12,50 DM|Text of K1\r\nsecond line"},
        {"2147483647\r\n\r\n" + Record("K", "N", "s"), 1, "N|D-K|Name K|sheet.bmp|S|12,50 DM|Text of K\r\nsecond line"},
        {"-5\r\n\r\n" + Record("K", "N", "s"), 0, ""},
    };
    for (const auto& c : cases) {
        const ProductList list = ParseProductList(CatalogBlock(kHeader + c.body), "DM", 0);
        ASSERT_EQ(list.records.size(), c.count) << c.body;
        if (!c.last.empty()) {
            EXPECT_EQ(last(list.records.back()), c.last) << c.body;
        }
    }
    // A missing "}": the text runs to the end of the file and reading stops.
    std::string open = Record("K1", "N1", "s");
    open.erase(open.find('}'), 1);
    const ProductList cut = ParseProductList(CatalogBlock(kHeader + "2\r\n\r\n" + open + Record("K2", "N2", "s")), "DM", 0);
    ASSERT_EQ(cut.records.size(), 1u);
    EXPECT_NE(cut.records[0].freeText.find("K2"), std::string::npos);
}

} // namespace
} // namespace qx
