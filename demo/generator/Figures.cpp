// The figures: each is drawn in a box of about 200 x 200 units with the
// floor at y 200. The variant shifts proportions a little so that products
// of one kind do not all look alike.
#include "Illustrations.h"

#include <QPainterPathStroker>

#include <cmath>

namespace gen {
namespace {

QPainterPath R(double x, double y, double w, double h)
{
    QPainterPath p;
    p.addRect(x, y, w, h);
    return p;
}
QPainterPath RR(double x, double y, double w, double h, double r)
{
    QPainterPath p;
    p.addRoundedRect(x, y, w, h, r, r);
    return p;
}
QPainterPath E(double cx, double cy, double rx, double ry)
{
    QPainterPath p;
    p.addEllipse(QPointF(cx, cy), rx, ry);
    return p;
}
QPainterPath C(double cx, double cy, double r) { return E(cx, cy, r, r); }
QPainterPath Ring(double cx, double cy, double r1, double r2)
{
    QPainterPath p;
    p.setFillRule(Qt::OddEvenFill);
    p.addEllipse(QPointF(cx, cy), r1, r1);
    p.addEllipse(QPointF(cx, cy), r2, r2);
    return p;
}
QPainterPath Poly(std::initializer_list<QPointF> pts)
{
    QPainterPath p;
    bool first = true;
    for (const QPointF& q : pts) {
        if (first)
            p.moveTo(q);
        else
            p.lineTo(q);
        first = false;
    }
    p.closeSubpath();
    return p;
}
QPainterPath Stroke(const QPainterPath& line, double w)
{
    QPainterPathStroker s;
    s.setWidth(w);
    s.setCapStyle(Qt::RoundCap);
    s.setJoinStyle(Qt::RoundJoin);
    return s.createStroke(line).simplified();
}
QPainterPath Line(QPointF a, QPointF b, double w)
{
    QPainterPath l(a);
    l.lineTo(b);
    return Stroke(l, w);
}

class Builder {
public:
    Builder(Kind k, std::uint32_t v, double mm) : v_(v)
    {
        f_.kind = k;
        f_.realWidthMm = mm;
    }
    void Add(const QPainterPath& p, Mat m) { f_.parts.push_back({p, m}); }
    // A value in [-1, 1] that depends on the variant and the slot.
    double J(int slot) const
    {
        std::uint32_t h = v_ * 2654435761u + std::uint32_t(slot) * 40503u;
        h ^= h >> 13;
        h *= 0x5bd1e995u;
        h ^= h >> 15;
        return double(h % 2001) / 1000.0 - 1.0;
    }
    bool Pick(int slot) const { return J(slot) > 0; }
    Figure Done() { return std::move(f_); }

private:
    std::uint32_t v_;
    Figure f_;
};

void Wheel(Builder& b, double cx, double cy, double r)
{
    b.Add(C(cx, cy, r), Mat::Rubber);
    b.Add(C(cx, cy, r * 0.62), Mat::Chrome);
    b.Add(C(cx, cy, r * 0.22), Mat::Dark);
}

Figure Lift(Builder b)
{
    const double h = 112 + b.J(1) * 10;
    for (double x : {18.0, 162.0}) {
        b.Add(R(x - 8, 194, 36, 6), Mat::Steel);
        b.Add(RR(x, 18, 20, 178, 2), Mat::Navy);
        b.Add(R(x == 18.0 ? x + 16 : x + 1, 24, 3, 168), Mat::Dark);
    }
    b.Add(RR(12, 8, 176, 11, 2), Mat::Navy);
    b.Add(R(20, 11, 160, 2), Mat::Red);
    b.Add(RR(30, h, 16, 28, 2), Mat::Steel);
    b.Add(RR(154, h, 16, 28, 2), Mat::Steel);
    b.Add(Poly({{44, h + 14}, {80, h + 18}, {80, h + 24}, {44, h + 24}}), Mat::Chrome);
    b.Add(Poly({{156, h + 14}, {120, h + 18}, {120, h + 24}, {156, h + 24}}), Mat::Chrome);
    b.Add(RR(70, h + 10, 14, 7, 1.5), Mat::Rubber);
    b.Add(RR(116, h + 10, 14, 7, 1.5), Mat::Rubber);
    // A car, front view, resting on the pads.
    const double c = h + 10;
    b.Add(RR(54, c - 4, 14, 20, 4), Mat::Rubber);
    b.Add(RR(132, c - 4, 14, 20, 4), Mat::Rubber);
    b.Add(Poly({{50, c}, {150, c}, {155, c - 22}, {146, c - 34}, {54, c - 34}, {45, c - 22}}), Mat::Steel);
    b.Add(Poly({{62, c - 34}, {138, c - 34}, {127, c - 62}, {73, c - 62}}), Mat::Light);
    b.Add(Poly({{66, c - 36}, {134, c - 36}, {125, c - 58}, {75, c - 58}}), Mat::Screen);
    b.Add(RR(56, c - 28, 18, 7, 2), Mat::Light);
    b.Add(RR(126, c - 28, 18, 7, 2), Mat::Light);
    b.Add(RR(85, c - 26, 30, 11, 2), Mat::Dark);
    b.Add(R(52, c - 8, 96, 6), Mat::Dark);
    b.Add(RR(2, 104, 14, 24, 2), Mat::Dark);
    b.Add(C(9, 111, 2.8), Mat::Red);
    b.Add(C(9, 121, 2.2), Mat::Steel);
    return b.Done();
}

Figure Balancer(Builder b)
{
    const double w = b.J(1) * 6;
    b.Add(Poly({{60, 112}, {168 + w, 112}, {172 + w, 196}, {56, 196}}), Mat::Navy);
    b.Add(R(56, 192, 116 + w, 8), Mat::Dark);
    b.Add(Poly({{58, 104}, {170 + w, 104}, {168 + w, 114}, {60, 114}}), Mat::Dark);
    for (int i = 0; i < 4; ++i)
        b.Add(RR(70 + i * 22, 106, 16, 5, 2), Mat::Steel);
    b.Add(R(150 + w, 38, 6, 68), Mat::Steel);
    b.Add(RR(126 + w, 20, 56, 40, 3), Mat::Dark);
    b.Add(RR(131 + w, 25, 46, 24, 2), Mat::Screen);
    b.Add(R(134 + w, 52, 8, 4), Mat::Red);
    b.Add(R(146 + w, 52, 8, 4), Mat::Steel);
    b.Add(R(158 + w, 52, 8, 4), Mat::Steel);
    b.Add(RR(36, 124, 26, 10, 2), Mat::Chrome);
    // Wheel on the shaft, seen at an angle, under its hood.
    b.Add(E(34, 129, 24, 46), Mat::Rubber);
    b.Add(E(36, 129, 15, 30), Mat::Chrome);
    b.Add(E(37, 129, 5, 10), Mat::Dark);
    QPainterPath hood;
    hood.moveTo(4, 110);
    hood.cubicTo(4, 64, 64, 64, 66, 100);
    hood.lineTo(58, 104);
    hood.cubicTo(56, 76, 12, 76, 12, 110);
    hood.closeSubpath();
    b.Add(hood, Mat::Steel);
    b.Add(RR(66, 150, 40, 6, 2), Mat::Steel);
    return b.Done();
}

Figure TyreChanger(Builder b)
{
    b.Add(Poly({{34, 132}, {168, 132}, {172, 196}, {30, 196}}), Mat::Navy);
    b.Add(R(30, 192, 142, 8), Mat::Dark);
    b.Add(E(100, 130, 62, 11), Mat::Chrome);
    b.Add(E(100, 128, 56, 8), Mat::Steel);
    for (double x : {52.0, 84.0, 116.0, 144.0})
        b.Add(RR(x, 122, 10, 6, 1), Mat::Dark);
    b.Add(RR(160, 26, 18, 106, 2), Mat::Navy);
    b.Add(RR(94, 30, 84, 12, 2), Mat::Steel);
    b.Add(R(98, 42, 8, 50), Mat::Chrome);
    b.Add(Poly({{94, 92}, {112, 92}, {108, 106}, {96, 106}}), Mat::Dark);
    b.Add(RR(156, 20, 26, 10, 2), Mat::Dark);
    b.Add(Poly({{30, 146}, {8, 120}, {4, 124}, {24, 154}}), Mat::Steel);
    b.Add(RR(0, 114, 14, 10, 2), Mat::Rubber);
    for (int i = 0; i < 3; ++i)
        b.Add(RR(60 + i * 20, 188, 14, 8, 2), Mat::Dark);
    b.Add(E(118 + b.J(2) * 4, 118, 40, 8), Mat::Rubber);
    return b.Done();
}

Figure TorqueWrench(Builder b)
{
    const double len = 150 + b.J(1) * 14;
    if (b.Pick(2)) {  // in its case
        b.Add(RR(0, 64, 200, 76, 6), Mat::Navy);
        b.Add(RR(6, 70, 188, 64, 4), Mat::Dark);
    }
    b.Add(C(22, 102, 13), Mat::Chrome);
    b.Add(C(22, 102, 6), Mat::Dark);
    b.Add(RR(12, 86, 8, 5, 1), Mat::Steel);
    b.Add(Poly({{32, 96}, {len - 30, 95}, {len - 30, 109}, {32, 108}}), Mat::Chrome);
    b.Add(RR(70, 97, 40, 10, 2), Mat::Light);
    for (int i = 0; i < 9; ++i)
        b.Add(R(74 + i * 4, 98, 0.8, i % 2 ? 3 : 6), Mat::Line);
    b.Add(RR(len - 32, 93, 52, 18, 6), Mat::Red);
    for (int i = 0; i < 5; ++i)
        b.Add(R(len - 26 + i * 9, 93, 2, 18), Mat::Dark);
    b.Add(RR(len + 18, 95, 12, 14, 3), Mat::Dark);
    b.Add(RR(36, 116, 18, 14, 2), Mat::Chrome);
    b.Add(RR(60, 118, 14, 12, 2), Mat::Chrome);
    return b.Done();
}

Figure Puller(Builder b)
{
    const double spread = 52 + b.J(1) * 8;
    b.Add(R(96, 16, 8, 150), Mat::Chrome);
    b.Add(Poly({{96, 166}, {104, 166}, {100, 178}}), Mat::Chrome);
    b.Add(RR(90, 6, 20, 14, 2), Mat::Dark);
    b.Add(RR(70, 2, 60, 6, 3), Mat::Chrome);
    for (int i = 0; i < 10; ++i)
        b.Add(R(96, 24 + i * 7, 8, 1.2), Mat::Line);
    b.Add(RR(100 - spread - 6, 62, 2 * spread + 12, 20, 5), Mat::Navy);
    b.Add(C(100 - spread, 72, 4), Mat::Chrome);
    b.Add(C(100 + spread, 72, 4), Mat::Chrome);
    b.Add(Poly({{100 - spread - 6, 76}, {100 - spread + 4, 76}, {100 - spread + 8, 176}, {100 - spread + 22, 178},
                {100 - spread + 20, 190}, {100 - spread - 4, 186}}),
          Mat::Steel);
    b.Add(Poly({{100 + spread + 6, 76}, {100 + spread - 4, 76}, {100 + spread - 8, 176}, {100 + spread - 22, 178},
                {100 + spread - 20, 190}, {100 + spread + 4, 186}}),
          Mat::Steel);
    b.Add(Poly({{113, 82}, {121, 82}, {121, 180}, {113, 184}}), Mat::Steel);
    b.Add(E(100, 186, 32, 7), Mat::Dark);
    return b.Done();
}

Figure Tester(Builder b)
{
    QPainterPath cable(QPointF(100, 178));
    cable.cubicTo(100, 200, 160, 200, 170, 160);
    cable.cubicTo(176, 140, 186, 130, 186, 112);
    b.Add(Stroke(cable, 5), Mat::Dark);
    b.Add(RR(176, 90, 20, 24, 3), Mat::Steel);
    b.Add(RR(48, 14, 104, 172, 12), Mat::Navy);
    b.Add(RR(54, 20, 92, 160, 8), Mat::Dark);
    b.Add(RR(62, 30, 76, 58, 3), Mat::Screen);
    QPainterPath graph(QPointF(66, 70));
    for (int i = 1; i <= 14; ++i)
        graph.lineTo(66 + i * 5, 62 - 14 * std::sin(i * 0.7 + b.J(1)));
    b.Add(Stroke(graph, 1.6), Mat::Light);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            b.Add(RR(66 + c * 24, 100 + r * 18, 18, 12, 3), r == 0 && c == 1 ? Mat::Red : Mat::Steel);
    b.Add(RR(42, 8, 18, 18, 6), Mat::Red);
    b.Add(RR(140, 8, 18, 18, 6), Mat::Red);
    b.Add(RR(42, 174, 18, 18, 6), Mat::Red);
    b.Add(RR(140, 174, 18, 18, 6), Mat::Red);
    return b.Done();
}

Figure Analyzer(Builder b)
{
    b.Add(RR(52, 70, 96, 110, 4), Mat::Navy);
    b.Add(RR(58, 124, 84, 50, 2), Mat::Steel);
    b.Add(R(58, 148, 84, 1.5), Mat::Line);
    b.Add(RR(92, 134, 16, 4, 2), Mat::Dark);
    b.Add(RR(92, 156, 16, 4, 2), Mat::Dark);
    b.Add(RR(46, 100, 108, 10, 2), Mat::Dark);
    b.Add(RR(40, 10, 120, 84, 5), Mat::Dark);
    b.Add(RR(46, 16, 108, 68, 2), Mat::Screen);
    for (int i = 0; i < 3; ++i)
        b.Add(RR(52, 24 + i * 18, 40 + b.J(i) * 10, 9, 2), Mat::Light);
    b.Add(RR(110, 24, 38, 52, 2), Mat::Light);
    b.Add(RR(48, 176, 104, 8, 2), Mat::Dark);
    Wheel(b, 62, 191, 9);
    Wheel(b, 138, 191, 9);
    QPainterPath hose(QPointF(154, 110));
    hose.cubicTo(190, 120, 190, 170, 170, 176);
    b.Add(Stroke(hose, 4), Mat::Red);
    return b.Done();
}

Figure Trolley(Builder b)
{
    const int drawers = 5 + (b.Pick(1) ? 1 : 0);
    b.Add(RR(28, 40, 144, 140, 4), Mat::Navy);
    b.Add(RR(24, 32, 152, 10, 2), Mat::Dark);
    const double dh = 132.0 / drawers;
    for (int i = 0; i < drawers; ++i) {
        const double y = 46 + i * dh;
        b.Add(RR(34, y, 132, dh - 4, 2), Mat::Steel);
        b.Add(RR(80, y + 3, 40, 4, 2), Mat::Dark);
    }
    b.Add(R(176, 50, 6, 4), Mat::Chrome);
    b.Add(R(176, 100, 6, 4), Mat::Chrome);
    b.Add(RR(182, 46, 6, 62, 3), Mat::Chrome);
    b.Add(RR(30, 180, 140, 6, 2), Mat::Dark);
    for (double x : {44.0, 156.0}) {
        b.Add(R(x - 3, 184, 6, 4), Mat::Chrome);
        Wheel(b, x, 192, 8);
    }
    b.Add(RR(40, 36, 36, 6, 2), Mat::Red);
    return b.Done();
}

Figure Press(Builder b)
{
    const double bed = 118 + b.J(1) * 10;
    b.Add(RR(24, 16, 20, 176, 2), Mat::Navy);
    b.Add(RR(156, 16, 20, 176, 2), Mat::Navy);
    b.Add(RR(14, 10, 172, 34, 3), Mat::Navy);
    b.Add(R(14, 40, 172, 3), Mat::Red);
    b.Add(RR(6, 190, 64, 10, 2), Mat::Navy);
    b.Add(RR(130, 190, 64, 10, 2), Mat::Navy);
    for (int i = 0; i < 6; ++i) {
        b.Add(C(34, 60 + i * 22, 3), Mat::Dark);
        b.Add(C(166, 60 + i * 22, 3), Mat::Dark);
    }
    b.Add(RR(18, bed, 164, 14, 2), Mat::Steel);
    b.Add(RR(70, bed - 10, 24, 10, 1), Mat::Chrome);
    b.Add(RR(106, bed - 10, 24, 10, 1), Mat::Chrome);
    b.Add(RR(86, 44, 28, 40, 3), Mat::Chrome);
    b.Add(R(94, 84, 12, 18), Mat::Chrome);
    b.Add(RR(90, 100, 20, 6, 1), Mat::Dark);
    b.Add(C(150, 27, 12), Mat::Light);
    b.Add(Line({150, 27}, {156, 20}, 1.4), Mat::Red);
    b.Add(RR(176, 120, 20, 40, 3), Mat::Red);
    b.Add(Line({186, 120}, {198, 70}, 4), Mat::Chrome);
    return b.Done();
}

Figure Jack(Builder b)
{
    const double lift = b.J(1) * 8;
    b.Add(Line({50, 168}, {4, 80}, 6), Mat::Chrome);
    b.Add(RR(0, 70, 12, 22, 4), Mat::Dark);
    b.Add(Poly({{30, 160}, {176, 172}, {178, 186}, {26, 186}}), Mat::Red);
    b.Add(Poly({{70, 162}, {150, 120 - lift}, {160, 126 - lift}, {86, 172}}), Mat::Red);
    b.Add(RR(140, 112 - lift, 40, 10, 3), Mat::Dark);
    b.Add(R(150, 122 - lift, 20, 6), Mat::Chrome);
    b.Add(RR(60, 150, 44, 20, 4), Mat::Chrome);
    Wheel(b, 40, 188, 11);
    Wheel(b, 170, 190, 9);
    return b.Done();
}

Figure ToolCase(Builder b)
{
    b.Add(Poly({{14, 92}, {186, 92}, {176, 18}, {24, 18}}), Mat::Navy);
    b.Add(Poly({{22, 86}, {178, 86}, {170, 26}, {30, 26}}), Mat::Dark);
    b.Add(RR(8, 96, 184, 92, 6), Mat::Navy);
    b.Add(RR(14, 102, 172, 80, 4), Mat::Dark);
    const int n = 6 + (b.Pick(1) ? 2 : 0);
    for (int i = 0; i < n; ++i) {
        const double r = 6 + i * 0.9;
        const double x = 26 + i * (150.0 / n) + r;
        b.Add(C(x, 122, r), Mat::Chrome);
        b.Add(C(x, 122, r * 0.5), Mat::Dark);
    }
    b.Add(RR(24, 146, 110, 12, 6), Mat::Chrome);
    b.Add(RR(24, 164, 96, 10, 5), Mat::Chrome);
    b.Add(RR(142, 144, 36, 30, 3), Mat::Red);
    b.Add(RR(70, 188, 60, 8, 3), Mat::Dark);
    for (int i = 0; i < 3; ++i)
        b.Add(RR(50 + i * 34, 40, 24, 30, 3), Mat::Chrome);
    return b.Done();
}

Figure Crane(Builder b)
{
    const double reach = 176 + b.J(1) * 10;
    b.Add(RR(20, 180, 170, 10, 2), Mat::Navy);
    b.Add(RR(40, 40, 16, 142, 2), Mat::Navy);
    b.Add(Poly({{48, 36}, {reach, 52}, {reach, 64}, {48, 52}}), Mat::Navy);
    b.Add(R(50, 44, reach - 52, 2), Mat::Red);
    b.Add(Line({54, 140}, {110, 60}, 8), Mat::Chrome);
    b.Add(RR(50, 120, 12, 36, 2), Mat::Red);
    b.Add(Line({reach - 6, 64}, {reach - 6, 112}, 2.4), Mat::Dark);
    QPainterPath hook(QPointF(reach - 6, 112));
    hook.cubicTo(reach - 6, 126, reach + 8, 126, reach + 6, 114);
    b.Add(Stroke(hook, 3.4), Mat::Dark);
    for (double x : {28.0, 182.0})
        Wheel(b, x, 193, 7);
    return b.Done();
}

Figure ServiceUnit(Builder b)
{
    b.Add(RR(46, 28, 108, 156, 6), Mat::Light);
    b.Add(RR(46, 28, 12, 156, 4), Mat::Navy);
    b.Add(RR(142, 28, 12, 156, 4), Mat::Navy);
    b.Add(RR(60, 36, 80, 56, 3), Mat::Dark);
    b.Add(C(80, 54, 11), Mat::Light);
    b.Add(C(120, 54, 11), Mat::Light);
    b.Add(Line({80, 54}, {86, 47}, 1.2), Mat::Red);
    b.Add(Line({120, 54}, {113, 47}, 1.2), Mat::Navy);
    b.Add(RR(72, 72, 56, 14, 2), Mat::Screen);
    b.Add(RR(62, 100, 76, 4, 2), Mat::Steel);
    b.Add(RR(62, 110, 76, 60, 3), Mat::Steel);
    QPainterPath h1(QPointF(150, 60));
    h1.cubicTo(196, 70, 196, 150, 160, 150);
    b.Add(Stroke(h1, 4), Mat::Red);
    QPainterPath h2(QPointF(150, 70));
    h2.cubicTo(186, 84, 186, 140, 158, 136);
    b.Add(Stroke(h2, 4), Mat::Navy);
    b.Add(RR(46, 184, 108, 6, 2), Mat::Dark);
    Wheel(b, 60, 192, 8);
    Wheel(b, 140, 192, 8);
    return b.Done();
}

Figure Caliper(Builder b)
{
    b.Add(RR(4, 84, 192, 14, 2), Mat::Chrome);
    for (int i = 0; i < 36; ++i)
        b.Add(R(30 + i * 4.4, 84, 0.8, i % 5 ? 4 : 8), Mat::Line);
    b.Add(Poly({{4, 98}, {22, 98}, {22, 160}, {12, 170}, {4, 170}}), Mat::Chrome);
    b.Add(Poly({{6, 84}, {16, 84}, {16, 56}, {6, 62}}), Mat::Chrome);
    const double s = 70 + b.J(1) * 20;
    b.Add(RR(s, 76, 50, 30, 4), Mat::Dark);
    b.Add(RR(s + 6, 80, 30, 14, 2), Mat::Screen);
    b.Add(C(s + 42, 87, 4), Mat::Red);
    b.Add(Poly({{s, 106}, {s + 16, 106}, {s + 16, 160}, {s + 6, 170}, {s, 170}}), Mat::Chrome);
    b.Add(Poly({{s, 76}, {s + 10, 76}, {s + 10, 56}, {s, 62}}), Mat::Chrome);
    return b.Done();
}

Figure DialGauge(Builder b)
{
    b.Add(RR(40, 176, 120, 18, 3), Mat::Dark);
    b.Add(R(52, 40, 10, 138), Mat::Chrome);
    b.Add(RR(56, 52, 74, 10, 3), Mat::Chrome);
    b.Add(R(120, 62, 8, 30), Mat::Chrome);
    b.Add(C(124, 118, 30), Mat::Chrome);
    b.Add(C(124, 118, 25), Mat::Light);
    for (int i = 0; i < 20; ++i) {
        const double a = i * M_PI / 10;
        b.Add(Line({124 + 20 * std::cos(a), 118 + 20 * std::sin(a)}, {124 + 24 * std::cos(a), 118 + 24 * std::sin(a)}, 0.8),
              Mat::Line);
    }
    const double a = -1.2 + b.J(1);
    b.Add(Line({124, 118}, {124 + 20 * std::cos(a), 118 + 20 * std::sin(a)}, 1.5), Mat::Red);
    b.Add(R(122, 148, 4, 22), Mat::Chrome);
    b.Add(C(124, 172, 3), Mat::Dark);
    return b.Done();
}

Figure Bench(Builder b)
{
    b.Add(RR(10, 10, 180, 66, 2), Mat::Steel);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 16; ++c)
            b.Add(C(18 + c * 11, 18 + r * 12, 1.4), Mat::Dark);
    b.Add(Line({40, 30}, {40, 62}, 3), Mat::Chrome);
    b.Add(Line({60, 26}, {60, 60}, 3), Mat::Red);
    b.Add(Line({150, 28}, {170, 56}, 3.4), Mat::Chrome);
    b.Add(RR(4, 78, 192, 12, 2), Mat::Dark);
    b.Add(RR(12, 90, 64, 96, 2), Mat::Navy);
    for (int i = 0; i < 3; ++i) {
        b.Add(RR(16, 94 + i * 30, 56, 26, 2), Mat::Steel);
        b.Add(RR(34, 98 + i * 30, 20, 4, 2), Mat::Dark);
    }
    b.Add(R(176, 90, 10, 100), Mat::Navy);
    b.Add(R(80, 170, 100, 6), Mat::Navy);
    b.Add(RR(130, 62, 44, 16, 2), Mat::Navy);
    b.Add(RR(126, 56, 16, 8, 1), Mat::Chrome);
    b.Add(Line({174, 70}, {196, 70}, 3), Mat::Chrome);
    b.Add(RR(4, 186, 192, 6, 2), Mat::Dark);
    return b.Done();
}

Figure HoldingTool(Builder b)
{
    QPainterPath plate;
    plate.setFillRule(Qt::OddEvenFill);
    plate.addRoundedRect(16, 70, 168, 62, 14, 14);
    plate.addEllipse(QPointF(50, 101), 12, 12);
    plate.addEllipse(QPointF(150, 101), 12, 12);
    b.Add(plate, Mat::Navy);
    b.Add(Ring(50, 101, 12, 9), Mat::Chrome);
    b.Add(Ring(150, 101, 12, 9), Mat::Chrome);
    b.Add(RR(80, 84, 40, 34, 4), Mat::Steel);
    b.Add(R(84, 96, 32, 1.2), Mat::Line);
    const double pin = 40 + b.J(1) * 10;
    b.Add(RR(92, 132, 16, pin, 2), Mat::Chrome);
    b.Add(Poly({{92, 132 + pin}, {108, 132 + pin}, {100, 140 + pin}}), Mat::Chrome);
    b.Add(RR(90, 20, 20, 50, 3), Mat::Chrome);
    b.Add(RR(80, 8, 40, 16, 5), Mat::Red);
    for (int i = 0; i < 5; ++i)
        b.Add(R(84 + i * 7, 8, 2, 16), Mat::Dark);
    return b.Done();
}

Figure Wrench(Builder b)
{
    QPainterPath w;
    w.setFillRule(Qt::OddEvenFill);
    QPainterPath body = Line({40, 160}, {160, 40}, 18);
    QPainterPath ring;
    ring.addEllipse(QPointF(162, 38), 26, 26);
    QPainterPath jaw;
    jaw.addEllipse(QPointF(36, 164), 26, 26);
    QPainterPath all = body.united(ring).united(jaw);
    QPainterPath hole;
    hole.addEllipse(QPointF(162, 38), 14, 14);
    QPainterPath mouth = Poly({{36, 164}, {10, 176}, {4, 160}, {24, 146}});
    mouth.addEllipse(QPointF(36, 164), 12, 12);
    all = all.subtracted(hole).subtracted(mouth.simplified());
    b.Add(all, Mat::Chrome);
    b.Add(Line({78, 122}, {122, 78}, 5), Mat::Steel);
    if (b.Pick(1))
        b.Add(RR(130, 150, 50, 34, 4), Mat::Red);
    return b.Done();
}

Figure Socket(Builder b)
{
    const double r = 34 + b.J(1) * 6;
    b.Add(RR(100 - r, 60, 2 * r, 110, 8), Mat::Chrome);
    b.Add(E(100, 60, r, r * 0.34), Mat::Steel);
    QPainterPath hex;
    for (int i = 0; i < 6; ++i) {
        const double a = i * M_PI / 3;
        const QPointF q(100 + r * 0.62 * std::cos(a), 60 + r * 0.2 * std::sin(a));
        if (i == 0)
            hex.moveTo(q);
        else
            hex.lineTo(q);
    }
    hex.closeSubpath();
    b.Add(hex, Mat::Dark);
    b.Add(R(100 - r, 118, 2 * r, 12), Mat::Steel);
    b.Add(R(100 - r, 122, 2 * r, 1.2), Mat::Line);
    b.Add(E(100, 170, r, r * 0.34), Mat::Chrome);
    b.Add(RR(20, 178, 70, 14, 6), Mat::Navy);
    b.Add(RR(132, 150, 40, 34, 4), Mat::Chrome);
    b.Add(R(142, 144, 20, 8), Mat::Dark);
    return b.Done();
}

Figure Car(Builder b)
{
    QPainterPath body;
    body.moveTo(8, 150);
    body.cubicTo(8, 128, 20, 122, 44, 118);
    body.lineTo(70, 96);
    body.cubicTo(90, 84, 130, 84, 146, 96);
    body.lineTo(170, 116);
    body.cubicTo(188, 120, 196, 128, 196, 150);
    body.lineTo(196, 162);
    body.lineTo(8, 162);
    body.closeSubpath();
    b.Add(body, Mat::Steel);
    b.Add(Poly({{76, 100}, {104, 92}, {104, 116}, {56, 118}}), Mat::Screen);
    b.Add(Poly({{110, 92}, {140, 98}, {160, 116}, {110, 116}}), Mat::Screen);
    b.Add(R(20, 134, 170, 2), Mat::Line);
    b.Add(RR(180, 128, 14, 6, 2), Mat::Light);
    b.Add(RR(8, 130, 10, 6, 2), Mat::Red);
    Wheel(b, 50, 160, 20);
    Wheel(b, 156, 160, 20);
    return b.Done();
}

Figure Compressor(Builder b)
{
    const double len = 150 + b.J(1) * 12;
    const double x0 = 100 - len / 2;
    b.Add(RR(x0, 120, len, 56, 28), Mat::Red);
    b.Add(R(x0 + 30, 122, 2, 52), Mat::Line);
    b.Add(R(x0 + len - 32, 122, 2, 52), Mat::Line);
    b.Add(RR(x0 + 34, 84, 54, 36, 3), Mat::Navy);
    for (int i = 0; i < 5; ++i)
        b.Add(R(x0 + 40 + i * 9, 88, 4, 28), Mat::Dark);
    b.Add(RR(x0 + 96, 92, 36, 28, 3), Mat::Dark);
    b.Add(C(x0 + 114, 106, 9), Mat::Chrome);
    b.Add(RR(x0 + 92, 76, 14, 16, 2), Mat::Chrome);
    b.Add(C(x0 + len - 30, 104, 10), Mat::Light);
    b.Add(Line({x0 + len - 30, 104}, {x0 + len - 25, 98}, 1.2), Mat::Red);
    b.Add(R(x0 + len - 32, 114, 4, 8), Mat::Chrome);
    b.Add(Line({x0 + len - 4, 150}, {x0 + len + 14, 110}, 4), Mat::Chrome);
    Wheel(b, x0 + 26, 186, 13);
    b.Add(RR(x0 + len - 40, 174, 10, 26, 2), Mat::Dark);
    return b.Done();
}

} // namespace

