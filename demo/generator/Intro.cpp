// The language choice, the desktop backdrop, supplier logos and the
// layout step that writes all language-neutral pictures.
#include "Layout.h"

#include "Illustrations.h"
#include "Style.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace gen {

using namespace style;

namespace {

void DrawFlag(QPainter& p, const QRectF& r, int lang)
{
    p.save();
    p.setClipRect(r);
    p.setPen(Qt::NoPen);
    const double w = r.width();
    const double h = r.height();
    switch (lang) {
    case 0:  // German
        p.fillRect(QRectF(r.left(), r.top(), w, h / 3), QColor(0, 0, 0));
        p.fillRect(QRectF(r.left(), r.top() + h / 3, w, h / 3), QColor(0xDD, 0x00, 0x00));
        p.fillRect(QRectF(r.left(), r.top() + 2 * h / 3, w, h / 3 + 1), QColor(0xFF, 0xCE, 0x00));
        break;
    case 1: {  // English
        p.fillRect(r, QColor(0x01, 0x21, 0x69));
        const QPointF a = r.topLeft(), b = r.bottomRight(), c = r.topRight(), d = r.bottomLeft();
        p.setPen(QPen(Qt::white, h * 0.2));
        p.drawLine(a, b);
        p.drawLine(c, d);
        p.setPen(QPen(QColor(0xC8, 0x10, 0x2E), h * 0.07));
        p.drawLine(a, b);
        p.drawLine(c, d);
        p.setPen(Qt::NoPen);
        p.fillRect(QRectF(r.center().x() - h * 0.17, r.top(), h * 0.34, h), Qt::white);
        p.fillRect(QRectF(r.left(), r.center().y() - h * 0.17, w, h * 0.34), Qt::white);
        p.fillRect(QRectF(r.center().x() - h * 0.1, r.top(), h * 0.2, h), QColor(0xC8, 0x10, 0x2E));
        p.fillRect(QRectF(r.left(), r.center().y() - h * 0.1, w, h * 0.2), QColor(0xC8, 0x10, 0x2E));
        break;
    }
    case 2:  // French
        p.fillRect(QRectF(r.left(), r.top(), w / 3, h), QColor(0x00, 0x55, 0xA4));
        p.fillRect(QRectF(r.left() + w / 3, r.top(), w / 3, h), Qt::white);
        p.fillRect(QRectF(r.left() + 2 * w / 3, r.top(), w / 3 + 1, h), QColor(0xEF, 0x41, 0x35));
        break;
    default: {  // Czech
        p.fillRect(QRectF(r.left(), r.top(), w, h / 2), Qt::white);
        p.fillRect(QRectF(r.left(), r.top() + h / 2, w, h / 2 + 1), QColor(0xD7, 0x14, 0x1A));
        QPainterPath t;
        t.moveTo(r.topLeft());
        t.lineTo(r.left() + w / 2, r.center().y());
        t.lineTo(r.bottomLeft());
        t.closeSubpath();
        p.fillPath(t, QColor(0x11, 0x45, 0x7E));
        break;
    }
    }
    p.restore();
    p.save();
    p.setPen(QPen(QColor(0, 0, 0, 60), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
    p.restore();
}

} // namespace

QImage IntroPicture()
{
    QImage img = NewImage(800, 600);
    QPainter p;
    Begin(p, img);
    QLinearGradient bg(0, 0, 0, 600);
    bg.setColorAt(0, QColor(0x0A, 0x1C, 0x36));
    bg.setColorAt(0.45, kNavy);
    bg.setColorAt(1, QColor(0x2A, 0x48, 0x70));
    p.fillRect(img.rect(), bg);
    QRadialGradient glow(QPointF(400, 90), 420);
    glow.setColorAt(0, QColor(255, 255, 255, 40));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(img.rect(), glow);
    DrawEmblem(p, QRectF(355, 34, 90, 90), true);
    DrawWordmark(p, QRectF(200, 136, 400, 34), true, Qt::AlignHCenter);
    p.fillRect(QRectF(370, 184, 60, 2), kRed);
    p.setPen(Qt::white);
    p.setFont(Font(22));
    p.drawText(QRectF(0, 196, 800, 34), Qt::AlignCenter,
               QStringLiteral("Willkommen  \u00B7  Welcome  \u00B7  Bienvenue  \u00B7  V\u00EDtejte"));
    p.setPen(kSilver);
    p.setFont(Font(13));
    p.drawText(QRectF(0, 230, 800, 22), Qt::AlignCenter,
               QStringLiteral("Bitte w\u00E4hlen Sie Ihre Sprache  \u00B7  Please choose your language  \u00B7  "
                              "Choisissez votre langue  \u00B7  Zvolte jazyk"));
    // Quiet equipment silhouettes on the floor line.
    p.setOpacity(0.5);
    const QColor tone(0x3E, 0x5E, 0x8A);
    RenderFigure(p, BuildFigure(Kind::Balancer, 1), QRectF(40, 262, 90, 66), Look::Duotone, tone);
    RenderFigure(p, BuildFigure(Kind::Lift, 2), QRectF(300, 256, 200, 74), Look::Duotone, tone);
    RenderFigure(p, BuildFigure(Kind::Trolley, 3), QRectF(560, 268, 70, 60), Look::Duotone, tone);
    RenderFigure(p, BuildFigure(Kind::TyreChanger, 4), QRectF(660, 262, 90, 66), Look::Duotone, tone);
    p.setOpacity(1);
    p.fillRect(QRectF(0, 330, 800, 1), QColor(255, 255, 255, 50));
    struct Tile {
        QRectF r;
        int lang;
        const char* name;
        const char* line;
    };
    const Tile tiles[] = {
        {QRectF(76, 346, 224, 81), 0, "Deutsch", "Katalog auf Deutsch"},
        {QRectF(500, 346, 224, 81), 1, "English", "Catalogue in English"},
        {QRectF(76, 470, 226, 80), 3, "\u010Ce\u0161tina", "Katalog v \u010De\u0161tin\u011B"},
        {QRectF(500, 470, 224, 80), 2, "Fran\u00E7ais", "Catalogue en fran\u00E7ais"},
    };
    for (const Tile& t : tiles) {
        DropShadow(p, t.r, 4, 10, 90);
        SilverPanel(p, t.r, 4);
        p.fillRect(QRectF(t.r.left(), t.r.top() + 4, 3, t.r.height() - 8), kRed);
        DrawFlag(p, QRectF(t.r.left() + 16, t.r.center().y() - 18, 54, 36), t.lang);
        p.setPen(kNavy);
        p.setFont(Font(22, true));
        p.drawText(QRectF(t.r.left() + 84, t.r.top() + 14, t.r.width() - 90, 30), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromUtf8(t.name));
        p.setPen(kMuted);
        p.setFont(Font(12));
        p.drawText(QRectF(t.r.left() + 84, t.r.top() + 44, t.r.width() - 90, 20), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromUtf8(t.line));
        p.setPen(QPen(kNavy, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const QPointF c(t.r.right() - 18, t.r.center().y());
        p.drawLine(c + QPointF(-4, -6), c);
        p.drawLine(c + QPointF(-4, 6), c);
    }
    p.setPen(QColor(255, 255, 255, 120));
    p.setFont(Font(10));
    p.drawText(QRectF(0, 572, 800, 20), Qt::AlignCenter,
               QStringLiteral("\u00A9 2026 QUARVENTA AG  \u00B7  Betriebseinrichtungen  \u00B7  Spezialwerkzeuge"));
    p.end();
    return img;
}

QImage DesktopBackdrop()
{
    QImage img = NewImage(1920, 1200);
    QPainter p;
    Begin(p, img);
    QLinearGradient bg(0, 0, 0, 1200);
    bg.setColorAt(0, QColor(0x0A, 0x1C, 0x36));
    bg.setColorAt(0.6, kNavy);
    bg.setColorAt(1, QColor(0x24, 0x42, 0x6B));
    p.fillRect(img.rect(), bg);
    QRadialGradient glow(QPointF(1500, 250), 1100);
    glow.setColorAt(0, QColor(255, 255, 255, 34));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(img.rect(), glow);
    p.setPen(QPen(QColor(255, 255, 255, 14), 1));
    for (int i = -20; i <= 20; ++i)
        p.drawLine(QPointF(960 + i * 40, 760), QPointF(960 + i * 200, 1200));
    for (int j = 0; j < 8; ++j) {
        const double y = 760 + (1200 - 760) * (j * j) / 49.0;
        p.drawLine(QPointF(0, y), QPointF(1920, y));
    }
    p.fillRect(QRectF(0, 758, 1920, 2), QColor(0xC4, 0x12, 0x30, 150));
    p.setOpacity(0.08);
    DrawEmblem(p, QRectF(1380, 160, 460, 460), true);
    p.setOpacity(1);
    DrawLogoWide(p, QRectF(1500, 1110, 380, 50), true);
    p.end();
    return img;
}

QImage SupplierLogo(const QString& key)
{
    QImage img = NewImage(240, 80);
    QPainter p;
    Begin(p, img);
    if (key == QLatin1String("DORNA")) {
        QPainterPath wedge;
        wedge.moveTo(14, 16);
        wedge.lineTo(44, 40);
        wedge.lineTo(14, 64);
        wedge.lineTo(26, 40);
        wedge.closeSubpath();
        p.fillPath(wedge, kRed);
        QFont f = Font(34, true, true);
        f.setLetterSpacing(QFont::AbsoluteSpacing, 2);
        p.setFont(f);
        p.setPen(QColor(0x33, 0x38, 0x40));
        p.drawText(QRectF(52, 8, 184, 44), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("DORNA"));
        p.setFont(Font(11));
        p.setPen(kMuted);
        p.drawText(QRectF(54, 50, 184, 18), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Werkzeuge \u00B7 Tools \u00B7 Outillage"));
    } else if (key == QLatin1String("DERUZA")) {
        const QColor teal(0x0E, 0x6E, 0x73);
        p.setPen(Qt::NoPen);
        p.setBrush(teal);
        p.drawRoundedRect(QRectF(10, 14, 52, 52), 10, 10);
        p.setPen(QPen(Qt::white, 6, Qt::SolidLine, Qt::FlatCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(22, 26, 28, 28), -90 * 16, 180 * 16);
        p.drawLine(QPointF(27, 26), QPointF(27, 54));
        p.setFont(Font(30, true));
        p.setPen(teal);
        p.drawText(QRectF(72, 10, 164, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("DERUZA"));
        p.setFont(Font(11));
        p.setPen(kMuted);
        p.drawText(QRectF(74, 48, 164, 18), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Werkstatttechnik"));
    } else {
        DrawEmblem(p, QRectF(10, 12, 56, 56), false);
        p.setFont(Font(32, true));
        p.setPen(kNavy);
        p.drawText(QRectF(76, 8, 160, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Q.T.X"));
        p.fillRect(QRectF(78, 48, 24, 2), kRed);
        p.setFont(Font(11));
        p.setPen(kMuted);
        p.drawText(QRectF(78, 52, 160, 18), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Vertriebszentrum QUARVENTA"));
    }
    p.end();
    return img;
}

QImage SheetLogo()
{
    QImage img = NewImage(400, 120);
    QPainter p;
    Begin(p, img);
    DrawLogoWide(p, QRectF(12, 22, 250, 64), false);
    p.fillRect(QRectF(12, 100, 376, 1.5), kSilver);
    p.fillRect(QRectF(12, 100, 70, 1.5), kRed);
    RenderFigure(p, BuildFigure(Kind::Lift, 5), QRectF(300, 14, 90, 80), Look::Duotone, QColor(0xB8, 0xC3, 0xD1));
    p.end();
    return img;
}

void GenerateLayout(Output& out, const Catalog& cat)
{
    // Where the start and catalogue pages put their buttons.
    const AreaFile* start = cat.Area(1, QStringLiteral("QXSTART.BER"));
    const AreaFile* katalog = cat.Area(1, QStringLiteral("KATALOG.BER"));
    QStringList catalogPictures;
    for (const AreaFile& a : cat.areas)
        for (const AreaEntry& e : a.entries)
            if (e.target.contains(QLatin1String("KATALOG.BER"), Qt::CaseInsensitive) && !e.picture.isEmpty()
                && !catalogPictures.contains(e.picture, Qt::CaseInsensitive))
                catalogPictures.append(e.picture);
    if (!start)
        Warn(QStringLiteral("no DATEN/LANG1/QXSTART.BER: the start page has no button plates"));
    if (catalogPictures.isEmpty())
        Warn(QStringLiteral("no entry opens KATALOG.BER: no catalogue page picture"));
    for (const Mode& m : Modes()) {
        const QString dir = QStringLiteral("BILDER/OHNE/%1/").arg(m.width);
        out.WritePicture(dir + QStringLiteral("Hintergrund_mit_logo.bmp"), PageBackground(m, true));
        out.WritePicture(dir + QStringLiteral("Hintergrund.bmp"), PageBackground(m, false));
        out.WritePicture(dir + QStringLiteral("Logo.bmp"), LogoPicture(m));
        out.WritePicture(dir + QStringLiteral("buttons/Up.bmp"), ButtonFace(m, false));
        out.WritePicture(dir + QStringLiteral("buttons/Down.bmp"), ButtonFace(m, true));
        QVector<QRectF> startButtons;
        if (start)
            for (const AreaEntry& e : start->entries)
                startButtons.append(QRectF(QPointF(int(e.left * m.sx), int(e.top * m.sy)),
                                           QPointF(int(e.right * m.sx), int(e.bottom * m.sy))));
        out.WritePicture(dir + QStringLiteral("QXStart.bmp"), StartPage(m, startButtons));
        QVector<QRectF> catButtons;
        if (katalog)
            for (const AreaEntry& e : katalog->entries)
                catButtons.append(QRectF(QPointF(int(e.left * m.sx), int(e.top * m.sx)),
                                         QPointF(int(e.right * m.sx), int(e.bottom * m.sx))));
        const QImage catalogPage = CatalogPage(m, catButtons);
        for (const QString& name : std::as_const(catalogPictures))
            out.WritePicture(dir + name, catalogPage);
    }
    out.WritePicture(QStringLiteral("BILDER/OHNE/800/qxintro.bmp"), IntroPicture());
    out.WritePicture(QStringLiteral("QXBACK.BMP"), DesktopBackdrop());
    for (const char* key : {"QTX_VZ", "DORNA", "DERUZA"})
        out.WritePicture(QString::fromLatin1(key) + QStringLiteral(".bmp"), SupplierLogo(QString::fromLatin1(key)));
    out.WritePicture(QStringLiteral("logo.bmp"), SheetLogo());
}

} // namespace gen
