#pragma once
// The HTML text view of the information and requirements pages, on Qt's rich
// text. It shows simple catalogue pages (headings, paragraphs, bold, lists,
// tables, pictures), loads them from a file or from memory, and prints them
// page by page into a print job's context.
//
// Pictures: <img src="name"> is looked up in the view's image folder,
// programDir + "BILDER\800" or programDir + "BILDER\1024", through
// ResolvePath, so letter case does not matter.
//
// Print units: the print rectangle is given in twips of the printed page
// (left 1060, top 2880, right 10466, bottom 13957). The print jobs' 640 unit
// wide page stands for the width of an A4 sheet, 11906 twips, so one logical
// unit is 18.6 twips: the rectangle becomes (57, 155)-(563, 750), between the
// header band (ending at y 102) and the footer (y 870). The document is laid
// out in pixels of 96 per inch (15 twips each), so the printed size does not
// depend on the screen.
//
// Every operation accepts a null view and then does nothing.

#include "platform/core/Dc.h"
#include "platform/core/Geometry.h"

#include <QString>
#include <QTextBrowser>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class QTextDocument;

namespace qx {

// Kind codes of the views the pages make.
enum : int {
    kTextViewInfoPage = 2000,
    kTextViewPrint = 2001,
    kTextViewRequirements = 2002,
};

inline constexpr Rect kPrintRectTwips{1060, 2880, 10466, 13957};
inline constexpr double kTwipsPerPrintUnit = 18.6;
// A text larger than this, or one holding a NUL byte, is refused by
// ShowHtmlText; LoadHtmlFile refuses a larger file.
inline constexpr std::size_t kMaxHtmlText = 4u << 20;
// Both refuse a text whose tables could make more cells than this (rows of
// all its tables times the widest row, spans counted): the view builds
// every cell of a table grid up front.
inline constexpr std::uint64_t kMaxHtmlTableCells = 1u << 18;

class TextView final : public QTextBrowser {
public:
    TextView(QWidget* parent, int kind);
    ~TextView() override;

    int Kind() const { return kind_; }
    // The HTML last loaded (as shown), for printing; " " after clearing.
    const QString& Html() const { return html_; }
    // The image folder of the last load, backslash path without trailing separator.
    const std::string& ImageFolder() const { return imageFolder_; }

    void SetContent(const QString& html, const std::string& imageFolder);
    void ClearContent();

    // The document laid out for printing with pages of the given size in
    // twips; rebuilt when the size or the content changed.
    QTextDocument& PrintDocument(int widthTwips, int heightTwips);
    // The document of the last PrintDocument call, or null.
    QTextDocument* LastPrintDocument() const { return print_.get(); }

protected:
    // The arrows, Page Up and Page Down, Home and End scroll the text (with
    // Shift they select, as before).
    void keyPressEvent(QKeyEvent* event) override;

private:
    int kind_;
    QString html_;
    bool blank_ = false;
    std::string imageFolder_;
    std::unique_ptr<QTextDocument> print_;
    int printWidth_ = 0;
    int printHeight_ = 0;
};

// A child window of parent covering rect (parent's client pixels), not yet
// shown; a null parent gives a window that is never shown (print views).
// Null when the rectangle is empty.
TextView* CreateTextView(QWidget* parent, int kind, const Rect& rect);
// Destroys the view and sets the pointer to null.
void DestroyTextView(TextView*& view);
void ShowTextView(TextView* view, bool show);

// Read-only, white, a thin frame, links not followed, no focus rectangle.
void SetUpTextView(TextView* view);

// The document becomes one blank.
void ClearTextView(TextView* view);

// Loads an HTML file (bytes in the code page of the UI language). A file
// that cannot be opened, is larger than kMaxHtmlText or has tables beyond
// kMaxHtmlTableCells changes nothing and gives false. Image folder
// "BILDER\1024" when imageFolderMode is 1, else "BILDER\800".
bool LoadHtmlFile(TextView* view, std::string_view windowsPath, int imageFolderMode, std::string_view programDir);

// Shows an HTML text held in memory, pictures from "BILDER\800". Shorter
// than 8 characters: the view is cleared and nothing else happens. A text
// the view refuses (a NUL byte, more than kMaxHtmlText bytes, tables beyond
// kMaxHtmlTableCells) leaves the view as it was and is written to
// "C:\ERRHTML.TXT" with CR LF and "[EndOfFile]" after it. The view is shown
// at the end.
void ShowHtmlText(TextView* view, std::string_view text, std::string_view programDir);

// Pages the document fills at the print rectangle's width with pages of the
// given height (twips); 0 for an empty view.
int TextViewPageCount(TextView* view, int heightTwips);

// Prints page `page` (from 1) of the pagination of the last page count into
// the print rectangle (twips, see above) of the context's current page. A
// Qt printer or picture context gets the laid-out page; any other context
// gets the page's text as one DrawText into the rectangle. False (stop) when
// the page does not exist.
bool PrintTextViewPage(TextView* view, Dc& dc, int page, const Rect& rectTwips);

// The print rectangle in the 640 unit page system.
Rect PrintUnitsOfTwips(const Rect& twips);

// The plain text of the view's document (tests, accessibility).
std::string TextViewText(const TextView* view);

// The title the document gives itself; empty when it has none.
std::string TextViewTitle(const TextView* view);
// The name screen readers announce for the view.
void SetTextViewName(TextView* view, std::string_view name);

} // namespace qx
