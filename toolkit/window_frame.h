// The frame a window manager puts around a window, known before the window is first shown.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QSize>

class QWidget;

namespace kvizaro {

// Asks the window manager for the frame it would put around `window` (_NET_REQUEST_FRAME_EXTENTS, which it
// answers for a window not yet mapped) and returns at once: the answer is read when the window is placed.
// Called for the windows that place themselves by their outer size, well before they are first shown.
void requestFrameExtents(QWidget* window);

// The widths of the frame and title bar around `window`, without waiting for anything: Qt's own once the
// window has been mapped, before that the manager's answer to requestFrameExtents, else the frame of an
// earlier window of the same kind. Qt learns the frame only at the first mapping, too late for a window
// placed and sized by its outer size, which would appear at the wrong size and then jump. Without X11, or
// before a manager has framed anything, none: the window is placed by its client area.
QMargins frameMargins(QWidget* window);

// Puts the frame's outer corner at `frameOrigin`, with the client area `clientSize`. QWidget::move counts
// the frame only once Qt knows it, so a window never shown before would land a frame's width off.
void placeFrame(QWidget* window, QPoint frameOrigin, QSize clientSize);

// A title bar and a close command only: no minimise or maximise button and no such action under the window
// managers in use. Qt asks for that by the MWM functions alone, which Openbox ignores for both: there a
// fixed size (the caller's) takes maximising away, and minimising, which Openbox keeps for every window
// type but menus and toolbars, goes by typing the window a toolbar. The decorations hint is sent as well,
// for the managers that read it. Called once, after the window's flags are set.
void keepTitleBarOnly(QWidget* window);

} // namespace kvizaro
