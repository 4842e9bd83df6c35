// Catalogue videos: short Motion-JPEG AVI files, 320 x 240 at 10 frames per
// second, with a brand title card and an animated product.
#include "Layout.h"

#include "Illustrations.h"
#include "Style.h"

#include <QLinearGradient>

#include <cmath>

namespace gen {

using namespace style;

namespace {

constexpr int kW = 320;
constexpr int kH = 240;
constexpr int kFps = 10;
constexpr int kFrames = 50;

void Put32(QByteArray& b, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xFF));
}
void Put16(QByteArray& b, std::uint16_t v)
{
    b.append(char(v & 0xFF));
    b.append(char(v >> 8));
}
QByteArray Chunk(const char* id, const QByteArray& data)
{
    QByteArray c(id, 4);
    Put32(c, std::uint32_t(data.size()));
    c.append(data);
    if (data.size() % 2)
        c.append('\0');
    return c;
}
QByteArray List(const char* type, const QByteArray& data)
{
    QByteArray d(type, 4);
    d.append(data);
    return Chunk("LIST", d);
}

enum class Motion { Lift, Wrench, Wheel, Showcase };

Motion MotionFor(const QString& name, Kind* kind)
{
    const QString n = name.toLower();
    bool matched = false;
    *kind = Classify(n, Hash(n), &matched);
    if (matched && (*kind == Kind::ServiceUnit || *kind == Kind::Analyzer || *kind == Kind::Tester
                    || *kind == Kind::Compressor || *kind == Kind::Press || *kind == Kind::Trolley))
        return Motion::Showcase;
    if (n.contains(QLatin1String("wucht")) || n.contains(QLatin1String("balanc")) || n.contains(QLatin1String("reifen"))
        || n.contains(QLatin1String("tyre")) || n.contains(QLatin1String("rad")))
        return Motion::Wheel;
    if (n.contains(QLatin1String("werkzeug")) || n.contains(QLatin1String("tool")) || n.contains(QLatin1String("drehmom"))
        || n.contains(QLatin1String("torque")) || n.contains(QLatin1String("schl")))
        return Motion::Wrench;
    return Motion::Lift;
}

