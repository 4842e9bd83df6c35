// Choosing a figure for a text and rendering figures.
#include "Illustrations.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <algorithm>
#include <array>

namespace gen {

QRectF Figure::Bounds() const
{
    QRectF r;
    for (const Part& p : parts)
        r = r.united(p.path.boundingRect());
    return r;
}

Figure Tilted(Figure f, double degrees)
{
    const QPointF c = f.Bounds().center();
    QTransform t;
    t.translate(c.x(), c.y());
    t.rotate(degrees);
    t.translate(-c.x(), -c.y());
    for (Part& part : f.parts)
        part.path = t.map(part.path);
    return f;
}

QString KindName(Kind kind)
{
    static const char* const names[] = {"lift",        "balancer", "tyre changer", "torque wrench", "puller",
                                        "tester",      "analyzer", "trolley",      "press",         "jack",
                                        "tool case",   "crane",    "service unit", "caliper",       "dial gauge",
                                        "bench",       "holding tool", "wrench",   "socket",        "car",
                                        "compressor"};
    const int i = int(kind);
    return i >= 0 && i < int(Kind::Count) ? QString::fromLatin1(names[i]) : QStringLiteral("tool");
}

Kind Classify(const QString& text, std::uint32_t hash, bool* matched)
{
    if (matched)
        *matched = true;
    struct Rule {
        Kind kind;
        const char* words;  // UTF-8, separated by ';'
    };
    // Order matters: the more specific words first.
    static const Rule rules[] = {
        {Kind::TorqueWrench, "drehmoment;torque;dynamom;momentov;clé dynamo"},
        {Kind::Balancer, "wucht;balanc;équilibr;equilibr;vyvaž;vyvaz"},
        {Kind::TyreChanger, "reifen;tyre;tire;pneu;montiermasch;démonte"},
        {Kind::Lift, "hebebühne;hebebuehne;hebetechnik;lift;élévateur;elevateur;zvedák;zvedak;zvedací;bühne"},
        {Kind::Jack, "wagenheber;rangierheber;getriebeheber;jack;cric;hever;heber"},
        {Kind::Crane, "kran;crane;grue;jeřáb;jerab;motorheber"},
        {Kind::Puller, "abzieh;puller;extract;stahov;arrache"},
        {Kind::Compressor, "kompressor;compressor;compresseur;kompresor;druckluft;air comprim;stlačen"},
        {Kind::Press, "presse;press;lis "},
        {Kind::Analyzer, "analys;motortest;abgas;emission;gas;plyn;wagen tester"},
        {Kind::HoldingTool, "rückstell;rueckstell;reset;repousse;vorrichtung;fixture"},
        {Kind::Tester, "test;prüf;pruef;diagn;messgerät;multimeter;zkouš;zkous;contrôl;control;lecteur;scanner;interface;vci;kommunik;communic"},
        {Kind::ServiceUnit, "klima;air con;climat;servis;service unit;öl;oil;huile;olej;bremsflüssig;brake fluid;liquide de frein;füll;fill;absaug"},
        {Kind::Bench, "richtbank;straightening;banc de;rovnac"},
        {Kind::Trolley, "werkstattwagen;wagen;trolley;chariot;servante;vozík;vozik;schrank;cabinet;armoire;skříň"},
        {Kind::Bench, "werkbank;bench;établi;etabli;ponk;stůl;arbeitsplatz;workstation"},
        {Kind::ToolCase, "koffer;case;coffret;kufr;satz;set;sada;jeu;sortiment;kit"},
        {Kind::Caliper, "schieblehre;messschieber;caliper;pied à coulisse;posuvn;lehre;gauge;jauge;měr"},
        {Kind::DialGauge, "messuhr;dial;comparateur;úchylkoměr;indicator"},
        {Kind::Socket, "nuss;einsatz;socket;douille;hlavice;adapter;adaptér"},
        {Kind::Wrench, "schlüssel;schluessel;spanner;wrench;clé;klíč;klic"},
        {Kind::HoldingTool, "halter;arretier;haltewerk;holder;locking;blocage;fixation;přípravek;pripravek;vorrichtung;fixture"},
        {Kind::Car, "fahrzeug;vehicle;véhicule;vozidl;auto;car "},
        // Broad catalogue words last.
        {Kind::Lift, "betriebseinricht;equipment;équipement;equipement;vybavení;vybaveni;einrichtung;werkstatt;atelier;dílna"},
        {Kind::ToolCase, "spezialwerkzeug;special tool;outils spéciaux;outil;nářadí;naradi;werkzeug;tool"},
    };
    const QString t = text.toLower() + QLatin1Char(' ');
    for (const Rule& r : rules) {
        const QStringList words = QString::fromUtf8(r.words).split(QLatin1Char(';'));
        for (const QString& w : words)
            if (!w.isEmpty() && t.contains(w))
                return r.kind;
    }
    if (matched)
        *matched = false;
    static const Kind fallback[] = {Kind::HoldingTool, Kind::Puller, Kind::Wrench,    Kind::Socket,
                                    Kind::ToolCase,    Kind::Tester, Kind::Caliper,   Kind::TorqueWrench};
    return fallback[hash % (sizeof fallback / sizeof fallback[0])];
}

QTransform FitTransform(const QRectF& bounds, const QRectF& box, Qt::Alignment align)
{
    if (bounds.isEmpty())
        return {};
    const double s = std::min(box.width() / bounds.width(), box.height() / bounds.height());
    double dx = box.center().x() - bounds.center().x() * s;
    double dy = box.center().y() - bounds.center().y() * s;
    if (align & Qt::AlignBottom)
        dy = box.bottom() - bounds.bottom() * s;
    if (align & Qt::AlignLeft)
        dx = box.left() - bounds.left() * s;
    else if (align & Qt::AlignRight)
        dx = box.right() - bounds.right() * s;
    return QTransform(s, 0, 0, s, dx, dy);
}

namespace {

struct Shade {
    std::array<QColor, 4> stops;  // across the part: light edge .. dark edge
};

Shade ShadeOf(Mat m)
{
    switch (m) {
    case Mat::Navy: return {{QColor(0x35, 0x5F, 0x98), QColor(0x1C, 0x41, 0x74), QColor(0x13, 0x31, 0x5C), QColor(0x0A, 0x1C, 0x36)}};
    case Mat::Steel: return {{QColor(0xF2, 0xF4, 0xF7), QColor(0xD8, 0xDE, 0xE5), QColor(0xBE, 0xC7, 0xD2), QColor(0x98, 0xA4, 0xB3)}};
    case Mat::Chrome: return {{QColor(0xFB, 0xFC, 0xFD), QColor(0xA9, 0xB3, 0xC0), QColor(0xEE, 0xF1, 0xF5), QColor(0x7D, 0x89, 0x99)}};
    case Mat::Dark: return {{QColor(0x5A, 0x61, 0x6B), QColor(0x3A, 0x40, 0x48), QColor(0x2A, 0x2F, 0x36), QColor(0x17, 0x1A, 0x1F)}};
    case Mat::Rubber: return {{QColor(0x4A, 0x4D, 0x52), QColor(0x2C, 0x2E, 0x32), QColor(0x1E, 0x20, 0x23), QColor(0x0F, 0x10, 0x12)}};
    case Mat::Red: return {{QColor(0xE8, 0x4A, 0x60), QColor(0xCC, 0x1E, 0x3A), QColor(0xB3, 0x10, 0x2B), QColor(0x82, 0x08, 0x1C)}};
    case Mat::Screen: return {{QColor(0x9C, 0xC4, 0xE8), QColor(0x4D, 0x82, 0xB8), QColor(0x2A, 0x55, 0x88), QColor(0x16, 0x33, 0x5A)}};
    case Mat::Light: return {{QColor(0xFF, 0xFF, 0xFF), QColor(0xF6, 0xF8, 0xFA), QColor(0xE6, 0xEA, 0xEF), QColor(0xCC, 0xD3, 0xDC)}};
    case Mat::Line: break;
    }
    return {{QColor(0x1B, 0x25, 0x33), QColor(0x1B, 0x25, 0x33), QColor(0x1B, 0x25, 0x33), QColor(0x1B, 0x25, 0x33)}};
}

QColor Mix(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(float(a.redF() * (1 - t) + b.redF() * t), float(a.greenF() * (1 - t) + b.greenF() * t),
                            float(a.blueF() * (1 - t) + b.blueF() * t), float(a.alphaF() * (1 - t) + b.alphaF() * t));
}

} // namespace

void RenderFigure(QPainter& p, const Figure& f, const QRectF& box, Look look, const QColor& tone, Qt::Alignment align)
{
    const QRectF bounds = f.Bounds();
    const QTransform t = FitTransform(bounds, box, align);
    const double scale = t.m11();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    if (look == Look::Shaded) {
        // Floor shadow under the figure.
        const QRectF b = t.mapRect(bounds);
        QRadialGradient g(QPointF(b.center().x(), b.bottom()), b.width() * 0.55);
        g.setColorAt(0, QColor(0, 0, 0, 70));
        g.setColorAt(1, QColor(0, 0, 0, 0));
        p.save();
        p.translate(b.center().x(), b.bottom());
        p.scale(1, 0.09);
        p.translate(-b.center().x(), -b.bottom());
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(QPointF(b.center().x(), b.bottom()), b.width() * 0.55, b.width() * 0.55);
        p.restore();
    }
    for (const Part& part : f.parts) {
        const QPainterPath path = t.map(part.path);
        if (look == Look::Lines) {
            p.setPen(part.mat == Mat::Line ? Qt::NoPen : QPen(Qt::black, std::max(0.8, scale * 0.55)));
            QColor fill = Qt::white;
            if (part.mat == Mat::Line)
                fill = Qt::black;
            else if (part.mat == Mat::Screen)
                fill = QColor(0xF0, 0xF0, 0xF0);
            p.setBrush(fill);
            p.drawPath(path);
            continue;
        }
        Shade s = ShadeOf(part.mat);
        if (look == Look::Duotone)
            for (QColor& c : s.stops)
                c = Mix(c, tone, 0.72);
        const QRectF r = path.boundingRect();
        QLinearGradient g = r.width() > r.height() * 1.6 ? QLinearGradient(r.topLeft(), r.bottomLeft())
                                                          : QLinearGradient(r.topLeft(), r.topRight());
        g.setColorAt(0, s.stops[0]);
        g.setColorAt(0.35, s.stops[1]);
        g.setColorAt(0.7, s.stops[2]);
        g.setColorAt(1, s.stops[3]);
        if (part.mat == Mat::Line) {
            p.setPen(Qt::NoPen);
            p.setBrush(s.stops[1]);
        } else {
            QColor edge = s.stops[3].darker(look == Look::Duotone ? 110 : 135);
            if (look == Look::Duotone)
                edge.setAlpha(160);
            p.setPen(QPen(edge, std::max(0.6, scale * 0.45)));
            p.setBrush(g);
        }
        p.drawPath(path);
    }
    p.restore();
}

} // namespace gen
