// The language-neutral layout pictures: page backgrounds, logo, button faces,
// start and catalogue pages, the language choice and the desktop backdrop.
#include "Layout.h"

#include "Illustrations.h"
#include "Style.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace gen {

using namespace style;

void PaintPageFrame(QPainter& p, const Mode& m, bool withLogo)
{
    const double W = m.PageW();
    const double H = m.PageH();
    const double band = 58 * m.sy;
    FillBody(p, QRectF(0, band, W, H - band));
    // Footer zone behind the button row.
    const double foot = 358 * m.sy;
    p.fillRect(QRectF(0, foot, W, H - foot), QColor(0, 0, 0, 28));
    Rule(p, QPointF(0, foot + 0.5), QPointF(W, foot + 0.5), QColor(255, 255, 255, 46));
    p.fillRect(QRectF(0, H - 2, W, 2), kNavyDark);
    FillHeaderBand(p, QRectF(0, 0, W, band));
    Rule(p, QPointF(0, band + 0.5), QPointF(W, band + 0.5), kSilver);
    p.fillRect(QRectF(0, band - std::max(2.0, 2 * m.sy) + 1, 108 * m.sx, std::max(2.0, 2 * m.sy)), kRed);
    if (withLogo) {
        DrawLogoStacked(p, QRectF(10 * m.sx, 6 * m.sy, 96 * m.sx, 46 * m.sy), true);
        Rule(p, QPointF(111 * m.sx + 0.5, 10 * m.sy), QPointF(111 * m.sx + 0.5, 50 * m.sy), QColor(255, 255, 255, 70));
    }
}

QImage PageBackground(const Mode& m, bool withLogo)
{
    QImage img = NewImage(m.PageW(), m.PageH());
    QPainter p;
    Begin(p, img);
    PaintPageFrame(p, m, withLogo);
    p.end();
    return img;
}

QImage LogoPicture(const Mode& m)
{
    QImage img = NewImage(int(300 * m.sx), int(80 * m.sy));
    QPainter p;
    Begin(p, img);
    const double h = img.height();
    DrawLogoWide(p, QRectF(img.width() * 0.05, h * 0.14, img.width() * 0.9, h * 0.62), false);
    p.fillRect(QRectF(img.width() * 0.05, h * 0.86, img.width() * 0.9, std::max(1.0, h * 0.02)), kSilver);
    p.fillRect(QRectF(img.width() * 0.05, h * 0.86, img.width() * 0.18, std::max(1.0, h * 0.02)), kRed);
    p.end();
    return img;
}

QImage ButtonFace(const Mode& m, bool down)
{
    const int w = int(140 * m.sx);
    const int h = int(22 * m.sy);
    QImage img = NewImage(w, h, QColor(0xA9, 0xB4, 0xC2));
    QPainter p(&img);
    const QRectF inner(1, 1, w - 2, h - 2);
    QLinearGradient g(inner.topLeft(), inner.bottomLeft());
    if (!down) {
        g.setColorAt(0, QColor(0x34, 0x62, 0x9C));
        g.setColorAt(0.48, QColor(0x1D, 0x47, 0x7C));
        g.setColorAt(0.52, QColor(0x17, 0x3C, 0x6C));
        g.setColorAt(1, QColor(0x0E, 0x28, 0x4C));
    } else {
        g.setColorAt(0, QColor(0x08, 0x18, 0x30));
        g.setColorAt(0.5, QColor(0x10, 0x2B, 0x52));
        g.setColorAt(1, QColor(0x1A, 0x41, 0x73));
    }
    p.fillRect(inner, g);
    if (!down) {
        p.fillRect(QRectF(1, 1, w - 2, 1), QColor(255, 255, 255, 95));
        p.fillRect(QRectF(1, h - 2, w - 2, 1), QColor(0, 0, 0, 70));
    } else {
        p.fillRect(QRectF(1, 1, w - 2, 2), QColor(0, 0, 0, 90));
        p.fillRect(QRectF(1, h - 2, w - 2, 1), QColor(255, 255, 255, 45));
    }
    p.end();
    return img;
}

