#include "platform/qt/QtDc.h"

#include "platform/core/DibPixels.h"
#include "platform/core/TextLayout.h"
#include "platform/qt/LayoutCheck.h"
#include "platform/qt/QtText.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QRawFont>
#include <QTransform>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <list>
#include <map>
#include <optional>
#include <tuple>
#include <utility>

namespace qx {

namespace {

QColor ToQColor(ColorRef c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

bool SameFace(const std::string& a, const char* b) {
    const std::size_t n = std::strlen(b);
    if (a.size() != n)
        return false;
    for (std::size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The installed family that stands for a Windows face. The catalogue's faces
// are Arial and the dialog font; the metric-compatible Liberation families
// keep line breaks where the layouts expect them.
QString FamilyFor(const std::string& face) {
    static std::map<std::string, QString> cache;
    if (const auto it = cache.find(face); it != cache.end())
        return it->second;
    QStringList candidates;
    if (SameFace(face, "Times New Roman") || SameFace(face, "Times")) {
        candidates = {QStringLiteral("Liberation Serif"), QStringLiteral("Times New Roman"),
                      QStringLiteral("Times"), QStringLiteral("DejaVu Serif")};
    } else if (SameFace(face, "Courier New") || SameFace(face, "Courier")) {
        candidates = {QStringLiteral("Liberation Mono"), QStringLiteral("Courier New"),
                      QStringLiteral("Courier"), QStringLiteral("DejaVu Sans Mono")};
    } else {
        if (!face.empty() && !SameFace(face, "Arial") && !SameFace(face, "MS Sans Serif"))
            candidates.append(QString::fromStdString(face));
        candidates.append({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                           QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")});
    }
    QString family = QStringLiteral("Sans Serif");
    for (const QString& c : std::as_const(candidates)) {
        if (QFontDatabase::hasFamily(c)) {
            family = c;
            break;
        }
    }
    cache.emplace(face, family);
    return family;
}

QFont BaseFont(const Font& font) {
    QFont f(FamilyFor(font.face));
    f.setStyleHint(QFont::SansSerif);
    f.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight > 0 ? font.weight : 400, 100, 900)));
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    // GDI's TextOut does not kern; light hinting keeps design advances, so
    // widths do not depend on the device's resolution.
    f.setKerning(false);
    f.setHintingPreference(QFont::PreferVerticalHinting);
    return f;
}

struct CellRatio {
    double ascent = 0.905; // of the em; Arial's values when nothing better is known
    double descent = 0.212;
};

// Ascent and descent per em of a family and style, read once from the font.
CellRatio RatioOf(const QFont& base) {
    static std::map<std::tuple<QString, int, bool>, CellRatio> cache;
    const auto key = std::make_tuple(base.family(), static_cast<int>(base.weight()), base.italic());
    if (const auto it = cache.find(key); it != cache.end())
        return it->second;
    CellRatio r;
    QRawFont raw = QRawFont::fromFont(base);
    if (raw.isValid() && raw.unitsPerEm() > 0) {
        // At one pixel per font unit the metrics are the font's own numbers.
        raw.setPixelSize(raw.unitsPerEm());
        if (raw.ascent() > 0 && raw.descent() >= 0) {
            r.ascent = raw.ascent() / raw.unitsPerEm();
            r.descent = raw.descent() / raw.unitsPerEm();
        }
    }
    cache.emplace(key, r);
    return r;
}

FontCell CellFor(const Font& font, const CellRatio& r) {
    FontCell c;
    const int h = font.height == 0 ? 16 : font.height;
    c.em = h < 0 ? -static_cast<double>(h) : h / (r.ascent + r.descent);
    c.ascent = c.em * r.ascent;
    c.descent = c.em * r.descent;
    c.height = static_cast<int>(std::lround(c.ascent + c.descent));
    return c;
}

// Decoded pictures, newest first. Pages hand out the same serial for the
// same picture while it lives, so a repaint finds its background here.
class DibCache {
public:
    QImage Get(const DibBytes& dib) {
        if (dib.serial != 0) {
            for (auto it = entries_.begin(); it != entries_.end(); ++it) {
                if (it->first == dib.serial) {
                    entries_.splice(entries_.begin(), entries_, it);
                    return entries_.front().second;
                }
            }
        }
        QImage image = Decode(dib);
        if (dib.serial != 0 && !image.isNull()) {
            entries_.emplace_front(dib.serial, image);
            bytes_ += image.sizeInBytes();
            while (entries_.size() > kMaxEntries || (bytes_ > kMaxBytes && entries_.size() > 1)) {
                bytes_ -= entries_.back().second.sizeInBytes();
                entries_.pop_back();
            }
        }
        return image;
    }

private:
    static QImage Decode(const DibBytes& dib) {
        const std::optional<Pixels> px = DecodeDib(dib);
        if (!px)
            return {};
        QImage image(px->width, px->height, QImage::Format_RGB32); // null without width or height
        if (image.isNull())
            return {};
        const std::size_t row = static_cast<std::size_t>(px->width) * sizeof(std::uint32_t);
        for (int y = 0; y < px->height; ++y)
            std::memcpy(image.scanLine(y), px->argb.data() + static_cast<std::size_t>(y) * px->width, row);
        return image;
    }

    static constexpr std::size_t kMaxEntries = 32;
    static constexpr qsizetype kMaxBytes = 128 * 1024 * 1024;
    std::list<std::pair<std::uint64_t, QImage>> entries_;
    qsizetype bytes_ = 0;
};

DibCache& TheDibCache() {
    static DibCache cache;
    return cache;
}

// Keeps a borrowed painter as it was handed to us.
class PainterState {
public:
    explicit PainterState(QPainter& p) : p_(p) {
        p_.save();
        p_.setWorldTransform(QTransform());
        p_.setRenderHint(QPainter::Antialiasing, false);
    }
    ~PainterState() { p_.restore(); }
    PainterState(const PainterState&) = delete;
    PainterState& operator=(const PainterState&) = delete;

private:
    QPainter& p_;
};

} // namespace

FontCell CellOf(const Font& font) { return CellFor(font, RatioOf(BaseFont(font))); }

QFont ToQFont(const Font& font, double scale) {
    QFont f = BaseFont(font);
    const FontCell c = CellFor(font, RatioOf(f));
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(c.em * scale))));
    return f;
}

