#include "platform/qt/TextView.h"

#include "platform/core/FileIo.h"
#include "platform/core/Path.h"
#include "platform/qt/QtDc.h"
#include "platform/qt/QtText.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QImageReader>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QUrl>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cmath>
#include <map>
#include <system_error>

namespace qx {

namespace {

// Print layout: pixels of 96 per inch.
constexpr double kTwipsPerLayoutPixel = 15.0;

// The face and size of text without its own font, on screen and on paper.
QFont DocumentFont() {
    QFont f = ToQFont(Font{"Arial", -13, 400, false, false});
    f.setPointSizeF(10);
    return f;
}

// A paint device of exactly 96 dots per inch: the print layout measures
// against it, so pagination does not follow the screen's resolution.
QPaintDevice* LayoutDevice() {
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        return image;
    }();
    return &device;
}

std::string ImageFolderOf(std::string_view programDir, int imageFolderMode) {
    return std::string(programDir) + (imageFolderMode == 1 ? "BILDER\\1024" : "BILDER\\800");
}

// A document whose pictures come from the image folder, letter case ignored.
class HtmlDocument final : public QTextDocument {
public:
    explicit HtmlDocument(QObject* parent) : QTextDocument(parent) {}

    void SetImageFolder(const std::string& folder) {
        folder_ = folder;
        images_.clear();
    }

protected:
    QVariant loadResource(int type, const QUrl& name) override {
        // Style sheets and the like are not part of the catalogue's pages.
        if (type != QTextDocument::ImageResource || folder_.empty())
            return {};
        const QString src = name.isLocalFile() ? name.toLocalFile() : name.toString();
        if (const auto it = images_.find(src); it != images_.end())
            return it->second;
        std::string relative = ToAnsi(src);
        for (char& c : relative) {
            if (c == '/')
                c = '\\';
        }
        while (!relative.empty() && relative.front() == '\\')
            relative.erase(0, 1);
        const std::filesystem::path file = ResolvePath(folder_ + "\\" + relative);
        QImageReader reader(QString::fromStdString(file.string()));
        reader.setAutoTransform(true);
        const QImage image = reader.read();
        QVariant result;
        if (!image.isNull())
            result = image;
        images_.emplace(src, result);
        return result;
    }

private:
    std::string folder_;
    std::map<QString, QVariant> images_;
};

HtmlDocument* AsHtml(QTextDocument* doc) { return dynamic_cast<HtmlDocument*>(doc); }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithWord(std::string_view text, std::size_t at, std::string_view word) {
    if (text.size() - at < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (Lower(text[at + i]) != word[i])
            return false;
    }
    const std::size_t end = at + word.size();
    return end == text.size() || !std::isalnum(static_cast<unsigned char>(text[end]));
}

// The number given to a span attribute inside a tag, 1 when there is none.
std::uint64_t SpanOf(std::string_view tag, std::string_view name) {
    for (std::size_t at = 0; at < tag.size(); ++at) {
        if (!StartsWithWord(tag, at, name))
            continue;
        std::size_t i = at + name.size();
        while (i < tag.size() && (tag[i] == ' ' || tag[i] == '=' || tag[i] == '"' || tag[i] == '\'' ||
                                  tag[i] == '+' || tag[i] == '\t' || tag[i] == '\r' || tag[i] == '\n'))
            ++i;
        std::uint64_t n = 0;
        for (; i < tag.size() && tag[i] >= '0' && tag[i] <= '9'; ++i)
            n = std::min<std::uint64_t>(n * 10 + static_cast<std::uint64_t>(tag[i] - '0'), 1u << 30);
        return std::max<std::uint64_t>(n, 1);
    }
    return 1;
}

// Cells the tables of a text can make at most: every row of every table
// times the widest row, spans counted. The view builds each cell of a table
// grid, so a page of a few bytes could otherwise ask for billions.
std::uint64_t TableCellBound(std::string_view text) {
    std::uint64_t rows = 0;
    std::uint64_t rowWidth = 0;
    std::uint64_t widest = 1;
    std::uint64_t tallestSpan = 0;
    constexpr std::uint64_t kCap = 1ull << 31; // keeps the product inside 64 bits
    // A tag runs to the next ">", whatever "<" it holds, as the view reads it.
    for (std::size_t at = 0, lt; (lt = text.find('<', at)) != std::string_view::npos;) {
        const std::size_t name = lt + 1;
        const std::size_t gt = text.find('>', name);
        const std::string_view tag = text.substr(name, gt == std::string_view::npos ? gt : gt - name);
        if (StartsWithWord(text, name, "tr")) {
            rows = std::min(rows + 1, kCap);
            rowWidth = 0;
        } else if (StartsWithWord(text, name, "td") || StartsWithWord(text, name, "th")) {
            rowWidth = std::min(rowWidth + SpanOf(tag, "colspan"), kCap);
            widest = std::max(widest, rowWidth);
            tallestSpan = std::max(tallestSpan, SpanOf(tag, "rowspan"));
        }
        if (gt == std::string_view::npos)
            break;
        at = gt + 1;
    }
    return std::min(rows + tallestSpan, kCap) * widest;
}

bool TooManyTableCells(std::string_view text) { return TableCellBound(text) > kMaxHtmlTableCells; }

bool Refused(std::string_view text) {
    return text.size() > kMaxHtmlText || text.find('\0') != std::string_view::npos || TooManyTableCells(text);
}

void WriteRefusedText(std::string_view text) {
    std::error_code ec;
    std::filesystem::create_directories(DriveRoot(), ec);
    std::string bytes(text);
    bytes += "\r\n[EndOfFile]";
    WriteFileAtomic(ResolvePath("C:\\ERRHTML.TXT"), bytes);
}

double PageHeightOf(const QTextDocument& doc) { return doc.pageSize().height(); }

// The text of the lines laid out on one page, a line per line.
QString PageText(QTextDocument& doc, int page) {
    const double pageHeight = PageHeightOf(doc);
    QAbstractTextDocumentLayout* layout = doc.documentLayout();
    QString out;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* tl = block.layout();
        if (!tl)
            continue;
        const QRectF box = layout->blockBoundingRect(block);
        const QString text = block.text();
        for (int i = 0; i < tl->lineCount(); ++i) {
            const QTextLine line = tl->lineAt(i);
            const double middle = box.top() + line.y() + line.height() / 2;
            if (static_cast<int>(std::floor(middle / pageHeight)) + 1 != page)
                continue;
            QString part = text.mid(line.textStart(), line.textLength());
            part.remove(QChar::ObjectReplacementCharacter);
            part.replace(QChar::LineSeparator, QLatin1Char('\n'));
            part = part.trimmed();
            if (part.isEmpty())
                continue;
            if (!out.isEmpty())
                out += QLatin1Char('\n');
            out += part;
        }
    }
    return out;
}

} // namespace