namespace {

// A workshop scene: dark hall, light falling from above, floor, equipment.
void PaintShowroom(QPainter& p, const QRectF& r, std::uint32_t seed)
{
    p.save();
    p.setClipRect(r);
    QLinearGradient wall(r.topLeft(), r.bottomLeft());
    wall.setColorAt(0, QColor(0x0C, 0x22, 0x42));
    wall.setColorAt(0.62, QColor(0x1E, 0x3E, 0x68));
    wall.setColorAt(0.621, QColor(0x3B, 0x55, 0x78));
    wall.setColorAt(1, QColor(0x22, 0x38, 0x57));
    p.fillRect(r, wall);
    const double floorY = r.top() + r.height() * 0.62;
    // Light cones from the ceiling.
    for (int i = 0; i < 4; ++i) {
        const double cx = r.left() + r.width() * (0.2 + 0.22 * i);
        QRadialGradient g(QPointF(cx, r.top()), r.height() * 0.9);
        g.setColorAt(0, QColor(255, 255, 255, 46));
        g.setColorAt(1, QColor(255, 255, 255, 0));
        QPainterPath cone;
        cone.moveTo(cx - r.width() * 0.02, r.top());
        cone.lineTo(cx + r.width() * 0.02, r.top());
        cone.lineTo(cx + r.width() * 0.11, floorY);
        cone.lineTo(cx - r.width() * 0.11, floorY);
        cone.closeSubpath();
        p.fillPath(cone, g);
        p.fillRect(QRectF(cx - r.width() * 0.03, r.top(), r.width() * 0.06, 3), QColor(255, 255, 255, 140));
    }
    // Wall panels and floor lines in perspective.
    p.setPen(QPen(QColor(255, 255, 255, 18), 1));
    for (int i = 1; i < 8; ++i) {
        const double x = r.left() + r.width() * i / 8.0;
        p.drawLine(QPointF(x, r.top() + r.height() * 0.1), QPointF(x, floorY));
    }
    const QPointF vanish(r.center().x(), r.top() + r.height() * 0.3);
    p.setPen(QPen(QColor(255, 255, 255, 26), 1));
    for (int i = -8; i <= 8; ++i) {
        const double x = r.center().x() + i * r.width() * 0.16;
        const double t = (r.bottom() - floorY) / (r.bottom() - vanish.y());
        const QPointF bottom(x, r.bottom());
        p.drawLine(QPointF(bottom.x() + (vanish.x() - bottom.x()) * (1 - (1 - t)), floorY), bottom);
    }
    // Red accent line along the wall base.
    p.fillRect(QRectF(r.left(), floorY - 2, r.width(), 2), QColor(0xC4, 0x12, 0x30, 200));
    // Everything stands on one floor line, sized roughly to scale.
    const double ground = r.top() + r.height() * 0.93;
    const double unit = r.height() / 200.0;
    auto place = [&](Kind k, std::uint32_t v, double x, double w, double h) {
        RenderFigure(p, BuildFigure(k, v), QRectF(r.left() + r.width() * x, ground - h * unit, w * unit, h * unit),
                     Look::Shaded, QColor(), Qt::AlignHCenter | Qt::AlignBottom);
    };
    // The left third stays free for the brand.
    place(Kind::Lift, seed, 0.36, 230, 176);
    place(Kind::Balancer, seed + 2, 0.62, 92, 80);
    place(Kind::Trolley, seed + 1, 0.76, 66, 66);
    place(Kind::ServiceUnit, seed + 3, 0.87, 76, 90);
    p.restore();
}

} // namespace

namespace {

QRectF UnionOf(const QVector<QRectF>& rects)
{
    QRectF u;
    for (const QRectF& r : rects)
        if (r.width() >= 2 && r.height() >= 2)
            u = u.united(r);
    return u;
}

// A translucent panel that gathers a group of buttons.
void ButtonGroupPanel(QPainter& p, const QRectF& r)
{
    DropShadow(p, r, 4, 8, 70);
    p.save();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0x0E, 0x25, 0x47, 215));
    g.setColorAt(1, QColor(0x08, 0x18, 0x30, 230));
    p.setPen(QPen(QColor(255, 255, 255, 70), 1));
    p.setBrush(g);
    p.drawRoundedRect(r, 4, 4);
    p.fillRect(QRectF(r.left() + 4, r.top(), r.width() * 0.3, 2), kRed);
    p.restore();
}

} // namespace

