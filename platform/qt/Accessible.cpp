// What screen readers see of the window layer. Qt describes its own widgets;
// pages and owner-drawn buttons need a word more, since their text is drawn.

#include "OwnerDraw.h"
#include "QtText.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace qx {

namespace {

// A page is a pane named by its caption (it has no title bar to show it);
// a dialog keeps the dialog role.
class WindowAccessible : public QAccessibleWidget {
public:
    explicit WindowAccessible(DialogWindow* window)
        : QAccessibleWidget(window, window->IsPage() ? QAccessible::Pane : QAccessible::Dialog) {}

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        QString name = widget()->accessibleName();
        if (name.isEmpty())
            name = widget()->windowTitle();
        return name.simplified(); // titles drawn on two lines are read as one
    }
};

// An owner-drawn button: a button to the reader, named by its name, else by
// its caption (shown as it is, "&" included), else by its tooltip.
class PictureButtonAccessible : public QAccessibleWidget {
public:
    explicit PictureButtonAccessible(OwnerDrawButtonWidget* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        switch (t) {
        case QAccessible::Name: {
            QString name = Button().accessibleName();
            if (name.isEmpty())
                name = Button().text();
            if (name.isEmpty())
                name = ToolTip();
            return name.simplified();
        }
        case QAccessible::Description: {
            // The tooltip says more than the caption; never the name twice.
            const QString tip = ToolTip();
            return tip == text(QAccessible::Name) ? QString() : tip;
        }
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.pressed = Button().isDown();
        return s;
    }

    QStringList actionNames() const override { return QStringList(pressAction()) + QAccessibleWidget::actionNames(); }

    void doAction(const QString& action) override {
        if (action == pressAction()) {
            if (Button().isEnabled())
                Button().click();
            return;
        }
        QAccessibleWidget::doAction(action);
    }

private:
    OwnerDrawButtonWidget& Button() const { return *static_cast<OwnerDrawButtonWidget*>(widget()); }
    QString ToolTip() const { return FromAnsi(Button().Owner().ItemToolTip(Button().Id())).simplified(); }
};

// Our classes carry no meta-object of their own, so they are told apart by
// type, not by class name.
QAccessibleInterface* Factory(const QString&, QObject* object) {
    if (auto* button = dynamic_cast<OwnerDrawButtonWidget*>(object))
        return new PictureButtonAccessible(button);
    if (auto* window = dynamic_cast<DialogWindow*>(object))
        return new WindowAccessible(window);
    return nullptr;
}

} // namespace

void InstallAccessibility() { QAccessible::installFactory(Factory); }

} // namespace qx