TextView::TextView(QWidget* parent, int kind) : QTextBrowser(parent), kind_(kind) {
    auto* doc = new HtmlDocument(this);
    doc->setDefaultFont(DocumentFont());
    setDocument(doc);
    setFont(DocumentFont());
}

TextView::~TextView() = default;

void TextView::keyPressEvent(QKeyEvent* event) {
    // The caret of a read-only text is invisible: moving it would seem to do
    // nothing until it left the window. The keys scroll instead.
    QAbstractSlider::SliderAction action = QAbstractSlider::SliderNoAction;
    if (event->modifiers() == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_Up:
            action = QAbstractSlider::SliderSingleStepSub;
            break;
        case Qt::Key_Down:
            action = QAbstractSlider::SliderSingleStepAdd;
            break;
        case Qt::Key_PageUp:
            action = QAbstractSlider::SliderPageStepSub;
            break;
        case Qt::Key_PageDown:
            action = QAbstractSlider::SliderPageStepAdd;
            break;
        case Qt::Key_Home:
            action = QAbstractSlider::SliderToMinimum;
            break;
        case Qt::Key_End:
            action = QAbstractSlider::SliderToMaximum;
            break;
        default:
            break;
        }
    }
    if (action == QAbstractSlider::SliderNoAction) {
        QTextBrowser::keyPressEvent(event);
        return;
    }
    verticalScrollBar()->triggerAction(action);
    event->accept();
}

void TextView::SetContent(const QString& html, const std::string& imageFolder) {
    html_ = html;
    blank_ = false;
    imageFolder_ = imageFolder;
    print_.reset();
    if (HtmlDocument* doc = AsHtml(document()))
        doc->SetImageFolder(imageFolder);
    setHtml(html);
}

void TextView::ClearContent() {
    // One blank as text: as HTML it would collapse to nothing.
    html_ = QStringLiteral(" ");
    blank_ = true;
    print_.reset();
    setPlainText(html_);
}

QTextDocument& TextView::PrintDocument(int widthTwips, int heightTwips) {
    if (!print_ || printWidth_ != widthTwips || printHeight_ != heightTwips) {
        auto doc = std::make_unique<HtmlDocument>(nullptr);
        doc->SetImageFolder(imageFolder_);
        doc->documentLayout()->setPaintDevice(LayoutDevice());
        doc->setDefaultFont(DocumentFont());
        doc->setDocumentMargin(0);
        if (blank_)
            doc->setPlainText(html_);
        else
            doc->setHtml(html_);
        doc->setPageSize(QSizeF(widthTwips / kTwipsPerLayoutPixel, heightTwips / kTwipsPerLayoutPixel));
        print_ = std::move(doc);
        printWidth_ = widthTwips;
        printHeight_ = heightTwips;
    }
    return *print_;
}

TextView* CreateTextView(QWidget* parent, int kind, const Rect& rect) {
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return nullptr;
    auto* view = new TextView(parent, kind);
    view->setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    view->hide();
    return view;
}

