#include "Style.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextOption>

#include <algorithm>
#include <cmath>

namespace gen::style {

QFont Font(double px, bool bold, bool italic)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(std::max(1, int(std::lround(px))));
    f.setBold(bold);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QImage NewImage(int w, int h, const QColor& fill)
{
    QImage img(std::max(1, w), std::max(1, h), QImage::Format_RGB32);
    img.fill(fill);
    return img;
}

void Begin(QPainter& p, QImage& image)
{
    p.begin(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

void DrawEmblem(QPainter& p, const QRectF& square, bool onDark)
{
    p.save();
    const double R = std::min(square.width(), square.height()) / 2;
    const QPointF c = square.center();
    QLinearGradient ring(c - QPointF(R, R), c + QPointF(R, R));
    ring.setColorAt(0, QColor(0xF4, 0xF6, 0xF9));
    ring.setColorAt(0.5, QColor(0xB9, 0xC2, 0xCE));
    ring.setColorAt(1, QColor(0x8A, 0x96, 0xA6));
    p.setPen(onDark ? Qt::NoPen : QPen(kNavy, std::max(0.8, R * 0.03)));
    p.setBrush(ring);
    p.drawEllipse(c, R, R);
    QRadialGradient disc(c - QPointF(R * 0.35, R * 0.45), R * 1.3);
    disc.setColorAt(0, kNavyLight);
    disc.setColorAt(1, kNavyDark);
    p.setPen(Qt::NoPen);
    p.setBrush(disc);
    p.drawEllipse(c, R * 0.84, R * 0.84);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, R * 0.15, Qt::SolidLine, Qt::FlatCap));
    p.drawEllipse(c, R * 0.44, R * 0.44);
    p.setPen(QPen(kRed, R * 0.17, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(c + QPointF(R * 0.12, R * 0.12), c + QPointF(R * 0.66, R * 0.66));
    p.restore();
}

void DrawWordmark(QPainter& p, const QRectF& r, bool onDark, Qt::Alignment align)
{
    p.save();
    const QString name = QStringLiteral("QUARVENTA");
    const QString ag = QStringLiteral("AG");
    double px = r.height() * 0.8;
    QFont big;
    QFont small;
    double wBig = 0;
    double wAg = 0;
    double gap = 0;
    for (int i = 0; i < 40; ++i) {
        big = Font(px, true);
        big.setLetterSpacing(QFont::AbsoluteSpacing, px * 0.12);
        small = Font(px * 0.78, false);
        small.setLetterSpacing(QFont::AbsoluteSpacing, px * 0.08);
        wBig = QFontMetricsF(big).horizontalAdvance(name);
        wAg = QFontMetricsF(small).horizontalAdvance(ag);
        gap = px * 0.35;
        if (wBig + gap + wAg <= r.width() || px < 5)
            break;
        px *= 0.94;
    }
    const double total = wBig + gap + wAg;
    double x = r.left();
    if (align & Qt::AlignHCenter)
        x = r.center().x() - total / 2;
    else if (align & Qt::AlignRight)
        x = r.right() - total;
    const double base = r.center().y() + QFontMetricsF(big).capHeight() / 2;
    p.setFont(big);
    p.setPen(onDark ? Qt::white : kNavy);
    p.drawText(QPointF(x, base), name);
    p.setFont(small);
    p.setPen(onDark ? kSilver : kRed);
    p.drawText(QPointF(x + wBig + gap, base), ag);
    p.restore();
}

void DrawLogoStacked(QPainter& p, const QRectF& r, bool onDark)
{
    const double e = std::min(r.height() * 0.62, r.width() * 0.6);
    DrawEmblem(p, QRectF(r.center().x() - e / 2, r.top(), e, e), onDark);
    const QRectF text(r.left(), r.top() + e + r.height() * 0.06, r.width(), r.height() - e - r.height() * 0.06);
    DrawWordmark(p, text, onDark, Qt::AlignHCenter);
}

void DrawLogoWide(QPainter& p, const QRectF& r, bool onDark)
{
    const double e = r.height();
    DrawEmblem(p, QRectF(r.left(), r.top(), e, e), onDark);
    DrawWordmark(p, QRectF(r.left() + e * 1.25, r.top() + e * 0.3, r.width() - e * 1.25, e * 0.4), onDark);
}

void FillHeaderBand(QPainter& p, const QRectF& r)
{
    p.save();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0x0B, 0x21, 0x40));
    g.setColorAt(0.55, kNavy);
    g.setColorAt(1, QColor(0x17, 0x3A, 0x6A));
    p.fillRect(r, g);
    // A soft light sweep on the right keeps the band from looking flat.
    QPainterPath sweep;
    sweep.moveTo(r.left() + r.width() * 0.62, r.top());
    sweep.lineTo(r.right(), r.top());
    sweep.lineTo(r.right(), r.bottom());
    sweep.lineTo(r.left() + r.width() * 0.74, r.bottom());
    sweep.closeSubpath();
    QLinearGradient s(QPointF(r.left() + r.width() * 0.62, 0), QPointF(r.right(), 0));
    s.setColorAt(0, QColor(255, 255, 255, 0));
    s.setColorAt(1, QColor(255, 255, 255, 22));
    p.fillPath(sweep, s);
    p.restore();
}

void FillBody(QPainter& p, const QRectF& r)
{
    p.save();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0x4D, 0x6A, 0x91));
    g.setColorAt(0.5, kSteel);
    g.setColorAt(1, kSteelDark);
    p.fillRect(r, g);
    QRadialGradient glow(QPointF(r.left() + r.width() * 0.3, r.top()), r.width() * 0.7);
    glow.setColorAt(0, QColor(255, 255, 255, 28));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(r, glow);
    p.restore();
}

