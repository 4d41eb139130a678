// The frame a window manager puts around a window, known before the window is first shown.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QSize>

class QWidget;

namespace kvizaro {

// The widths of the frame and title bar around `window`. Qt learns them only once the window is mapped, which
// is too late for a window placed and sized by its outer size: its first showing would appear at the wrong
// size and then jump. Before that, the window manager is asked for them (_NET_REQUEST_FRAME_EXTENTS), which
// it answers for a window that is not yet mapped. Without X11, or from a manager that does not answer, none.
QMargins frameMargins(QWidget* window);

// Puts the frame's outer corner at `frameOrigin`, with the client area `clientSize`. QWidget::move counts
// the frame only once Qt knows it, so a window never shown before would land a frame's width off.
void placeFrame(QWidget* window, QPoint frameOrigin, QSize clientSize);

} // namespace kvizaro
