#include "orders/OrderInfo.h"
#include "platform/core/Path.h"
#include "suppliers/AddressFile.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using namespace std::string_literals;

TEST(OrderInfo, NamesBesideTheListAndTheTemplates) {
    EXPECT_EQ(OrderInfoBaseName("D:\\orders.2007\\list.stk"), "D:\\orders");
    EXPECT_EQ(OrderInfoPath("C:\\ORDERS\\MAY.STK"), "C:\\ORDERS\\MAY.STT");
    EXPECT_EQ(OrderInfoPath(std::string(80, 'a') + ".STK"), std::string(63, 'a') + ".STT");
    EXPECT_EQ(OrderInfoTemplatePath("\\cd\\", 3), "\\cd\\stkt_cz.bst");
}

TEST(OrderInfo, OwnFileElseTheTemplateWithTheAddresses) {
    test::TempDir dir;
    const std::string base = ToWindowsPath(dir.Path(), true);
    const std::string list = base + "MAI.STK";
    // A hand-made template: texts ended by "|", two of them missing.
    dir.Write("stkt_fr.bst", "exp|\r\ndest|\r\nBonjour,\r\nmerci|\r\nfin|\r\nexp2|\r\ndest2|\r\n");
    dir.Write("qxkat.adr", "Outils SA\r\nRue 1\0\r\nAtelier SA\0\r\nGarage Martin\0\r\n[EndOfFile]"s);

    std::optional<OrderInfo> info = OrderInfoForList(list, base, 2, base + "qxkat.adr");
    ASSERT_TRUE(info);
    EXPECT_EQ((*info)[kToolsSender], "Garage Martin");
    EXPECT_EQ((*info)[kToolsRecipient], "Outils SA\r\nRue 1");
    EXPECT_EQ((*info)[kToolsOpening], "Bonjour,\r\nmerci");
    EXPECT_EQ((*info)[kEquipmentSender], "Garage Martin");
    EXPECT_EQ((*info)[kEquipmentRecipient], "Atelier SA");
    EXPECT_EQ((*info)[kEquipmentClosing], "");
    // The letters take the template as written; they fill only empty fields.
    const std::optional<OrderInfo> asWritten = LetterOrderInfo(list, base, 2);
    ASSERT_TRUE(asWritten);
    EXPECT_EQ((*asWritten)[kToolsSender], "exp");
    EXPECT_EQ((*asWritten)[kToolsRecipient], "dest");

    // Saved, the list's own file wins, multi-line texts and all.
    (*info)[kEquipmentClosing] = "Mit freundlichen\r\nGr\xFC\xDF" "en";
    ASSERT_TRUE(SaveOrderInfo(OrderInfoPath(list), *info));
    EXPECT_EQ(OrderInfoForList(list, base, 2, ""), info);

    // Neither file: nothing.
    EXPECT_FALSE(OrderInfoForList(base + "OTHER.STK", base, 0, ""));
}

} // namespace
} // namespace qx
