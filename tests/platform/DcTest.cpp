// Drawing without a display: the device context's mapping and state, the
// recording context, the code pages of the catalogue and the layout of drawn
// text.
#include "platform/core/CodePage.h"
#include "platform/core/Dc.h"
#include "platform/core/DrawItem.h"
#include "platform/core/RecordingDc.h"
#include "platform/core/TextLayout.h"
#include "tests/common/DrawDump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <tuple>

namespace qx {
namespace {

TEST(Dc, TextAndAnisotropicMappings) {
    RecordingDc dc({800, 600});
    EXPECT_EQ(dc.GetMapMode(), MapMode::Text);
    dc.SetViewportOrg(5, 7);
    dc.SetWindowOrg(1, 2);
    EXPECT_EQ(std::pair(dc.LpToDp(Point{10, 20}), dc.DpToLp(Point{14, 25})), std::pair(Point{14, 25}, Point{10, 20}));
    // Extents cannot be changed in text mode.
    dc.SetWindowExt(100, 100);
    dc.SetViewportExt(200, 200);
    EXPECT_EQ(std::pair(dc.GetWindowExt(), dc.GetViewportExt()), std::pair(Size{1, 1}, Size{1, 1}));
    EXPECT_DOUBLE_EQ(dc.ScaleX() + dc.ScaleY(), 2.0);

    dc.SetViewportOrg(0, 0);
    dc.SetWindowOrg(0, 0);
    EXPECT_EQ(dc.SetMapMode(MapMode::Anisotropic), MapMode::Text);
    dc.SetWindowExt(628, 430);
    dc.SetViewportExt(788, 550);
    dc.SetWindowExt(0, 5); // refused
    // 314 * 788 / 628 = 394; 100 * 550 / 430 = 127.9 -> 128 (rounded like GDI)
    EXPECT_EQ(dc.LpToDp(Point{314, 100}), (Point{394, 128}));
    EXPECT_EQ(std::pair(dc.ScaleX(), dc.ScaleY()), std::pair(788.0 / 628.0, 550.0 / 430.0));
    EXPECT_EQ(std::pair(dc.LpToDp(Rect{0, 0, 628, 430}), dc.DpToLp(Point{788, 550})),
              std::pair(Rect{0, 0, 788, 550}, Point{628, 430}));

    // Stretch modes outside the known ones are refused.
    std::vector<int> kept;
    for (const int mode : {int{HALFTONE}, HALFTONE + 1, int{BLACKONWHITE}, BLACKONWHITE - 1}) {
        dc.SetStretchBltMode(mode);
        kept.push_back(dc.GetStretchBltMode());
    }
    EXPECT_EQ(kept, (std::vector<int>{HALFTONE, HALFTONE, BLACKONWHITE, BLACKONWHITE}));
}

TEST(Dc, IsotropicKeepsTheAspectAndTheSign) {
    RecordingDc dc({2400, 3300}, true);
    dc.SetMapMode(MapMode::Isotropic);
    dc.SetWindowExt(640, 480);
    dc.SetViewportExt(2400, 3300);
    // x scale 3.75, y scale 6.875: y is shrunk to 480 * 3.75 = 1800.
    EXPECT_EQ(dc.GetViewportExt(), (Size{2400, 1800}));
    dc.SetViewportOrg(12, 20);
    EXPECT_EQ(dc.LpToDp(Point{640, 480}), (Point{2412, 1820}));
    // A landscape viewport shrinks x instead.
    dc.SetViewportExt(3300, 1200);
    EXPECT_EQ(dc.GetViewportExt(), (Size{1600, 1200}));

    dc.SetViewportOrg(0, 0);
    dc.SetWindowExt(100, 100);
    dc.SetViewportExt(400, -200);
    // Rectangles come back ordered.
    EXPECT_EQ(std::tuple(dc.GetViewportExt(), dc.LpToDp(Point{10, 10}), dc.ScaleY(), dc.LpToDp(Rect{0, 0, 10, 10})),
              std::tuple(Size{200, -200}, Point{20, -20}, 2.0, Rect{0, -20, 20, 0}));
    // A device that tells no size or resolution is one pixel at 96 dpi: 0.3 mm.
    // One pixel at 600 dpi is less than 0.1 mm, yet an extent is never 0.
    struct Dpi : RecordingDc {
        int dpi = 0;
        int GetDeviceCaps(DeviceCap c) const override { return c >= DeviceCap::LogPixelsX ? dpi : 0; }
    } none, fine;
    fine.dpi = 600;
    EXPECT_TRUE(none.SetMapMode(MapMode::Isotropic) == MapMode::Text && none.GetWindowExt() == (Size{3, 3}));
    fine.SetMapMode(MapMode::Isotropic);
    EXPECT_EQ(fine.GetWindowExt(), (Size{1, 1}));
}

TEST(Dc, ModeChangesFollowGdi) {
    RecordingDc dc({640, 480});
    dc.SetMapMode(MapMode::Anisotropic);
    dc.SetWindowExt(10, 10);
    dc.SetViewportExt(20, 40);
    dc.SetMapMode(MapMode::Anisotropic); // changes nothing
    EXPECT_EQ(dc.GetViewportExt(), (Size{20, 40}));
    // Isotropic starts from the MM_LOMETRIC extents: 0.1 mm per unit, y up.
    dc.SetMapMode(MapMode::Isotropic);
    // 640 px at 96 dpi = 169.3 mm
    EXPECT_EQ(std::pair(dc.GetWindowExt(), dc.GetViewportExt()), std::pair(Size{1693, 1270}, Size{640, -480}));
    dc.SetMapMode(MapMode::Anisotropic); // keeps the extents of the previous mode
    EXPECT_EQ(dc.GetWindowExt(), (Size{1693, 1270}));
    EXPECT_EQ(dc.SetMapMode(MapMode::Text), MapMode::Anisotropic); // text resets them
    EXPECT_EQ(std::pair(dc.GetWindowExt(), dc.GetViewportExt()), std::pair(Size{1, 1}, Size{1, 1}));
}

// Mapping mode, window extent, text colour, background mode, font height, pen width and current position.
std::string State(const Dc& dc) {
    char buf[128];
    std::snprintf(buf, sizeof buf, "%d %dx%d #%06x %d %d %d %d,%d", static_cast<int>(dc.GetMapMode()),
                  dc.GetWindowExt().cx, dc.GetWindowExt().cy, static_cast<unsigned>(dc.GetTextColor()),
                  static_cast<int>(dc.GetBkMode()), dc.GetFont().height, dc.GetPen().width, dc.GetCurrentPosition().x,
                  dc.GetCurrentPosition().y);
    return buf;
}

TEST(Dc, SaveAndRestore) {
    RecordingDc dc;
    dc.SetTextColor(Rgb(1, 2, 3));
    dc.SelectFont(Font{"Arial", -12});
    const std::string first = State(dc);
    EXPECT_EQ(dc.SaveDc(), 1);
    dc.SetMapMode(MapMode::Anisotropic);
    dc.SetWindowExt(3, 3);
    dc.SetTextColor(Rgb(9, 9, 9));
    dc.SetBkMode(BkMode::Transparent);
    dc.MoveTo(5, 5);
    const std::string second = State(dc);
    EXPECT_EQ(dc.SaveDc(), 2);
    dc.SelectPen(Pen{PenStyle::Dot, 2, Rgb(255, 0, 0)});
    dc.RestoreDc(-1);
    EXPECT_EQ(State(dc), second);
    dc.SaveDc();
    dc.RestoreDc(1); // drops every newer state as well
    EXPECT_EQ(State(dc), first);
    // Nothing left to restore: ignored.
    dc.SetTextColor(Rgb(4, 4, 4));
    const std::string last = State(dc);
    dc.RestoreDc(-1);
    dc.RestoreDc(1);
    EXPECT_EQ(State(dc), last);
    EXPECT_EQ(dc.SaveDc(), 1);
}

TEST(RecordingDc, RecordsLinesTextFillsAndPicturesWithTheirState) {
    RecordingDc dc;
    dc.MoveTo(1, 2);
    dc.LineTo(10, 2);
    dc.LineTo(10, 20);
    dc.Polyline({{0, 0}, {5, 5}, {7, 0}});
    EXPECT_EQ(dc.GetCurrentPosition(), (Point{10, 20})); // Polyline does not move it
    dc.SelectPen(Pen{PenStyle::Null});
    dc.LineTo(0, 0);
    dc.Polyline({{0, 0}, {5, 5}}); // a null pen draws nothing
    EXPECT_EQ(dc.GetCurrentPosition(), (Point{0, 0}));
    dc.SetTextColor(Rgb(255, 255, 255));
    dc.SetBkMode(BkMode::Transparent);
    dc.SelectFont(Font{"Arial", -20, 700});
    dc.SetTextAlign(TA_CENTER);
    dc.TextOut(100, 50, "Hallo");
    dc.FillRect(Rect{0, 0, 10, 10}, Rgb(0, 0, 255));
    dc.StretchDib(Rect{1, 2, 3, 4}, Rect{0, 0, 8, 8}, DibBytes{});
    EXPECT_EQ(test::Dump(dc.Calls()), "line 1,2 10,2 solid/1 #000000\n"
                                      "line 10,2 10,20 solid/1 #000000\n"
                                      "line 0,0 5,5 7,0 solid/1 #000000\n"
                                      "text 100,50 \"Hallo\" Arial/-20/700 #ffffff fmt=6 clear\n"
                                      "fill 0,0,10,10 #0000ff\n"
                                      "dib 1,2,3,4 from 0,0,8,8\n");
    EXPECT_TRUE(dc.FindText("Hallo") == &dc.Calls()[3] && !dc.FindText("nope"));
    // The keyboard's mark needs more than six pixels each way.
    DrawFocusMark(dc, Rect{0, 0, 6, 40});
    DrawFocusMark(dc, Rect{0, 0, 40, 6});
    EXPECT_EQ(dc.Calls().size(), 6u);
    // Every byte is half the font's height wide; the standard font 8 x 16.
    const Size hallo = dc.GetTextExtent("Hallo");
    dc.SelectFont(Font{"Arial", 1});
    EXPECT_EQ(std::tuple(hallo, RecordingDc().GetTextExtent("abc"), dc.GetTextExtent("abc")),
              std::tuple(Size{50, 20}, Size{24, 16}, Size{3, 1}));
}

TEST(RecordingDc, DrawTextCalcRect) {
    RecordingDc dc;
    dc.SelectFont(Font{"Arial", -10}); // 5 wide, 10 high
    Rect r{10, 20, 60, 20};            // 50 wide: 10 characters
    // "Katalog" / "Betriebsei" / "nrichtunge" / "n"
    EXPECT_EQ(dc.DrawText("Katalog Betriebseinrichtungen", r, DT_WORDBREAK | DT_CALCRECT), 40);
    Rect one{0, 0, 0, 0};
    EXPECT_EQ(dc.DrawText("a&bc", one, DT_SINGLELINE | DT_CALCRECT), 10);
    EXPECT_EQ(std::tuple(r, one, dc.Calls().size()), std::tuple(Rect{10, 20, 60, 60}, Rect{0, 0, 15, 10}, 0u));

    Rect drawn{0, 0, 100, 100};
    EXPECT_EQ(dc.DrawText("x\r\ny", drawn, DT_LEFT), 20);
    EXPECT_EQ(test::Dump(dc.Calls()), "drawtext 0,0,100,100 \"x\r\ny\" Arial/-10/400 #000000 fmt=0\n");
    EXPECT_EQ(dc.Texts(), (std::vector<std::string>{"x\r\ny"}));
    // Vertically centred single line: the bottom of the text, from the top.
    EXPECT_EQ(dc.DrawText("x", drawn, DT_SINGLELINE | DT_VCENTER), 55);
}

// A recording printer numbers its pages and can be told to refuse one; the screen has none.
TEST(RecordingDc, PrinterPages) {
    EXPECT_TRUE(!RecordingDc().StartPage() && RecordingDc().GetDeviceCaps(DeviceCap::LogPixelsX) == 96);
    RecordingDc dc({2400, 3300}, true);
    EXPECT_EQ(std::pair(dc.GetDeviceCaps(DeviceCap::HorzRes), dc.GetDeviceCaps(DeviceCap::VertRes)),
              std::pair(2400, 3300));
    dc.FailStartPageFrom(3);
    dc.FillRect(Rect{}, 0);
    for (const char* page : {"one", "two"}) {
        EXPECT_TRUE(dc.StartPage());
        dc.TextOut(0, 0, page);
        EXPECT_TRUE(dc.EndPage());
    }
    EXPECT_FALSE(dc.StartPage());
    EXPECT_EQ(std::tuple(dc.PagesStarted(), dc.PagesEnded(), dc.Calls()[0].page, dc.FindText("two")->page),
              std::tuple(2, 2, 0, 2));
}

constexpr CodePage kWest = CodePage::Cp1252, kCzech = CodePage::Cp1250;

TEST(CodePage, KnownCharactersBothWays) {
    EXPECT_EQ((std::vector<CodePage>{CodePageOfLanguage(0), CodePageOfLanguage(1), CodePageOfLanguage(2),
                                     CodePageOfLanguage(3)}), (std::vector<CodePage>{kWest, kWest, kWest, kCzech}));
    const std::tuple<const char*, CodePage, const char*> known[] = {
        {"\x80", kWest, "€"}, {"\x80", kCzech, "€"}, {"\x8A", kCzech, "Š"}, {"\x8A", kWest, "Š"},
        {"\xEC", kCzech, "ě"}, {"\xEC", kWest, "ì"}, {"\xDF\xE4\xF6\xFC", kWest, "ßäöü"},
        {"n\xE1\xF8\x61\x64\xED", kCzech, "nářadí"}, {"\x99", kWest, "™"}, {"\xFF", kCzech, "˙"},
        // Undefined positions become the C1 control of the same value.
        {"\x81\x8D\x8F\x90\x9D", kWest, "\u0081\u008D\u008F\u0090\u009D"},
        {"\x81\x83\x88\x90\x98", kCzech, "\u0081\u0083\u0088\u0090\u0098"}};
    for (const auto& [bytes, cp, utf8] : known)
        EXPECT_EQ(ToUtf8(bytes, cp), utf8) << utf8;
    EXPECT_EQ(ToUtf16("\x8A\xE9", kCzech), u"Šé");
    bool lossless = false;
    EXPECT_EQ(FromUtf8("Šíleně € ", kCzech, &lossless), "\x8A\xEDlen\xEC \x80 ");
    EXPECT_EQ(FromUtf16(u"Šé", kCzech, &lossless), "\x8A\xE9");

    // Every byte round-trips, as 256 distinct characters.
    for (CodePage cp : {kWest, kCzech}) {
        std::string all;
        for (int b = 0; b < 256; ++b)
            all.push_back(static_cast<char>(b));
        bool viaUtf8 = false, viaUtf16 = false;
        EXPECT_TRUE(FromUtf8(ToUtf8(all, cp), cp, &viaUtf8) == all && viaUtf8 &&
                    FromUtf16(ToUtf16(all, cp), cp, &viaUtf16) == all && viaUtf16);
        std::u16string sorted = ToUtf16(all, cp);
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(std::unique(sorted.begin(), sorted.end()), sorted.end());
    }
}

TEST(CodePage, UnrepresentableAndInvalidBecomeQuestionMarks) {
    const std::tuple<const char*, CodePage, const char*> lossy[] = {{"ě", kWest, "?"}, {"a😀b", kWest, "a?b"},
                 // Stray continuation, truncated sequence, overlong form, surrogate, beyond U+10FFFF, last 2-byte lead.
                 {"a\x80" "b", kWest, "a?b"}, {"a\xE2\x82", kWest, "a?"}, {"\xC0\xAF", kWest, "??"},
                 {"\xED\xA0\x80", kWest, "???"}, {"\xF4\x90\x80\x80", kWest, "????"}, {"\xDF\xBF", kWest, "?"},
                 {"\xF0\x8F\xBF\xBF", kWest, "????"}}; // four bytes for what three hold
    for (const auto& [utf8, cp, bytes] : lossy) {
        bool lossless = true;
        EXPECT_TRUE(FromUtf8(utf8, cp, &lossless) == bytes && !lossless) << bytes;
    }
    bool lossless = true;
    // A pair is one '?', the first and last pairs too; a lone surrogate is one.
    EXPECT_TRUE(FromUtf16(u"\U0001F600b\xD800\U00010000\U0010FFFF", kWest, &lossless) == "?b???" && !lossless);
    EXPECT_EQ(FromUtf8(std::string_view("a\0b", 3), kWest), std::string("a\0b", 3));
    EXPECT_TRUE(Representable("ě", kCzech) && Representable(std::string_view("a\xC3", 1), kWest)); // the view only
    EXPECT_TRUE(Representable(std::string_view("a\0b", 3), kWest)); // NUL is byte 0 of every code page
    // The control, not the euro sign of byte 0x80; just past the highest code point either holds.
    for (const auto& [text, cp] : {std::pair{"ě", kWest}, {"à", kCzech}, {"\u0080", kWest}, {"\u2123", kWest},
                                   {"\xC3", kWest}})
        EXPECT_FALSE(Representable(text, cp)) << text;
}

// Every byte 1 unit wide; the lines joined by "|".
std::string Lines(std::string_view text, int width, unsigned format) {
    std::string out;
    for (const auto& l : LayoutText(text, width, format, [](std::string_view s) { return static_cast<int>(s.size()); }))
        out += "|" + l.text + (l.width == static_cast<int>(l.text.size()) ? "" : "?");
    return out.empty() ? out : out.substr(1);
}

TEST(TextLayout, LineBreaksWordBreaksPrefixesAndTabs) {
    const std::tuple<const char*, int, unsigned, const char*> cases[] = {
        {"", 100, 0, ""}, {"a\r\nb\nc\rd", 100, 0, "a|b|c|d"}, // CR LF, LF or a lone CR
        {"a\r\n", 100, 0, "a"}, {"a\r", 100, 0, "a"}, {"\r\nb", 100, 0, "|b"}, {"a\n\nb", 100, 0, "a||b"},
        {"a long line", 3, 0, "a long line"}, // without DT_WORDBREAK nothing is wrapped
        {"Katalog Betriebseinrichtungen und Spezialwerkzeuge", 20, DT_WORDBREAK,
         "Katalog|Betriebseinrichtunge|n und|Spezialwerkzeuge"}, {"aa bb cc", 5, DT_WORDBREAK, "aa bb|cc"},
        // Blanks at the break vanish; leading blanks of a paragraph stay.
        {"  aa    bb", 6, DT_WORDBREAK, "  aa|bb"}, {"aa bb\r\ncc dd", 5, DT_WORDBREAK, "aa bb|cc dd"},
        {"abcdefg", 3, DT_WORDBREAK, "abc|def|g"}, {"ab c", 0, DT_WORDBREAK, "a|b|c"}, // a zero width still makes progress
        {"&Datei", 100, 0, "Datei"}, {"A && B", 100, 0, "A & B"}, {"end&", 100, 0, "end&"},
        {"&Datei && &&x", 100, DT_NOPREFIX, "&Datei && &&x"}, {"a\r\nb c", 1, DT_SINGLELINE | DT_WORDBREAK, "ab c"},
        // Tabs: stops every 8 average widths, and break points with DT_WORDBREAK.
        {"a\tb", 100, DT_EXPANDTABS, "a       b"}, {"abcdefgh\tb", 100, DT_EXPANDTABS, "abcdefgh        b"},
        {"a\tb", 100, 0, "a\tb"}, {"aaaa\tbb\tc", 10, DT_EXPANDTABS | DT_WORDBREAK, "aaaa    bb|c"},
    };
    for (const auto& [text, width, format, lines] : cases)
        EXPECT_EQ(Lines(text, width, format), lines) << text;
    EXPECT_EQ(LayoutText("\n", 100, 0, [](std::string_view) { return 1; }).size(), 1u);

    const Rect r{10, 20, 110, 70};
    // Vertical centring only with DT_SINGLELINE.
    EXPECT_EQ((std::vector<int>{AlignLineX(r, 40, DT_LEFT), AlignLineX(r, 40, DT_CENTER), AlignLineX(r, 40, DT_RIGHT),
                                AlignBlockTop(r, 10, DT_VCENTER), AlignBlockTop(r, 10, DT_SINGLELINE | DT_VCENTER),
                                AlignBlockTop(r, 10, DT_SINGLELINE | DT_BOTTOM),
                                DrawTextResult(r, 10, DT_SINGLELINE | DT_BOTTOM), DrawTextResult(r, 30, 0)}),
              (std::vector<int>{10, 40, 70, 20, 40, 60, 50, 30}));
}

} // namespace
} // namespace qx
