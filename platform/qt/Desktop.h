#pragma once
// The desktop the program starts on: its size (which chooses the screen
// mode), its colour depth, and the two cursors the pages use.

#include "platform/core/Geometry.h"

#include <QCursor>

namespace qx {

// (0, 0, width, height) of the primary screen's available area; with an
// override of width N (command line --desktop-width N): (0, 0, N, N * 3 / 4).
Rect DesktopRect();
// 0 removes the override.
void SetDesktopWidthOverride(int width);

// Bits per pixel of the primary screen (24 when there is none).
int ScreenColorDepth();

// Asks for the keyboard for a dialog once its loop runs: without a window
// manager nobody else hands it over.
void ActivateWhenShown(QWidget* dialog);

QCursor HandCursor();
QCursor ArrowCursor();

} // namespace qx
