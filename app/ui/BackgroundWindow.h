#pragma once
// On desktops wider than 1024 pixels: a window covering the desktop behind the
// main window, showing QXBACK.BMP. It takes no input; when it becomes active
// it brings the main window to the top.

#include "catalog/Picture.h"

#include <QWidget>

namespace qx {

struct GlobalState;

class BackgroundWindow : public QWidget {
public:
    BackgroundWindow(const GlobalState& state, QWidget* mainWindow);
    void SetMainWindow(QWidget* mainWindow) { main_ = mainWindow; }
    bool HasPicture() const { return !picture_.IsNull(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    DibHandle picture_;
    QWidget* main_;
};

} // namespace qx