QImage StartPage(const Mode& m, const QVector<QRectF>& buttons)
{
    QImage img = NewImage(m.PageW(), m.PageH());
    QPainter p;
    Begin(p, img);
    PaintPageFrame(p, m, true);
    const double band = 58 * m.sy + 1;
    const QRectF u = UnionOf(buttons);
    // The scene fills the width above the buttons.
    double heroBottom = u.isValid() ? u.top() - 14 * m.sy : 330 * m.sy;
    heroBottom = std::max(heroBottom, band + 90 * m.sy);
    const QRectF hero(0, band, m.PageW(), heroBottom - band);
    PaintShowroom(p, hero, 7);
    const double bh = std::min(60 * m.sy, hero.height() * 0.6);
    const QRectF brand(18 * m.sx, hero.top() + 12 * m.sy, 230 * m.sx, bh);
    p.fillRect(QRectF(brand.left(), brand.top(), 3 * m.sx, brand.height()), kRed);
    DrawWordmark(p, QRectF(brand.left() + 10 * m.sx, brand.top() + 2 * m.sy, brand.width() - 12 * m.sx, bh * 0.45), true);
    p.setFont(Font(bh * 0.36, true));
    p.setPen(QColor(0xE9, 0xED, 0xF2));
    p.drawText(QRectF(brand.left() + 10 * m.sx, brand.top() + bh * 0.52, 200 * m.sx, bh * 0.46),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("2026"));
    Rule(p, QPointF(0, hero.bottom()), QPointF(m.PageW(), hero.bottom()), kSilver);
    p.setFont(Font(11 * m.sy));
    p.setPen(kSilver);
    p.drawText(QRectF(0, 0, m.PageW() - 14 * m.sx, 58 * m.sy), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("QUARVENTA AG  \u00B7  2026"));
    if (u.isValid()) {
        const QRectF group = u.adjusted(-10 * m.sx, -8 * m.sy, 10 * m.sx, 8 * m.sy) & QRectF(4, 0, m.PageW() - 8, m.PageH());
        ButtonGroupPanel(p, group);
        // A picture card in the free column left of the buttons.
        const double left = 16 * m.sx;
        const double right = group.left() - 12 * m.sx;
        if (right - left > 120 * m.sx) {
            const QRectF card(left, group.top(), right - left, group.height());
            DropShadow(p, card, 4, 8, 70);
            WhitePanel(p, card, 4);
            const QRectF art = card.adjusted(6 * m.sx, 6 * m.sy, -6 * m.sx, -34 * m.sy);
            QLinearGradient g(art.topLeft(), art.bottomLeft());
            g.setColorAt(0, Qt::white);
            g.setColorAt(1, QColor(0xE2, 0xE7, 0xED));
            p.fillRect(art, g);
            RenderFigure(p, BuildFigure(Kind::ToolCase, 11), art.adjusted(art.width() * 0.08, art.height() * 0.08,
                                                                        -art.width() * 0.3, -art.height() * 0.3),
                         Look::Shaded, QColor(), Qt::AlignLeft | Qt::AlignTop);
            RenderFigure(p, Tilted(BuildFigure(Kind::TorqueWrench, 4), -24),
                         art.adjusted(art.width() * 0.25, art.height() * 0.45, -art.width() * 0.04, -art.height() * 0.04),
                         Look::Shaded, QColor(), Qt::AlignRight | Qt::AlignBottom);
            const QRectF strip(card.left() + 1, card.bottom() - 28 * m.sy, card.width() - 2, 27 * m.sy);
            FillHeaderBand(p, strip);
            p.fillRect(QRectF(strip.left(), strip.top(), strip.width(), std::max(1.5, 1.5 * m.sy)), kRed);
            DrawLogoWide(p, strip.adjusted(8 * m.sx, 5 * m.sy, -8 * m.sx, -5 * m.sy), true);
        }
        for (const QRectF& r : buttons)
            if (r.width() >= 2 && r.height() >= 2)
                DropShadow(p, r, 1, 3, 90);
    }
    p.end();
    return img;
}

