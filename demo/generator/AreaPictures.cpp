// Page pictures of the sub-area pages. Their entries are invisible hot
// areas, so the picture itself shows every entry as a tile or a button.
#include "Layout.h"

#include "Illustrations.h"
#include "Style.h"

#include <QLinearGradient>

#include <algorithm>

namespace gen {

using namespace style;

namespace {

Icon IconFor(const QString& target)
{
    const QString t = target.toUpper();
    if (t.contains(QLatin1String(".AVI")))
        return Icon::Play;
    if (t.contains(QStringLiteral("ZURÜCK")) || t.contains(QLatin1String("ZURUECK")))
        return Icon::Back;
    if (t.contains(QLatin1String(".EXE")))
        return Icon::Program;
    if (t.contains(QLatin1String(".PDF")))
        return Icon::Document;
    if (t.contains(QLatin1String(".XLS")))
        return Icon::Sheet;
    if (t.contains(QLatin1String("BESTELLEN")))
        return Icon::Cart;
    if (t.contains(QLatin1String("STICHWORT")) || t.contains(QLatin1String("NUMMER")))
        return Icon::Search;
    if (t.contains(QLatin1String("BETRIEB.HTM")) || t.contains(QLatin1String("SPEZIAL.HTM")))
        return Icon::Info;
    if (t.contains(QLatin1String("KATALOG.PR")) || t.contains(QLatin1String("KATALOG.STD")))
        return Icon::Catalog;
    if (t.contains(QLatin1String(".ZEN")))
        return Icon::List;
    if (t.contains(QLatin1String(".BER")))
        return Icon::Grid;
    return Icon::Folder;
}

bool ShowsFigure(Icon icon)
{
    return icon == Icon::Folder || icon == Icon::List || icon == Icon::Grid || icon == Icon::Play;
}

void BadgeIcon(QPainter& p, const QRectF& r, Icon icon)
{
    p.save();
    p.setPen(QPen(QColor(255, 255, 255, 160), 1));
    p.setBrush(kNavy);
    p.drawEllipse(r);
    p.restore();
    DrawIcon(p, r.adjusted(r.width() * 0.22, r.height() * 0.22, -r.width() * 0.22, -r.height() * 0.22), icon, Qt::white,
             QColor(0xFF, 0x7A, 0x8C));
}

void DrawCard(QPainter& p, const QRectF& r, const AreaEntry& e, Icon icon, double unit)
{
    DropShadow(p, r, 4, 6 * unit, 80);
    p.save();
    p.setPen(QPen(QColor(0x9F, 0xAB, 0xBA), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(r, 4, 4);
    const double capH = std::clamp(r.height() * 0.3, 18 * unit, 34 * unit);
    const QRectF image(r.left() + 1, r.top() + 1, r.width() - 2, r.height() - capH - 1);
    QLinearGradient bg(image.topLeft(), image.bottomLeft());
    bg.setColorAt(0, Qt::white);
    bg.setColorAt(1, QColor(0xE3, 0xE8, 0xEE));
    p.setClipRect(image);
    p.fillRect(image, bg);
    const std::uint32_t v = Hash(e.caption + e.target);
    if (ShowsFigure(icon)) {
        const Figure f = BuildFigure(Classify(e.caption + QLatin1Char(' ') + e.tooltip, v), v);
        RenderFigure(p, f, image.adjusted(image.width() * 0.12, image.height() * 0.1, -image.width() * 0.12,
                                          -image.height() * 0.08),
                     Look::Shaded, QColor(), Qt::AlignHCenter | Qt::AlignBottom);
        if (icon == Icon::Play) {
            const double s = std::min(image.width(), image.height()) * 0.36;
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0x0A, 0x1C, 0x36, 150));
            p.drawEllipse(image.center(), s / 2, s / 2);
            DrawIcon(p, QRectF(image.center().x() - s / 2, image.center().y() - s / 2, s, s), Icon::Play, Qt::white,
                     Qt::white);
        }
    } else {
        const double s = std::min(image.width(), image.height()) * 0.55;
        DrawIcon(p, QRectF(image.center().x() - s / 2, image.center().y() - s / 2, s, s), icon, kNavy, kRed);
    }
    p.setClipping(false);
    const QRectF cap(r.left() + 1, r.bottom() - capH, r.width() - 2, capH - 1);
    QLinearGradient cg(cap.topLeft(), cap.bottomLeft());
    cg.setColorAt(0, QColor(0x1D, 0x46, 0x7C));
    cg.setColorAt(1, kNavyDark);
    p.fillRect(cap, cg);
    p.fillRect(QRectF(cap.left(), cap.top(), cap.width(), std::max(1.5, unit * 1.5)), kRed);
    p.restore();
    FitText(p, cap.adjusted(8 * unit, 2, -6 * unit, -2), e.caption, 13 * unit, true, Qt::white);
    const double b = std::min(22 * unit, r.height() * 0.22);
    BadgeIcon(p, QRectF(r.right() - b - 5 * unit, r.top() + 5 * unit, b, b), icon);
}

void DrawBar(QPainter& p, const QRectF& r, const AreaEntry& e, Icon icon, double unit)
{
    DropShadow(p, r, 3, 4 * unit, 70);
    const bool back = icon == Icon::Back;
    p.save();
    if (back) {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, QColor(0x2E, 0x5B, 0x95));
        g.setColorAt(1, kNavyDark);
        p.setPen(QPen(kSilver, 1));
        p.setBrush(g);
        p.drawRoundedRect(r, 3, 3);
    } else {
        SilverPanel(p, r, 3);
        p.fillRect(QRectF(r.left() + 1, r.top() + 3, std::max(2.0, 3 * unit), r.height() - 6), kRed);
    }
    p.restore();
    const double s = std::min(r.height() * 0.72, 26 * unit);
    QRectF iconBox(r.left() + 8 * unit, r.center().y() - s / 2, s, s);
    if (back) {
        DrawIcon(p, iconBox, icon, Qt::white, QColor(0xFF, 0x7A, 0x8C));
    } else if (ShowsFigure(icon) && r.height() >= 30 * unit) {
        // Groups and lists show a small picture of what they hold.
        const double th = r.height() - 10 * unit;
        const QRectF thumb(r.left() + 8 * unit, r.center().y() - th / 2, th * 1.2, th);
        p.save();
        p.setPen(QPen(QColor(0xB3, 0xBD, 0xC9), 1));
        p.setBrush(Qt::white);
        p.drawRoundedRect(thumb, 3, 3);
        p.restore();
        const std::uint32_t v = Hash(e.caption + e.target);
        RenderFigure(p, BuildFigure(Classify(e.caption + QLatin1Char(' ') + e.tooltip, v), v),
                     thumb.adjusted(3 * unit, 3 * unit, -3 * unit, -3 * unit), Look::Shaded, QColor(),
                     Qt::AlignHCenter | Qt::AlignBottom);
        const double b = th * 0.42;
        BadgeIcon(p, QRectF(thumb.right() - b * 0.6, thumb.bottom() - b * 0.75, b, b), icon);
        iconBox = QRectF(thumb.left(), thumb.top(), thumb.width() + b * 0.4, thumb.height());
    } else {
        BadgeIcon(p, iconBox, icon);
    }
    const QRectF text(iconBox.right() + 7 * unit, r.top() + 2, r.right() - iconBox.right() - 12 * unit, r.height() - 4);
    FitText(p, text, e.caption, 13 * unit, true, back ? Qt::white : kNavy);
}

struct AreaNames {
    QString name;
    QString path;
};

AreaNames NamesOf(const Catalog& cat, const AreaFile& a)
{
    auto parentEntry = [&](const QString& file, QString* parentFile) -> const AreaEntry* {
        for (const AreaFile& other : cat.areas) {
            if (other.lang != a.lang || other.name.compare(file, Qt::CaseInsensitive) == 0)
                continue;
            for (const AreaEntry& e : other.entries)
                if (e.target.trimmed().compare(file, Qt::CaseInsensitive) == 0) {
                    *parentFile = other.name;
                    return &e;
                }
        }
        return nullptr;
    };
    AreaNames n;
    QString parentFile;
    const AreaEntry* own = parentEntry(a.name, &parentFile);
    n.name = own ? own->caption : (a.entries.isEmpty() ? a.name : a.entries.front().caption);
    QStringList chain;
    QString file = parentFile;
    for (int depth = 0; own && depth < 8 && !file.isEmpty(); ++depth) {
        QString next;
        const AreaEntry* up = parentEntry(file, &next);
        if (!up)
            break;
        chain.prepend(up->caption.trimmed());
        file = next;
    }
    chain.append(n.name.trimmed());
    n.path = chain.join(QStringLiteral("  /  "));
    return n;
}

QImage AreaPagePicture(const Mode& m, const AreaFile& a, const AreaNames& names)
{
    QImage img = NewImage(m.PageW(), m.PageH());
    QPainter p;
    Begin(p, img);
    PaintPageFrame(p, m, true);
    p.setPen(Qt::white);
    p.setFont(Font(18 * m.sy));
    p.drawText(QRectF(116 * m.sx, 10 * m.sy, 500 * m.sx, 24 * m.sy), Qt::AlignLeft | Qt::AlignVCenter, names.name);
    p.setPen(kSilver);
    p.setFont(Font(12 * m.sy));
    p.drawText(QRectF(116 * m.sx, 35 * m.sy, 500 * m.sx, 18 * m.sy), Qt::AlignLeft | Qt::AlignVCenter, names.path);
    // Quiet equipment silhouettes where the lower left stays free.
    const QRectF decor(QPointF(24 * m.sx, 300 * m.sx), QPointF(404 * m.sx, 356 * m.sy));
    bool free = true;
    for (const AreaEntry& e : a.entries)
        free = free && !decor.intersects(QRectF(QPointF(e.left * m.sx, e.top * m.sx), QPointF(e.right * m.sx, e.bottom * m.sx)));
    if (free) {
        const std::uint32_t v = Hash(names.name);
        const bool matched = [&] { bool mt = false; Classify(names.name, v, &mt); return mt; }();
        const Kind main = Classify(names.name, v);
        const Kind first = matched ? main : Kind::Trolley;
        const Kind kinds[3] = {first, first == Kind::Lift ? Kind::Balancer : Kind::Lift,
                               first == Kind::ToolCase ? Kind::Trolley : Kind::ToolCase};
        p.setOpacity(0.22);
        const QColor tone(0x9D, 0xB2, 0xCC);
        const double w = decor.width() / 3;
        for (int i = 0; i < 3; ++i)
            RenderFigure(p, BuildFigure(kinds[i], v + std::uint32_t(i)),
                         QRectF(decor.left() + i * w, decor.top(), w * 0.9, decor.height()), Look::Duotone, tone,
                         Qt::AlignHCenter | Qt::AlignBottom);
        p.setOpacity(1);
    }
    // Entry rectangles: the page scales y by scaleX below the start level.
    for (const AreaEntry& e : a.entries) {
        const QRectF r(QPointF(int(e.left * m.sx), int(e.top * m.sx)), QPointF(int(e.right * m.sx), int(e.bottom * m.sx)));
        if (r.width() < 4 || r.height() < 4)
            continue;
        const Icon icon = IconFor(e.target);
        if (icon != Icon::Back && r.height() >= 56 * m.sx && r.width() >= 80 * m.sx)
            DrawCard(p, r, e, icon, m.sx);
        else
            DrawBar(p, r, e, icon, m.sx);
    }
    p.end();
    return img;
}

} // namespace

void GenerateAreaPictures(Output& out, const Catalog& cat)
{
    for (const AreaFile& a : cat.areas) {
        if (a.name.compare(QLatin1String("QXSTART.BER"), Qt::CaseInsensitive) == 0
            || a.name.compare(QLatin1String("KATALOG.BER"), Qt::CaseInsensitive) == 0)
            continue;
        if (a.entries.isEmpty() || a.entries.front().picture.isEmpty()) {
            Warn(QStringLiteral("LANG%1/%2: no page picture named in its first entry").arg(a.lang).arg(a.name));
            continue;
        }
        const AreaNames names = NamesOf(cat, a);
        for (const Mode& m : Modes()) {
            const QString rel = QStringLiteral("BILDER/LANG%1/%2/%3").arg(a.lang).arg(m.width).arg(a.entries.front().picture);
            if (out.Claim(rel))
                out.WritePicture(rel, AreaPagePicture(m, a, names));
        }
    }
}

} // namespace gen