QImage Frame(int i, Motion motion, Kind kind, const QString& caption)
{
    QImage img = NewImage(kW, kH);
    QPainter p;
    Begin(p, img);
    const double t = double(i) / (kFrames - 1);
    if (i < kFps) {  // title card
        QLinearGradient bg(0, 0, 0, kH);
        bg.setColorAt(0, kNavyDark);
        bg.setColorAt(1, kNavy);
        p.fillRect(img.rect(), bg);
        p.setOpacity(std::min(1.0, 0.2 + i / 6.0));
        DrawEmblem(p, QRectF(130, 50, 60, 60), true);
        DrawWordmark(p, QRectF(60, 122, 200, 24), true, Qt::AlignHCenter);
        p.fillRect(QRectF(140, 156, 40, 2), kRed);
        p.setOpacity(1);
        p.end();
        return img;
    }
    QLinearGradient bg(0, 0, 0, kH);
    bg.setColorAt(0, Qt::white);
    bg.setColorAt(1, QColor(0xDD, 0xE3, 0xEA));
    p.fillRect(img.rect(), bg);
    const double s = double(i - kFps) / (kFrames - kFps - 1);  // 0..1 over the product part
    const QRectF stage(40, 36, 240, 164);
    if (motion == Motion::Lift) {
        // Columns stay, the carriage with the car rises.
        Figure f = BuildFigure(Kind::Lift, 1);
        const QRectF bounds = f.Bounds();
        Figure fixed;
        Figure moving;
        for (size_t k = 0; k < f.parts.size(); ++k)
            (k < 8 || k + 3 >= f.parts.size() ? fixed : moving).parts.push_back(f.parts[k]);
        const double rise = 30 - 56 * (0.5 - 0.5 * std::cos(std::min(1.0, s * 1.3) * M_PI));
        for (Part& part : moving.parts)
            part.path.translate(0, rise);
        const QTransform tr = FitTransform(bounds, stage, Qt::AlignHCenter | Qt::AlignBottom);
        // Render both halves with the mapping of the whole figure.
        for (const Figure* half : {&fixed, &moving}) {
            Figure h = *half;
            for (Part& part : h.parts)
                part.path = tr.map(part.path);
            RenderFigure(p, h, h.Bounds(), Look::Shaded);
        }
    } else if (motion == Motion::Wrench) {
        Figure f = Tilted(BuildFigure(Kind::TorqueWrench, 2), -10 - 50 * std::sin(s * M_PI * 2));
        RenderFigure(p, f, stage, Look::Shaded);
    } else if (motion == Motion::Showcase) {
        // The product glides in and settles.
        const double e = 1 - std::pow(1 - std::min(1.0, s * 1.6), 3);
        const QRectF box = stage.adjusted(40 * (1 - e) + 10, 20 * (1 - e), -10 + 40 * (1 - e), 0);
        p.setOpacity(0.3 + 0.7 * e);
        RenderFigure(p, BuildFigure(kind, 5), box, Look::Shaded, QColor(), Qt::AlignHCenter | Qt::AlignBottom);
        p.setOpacity(1);
    } else {
        Figure f = BuildFigure(Kind::Balancer, 3);
        RenderFigure(p, f, stage, Look::Shaded, QColor(), Qt::AlignHCenter | Qt::AlignBottom);
        // A turning marker on the wheel.
        const QTransform tr = FitTransform(f.Bounds(), stage, Qt::AlignHCenter | Qt::AlignBottom);
        const QPointF c = tr.map(QPointF(36, 129));
        const double a = s * 12 * M_PI;
        p.setPen(QPen(kRed, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c, c + QPointF(std::cos(a) * 10 * tr.m11(), std::sin(a) * 20 * tr.m11()));
    }
    // Brand bar and caption.
    FillHeaderBand(p, QRectF(0, 0, kW, 26));
    DrawLogoWide(p, QRectF(8, 4, 130, 18), true);
    p.fillRect(QRectF(0, kH - 30, kW, 30), QColor(0x0A, 0x1C, 0x36, 220));
    p.setPen(Qt::white);
    p.setFont(Font(12, true));
    p.drawText(QRectF(10, kH - 30, kW - 20, 26), Qt::AlignLeft | Qt::AlignVCenter, caption);
    p.fillRect(QRectF(0, kH - 4, kW * t, 4), kRed);
    p.end();
    return img;
}

QByteArray MakeAvi(const QVector<QByteArray>& jpegs, int width, int height, int fps)
{
    std::uint32_t maxFrame = 0;
    for (const QByteArray& j : jpegs)
        maxFrame = std::max(maxFrame, std::uint32_t(j.size()));
    const std::uint32_t n = std::uint32_t(jpegs.size());
    QByteArray avih;
    Put32(avih, 1000000u / std::uint32_t(fps));
    Put32(avih, maxFrame * std::uint32_t(fps));
    Put32(avih, 0);
    Put32(avih, 0x10);  // has an index
    Put32(avih, n);
    Put32(avih, 0);
    Put32(avih, 1);
    Put32(avih, maxFrame + 8);
    Put32(avih, std::uint32_t(width));
    Put32(avih, std::uint32_t(height));
    for (int i = 0; i < 4; ++i)
        Put32(avih, 0);
    QByteArray strh("vidsMJPG", 8);
    Put32(strh, 0);
    Put16(strh, 0);
    Put16(strh, 0);
    Put32(strh, 0);
    Put32(strh, 1);
    Put32(strh, std::uint32_t(fps));
    Put32(strh, 0);
    Put32(strh, n);
    Put32(strh, maxFrame + 8);
    Put32(strh, 0xFFFFFFFFu);
    Put32(strh, 0);
    Put16(strh, 0);
    Put16(strh, 0);
    Put16(strh, std::uint16_t(width));
    Put16(strh, std::uint16_t(height));
    QByteArray strf;
    Put32(strf, 40);
    Put32(strf, std::uint32_t(width));
    Put32(strf, std::uint32_t(height));
    Put16(strf, 1);
    Put16(strf, 24);
    strf.append("MJPG", 4);
    Put32(strf, std::uint32_t(width * height * 3));
    for (int i = 0; i < 4; ++i)
        Put32(strf, 0);
    const QByteArray hdrl = List("hdrl", Chunk("avih", avih) + List("strl", Chunk("strh", strh) + Chunk("strf", strf)));
    QByteArray movi;
    QByteArray idx;
    for (const QByteArray& j : jpegs) {
        idx.append("00dc", 4);
        Put32(idx, 0x10);  // key frame
        Put32(idx, std::uint32_t(movi.size() + 4));  // from the 'movi' type
        Put32(idx, std::uint32_t(j.size()));
        movi.append(Chunk("00dc", j));
    }
    QByteArray body("AVI ", 4);
    body.append(hdrl);
    body.append(List("movi", movi));
    body.append(Chunk("idx1", idx));
    return Chunk("RIFF", body);
}

} // namespace

void GenerateVideos(Output& out, const Catalog& cat)
{
    for (const QString& name : cat.videos) {
        const QString rel = QStringLiteral("VIDEO/") + name;
        if (!out.Claim(rel))
            continue;
        QString caption = NormalizeRel(name).section(QLatin1Char('/'), -1).section(QLatin1Char('.'), 0, 0);
        for (const AreaFile& a : cat.areas)
            for (const AreaEntry& e : a.entries)
                if (a.lang == 1 && e.target.contains(name, Qt::CaseInsensitive))
                    caption = e.caption;
        Kind kind = Kind::Lift;
        const Motion motion = MotionFor(name + QLatin1Char(' ') + caption, &kind);
        QVector<QByteArray> jpegs;
        for (int i = 0; i < kFrames; ++i)
            jpegs.append(EncodeJpeg(Frame(i, motion, kind, caption), 80));
        out.WriteBytes(rel, MakeAvi(jpegs, kW, kH, kFps));
    }
}

} // namespace gen
