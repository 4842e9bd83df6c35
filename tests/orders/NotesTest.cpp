#include "orders/Notes.h"
#include "platform/core/Path.h"
#include "platform/core/Profile.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(Notes, FolderRuleAndFileName) {
    test::TempDir dir;
    Profile profile(dir.Path() / "qxkat.ini");
    EXPECT_EQ(NotesDirectory(profile), "C:\\");
    profile.WriteString("Paths", "stk", "D:\\orders");
    EXPECT_EQ(NotesDirectory(profile), "D:\\orders\\");
    EXPECT_EQ(profile.GetString("Paths", "Note", "", 260), "D:\\orders"); // written back
    profile.WriteString("Paths", "Note", "E:\\notes\\");
    EXPECT_EQ(NotesDirectory(profile), "E:\\notes\\");
    EXPECT_EQ(NotePath("E:\\notes\\", "123/45"), "E:\\notes\\123_45.NTZ");
}

TEST(Notes, HeaderTextAndTheBracketRule) {
    EXPECT_EQ(SerializeNote("Zange", "Zeile 1\r\nZeile 2"), "Zange|\r\nZeile 1\r\nZeile 2");
    Note n = ParseNote("Zange|\r\nZeile 1\r\nZeile 2", "");
    EXPECT_EQ(n.name, "Zange");
    EXPECT_EQ(n.text, "Zeile 1\r\nZeile 2");
    EXPECT_EQ(ParseNote("Zange|\r\nText", "Given").name, "Given");
    // No header: the whole text; a "[" ends it.
    n = ParseNote("nur Text\r\nmehr [alt] danach", "N");
    EXPECT_EQ(n.name, "N");
    EXPECT_EQ(n.text, "nur Text\r\nmehr ");
    EXPECT_EQ(ParseNote("Kopf|", "").text, "");
    EXPECT_EQ(ParseNote("", "").text, "");
}

TEST(Notes, SavedNoteReadsBack) {
    test::TempDir dir;
    const std::string path = NotePath(ToWindowsPath(dir.Path(), true), "A/1");
    ASSERT_TRUE(SaveNote(path, "Zange", "alt"));
    EXPECT_EQ(LoadNote(path, "").text, "alt");
    EXPECT_EQ(LoadNote(path, "").name, "Zange");
    EXPECT_EQ(LoadNote(path + "x", "Name").name, "Name");
}

} // namespace
} // namespace qx
