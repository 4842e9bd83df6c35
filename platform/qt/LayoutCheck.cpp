#include "LayoutCheck.h"

#include "OwnerDraw.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <algorithm>
#include <set>

namespace qx {

namespace {

std::vector<LayoutRecorder::Drawn>* g_drawn = nullptr;
// The row an owner-drawn list is drawing, in its viewport's coordinates.
const QRect* g_cell = nullptr;

// Glyph edges are fractional; a text is only wrong when it misses by more
// than this, in pixels.
constexpr double kSlack = 0.5;

struct Text {
    const QWidget* widget = nullptr;
    QString text;
    QRectF ink;  // window coordinates
    QRectF room; // window coordinates
    bool hidden = false;
    bool cut = false;
};

bool Exceeds(const QRectF& ink, const QRectF& room) {
    return ink.left() < room.left() - kSlack || ink.top() < room.top() - kSlack ||
           ink.right() > room.right() + kSlack || ink.bottom() > room.bottom() + kSlack;
}

bool Meets(const QRectF& a, const QRectF& b) {
    const QRectF both = a & b;
    return both.width() > kSlack && both.height() > kSlack;
}

// The rows of a scrolling list lie partly outside its viewport by design:
// the viewport cuts them only at its sides.
bool Scrolls(const QWidget* w) {
    const auto* area =
        w->parentWidget() ? qobject_cast<const QAbstractScrollArea*>(w->parentWidget()) : nullptr;
    return area && area->viewport() == w;
}

// The widget's rectangle in the window, cut by every ancestor on the way.
QRectF VisibleRect(const QWidget* w, const QWidget& window) {
    if (w == &window)
        return QRectF(window.rect());
    QRectF r(QPointF(w->mapTo(&window, QPoint(0, 0))), QSizeF(w->size()));
    for (const QWidget* a = w->parentWidget(); a && a != &window; a = a->parentWidget())
        r &= QRectF(QPointF(a->mapTo(&window, QPoint(0, 0))), QSizeF(a->size()));
    return r & QRectF(window.rect());
}

// Whether x is painted after (over) w: a child of w, or a later sibling of
// w or of one of its ancestors.
bool Above(const QWidget* x, const QWidget* w) {
    if (w->isAncestorOf(x))
        return true;
    for (const QWidget* xb = x; xb->parentWidget(); xb = xb->parentWidget()) {
        const QWidget* common = xb->parentWidget(); // never w: w is no ancestor of x
        if (!common->isAncestorOf(w))
            continue;
        const QWidget* wb = w;
        while (wb->parentWidget() != common)
            wb = wb->parentWidget();
        const QObjectList& order = common->children();
        return order.indexOf(const_cast<QWidget*>(xb)) > order.indexOf(const_cast<QWidget*>(wb));
    }
    return false;
}

QString Caption(QString s) {
    // "&&" shows "&", a single "&" marks the mnemonic.
    s.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    s.remove(QLatin1Char('&'));
    s.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return s;
}

// A text of a plain control: a box of its measured size placed by alignment
// in the room.
Text ControlText(const QWidget* w, const QString& text, const QFont& font, Qt::Alignment align,
                 const QRectF& room, const QWidget& window) {
    const QFontMetricsF m(font);
    const QStringList lines = text.split(QLatin1Char('\n'));
    double width = 0;
    for (const QString& line : lines)
        width = std::max(width, m.horizontalAdvance(line));
    const double height = lines.size() == 1 ? m.ascent() + m.descent() : m.lineSpacing() * lines.size();
    double x = room.left();
    if (align & Qt::AlignHCenter)
        x = room.center().x() - width / 2;
    else if (align & Qt::AlignRight)
        x = room.right() - width;
    double y = room.top();
    if (align & Qt::AlignVCenter)
        y = room.center().y() - height / 2;
    else if (align & Qt::AlignBottom)
        y = room.bottom() - height;
    const QPointF at(w->mapTo(&window, QPoint(0, 0)));
    Text t;
    t.widget = w;
    t.text = text;
    t.text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    t.ink = QRectF(x, y, width, height).translated(at);
    t.room = room.translated(at);
    return t;
}

// The texts Qt's own controls draw: statics, push buttons, combo boxes and
// the rows of lists that are not owner-drawn.
void AddControlTexts(QWidget& window, std::vector<Text>& out) {
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window))
            continue;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (!label->text().trimmed().isEmpty())
                out.push_back(ControlText(label, label->text(), label->font(), label->alignment(),
                                          QRectF(label->contentsRect()), window));
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            // The room FitCaption gives a caption before it shrinks the font.
            const QString caption = Caption(button->text());
            if (!caption.trimmed().isEmpty())
                out.push_back(ControlText(button, caption, button->font(), Qt::AlignCenter,
                                          QRectF(button->rect()).adjusted(5, 0, -5, 0), window));
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            option.editable = combo->isEditable();
            option.frame = combo->hasFrame();
            const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                               QStyle::SC_ComboBoxEditField, combo);
            if (!combo->currentText().isEmpty())
                out.push_back(ControlText(combo, combo->currentText(), combo->font(),
                                          Qt::AlignLeft | Qt::AlignVCenter, QRectF(field), window));
        } else if (auto* list = qobject_cast<QListWidget*>(w)) {
            if (dynamic_cast<OwnerDrawDelegate*>(list->itemDelegate()))
                continue;
            QWidget* viewport = list->viewport();
            const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
            for (int i = 0; i < list->count(); ++i) {
                const QRect row = list->visualItemRect(list->item(i));
                if (!row.intersects(viewport->rect()))
                    continue;
                out.push_back(ControlText(viewport, list->item(i)->text(), list->font(),
                                          Qt::AlignLeft | Qt::AlignVCenter,
                                          QRectF(row).adjusted(margin, 0, -margin, 0), window));
            }
        }
    }
}

} // namespace

