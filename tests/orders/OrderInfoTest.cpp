// The dealer's own texts beside the order list: order information and notes.
#include "orders/Notes.h"
#include "orders/OrderInfo.h"
#include "platform/core/Path.h"
#include "platform/core/Profile.h"
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

    const auto texts = [](const std::optional<OrderInfo>& info) {
        std::string out;
        for (const std::string& text : info.value())
            out += text + "|";
        return out;
    };
    // The addresses fill the senders and recipients; the letters take the
    // template as written, filling only empty fields.
    std::optional<OrderInfo> info = OrderInfoForList(list, base, 2, base + "qxkat.adr");
    EXPECT_EQ(texts(info), "Garage Martin|Outils SA\r\nRue 1|Bonjour,\r\nmerci|fin|Garage Martin|Atelier SA|||");
    EXPECT_EQ(texts(LetterOrderInfo(list, base, 2)), "exp|dest|Bonjour,\r\nmerci|fin|exp2|dest2|||");

    // Saved, the list's own file wins, multi-line texts and all.
    (*info)[kEquipmentClosing] = "Mit freundlichen\r\nGr\xFC\xDF" "en";
    ASSERT_TRUE(SaveOrderInfo(OrderInfoPath(list), *info));
    EXPECT_EQ(OrderInfoForList(list, base, 2, ""), info);

    // Neither file: nothing.
    EXPECT_FALSE(OrderInfoForList(base + "OTHER.STK", base, 0, ""));
}

TEST(Notes, FolderRuleFileNameAndTheSavedNote) {
    test::TempDir dir;
    Profile profile(dir.Path() / "qxkat.ini");
    EXPECT_EQ(NotesDirectory(profile), "C:\\");
    profile.WriteString("Paths", "stk", "D:\\orders");
    EXPECT_EQ(NotesDirectory(profile), "D:\\orders\\");
    EXPECT_EQ(profile.GetString("Paths", "Note", "", 260), "D:\\orders"); // written back
    profile.WriteString("Paths", "Note", "E:\\notes\\");
    EXPECT_EQ(NotesDirectory(profile), "E:\\notes\\");
    EXPECT_EQ(NotePath("E:\\notes\\", "123/45"), "E:\\notes\\123_45.NTZ");

    const std::string path = NotePath(ToWindowsPath(dir.Path(), true), "A/1");
    ASSERT_TRUE(SaveNote(path, "Zange [2]", "alt"));
    EXPECT_EQ(test::ReadAll(ResolvePath(path)), "Zange (2]|\r\nalt"); // a "[" would end the note
    EXPECT_EQ(LoadNote(path, "").name + "/" + LoadNote(path, "").text, "Zange (2]/alt");
    EXPECT_EQ(LoadNote(path + "x", "Name").name, "Name");
}

// A header line names the note unless a name is given; without one the whole text is the note's, up to a "[".
TEST(Notes, HeaderTextAndTheBracketRule) {
    const auto note = [](std::string_view bytes, std::string_view given) {
        const Note n = ParseNote(bytes, given);
        return n.name + "/" + n.text;
    };
    EXPECT_EQ(note("Zange|\r\nZeile 1\r\nZeile 2", ""), "Zange/Zeile 1\r\nZeile 2");
    EXPECT_EQ(note("Zange|\r\nText", "Given"), "Given/Text");
    EXPECT_EQ(note("nur Text\r\nmehr [alt] danach", "N"), "N/nur Text\r\nmehr ");
    EXPECT_EQ(note("Kopf|", ""), "Kopf/");
    EXPECT_EQ(note("", ""), "/");
}

} // namespace
} // namespace qx