QtDc::QtDc(QPainter& painter) : device_(painter.device()), painter_(&painter) {}

QtDc::QtDc(QPaintDevice* device) : device_(device) {
    if (device_) {
        ownPainter_ = std::make_unique<QPainter>(device_);
        painter_ = ownPainter_.get();
    }
}

QtDc::QtDc(QPaintDevice* device, std::nullptr_t) : device_(device) {}

QtDc::~QtDc() = default;

QPainter* QtDc::ActivePainter() const { return painter_ && painter_->isActive() ? painter_ : nullptr; }

QTransform QtDc::WorldTransform() const {
    const Size we = GetWindowExt();
    const Size ve = GetViewportExt();
    const Point wo = GetWindowOrg();
    const Point vo = GetViewportOrg();
    return QTransform::fromTranslate(-wo.x, -wo.y) *
           QTransform::fromScale(static_cast<double>(ve.cx) / we.cx, static_cast<double>(ve.cy) / we.cy) *
           QTransform::fromTranslate(vo.x, vo.y);
}

const QtDc::Prepared& QtDc::CurrentFont() {
    if (font_ && font_->font == GetFont())
        return *font_;
    auto p = std::make_unique<Prepared>();
    p->font = GetFont();
    p->qfont = BaseFont(p->font);
    p->cell = CellFor(p->font, RatioOf(p->qfont));
    // Qt keeps whole pixel sizes; a cell-height font has a fractional em
    // (16 -> 14.32 for Arial). A 16 times larger font scaled down keeps it.
    const double em = p->cell.em;
    const bool whole = std::fabs(em - std::round(em)) < 1e-9;
    const int size = std::max(1, static_cast<int>(std::lround(whole ? em : em * 16)));
    p->qfont.setPixelSize(size);
    p->factor = em / size;
    font_ = std::move(p);
    return *font_;
}

