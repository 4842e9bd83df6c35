#include "../app/GuiFixture.h"
#include "platform/core/FileIo.h"
#include "platform/core/Path.h"
#include "platform/core/RecordingDc.h"
#include "platform/qt/TextView.h"
#include "tests/common/TempDir.h"

#include <QBuffer>
#include <QImage>
#include <QTextDocument>
#include <QUrl>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>

namespace qx {
namespace {

using testing::TempCatalog;

std::string ProgramDir(const TempCatalog& c) { return ToWindowsPath(c.Dir(), true); }

struct Parent : QWidget {
    Parent() { resize(640, 480); }
};

TEST(TextView, CreatedHiddenOverTheRectangleShortTextsClearLongerOnesLoad) {
    Parent p;
    TextView* view = CreateTextView(&p, kTextViewInfoPage, Rect{16, 64, 612, 384});
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->geometry(), QRect(16, 64, 596, 320));
    EXPECT_TRUE(view->isHidden());
    EXPECT_EQ(CreateTextView(&p, kTextViewInfoPage, Rect{10, 10, 10, 50}), nullptr);

    // Operations on a missing view do nothing.
    TextView* none = nullptr;
    SetUpTextView(none);
    ShowHtmlText(none, "<p>long enough</p>", "\\");
    EXPECT_FALSE(LoadHtmlFile(none, "\\nowhere.htm", 0, "\\"));
    EXPECT_EQ(TextViewPageCount(none, 11077), 0);
    RecordingDc dc({4960, 7016}, true);
    EXPECT_FALSE(PrintTextViewPage(none, dc, 1, kPrintRectTwips));
    EXPECT_TRUE(dc.Calls().empty());

