// Pictures that the catalogue files name: catalogue previews, product,
// group and requirements pictures, dimension drawings, sheet headers and
// the pictures of the HTML pages.
#include "Layout.h"

#include "Illustrations.h"
#include "Style.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace gen {

using namespace style;

namespace {

// The figure for a text, trying the more specific texts first.
Kind KindFor(const QStringList& texts, std::uint32_t hash)
{
    for (const QString& t : texts) {
        bool matched = false;
        const Kind k = Classify(t, hash, &matched);
        if (matched)
            return k;
    }
    return Classify(QString(), hash);
}

// A product shot: light studio backdrop, soft floor, the figure.
QImage StudioPicture(int w, int h, const Figure& f, bool framed = false)
{
    QImage img = NewImage(w, h);
    QPainter p;
    Begin(p, img);
    QLinearGradient bg(0, 0, 0, h);
    bg.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    bg.setColorAt(0.72, QColor(0xEE, 0xF1, 0xF5));
    bg.setColorAt(1, QColor(0xDD, 0xE2, 0xE9));
    p.fillRect(img.rect(), bg);
    QRadialGradient spot(QPointF(w * 0.5, h * 0.35), std::max(w, h) * 0.6);
    spot.setColorAt(0, QColor(255, 255, 255, 200));
    spot.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(img.rect(), spot);
    const QRectF box(w * 0.1, h * 0.08, w * 0.8, h * 0.8);
    const QRectF fb = f.Bounds();
    const bool flat = fb.width() > fb.height() * 2.2 && box.width() < box.height() * 2.2;
    RenderFigure(p, flat ? Tilted(f, -22) : f, box, Look::Shaded, QColor(), Qt::AlignHCenter | Qt::AlignBottom);
    if (framed) {
        p.setPen(QPen(kSilver, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
    }
    p.end();
    return img;
}

// Two or three figures of one family, for groups and catalogue previews.
void PaintFamily(QPainter& p, const QRectF& box, Kind main, std::uint32_t v)
{
    static const Kind equipment[] = {Kind::Lift, Kind::Balancer, Kind::TyreChanger, Kind::Press, Kind::Crane,
                                     Kind::ServiceUnit, Kind::Trolley, Kind::Analyzer, Kind::Bench, Kind::Jack,
                                     Kind::Compressor};
    static const Kind tools[] = {Kind::TorqueWrench, Kind::Puller, Kind::Tester, Kind::ToolCase, Kind::Caliper,
                                 Kind::DialGauge, Kind::HoldingTool, Kind::Wrench, Kind::Socket};
    bool isEquipment = false;
    for (Kind k : equipment)
        isEquipment = isEquipment || k == main;
    auto pick = [&](int i) {
        if (isEquipment)
            return equipment[(v / (i * 7 + 1) + std::uint32_t(i)) % (sizeof equipment / sizeof equipment[0])];
        return tools[(v / (i * 5 + 1) + std::uint32_t(i)) % (sizeof tools / sizeof tools[0])];
    };
    Kind a = pick(1);
    Kind b = pick(2);
    if (a == main)
        a = pick(3);
    if (b == main || b == a)
        b = pick(4);
    const double w = box.width();
    const double h = box.height();
    RenderFigure(p, BuildFigure(a, v + 1), QRectF(box.left(), box.top() + h * 0.45, w * 0.3, h * 0.55), Look::Shaded,
                 QColor(), Qt::AlignLeft | Qt::AlignBottom);
    RenderFigure(p, BuildFigure(b, v + 2), QRectF(box.right() - w * 0.3, box.top() + h * 0.45, w * 0.3, h * 0.55),
                 Look::Shaded, QColor(), Qt::AlignRight | Qt::AlignBottom);
    RenderFigure(p, BuildFigure(main, v), QRectF(box.left() + w * 0.27, box.top(), w * 0.46, h), Look::Shaded, QColor(),
                 Qt::AlignHCenter | Qt::AlignBottom);
}

QImage FamilyPicture(int w, int h, Kind main, std::uint32_t v)
{
    QImage img = NewImage(w, h);
    QPainter p;
    Begin(p, img);
    QLinearGradient bg(0, 0, 0, h);
    bg.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    bg.setColorAt(1, QColor(0xE2, 0xE7, 0xED));
    p.fillRect(img.rect(), bg);
    PaintFamily(p, QRectF(w * 0.05, h * 0.1, w * 0.9, h * 0.78), main, v);
    p.fillRect(QRectF(0, h - std::max(3.0, h * 0.012), w, std::max(3.0, h * 0.012)), kNavy);
    p.fillRect(QRectF(0, h - std::max(3.0, h * 0.012), w * 0.22, std::max(3.0, h * 0.012)), kRed);
    p.end();
    return img;
}

QImage PreviewPicture(const Mode& m, Kind main, std::uint32_t v, bool brandOnly = false)
{
    const int w = int(300 * m.sx);
    const int h = int(280 * m.sy);
    QImage img = NewImage(w, h);
    QPainter p;
    Begin(p, img);
    QLinearGradient bg(0, 0, 0, h);
    bg.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    bg.setColorAt(1, QColor(0xDC, 0xE2, 0xEA));
    p.fillRect(img.rect(), bg);
    const double band = 30 * m.sy;
    FillHeaderBand(p, QRectF(0, 0, w, band));
    p.fillRect(QRectF(0, band, w, std::max(2.0, 2 * m.sy)), kRed);
    DrawLogoWide(p, QRectF(8 * m.sx, 5 * m.sy, 150 * m.sx, 20 * m.sy), true);
    if (brandOnly) {
        const double e = h * 0.4;
        p.setOpacity(0.85);
        DrawEmblem(p, QRectF(w / 2.0 - e / 2, band + (h - band - e) / 2 - 8 * m.sy, e, e), false);
        p.setOpacity(1);
    } else {
        PaintFamily(p, QRectF(w * 0.06, band + 22 * m.sy, w * 0.88, h - band - 48 * m.sy), main, v);
    }
    p.fillRect(QRectF(0, h - 14 * m.sy, w, 14 * m.sy), kSilverLight);
    Rule(p, QPointF(0, h - 14 * m.sy), QPointF(w, h - 14 * m.sy), kSilver);
    p.end();
    return img;
}

// A technical drawing with dimension lines and a title block.
QImage DimensionDrawing(const Figure& f, const QString& number, const QString& name)
{
    const int W = 700;
    const int H = 600;
    QImage img = NewImage(W, H);
    QPainter p;
    Begin(p, img);
    p.setPen(QPen(Qt::black, 1.5));
    p.drawRect(QRectF(12, 12, W - 24, H - 24));
    p.setPen(QPen(Qt::black, 0.8));
    p.drawRect(QRectF(18, 18, W - 36, H - 36));
    const QRectF area(90, 60, 440, 380);
    const QRectF bounds = f.Bounds();
    const QTransform t = FitTransform(bounds, area);
    const QRectF b = t.mapRect(bounds);
    // Centre line.
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 0.8, Qt::DashDotLine));
    p.drawLine(QPointF(b.center().x(), b.top() - 18), QPointF(b.center().x(), b.bottom() + 14));
    RenderFigure(p, f, area, Look::Lines);
    const double mmPerUnit = f.realWidthMm / bounds.width();
    auto dim = [&](QPointF a, QPointF c, QPointF offset, double mm) {
        p.save();
        p.setPen(QPen(Qt::black, 0.7));
        const QPointF a2 = a + offset;
        const QPointF c2 = c + offset;
        const QPointF n = offset / std::max(1.0, std::hypot(offset.x(), offset.y()));
        p.drawLine(a + n * 3, a2 + n * 5);
        p.drawLine(c + n * 3, c2 + n * 5);
        p.drawLine(a2, c2);
        const QPointF d = (c2 - a2) / std::max(1.0, std::hypot((c2 - a2).x(), (c2 - a2).y()));
        const QPointF q(-d.y(), d.x());
        for (int s : {1, -1}) {
            const QPointF tip = s == 1 ? a2 : c2;
            QPolygonF head;
            head << tip << tip + d * 9 * s + q * 2.6 << tip + d * 9 * s - q * 2.6;
            p.setBrush(Qt::black);
            p.drawPolygon(head);
        }
        p.setFont(Font(13));
        const QString text = QString::number(int(std::lround(mm / 5.0) * 5));
        const QPointF mid = (a2 + c2) / 2;
        p.translate(mid);
        if (std::abs(d.y()) > std::abs(d.x()))
            p.rotate(-90);
        p.drawText(QRectF(-60, -18, 120, 16), Qt::AlignCenter, text);
        p.restore();
    };
    dim(b.bottomLeft(), b.bottomRight(), QPointF(0, 34), bounds.width() * mmPerUnit);
    dim(b.topRight(), b.bottomRight(), QPointF(34, 0), bounds.height() * mmPerUnit);
    if (!f.parts.empty()) {
        const QRectF first = t.mapRect(f.parts.front().path.boundingRect());
        if (first.width() > 30 && first.width() < b.width() * 0.9)
            dim(QPointF(first.left(), b.top()), QPointF(first.right(), b.top()), QPointF(0, -26),
                first.width() / t.m11() * mmPerUnit);
    }
    // Title block.
    const QRectF tb(W - 18 - 330, H - 18 - 92, 330, 92);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(tb);
    p.drawLine(QPointF(tb.left(), tb.top() + 30), QPointF(tb.right(), tb.top() + 30));
    p.drawLine(QPointF(tb.left(), tb.top() + 62), QPointF(tb.right(), tb.top() + 62));
    p.drawLine(QPointF(tb.left() + 110, tb.top() + 62), QPointF(tb.left() + 110, tb.bottom()));
    p.drawLine(QPointF(tb.left() + 220, tb.top() + 62), QPointF(tb.left() + 220, tb.bottom()));
    DrawLogoWide(p, QRectF(tb.left() + 6, tb.top() + 4, 200, 22), false);
    p.setPen(Qt::black);
    p.setFont(Font(10));
    p.drawText(QRectF(tb.right() - 110, tb.top(), 104, 30), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Ma\u00DFe in mm"));
    FitText(p, QRectF(tb.left() + 6, tb.top() + 31, tb.width() - 12, 30), name, 13, true, Qt::black);
    p.setFont(Font(9));
    p.setPen(kMuted);
    p.drawText(QRectF(tb.left() + 6, tb.top() + 64, 100, 12), Qt::AlignLeft, QStringLiteral("Nr. / No."));
    p.drawText(QRectF(tb.left() + 116, tb.top() + 64, 100, 12), Qt::AlignLeft, QStringLiteral("Ma\u00DFstab / Scale"));
    p.drawText(QRectF(tb.left() + 226, tb.top() + 64, 100, 12), Qt::AlignLeft, QStringLiteral("Ausgabe / Issue"));
    p.setPen(Qt::black);
    p.setFont(Font(12, true));
    const int scale = std::max(1, int(std::lround(mmPerUnit / (area.width() / bounds.width()) * 3.78 / 5.0)) * 5);
    p.drawText(QRectF(tb.left() + 6, tb.top() + 76, 100, 16), Qt::AlignLeft, number);
    p.drawText(QRectF(tb.left() + 116, tb.top() + 76, 100, 16), Qt::AlignLeft, QStringLiteral("1 : %1").arg(scale));
    p.drawText(QRectF(tb.left() + 226, tb.top() + 76, 100, 16), Qt::AlignLeft, QStringLiteral("2026"));
    p.end();
    return img;
}

QImage SheetPicture(const Figure& f)
{
    QImage img = NewImage(400, 120);
    QPainter p;
    Begin(p, img);
    DrawLogoWide(p, QRectF(12, 24, 230, 58), false);
    p.fillRect(QRectF(12, 100, 376, 1.5), kSilver);
    p.fillRect(QRectF(12, 100, 70, 1.5), kRed);
    RenderFigure(p, f, QRectF(270, 10, 120, 84), Look::Shaded, QColor(), Qt::AlignRight | Qt::AlignBottom);
    p.end();
    return img;
}

} // namespace

void GenerateCatalogPictures(Output& out, const Catalog& cat)
{
    // Previews of the catalogue page.
    for (const AreaFile& a : cat.areas) {
        if (a.name.compare(QLatin1String("KATALOG.BER"), Qt::CaseInsensitive) != 0)
            continue;
        for (const AreaEntry& e : a.entries) {
            if (e.picture.isEmpty())
                continue;
            const Kind k = KindFor({e.caption, e.tooltip, e.target}, Hash(e.picture));
            for (const Mode& m : Modes()) {
                const QString rel = QStringLiteral("BILDER/%1/%2").arg(m.width).arg(e.picture);
                if (out.Claim(rel))
                    out.WritePicture(rel, PreviewPicture(m, k, Hash(e.picture),
                                                         e.target.toUpper().contains(QStringLiteral("ZURÜCK"))));
            }
        }
    }
    // Product pictures, drawings and sheet headers.
    for (const ProductList& l : cat.lists) {
        for (const Product& pr : l.products) {
            const std::uint32_t v = Hash(pr.picture.isEmpty() ? pr.key : pr.picture);
            const Kind k = KindFor({pr.name, l.groupName, l.title, l.subtitle}, v);
            const Figure fig = BuildFigure(k, v);
            if (!pr.picture.isEmpty()) {
                for (const Mode& m : Modes()) {
                    const QString rel = QStringLiteral("BILDER/%1/%2").arg(m.width).arg(pr.picture);
                    if (out.Claim(rel))
                        out.WritePalettePicture(rel, StudioPicture(int(292 * m.sx), int(240 * m.sy), fig));
                }
                const QString drawing = QStringLiteral("BILDER/ZEICHNG/") + pr.picture;
                if (out.Claim(drawing))
                    out.WriteGrayRlePicture(drawing, DimensionDrawing(fig, pr.number, pr.name));
            }
            if (!pr.sheetPicture.isEmpty() && out.Claim(pr.sheetPicture))
                out.WritePicture(pr.sheetPicture, SheetPicture(fig));
        }
    }
    // Group pictures.
    for (const GroupFile& g : cat.groups) {
        for (const GroupEntry& e : g.entries) {
            if (e.picture.isEmpty())
                continue;
            const std::uint32_t v = Hash(e.picture);
            const Kind k = KindFor({e.name, g.title}, v);
            for (const Mode& m : Modes()) {
                const QString rel = QStringLiteral("BILDER/%1/%2").arg(m.width).arg(e.picture);
                if (out.Claim(rel))
                    out.WritePalettePicture(rel, FamilyPicture(int(292 * m.sx), int(240 * m.sy), k, v));
            }
        }
    }
    // Requirements rows.
    for (const RequirementsFile& z : cat.requirements) {
        for (const RequirementRow& r : z.rows) {
            if (r.picture.isEmpty())
                continue;
            const std::uint32_t v = Hash(r.picture);
            const Figure fig = BuildFigure(KindFor({r.designation, z.title}, v), v);
            for (const Mode& m : Modes()) {
                const QString rel = QStringLiteral("BILDER/%1/%2").arg(m.width).arg(r.picture);
                if (out.Claim(rel))
                    out.WritePicture(rel, StudioPicture(int(300 * m.sx), int(150 * m.sy), fig, true));
            }
        }
    }
    // Pictures of the HTML pages (the text view takes them from 800 and 1024).
    for (const Catalog::HtmlPicture& h : cat.htmlPictures) {
        const std::uint32_t v = Hash(h.src);
        const Figure fig = BuildFigure(KindFor({h.alt, h.src}, v), v);
        for (int width : {800, 1024}) {
            int w = h.width > 0 ? h.width : (width == 800 ? 240 : 300);
            int ht = h.height > 0 ? h.height : (width == 800 ? 160 : 200);
            if (h.width > 0 && h.height <= 0)
                ht = w * 2 / 3;
            if (h.height > 0 && h.width <= 0)
                w = ht * 3 / 2;
            const QString rel = QStringLiteral("BILDER/%1/%2").arg(width).arg(h.src);
            if (out.Claim(rel))
                out.WritePicture(rel, StudioPicture(std::clamp(w, 16, 1600), std::clamp(ht, 16, 1200), fig, true));
        }
    }
}

} // namespace gen