void FillSteelBand(QPainter& p, const QRectF& r)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0x1C, 0x3D, 0x6B));
    g.setColorAt(1, QColor(0x12, 0x2C, 0x52));
    p.fillRect(r, g);
}

void DropShadow(QPainter& p, const QRectF& r, double radius, double spread, int alpha)
{
    p.save();
    p.setPen(Qt::NoPen);
    const int steps = std::max(3, int(spread));
    for (int i = steps; i >= 1; --i) {
        const double d = spread * i / steps;
        p.setBrush(QColor(0, 0, 0, std::max(1, alpha / steps)));
        p.drawRoundedRect(r.adjusted(-d * 0.6, -d * 0.3, d * 0.6, d), radius + d, radius + d);
    }
    p.restore();
}

void SilverPanel(QPainter& p, const QRectF& r, double radius)
{
    p.save();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0xF3, 0xF5, 0xF8));
    g.setColorAt(1, QColor(0xD3, 0xD9, 0xE1));
    p.setBrush(g);
    p.setPen(QPen(QColor(0xA9, 0xB3, 0xC0), 1));
    p.drawRoundedRect(r, radius, radius);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1));
    p.drawLine(QPointF(r.left() + radius, r.top() + 1.5), QPointF(r.right() - radius, r.top() + 1.5));
    p.restore();
}

void WhitePanel(QPainter& p, const QRectF& r, double radius)
{
    p.save();
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(0xB8, 0xC1, 0xCC), 1));
    p.drawRoundedRect(r, radius, radius);
    p.restore();
}

