#pragma once
// The layout check for catalogue authors: which texts of a window overlap
// each other, and which are cut by their control, their cell or the page.
//
// While a LayoutRecorder lives, every text a QtDc draws on a widget is
// recorded with the box its glyphs cover and the room it may use (the
// widget, and the clip of a clipped text or of a list row). Problems() adds
// the captions Qt's own controls show (statics, push buttons, plain list
// rows, combo boxes) and compares everything visible in the window.

#include <QPointer>
#include <QRect>
#include <QRectF>
#include <QString>

#include <string>
#include <vector>

class QPainter;
class QWidget;

namespace qx {

class LayoutRecorder {
public:
    // Recording starts; one recorder at a time.
    LayoutRecorder();
    ~LayoutRecorder();
    LayoutRecorder(const LayoutRecorder&) = delete;
    LayoutRecorder& operator=(const LayoutRecorder&) = delete;

    // What is wrong with the texts drawn into window since the last call,
    // one line each: "TEXT" overlaps "OTHER" or "TEXT" is cut. The recording
    // starts afresh.
    std::vector<std::string> Problems(QWidget& window);
    // Forgets what was drawn so far.
    void Clear() { drawn_.clear(); }

    struct Drawn {
        QPointer<QWidget> widget;
        QString text;
        QRectF ink;  // widget coordinates
        QRectF room; // widget coordinates; the widget's own rectangle when nothing clips
    };

private:
    std::vector<Drawn> drawn_;
};

// For the owner-drawn lists: while it lives, texts drawn belong to the row
// cell (viewport coordinates) and may not leave it.
class LayoutCell {
public:
    explicit LayoutCell(const QRect& cell);
    ~LayoutCell();
    LayoutCell(const LayoutCell&) = delete;
    LayoutCell& operator=(const LayoutCell&) = delete;

private:
    const QRect* previous_;
};

// For QtDc: a text drawn with the painter, its glyphs covering ink (painter
// coordinates without world transform). Does nothing while no recorder lives
// or when the painter does not paint on a widget.
void RecordDrawnText(QPainter& painter, const QString& text, const QRectF& ink);
// Whether a recorder lives, so drawing measures its glyphs only then.
bool RecordingLayout();

} // namespace qx