    // Texts of 7 characters and fewer clear the view to one blank, longer ones
    // load; text in the code page of the UI language.
    std::string shown;
    for (const char* html : {"<p>Eine Zeile</p>", "<p>abcd", "", "<p>abcde", "<p>Gr\xF6\xDF" "e f\xFCr B\xFChnen"}) {
        ShowHtmlText(view, html, "\\");
        shown += TextViewText(view) + "|";
    }
    EXPECT_EQ(shown, "Eine Zeile| | |abcde|Gr\xF6\xDF" "e f\xFCr B\xFChnen|");
    EXPECT_TRUE(view->isVisibleTo(&p));
    DestroyTextView(view);
    EXPECT_EQ(view, nullptr);
}

TEST(TextView, FilesAndPicturesFoundWhateverTheLetterCase) {
    TempCatalog c;
    c.WriteBmp("Bilder\\800\\Hebe_Buehne.BMP", 30, 20);
    c.WriteBmp("Bilder\\1024\\hebe_buehne.bmp", 48, 32);
    QBuffer photo; // its camera marks it as turned a quarter: it is shown upright
    QImage(4, 2, QImage::Format_RGB32).save(&photo, "JPG");
    const QByteArray exif("\xFF\xE1\0\x22" "Exif\0\0" "MM\0*\0\0\0\x08" // one tag: orientation 6
                          "\0\x01" "\x01\x12\0\x03\0\0\0\x01\0\x06\0\0" "\0\0\0\0", 36);
    WriteFileAtomic(c.Dir() / "Bilder/800/foto.jpg", photo.buffer().insert(2, exif).toStdString());
    c.Write("html\\lang1\\Betrieb.HTM", "<html><body><h1>Lieferbedingungen</h1><img src=\"foto.jpg\">\n"
                                      "<p><img src=\"HEBE_BUEHNE.bmp\"> Hebeb\xFChne</p>\n"
                                      "<p><img src=\"fehlt.bmp\"></p></body></html>\n");
    const std::string dir = ProgramDir(c);
    Parent p;
    TextView* view = CreateTextView(&p, kTextViewInfoPage, Rect{0, 0, 400, 300});
    const auto size = [](QTextDocument* d, const char* name) {
        return d->resource(QTextDocument::ImageResource, QUrl(QString::fromLatin1(name))).value<QImage>().size();
    };
    EXPECT_FALSE(LoadHtmlFile(view, dir + "HTML\\LANG1\\Fehlt.htm", 0, dir));
    EXPECT_EQ(TextViewText(view), "");

    ASSERT_TRUE(LoadHtmlFile(view, dir + "HTML\\LANG1\\betrieb.htm", 0, dir));
    EXPECT_NE(TextViewText(view).find("Hebeb\xFChne"), std::string::npos);
    EXPECT_EQ(view->ImageFolder(), dir + "BILDER\\800");
    EXPECT_EQ(size(view->document(), "HEBE_BUEHNE.bmp"), QSize(30, 20));
    EXPECT_EQ(size(view->document(), "fehlt.bmp"), QSize(0, 0));
    EXPECT_EQ(size(view->document(), "foto.jpg"), QSize(2, 4));

    // Mode 1 takes the pictures of the large screen; a new load forgets the old ones.
    ASSERT_TRUE(LoadHtmlFile(view, dir + "HTML\\LANG1\\Betrieb.htm", 1, dir));
    EXPECT_EQ(size(view->document(), "HEBE_BUEHNE.bmp"), QSize(48, 32));

    // Texts from memory always take BILDER\800, and so does their printout.
    ShowHtmlText(view, "<p><img src=\"hebe_buehne.bmp\">Bild</p>", dir);
    EXPECT_EQ(size(view->document(), "hebe_buehne.bmp"), QSize(30, 20));
    EXPECT_EQ(size(&view->PrintDocument(9406, 11077), "hebe_buehne.bmp"), QSize(30, 20));
    DestroyTextView(view);
}

// Paragraphs "Zeile 1" ... "Zeile n", as the HTML holds them or as they print.
std::string Lines(int n, bool html) {
    std::string s;
    for (int i = 1; i <= n; ++i)
        s += html ? "<p>Zeile " + std::to_string(i) + "</p>" : (i > 1 ? "\nZeile " : "Zeile ") + std::to_string(i);
    return s;
}

TEST(TextView, PagesOfTheDocumentPrintEachLineOnceInOrder) {
    TextView* view = CreateTextView(nullptr, kTextViewPrint, Rect{0, 0, 640, 640});
    EXPECT_EQ(TextViewPageCount(view, 11077), 0); // nothing loaded
    ShowHtmlText(view, Lines(5, true), "\\");
    EXPECT_EQ(TextViewPageCount(view, 11077), 1);
    ShowHtmlText(view, Lines(150, true), "\\");
    const int pages = TextViewPageCount(view, 11077);
    ASSERT_GE(pages, 3);
    EXPECT_GE(TextViewPageCount(view, 11077 / 2), 2 * pages - 1); // half the height: about twice the pages
    EXPECT_EQ(TextViewPageCount(view, 11077), pages);

    // One text per page, together every line once.
    RecordingDc dc({4960, 7016}, true);
    for (int page = 1; page <= pages; ++page)
        ASSERT_TRUE(PrintTextViewPage(view, dc, page, kPrintRectTwips));
    EXPECT_FALSE(PrintTextViewPage(view, dc, pages + 1, kPrintRectTwips));
    ASSERT_EQ(dc.Calls().size(), static_cast<std::size_t>(pages));
    std::string all;
    for (const DrawCall& call : dc.Calls())
        all += (all.empty() ? "" : "\n") + call.text;
    EXPECT_EQ(all, Lines(150, false));

    // A table row stays whole on its page and keeps its cells' text.
    ShowHtmlText(view, "<table border=1><tr><td>Links</td><td>Rechts</td></tr></table>", "\\");
    ASSERT_EQ(TextViewPageCount(view, 11077), 1);
    dc.Clear();
    ASSERT_TRUE(PrintTextViewPage(view, dc, 1, kPrintRectTwips));
    EXPECT_EQ(dc.Calls().at(0).text, "Links\nRechts");
    DestroyTextView(view);
}

// The HTML pages of the broken-file corpus, whole and cut, load and lay out
// for printing, or are refused and leave the view as it was; so are texts and
// files past kMaxHtmlText and tables past kMaxHtmlTableCells.
TEST(TextView, BrokenPagesLoadOrAreRefusedAndTheViewKeepsItsText) {
    test::TempDir drive;
    SetDriveRootForTesting(drive.Path());
    drive.Write("errhtml.txt", std::string(200, 'x')); // an older error file, in another letter case
    Parent p;
    TextView* view = CreateTextView(&p, kTextViewInfoPage, Rect{0, 0, 400, 300});
    const auto loads = [&](const std::string& bytes) {
        ShowHtmlText(view, "<p>Bisheriger Text</p>", "C:\\");
        drive.Write("PAGE.HTM", bytes);
        const bool loaded = LoadHtmlFile(view, "C:\\PAGE.HTM", 0, "C:\\");
        if (loaded)
            EXPECT_GE(TextViewPageCount(view, 11077), 1);
        else
            EXPECT_EQ(TextViewText(view), "Bisheriger Text");
        return loaded;
    };
    int pages = 0;
    for (const auto& e : std::filesystem::directory_iterator(std::filesystem::path(QX_TEST_DATA_DIR) / "broken")) {
        if (e.path().extension() != ".htm")
            continue;
        const std::string name = e.path().filename().string();
        const std::optional<std::string> bytes = ReadWholeFile(e.path());
        ASSERT_TRUE(bytes);
        SCOPED_TRACE(name);
        // Spans of 65535 rows and columns: billions of cells.
        EXPECT_EQ(loads(*bytes), name != "html_huge_table.htm");
        loads(bytes->substr(0, bytes->size() / 2));
        EXPECT_TRUE(loads(bytes->substr(0, 20)));
        ++pages;
    }
    EXPECT_GE(pages, 3);

    // Spans count however they are written, each in its own tag; a table of
    // the most cells loads (513 x 511: its 512 rows, and one for spans down),
    // whatever tags empty or cut it holds.
    std::string rows;
    for (int i = 0; i < 510; ++i)
        rows += "<tr><td>x</td></tr>";
    rows += "<tr><td>a</td><td>b</td></tr>";
    EXPECT_FALSE(loads("<table>" + rows + "<TR><TD COLSPAN = \"512\">y</TD></TR></table>"));
    EXPECT_TRUE(loads("<table>" + rows + "<TR><TD COLSPAN = \"511\">y</TD></TR></table><><t"));
    // Texts with a NUL, past kMaxHtmlText or of too many cells go to the error file, which each replaces.
    const std::string spans = "<p>Tabelle</p><table><tr><td rowspan='1000' colspan=+1000>z</td></tr></table>";
    for (const std::string& bad :
         {std::string("<p>Kaputt\0er Text</p>", 21), "<p>" + std::string(kMaxHtmlText, 'a'), spans}) {
        ShowHtmlText(view, "<p>Bisheriger Text</p>", "C:\\");
        ShowHtmlText(view, bad, "C:\\");
        EXPECT_EQ(TextViewText(view), "Bisheriger Text");
        EXPECT_TRUE(view->isVisibleTo(&p));
        EXPECT_EQ(ReadWholeFile(ResolvePath("C:\\ERRHTML.TXT")), bad + "\r\n[EndOfFile]");
    }

    const std::filesystem::path big = drive.Write("BIG.HTM", "<p>Neuer Text</p>");
    std::filesystem::resize_file(big, kMaxHtmlText + 1);
    EXPECT_FALSE(LoadHtmlFile(view, "C:\\BIG.HTM", 0, "C:\\"));
    EXPECT_EQ(TextViewText(view), "Bisheriger Text");
    DestroyTextView(view);
    SetDriveRootForTesting({});
}

} // namespace
} // namespace qx
