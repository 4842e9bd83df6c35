#pragma once
// Vector illustrations of workshop equipment and special tools. A figure is
// a list of filled paths with a material; the same figure is rendered as a
// shaded product picture or as a technical line drawing.

#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <cstdint>
#include <vector>

namespace gen {

enum class Mat { Navy, Steel, Chrome, Dark, Rubber, Red, Screen, Light, Line };

struct Part {
    QPainterPath path;
    Mat mat;
};

enum class Kind {
    Lift, Balancer, TyreChanger, TorqueWrench, Puller, Tester, Analyzer, Trolley, Press, Jack, ToolCase, Crane,
    ServiceUnit, Caliper, DialGauge, Bench, HoldingTool, Wrench, Socket, Car, Compressor, Count
};

struct Figure {
    Kind kind = Kind::HoldingTool;
    std::vector<Part> parts;
    double realWidthMm = 500;  // the figure's width in the dimension drawing
    QRectF Bounds() const;
};

// The kind that fits a product or group text (German, English, French and
// Czech words); the hash picks one when no word matches.
Kind Classify(const QString& text, std::uint32_t hash, bool* matched = nullptr);
Figure BuildFigure(Kind kind, std::uint32_t variant);

enum class Look { Shaded, Lines, Duotone };
// Fits the figure into the box (aspect kept) and draws it, with a floor
// shadow in the shaded look.
void RenderFigure(QPainter& p, const Figure& f, const QRectF& box, Look look = Look::Shaded,
                  const QColor& tone = QColor(), Qt::Alignment align = Qt::AlignCenter);
// Mapping used by RenderFigure: figure units to the box.
QTransform FitTransform(const QRectF& bounds, const QRectF& box, Qt::Alignment align = Qt::AlignCenter);

QString KindName(Kind kind);
// Long, flat tools look better lying at an angle in a product shot.
Figure Tilted(Figure f, double degrees);

} // namespace gen