QImage CatalogPage(const Mode& m, const QVector<QRectF>& buttons)
{
    QImage img = NewImage(m.PageW(), m.PageH());
    QPainter p;
    Begin(p, img);
    PaintPageFrame(p, m, true);
    // Preview frame: the program draws 300 x 280 previews at (16, 64).
    const QRectF preview(16 * m.sx, 64 * m.sy, 300 * m.sx, 280 * m.sy);
    DropShadow(p, preview.adjusted(-4, -4, 4, 4), 2, 8, 80);
    SilverPanel(p, preview.adjusted(-5, -5, 5, 5), 3);
    p.fillRect(preview, Qt::white);
    // Until an entry is pointed at, the frame shows the brand.
    QLinearGradient pg(preview.topLeft(), preview.bottomLeft());
    pg.setColorAt(0, Qt::white);
    pg.setColorAt(1, QColor(0xE4, 0xE9, 0xEF));
    p.fillRect(preview, pg);
    const double e0 = preview.height() * 0.36;
    DrawEmblem(p, QRectF(preview.center().x() - e0 / 2, preview.top() + preview.height() * 0.22, e0, e0), false);
    DrawWordmark(p, QRectF(preview.left() + preview.width() * 0.15, preview.top() + preview.height() * 0.64,
                           preview.width() * 0.7, 20 * m.sy), false, Qt::AlignHCenter);
    p.setPen(kMuted);
    p.setFont(Font(12 * m.sy));
    p.drawText(QRectF(preview.left(), preview.top() + preview.height() * 0.74, preview.width(), 18 * m.sy),
               Qt::AlignCenter, QStringLiteral("2026"));
    // Title area: the program writes the catalogue title here in white.
    // One dark panel holds the title and, when they stand in its column,
    // the buttons below it.
    const QRectF u = UnionOf(buttons);
    const bool inColumn = u.isValid() && u.left() >= 300 * m.sx;
    double bottom = 300 * m.sy;
    if (inColumn)
        bottom = std::max(bottom, std::min(double(m.PageH() - 4), u.bottom() + 10 * m.sy));
    const QRectF title(321 * m.sx, 70 * m.sy, 303 * m.sx, bottom - 70 * m.sy);
    DropShadow(p, title, 3, 8, 90);
    QLinearGradient g(title.topLeft(), title.bottomRight());
    g.setColorAt(0, QColor(0x12, 0x2E, 0x57));
    g.setColorAt(1, QColor(0x0A, 0x1C, 0x36));
    p.setPen(QPen(QColor(255, 255, 255, 50), 1));
    p.setBrush(g);
    p.drawRoundedRect(title, 3, 3);
    p.fillRect(QRectF(title.left(), title.top(), title.width(), std::max(2.0, 2 * m.sy)), kRed);
    // A quiet emblem watermark below the text lines.
    p.setOpacity(0.16);
    const double e = std::min(92 * m.sy, title.height() * 0.5);
    if (!inColumn)
        DrawEmblem(p, QRectF(title.right() - e - 10 * m.sx, title.bottom() - e - 8 * m.sy, e, e), true);
    p.setOpacity(1);
    if (u.isValid()) {
        if (!inColumn)
            ButtonGroupPanel(p, u.adjusted(-8 * m.sx, -6 * m.sy, 8 * m.sx, 6 * m.sy) & QRectF(2, 0, m.PageW() - 4, m.PageH()));
        for (const QRectF& r : buttons)
            if (r.width() >= 2 && r.height() >= 2)
                DropShadow(p, r, 1, 3, 90);
    }
    p.end();
    return img;
}

} // namespace gen