double QtDc::Advance(const QString& text) {
    const Prepared& f = CurrentFont();
    if (text.isEmpty())
        return 0;
    const QFontMetricsF m = device_ ? QFontMetricsF(f.qfont, device_) : QFontMetricsF(f.qfont);
    return m.horizontalAdvance(text) * f.factor;
}

int QtDc::Measure(std::string_view bytes) { return static_cast<int>(std::lround(Advance(FromAnsi(bytes)))); }

void QtDc::DrawRun(QPainter& p, const QString& text, double x, double top, double width) {
    const Prepared& f = CurrentFont();
    // The cell's corner goes through the mapping; the glyphs are scaled by
    // its magnitudes, so text stays upright on a flipped axis as with GDI.
    const QPointF at = WorldTransform().map(QPointF(x, top));
    const double sx = ScaleX();
    const double sy = ScaleY();
    p.setWorldTransform(QTransform());
    if (GetBkMode() == BkMode::Opaque && width > 0)
        p.fillRect(QRectF(at.x(), at.y(), width * sx, (f.cell.ascent + f.cell.descent) * sy), ToQColor(GetBkColor()));
    if (text.isEmpty())
        return;
    const QTransform glyphs(f.factor * sx, 0, 0, f.factor * sy, at.x(), at.y() + f.cell.ascent * sy);
    if (RecordingLayout())
        RecordDrawnText(p, text, glyphs.mapRect(QFontMetricsF(f.qfont).tightBoundingRect(text)));
    p.setWorldTransform(glyphs);
    p.setFont(f.qfont);
    p.setPen(ToQColor(GetTextColor()));
    p.drawText(QPointF(0, 0), text);
}

void QtDc::FillRect(const Rect& rect, ColorRef color) {
    QPainter* p = ActivePainter();
    if (!p)
        return;
    const Rect d = LpToDp(rect);
    if (d.IsEmpty())
        return;
    PainterState keep(*p);
    p->fillRect(QRect(d.left, d.top, d.Width(), d.Height()), ToQColor(color));
}

void QtDc::TextOut(int x, int y, std::string_view text) {
    QPainter* p = ActivePainter();
    if (!p)
        return;
    const QString s = FromAnsi(text);
    const FontCell cell = CurrentFont().cell;
    const double width = Advance(s);
    const unsigned align = GetTextAlign();
    double left = x;
    if ((align & TA_CENTER) == TA_CENTER)
        left -= width / 2;
    else if (align & TA_RIGHT)
        left -= width;
    double top = y;
    if ((align & TA_BASELINE) == TA_BASELINE)
        top -= cell.ascent;
    else if (align & TA_BOTTOM)
        top -= cell.ascent + cell.descent;
    PainterState keep(*p);
    DrawRun(*p, s, left, top, width);
}

int QtDc::DrawText(std::string_view text, Rect& rect, unsigned format) {
    const int lineHeight = CurrentFont().cell.height;
    const std::vector<TextLine> lines =
        LayoutText(text, rect.Width(), format, [this](std::string_view s) { return Measure(s); });
    const int blockHeight = static_cast<int>(lines.size()) * lineHeight;
    if (format & DT_CALCRECT)
        return FitRectToLines(lines, blockHeight, rect);
    const int top = AlignBlockTop(rect, blockHeight, format);
    QPainter* p = ActivePainter();
    if (p && !lines.empty()) {
        PainterState keep(*p);
        if (!(format & DT_NOCLIP)) {
            const Rect clip = LpToDp(rect);
            p->setClipRect(QRect(clip.left, clip.top, clip.Width(), clip.Height()), Qt::IntersectClip);
        }
        int y = top;
        for (const TextLine& line : lines) {
            DrawRun(*p, FromAnsi(line.text), AlignLineX(rect, line.width, format), y, line.width);
            y += lineHeight;
        }
    }
    return DrawTextResult(rect, blockHeight, format);
}

Size QtDc::GetTextExtent(std::string_view text) {
    return Size{Measure(text), CurrentFont().cell.height};
}

