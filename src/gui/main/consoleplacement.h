#pragma once

#include <QMargins>
#include <QRect>

namespace meridan {

// Where a console window goes: in the free part of the screen beside the
// main window (right, left, below, above), so that no control of the main
// window is hidden; further consoles a little lower. Where none of these
// parts holds the console whole, it is shrunk to fit the largest. Rects are
// frame geometries; decoration is the window manager's frame around a
// window. Returns the console's frame geometry.
QRect consolePlace(const QRect& screen, const QRect& mainWindow, const QSize& consoleFrame,
                   int consolesBefore);

} // namespace meridan