void Rule(QPainter& p, QPointF a, QPointF b, const QColor& c, double width)
{
    p.save();
    p.setPen(QPen(c, width, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(a, b);
    p.restore();
}

void DrawIcon(QPainter& p, const QRectF& r0, Icon icon, const QColor& fg, const QColor& accent)
{
    p.save();
    const double s = std::min(r0.width(), r0.height());
    const QRectF r(r0.center().x() - s / 2, r0.center().y() - s / 2, s, s);
    auto at = [&](double x, double y) { return QPointF(r.left() + x * s, r.top() + y * s); };
    const double lw = std::max(1.0, s * 0.07);
    QPen pen(fg, lw, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    switch (icon) {
    case Icon::Folder: {  // a small tree of groups
        p.drawRoundedRect(QRectF(at(0.08, 0.1), at(0.42, 0.34)), s * 0.04, s * 0.04);
        p.drawLine(at(0.25, 0.34), at(0.25, 0.8));
        p.drawLine(at(0.25, 0.5), at(0.5, 0.5));
        p.drawLine(at(0.25, 0.8), at(0.5, 0.8));
        p.setBrush(accent);
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(at(0.52, 0.4), at(0.92, 0.6)), s * 0.04, s * 0.04);
        p.setBrush(fg);
        p.drawRoundedRect(QRectF(at(0.52, 0.7), at(0.92, 0.9)), s * 0.04, s * 0.04);
        break;
    }
    case Icon::Document:
    case Icon::Sheet: {
        QPainterPath d;
        d.moveTo(at(0.22, 0.06));
        d.lineTo(at(0.62, 0.06));
        d.lineTo(at(0.8, 0.24));
        d.lineTo(at(0.8, 0.94));
        d.lineTo(at(0.22, 0.94));
        d.closeSubpath();
        p.drawPath(d);
        p.drawLine(at(0.62, 0.06), at(0.62, 0.24));
        p.drawLine(at(0.62, 0.24), at(0.8, 0.24));
        p.setPen(Qt::NoPen);
        p.setBrush(accent);
        if (icon == Icon::Document) {
            p.drawRect(QRectF(at(0.12, 0.52), at(0.66, 0.74)));
            p.setPen(QPen(Qt::white, lw * 0.8));
            p.setFont(Font(s * 0.17, true));
            p.drawText(QRectF(at(0.12, 0.52), at(0.66, 0.74)), Qt::AlignCenter, QStringLiteral("PDF"));
        } else {
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 2; ++j)
                    p.drawRect(QRectF(at(0.3 + j * 0.22, 0.42 + i * 0.16), QSizeF(s * 0.17, s * 0.1)));
        }
        break;
    }
    case Icon::Play: {
        p.drawEllipse(QRectF(at(0.08, 0.08), at(0.92, 0.92)));
        QPainterPath t;
        t.moveTo(at(0.4, 0.3));
        t.lineTo(at(0.72, 0.5));
        t.lineTo(at(0.4, 0.7));
        t.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(accent);
        p.drawPath(t);
        break;
    }
    case Icon::List: {
        for (int i = 0; i < 4; ++i) {
            const double y = 0.2 + i * 0.2;
            p.setPen(Qt::NoPen);
            p.setBrush(i == 0 ? accent : fg);
            p.drawEllipse(at(0.16, y), s * 0.05, s * 0.05);
            p.setPen(pen);
            p.drawLine(at(0.3, y), at(0.88, y));
        }
        break;
    }
    case Icon::Search: {
        p.drawEllipse(QRectF(at(0.1, 0.1), at(0.62, 0.62)));
        p.setPen(QPen(accent, lw * 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(at(0.56, 0.56), at(0.88, 0.88));
        break;
    }
    case Icon::Cart: {
        p.drawLine(at(0.06, 0.18), at(0.2, 0.18));
        QPainterPath c;
        c.moveTo(at(0.2, 0.18));
        c.lineTo(at(0.3, 0.66));
        c.lineTo(at(0.82, 0.66));
        c.lineTo(at(0.9, 0.3));
        c.lineTo(at(0.24, 0.3));
        p.drawPath(c);
        p.setBrush(accent);
        p.setPen(Qt::NoPen);
        p.drawEllipse(at(0.36, 0.82), s * 0.07, s * 0.07);
        p.drawEllipse(at(0.76, 0.82), s * 0.07, s * 0.07);
        break;
    }
    case Icon::Back: {
        QPainterPath a;
        a.moveTo(at(0.86, 0.72));
        a.cubicTo(at(0.86, 0.36), at(0.6, 0.32), at(0.2, 0.34));
        p.drawPath(a);
        QPainterPath head;
        head.moveTo(at(0.36, 0.16));
        head.lineTo(at(0.12, 0.34));
        head.lineTo(at(0.36, 0.52));
        p.setPen(QPen(accent, lw, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(head);
        break;
    }
    case Icon::Info: {
        p.drawEllipse(QRectF(at(0.08, 0.08), at(0.92, 0.92)));
        p.setPen(Qt::NoPen);
        p.setBrush(accent);
        p.drawEllipse(at(0.5, 0.3), s * 0.07, s * 0.07);
        p.drawRoundedRect(QRectF(at(0.44, 0.42), at(0.56, 0.74)), s * 0.03, s * 0.03);
        break;
    }
    case Icon::Grid: {
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 2; ++j) {
                p.setBrush(i == 0 && j == 1 ? accent : Qt::transparent);
                p.drawRoundedRect(QRectF(at(0.1 + j * 0.44, 0.1 + i * 0.44), QSizeF(s * 0.36, s * 0.36)), s * 0.05,
                                  s * 0.05);
            }
        break;
    }
    case Icon::Program: {
        p.drawRoundedRect(QRectF(at(0.08, 0.16), at(0.92, 0.84)), s * 0.06, s * 0.06);
        p.drawLine(at(0.08, 0.32), at(0.92, 0.32));
        p.setPen(QPen(accent, lw, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath prompt;
        prompt.moveTo(at(0.22, 0.46));
        prompt.lineTo(at(0.36, 0.58));
        prompt.lineTo(at(0.22, 0.7));
        p.drawPath(prompt);
        p.drawLine(at(0.44, 0.7), at(0.66, 0.7));
        break;
    }
    case Icon::Catalog: {
        p.drawRoundedRect(QRectF(at(0.14, 0.08), at(0.78, 0.92)), s * 0.04, s * 0.04);
        p.drawLine(at(0.26, 0.08), at(0.26, 0.92));
        p.setPen(Qt::NoPen);
        p.setBrush(accent);
        p.drawRect(QRectF(at(0.36, 0.22), at(0.68, 0.34)));
        break;
    }
    }
    p.restore();
}

void FitText(QPainter& p, const QRectF& r, const QString& text, double px, bool bold, const QColor& c,
             Qt::Alignment align, double minPx)
{
    p.save();
    p.setPen(c);
    const int flags = int(align) | Qt::TextWordWrap;
    for (;;) {
        p.setFont(Font(px, bold));
        const QRectF need = p.boundingRect(r, flags, text);
        if ((need.width() <= r.width() + 0.5 && need.height() <= r.height() + 0.5) || px <= minPx)
            break;
        px *= 0.92;
    }
    p.drawText(r, flags, text);
    p.restore();
}

} // namespace gen::style
