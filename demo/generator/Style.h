#pragma once
// The corporate look of the demo catalogue: colours, fonts, the brand mark
// and the recurring drawing elements (bands, panels, icons).

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>

namespace gen::style {

inline const QColor kNavy{0x13, 0x31, 0x5C};
inline const QColor kNavyDark{0x0A, 0x1C, 0x36};
inline const QColor kNavyLight{0x2C, 0x55, 0x8C};
inline const QColor kSteel{0x46, 0x63, 0x8A};
inline const QColor kSteelDark{0x2E, 0x48, 0x6C};
inline const QColor kSilver{0xC5, 0xCC, 0xD6};
inline const QColor kSilverLight{0xE9, 0xED, 0xF2};
inline const QColor kPaper{0xF6, 0xF7, 0xF9};
inline const QColor kRed{0xC4, 0x12, 0x30};
inline const QColor kInk{0x1B, 0x25, 0x33};
inline const QColor kMuted{0x5C, 0x68, 0x78};

QFont Font(double px, bool bold = false, bool italic = false);
QImage NewImage(int w, int h, const QColor& fill = Qt::white);
void Begin(QPainter& p, QImage& image);  // antialiased painter

// The brand emblem (a ring with a red stroke) in a square.
void DrawEmblem(QPainter& p, const QRectF& square, bool onDark);
// "QUARVENTA" with a smaller "AG", fitted into the rectangle.
void DrawWordmark(QPainter& p, const QRectF& r, bool onDark, Qt::Alignment align = Qt::AlignLeft);
// Emblem above the wordmark, centred in the rectangle.
void DrawLogoStacked(QPainter& p, const QRectF& r, bool onDark);
// Emblem left of the wordmark.
void DrawLogoWide(QPainter& p, const QRectF& r, bool onDark);

void FillHeaderBand(QPainter& p, const QRectF& r);
void FillBody(QPainter& p, const QRectF& r);
void FillSteelBand(QPainter& p, const QRectF& r);
void DropShadow(QPainter& p, const QRectF& r, double radius, double spread, int alpha = 60);
void SilverPanel(QPainter& p, const QRectF& r, double radius);
void WhitePanel(QPainter& p, const QRectF& r, double radius);
void Rule(QPainter& p, QPointF a, QPointF b, const QColor& c, double width = 1.0);

enum class Icon { Folder, Document, Play, List, Search, Cart, Back, Info, Grid, Program, Sheet, Catalog };
void DrawIcon(QPainter& p, const QRectF& r, Icon icon, const QColor& fg, const QColor& accent);

// Text that shrinks until it fits the rectangle (word-wrapped).
void FitText(QPainter& p, const QRectF& r, const QString& text, double px, bool bold, const QColor& c,
             Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter, double minPx = 7.0);

} // namespace gen::style