LayoutRecorder::LayoutRecorder() {
    g_drawn = &drawn_;
}

LayoutRecorder::~LayoutRecorder() {
    if (g_drawn == &drawn_)
        g_drawn = nullptr;
}

LayoutCell::LayoutCell(const QRect& cell) : previous_(g_cell) {
    g_cell = &cell;
}

LayoutCell::~LayoutCell() {
    g_cell = previous_;
}

bool RecordingLayout() {
    return g_drawn != nullptr;
}

void RecordDrawnText(QPainter& painter, const QString& text, const QRectF& ink) {
    if (!g_drawn || text.trimmed().isEmpty())
        return;
    auto* widget = dynamic_cast<QWidget*>(painter.device());
    if (!widget)
        return;
    // A list row may reach past its viewport (the list scrolls); the row
    // itself is its room then, and the viewport only cuts it at the sides.
    QRectF room = g_cell ? QRectF(*g_cell) : QRectF(widget->rect());
    if (painter.hasClipping())
        room &= painter.clipBoundingRect();
    g_drawn->push_back(LayoutRecorder::Drawn{widget, text, ink, room});
}

std::vector<std::string> LayoutRecorder::Problems(QWidget& window) {
    std::vector<Text> texts;
    for (const Drawn& d : drawn_) {
        const QWidget* w = d.widget.data();
        if (!w || (w != &window && !window.isAncestorOf(w)) || !w->isVisibleTo(&window))
            continue;
        const QPointF at(w->mapTo(&window, QPoint(0, 0)));
        Text t;
        t.widget = w;
        t.text = d.text;
        t.ink = d.ink.translated(at);
        const QRectF visible = VisibleRect(w, window);
        t.room = d.room.translated(at);
        if (Scrolls(w)) {
            t.room.setLeft(std::max(t.room.left(), visible.left()));
            t.room.setRight(std::min(t.room.right(), visible.right()));
        } else {
            t.room &= visible;
        }
        texts.push_back(t);
    }
    drawn_.clear();
    AddControlTexts(window, texts);

    // Controls lying over a text hide it, or cut it where they cover part of it.
    std::vector<const QWidget*> covers;
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (w->isVisibleTo(&window) && dynamic_cast<const DialogWindow*>(w->parentWidget()) &&
            !w->testAttribute(Qt::WA_TranslucentBackground))
            covers.push_back(w);
    }
    for (Text& t : texts) {
        for (const QWidget* c : covers) {
            if (c == t.widget || c->isAncestorOf(t.widget) || !Above(c, t.widget))
                continue;
            const QRectF over = VisibleRect(c, window);
            if (over.contains(t.ink)) {
                t.hidden = true;
                break;
            }
            if (Meets(over, t.ink))
                t.cut = true;
        }
    }

    std::vector<std::string> lines;
    std::set<std::string> seen;
    auto report = [&](const std::string& line) {
        if (seen.insert(line).second)
            lines.push_back(line);
    };
    auto quoted = [](const QString& s) { return "\"" + s.toStdString() + "\""; };
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const Text& a = texts[i];
        if (a.hidden)
            continue;
        if (a.cut || Exceeds(a.ink, a.room))
            report(quoted(a.text) + " is cut");
        for (std::size_t j = i + 1; j < texts.size(); ++j) {
            const Text& b = texts[j];
            // A text drawn twice on the same spot (a shadow, a repaint) is one text.
            if (b.hidden || (a.widget == b.widget && a.text == b.text))
                continue;
            if (Meets(a.ink & a.room, b.ink & b.room))
                report(quoted(a.text) + " overlaps " + quoted(b.text));
        }
    }
    return lines;
}

} // namespace qx