void QtDc::StretchDib(const Rect& dest, const Rect& src, const DibBytes& dib) {
    QPainter* p = ActivePainter();
    if (!p || !dib.data || src.Width() <= 0 || src.Height() <= 0)
        return;
    // Both corners mapped as GDI maps them; a destination that comes out
    // reversed on an axis mirrors the picture on it.
    const Point a = LpToDp(Point{dest.left, dest.top});
    const Point b = LpToDp(Point{dest.right, dest.bottom});
    if (a.x == b.x || a.y == b.y)
        return;
    const QImage image = TheDibCache().Get(dib);
    if (image.isNull())
        return;
    // Only the part of the source inside the picture is drawn, into the
    // matching part of the destination.
    const QRect whole(QPoint(src.left, src.top), QSize(src.Width(), src.Height()));
    const QRect part = whole.intersected(image.rect());
    if (part.isEmpty())
        return;
    const double fx = static_cast<double>(b.x - a.x) / src.Width();
    const double fy = static_cast<double>(b.y - a.y) / src.Height();
    const double x0 = a.x + (part.left() - src.left) * fx;
    const double y0 = a.y + (part.top() - src.top) * fy;
    const double x1 = x0 + part.width() * fx;
    const double y1 = y0 + part.height() * fy;
    PainterState keep(*p);
    p->setRenderHint(QPainter::SmoothPixmapTransform, GetStretchBltMode() == HALFTONE);
    QTransform mirror;
    if (x1 < x0 || y1 < y0) {
        mirror = QTransform::fromScale(x1 < x0 ? -1 : 1, y1 < y0 ? -1 : 1);
        p->setWorldTransform(mirror);
    }
    // With the mirror applied, the normalised target lies at mirror^-1 of it.
    const QRectF target = mirror.inverted().mapRect(QRectF(QPointF(x0, y0), QPointF(x1, y1)).normalized());
    p->drawImage(target, image, QRectF(part));
}

int QtDc::GetDeviceCaps(DeviceCap cap) const {
    if (!device_)
        return 0;
    switch (cap) {
    case DeviceCap::HorzRes:
        return device_->width();
    case DeviceCap::VertRes:
        return device_->height();
    case DeviceCap::BitsPixel:
        // Pictures and printers are true colour; a widget has its screen's depth.
        return device_->devType() == QInternal::Widget ? device_->depth() : 24;
    case DeviceCap::Planes:
        return 1;
    case DeviceCap::LogPixelsX:
        return device_->logicalDpiX();
    case DeviceCap::LogPixelsY:
        return device_->logicalDpiY();
    }
    return 0;
}

void QtDc::DrawPolyline(const std::vector<Point>& points) {
    QPainter* p = ActivePainter();
    const Pen& pen = GetPen();
    if (!p || pen.style == PenStyle::Null || points.size() < 2)
        return;
    QPolygon poly;
    poly.reserve(static_cast<qsizetype>(points.size()));
    for (const Point& pt : points) {
        const Point d = LpToDp(pt);
        poly.append(QPoint(d.x, d.y));
    }
    // Widths are logical units and scale like GDI's geometric pens, but never
    // below one device pixel, so a 1-unit line on a 600 dpi sheet is a line
    // and not a hairline. Width 0 is always one device pixel.
    const int width = pen.width <= 0 ? 1 : std::max(1, static_cast<int>(std::lround(pen.width * ScaleX())));
    // GDI dots only pens of one logical unit or less; wider dotted pens are solid.
    const bool dotted = pen.style == PenStyle::Dot && pen.width <= 1;
    PainterState keep(*p);
    QPen qpen(ToQColor(pen.color));
    qpen.setWidth(width);
    // A one-pixel flat-capped line leaves out its last point, as GDI does;
    // dots keep square ends at any width.
    qpen.setCapStyle(width == 1 || dotted ? Qt::FlatCap : Qt::RoundCap);
    qpen.setJoinStyle(width == 1 ? Qt::MiterJoin : Qt::RoundJoin);
    if (dotted) {
        if (GetBkMode() == BkMode::Opaque) {
            QPen gaps = qpen;
            gaps.setColor(ToQColor(GetBkColor()));
            p->setPen(gaps);
            p->drawPolyline(poly);
        }
        qpen.setDashPattern({3, 3});
    }
    p->setPen(qpen);
    p->drawPolyline(poly);
}

} // namespace qx