Figure BuildFigure(Kind kind, std::uint32_t variant)
{
    switch (kind) {
    case Kind::Lift: return Lift(Builder(kind, variant, 3400));
    case Kind::Balancer: return Balancer(Builder(kind, variant, 1300));
    case Kind::TyreChanger: return TyreChanger(Builder(kind, variant, 1100));
    case Kind::TorqueWrench: return TorqueWrench(Builder(kind, variant, 520));
    case Kind::Puller: return Puller(Builder(kind, variant, 250));
    case Kind::Tester: return Tester(Builder(kind, variant, 160));
    case Kind::Analyzer: return Analyzer(Builder(kind, variant, 680));
    case Kind::Trolley: return Trolley(Builder(kind, variant, 780));
    case Kind::Press: return Press(Builder(kind, variant, 1050));
    case Kind::Jack: return Jack(Builder(kind, variant, 1350));
    case Kind::ToolCase: return ToolCase(Builder(kind, variant, 460));
    case Kind::Crane: return Crane(Builder(kind, variant, 1650));
    case Kind::ServiceUnit: return ServiceUnit(Builder(kind, variant, 640));
    case Kind::Caliper: return Caliper(Builder(kind, variant, 230));
    case Kind::DialGauge: return DialGauge(Builder(kind, variant, 180));
    case Kind::Bench: return Bench(Builder(kind, variant, 2000));
    case Kind::Wrench: return Wrench(Builder(kind, variant, 310));
    case Kind::Socket: return Socket(Builder(kind, variant, 90));
    case Kind::Car: return Car(Builder(kind, variant, 4600));
    case Kind::Compressor: return Compressor(Builder(kind, variant, 1500));
    case Kind::HoldingTool:
    case Kind::Count: break;
    }
    return HoldingTool(Builder(Kind::HoldingTool, variant, 210));
}

} // namespace gen
