// A private X server with a window manager, and the outside view of it that a person has: which windows
// are mapped where, the pixels on the screen, and synthetic keyboard and mouse input through XTest.
#pragma once

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

using XDisplay = struct _XDisplay;
using XWindowId = unsigned long;

namespace kvizaro::desktop {

// How one desktop is put together: the window manager's command, an optional compositing manager, and
// the screen.
struct DesktopSetup {
    QStringList windowManager;
    QStringList compositor; // empty: none
    QSize screen{1024, 768};
};

class XSession {
public:
    XSession() = default;
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Starts the server and the managers; returns an error text, empty on success.
    QString start(const DesktopSetup& setup, const QString& scratch);
    QString displayName() const { return QStringLiteral(":%1").arg(number_); }
    QSize screen() const { return screen_; }

    // Waits, polling the server, until `condition` holds or `timeoutMs` pass.
    bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 8000);

    // The viewable client window titled `title` (of the process `pid`, or of any process with 0).
    std::optional<XWindowId> viewableWindow(const QString& title, qint64 pid = 0);
    // Client windows titled `title` in any state, with the process that owns each.
    QList<std::pair<XWindowId, qint64>> windowsTitled(const QString& title);
    QRect clientRect(XWindowId window);
    QRect frameRect(XWindowId window); // client plus the manager's frame extents
    bool isIconic(XWindowId window);
    bool isShown(XWindowId window); // the manager keeps it in its normal state
    bool hasIcon(XWindowId window); // _NET_WM_ICON holds a picture
    QStringList atomNames(XWindowId window, const char* property);
    // Keys typed now go to `window`: it or a window inside it has the server's input focus.
    bool hasKeyFocus(XWindowId window);

    // What the window manager has made of the windows: each managed window with its title, state, place
    // and frame, and which one has the keys; for the log of a failure.
    QString describeWindows();

    QImage grab(const QRect& area);
    QColor pixel(QPoint at) { return grab(QRect(at, QSize(1, 1))).pixelColor(0, 0); }

    void key(const char* keySymbol);
    void type(const QString& ascii);
    void moveMouse(QPoint to);
    void click(QPoint at);
    void askToClose(XWindowId window);  // the manager's close command, as a taskbar or Alt+F4 gives it
    void minimise(XWindowId window);    // as a taskbar asks it, whatever the window's hints
    void wheel(QPoint at, int notches); // positive: down

private:
    QString waitForManager(const QString& what);
    void sync();

    QProcess server_;
    QProcess manager_;
    QProcess compositor_;
    XDisplay* display_ = nullptr;
    int number_ = -1;
    QSize screen_;
};

} // namespace kvizaro::desktop