void DestroyTextView(TextView*& view) {
    delete view;
    view = nullptr;
}

void ShowTextView(TextView* view, bool show) {
    if (view)
        view->setVisible(show);
}

void SetUpTextView(TextView* view) {
    if (!view)
        return;
    view->setReadOnly(true);
    view->setUndoRedoEnabled(false);
    // Pages are shown, not browsed: a link does not replace the document.
    view->setOpenLinks(false);
    view->setOpenExternalLinks(false);
    view->setFrameShape(QFrame::NoFrame);
    view->setAutoFillBackground(true);
    QPalette pal = view->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Base, Qt::white);
        pal.setColor(group, QPalette::Window, Qt::white);
        pal.setColor(group, QPalette::Text, Qt::black);
    }
    view->setPalette(pal);
    view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void ClearTextView(TextView* view) {
    if (view)
        view->ClearContent();
}

bool LoadHtmlFile(TextView* view, std::string_view windowsPath, int imageFolderMode, std::string_view programDir) {
    if (!view)
        return false;
    const std::optional<std::string> bytes = ReadWholeFile(ResolvePath(windowsPath), kMaxHtmlText);
    if (!bytes || TooManyTableCells(*bytes))
        return false;
    view->SetContent(FromAnsi(*bytes), ImageFolderOf(programDir, imageFolderMode));
    return true;
}

void ShowHtmlText(TextView* view, std::string_view text, std::string_view programDir) {
    if (!view)
        return;
    if (text.size() < 8) {
        view->ClearContent();
        return;
    }
    view->hide();
    if (Refused(text))
        WriteRefusedText(text);
    else
        view->SetContent(FromAnsi(text), ImageFolderOf(programDir, 0));
    view->show();
}

int TextViewPageCount(TextView* view, int heightTwips) {
    if (!view || view->Html().isEmpty() || heightTwips <= 0)
        return 0;
    const int width = kPrintRectTwips.Width();
    return view->PrintDocument(width, heightTwips).pageCount() & 0xFFFF;
}

Rect PrintUnitsOfTwips(const Rect& twips) {
    const auto unit = [](int v) { return static_cast<int>(std::lround(v / kTwipsPerPrintUnit)); };
    return Rect{unit(twips.left), unit(twips.top), unit(twips.right), unit(twips.bottom)};
}

bool PrintTextViewPage(TextView* view, Dc& dc, int page, const Rect& rectTwips) {
    if (!view || view->Html().isEmpty() || page < 1 || rectTwips.Width() <= 0 || rectTwips.Height() <= 0)
        return false;
    // The pagination of the last page count; without one, pages of the
    // rectangle's own size.
    QTextDocument* doc = view->LastPrintDocument();
    if (!doc)
        doc = &view->PrintDocument(rectTwips.Width(), rectTwips.Height());
    if (page > doc->pageCount())
        return false;

    const double pageWidth = doc->pageSize().width();
    const double pageHeight = PageHeightOf(*doc);
    const double left = rectTwips.left / kTwipsPerPrintUnit;
    const double top = rectTwips.top / kTwipsPerPrintUnit;
    // A print job's context forwards to the printer's; that one is looked at.
    auto* qdc = dynamic_cast<QtDc*>(&dc.DrawingTarget());
    if (!qdc) {
        Rect area = PrintUnitsOfTwips(rectTwips);
        dc.DrawText(ToAnsi(PageText(*doc, page)), area, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
        return true;
    }
    QPainter* painter = qdc->ContentPainter();
    if (!painter)
        return true; // no page open: nothing to draw on, the page still counts
    const double scale = kTwipsPerLayoutPixel / kTwipsPerPrintUnit;
    const double pageTop = (page - 1) * pageHeight;
    // A rectangle lower than the page (extra top offset) shows its top part.
    const double shown = std::min(pageHeight, rectTwips.Height() / kTwipsPerLayoutPixel);
    painter->save();
    painter->setWorldTransform(QTransform::fromTranslate(0, -pageTop) * QTransform::fromScale(scale, scale) *
                               QTransform::fromTranslate(left, top) * qdc->LogicalToDevice());
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
    const QRectF clip(0, pageTop, pageWidth, shown);
    painter->setClipRect(clip, Qt::IntersectClip);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = clip;
    context.palette.setColor(QPalette::Text, Qt::black);
    doc->documentLayout()->draw(painter, context);
    painter->restore();
    return true;
}

std::string TextViewText(const TextView* view) {
    return view ? ToAnsi(view->document()->toPlainText()) : std::string();
}

std::string TextViewTitle(const TextView* view) {
    return view ? ToAnsi(view->document()->metaInformation(QTextDocument::DocumentTitle).simplified()) : std::string();
}

void SetTextViewName(TextView* view, std::string_view name) {
    if (view)
        view->setAccessibleName(FromAnsi(name));
}

} // namespace qx
