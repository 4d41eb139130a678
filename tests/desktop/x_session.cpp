#include "x_session.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QProcessEnvironment>
#include <QThread>

#include <csignal>
#include <cstdlib>

#include <unistd.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace kvizaro::desktop {

namespace {

constexpr int PollMs = 15;

// Windows come and go while they are looked at; a request about one that just went is no failure.
int ignoreErrors(XDisplay*, XErrorEvent*) {
    return 0;
}

QProcessEnvironment environmentFor(const QString& display, const QString& scratch) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    // Managers read their settings from the home folder: an empty one gives every run the defaults.
    environment.insert(QStringLiteral("HOME"), scratch);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), scratch + QStringLiteral("/config"));
    return environment;
}

QString startTool(QProcess& process, const QStringList& command, const QProcessEnvironment& environment) {
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // A group of its own, ended as a whole: a manager started through dbus-run-session leaves its bus and
    // the services the bus started behind when only the tool it ran is ended.
    process.setChildProcessModifier([] { ::setsid(); });
    process.start(command.first(), command.mid(1));
    if (!process.waitForStarted(5000)) {
        return QStringLiteral("cannot start %1: %2 (is it installed?)")
            .arg(command.first(), process.errorString());
    }
    return {};
}

void stop(QProcess& process) {
    if (process.state() == QProcess::NotRunning) {
        return;
    }
    // The tools started in a group of their own are ended with their group.
    const auto group = pid_t(process.processId());
    process.terminate();
    ::kill(-group, SIGTERM);
    if (!process.waitForFinished(2000)) {
        process.kill();
        process.waitForFinished(2000);
    }
    ::kill(-group, SIGKILL); // whatever the group's leader left behind
}

} // namespace

XSession::~XSession() {
    if (display_ != nullptr) {
        XCloseDisplay(display_);
    }
    stop(compositor_);
    stop(manager_);
    stop(server_);
}

QString XSession::start(const DesktopSetup& setup, const QString& scratch) {
    screen_ = setup.screen;
    QDir(scratch).mkpath(QStringLiteral("config"));
    // The server picks a free display itself and writes its number to standard output.
    const QString screen = QStringLiteral("%1x%2x24").arg(screen_.width()).arg(screen_.height());
    server_.setProcessChannelMode(QProcess::SeparateChannels);
    server_.start(QStringLiteral("Xvfb"),
                  {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                   QStringLiteral("0"), screen, QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!server_.waitForStarted(5000)) {
        return QStringLiteral("cannot start Xvfb: %1 (is it installed?)").arg(server_.errorString());
    }
    QDeadlineTimer deadline(10000);
    while (!server_.canReadLine() && !deadline.hasExpired()) {
        server_.waitForReadyRead(100);
    }
    bool ok = false;
    number_ = server_.readLine().trimmed().toInt(&ok);
    if (!ok) {
        return QStringLiteral("Xvfb gave no display number");
    }
    XSetErrorHandler(ignoreErrors);
    display_ = XOpenDisplay(displayName().toLatin1().constData());
    if (display_ == nullptr) {
        return QStringLiteral("cannot open %1").arg(displayName());
    }
    const QProcessEnvironment environment = environmentFor(displayName(), scratch);
    QString error = startTool(manager_, setup.windowManager, environment);
    if (error.isEmpty()) {
        error = waitForManager(QStringLiteral("_NET_SUPPORTING_WM_CHECK"));
    }
    if (error.isEmpty() && !setup.compositor.isEmpty()) {
        error = startTool(compositor_, setup.compositor, environment);
        if (error.isEmpty()) {
            error = waitForManager(QStringLiteral("_NET_WM_CM_S0"));
        }
    }
    return error;
}

// A window manager announces itself on the root window, a compositing manager by owning its selection.
QString XSession::waitForManager(const QString& what) {
    const Atom atom = XInternAtom(display_, what.toLatin1().constData(), False);
    const bool isSelection = what.startsWith(QStringLiteral("_NET_WM_CM"));
    const bool up = waitUntil([&] {
        if (isSelection) {
            return XGetSelectionOwner(display_, atom) != None;
        }
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long rest = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(display_, DefaultRootWindow(display_), atom, 0, 1, False, XA_WINDOW, &type,
                           &format, &count, &rest, &data);
        const bool found = data != nullptr && count == 1;
        XFree(data);
        return found;
    });
    return up ? QString() : QStringLiteral("no manager announced %1").arg(what);
}

void XSession::sync() {
    XSync(display_, False);
}

bool XSession::waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        sync();
        if (condition()) {
            return true;
        }
        if (deadline.hasExpired()) {
            return false;
        }
        QThread::msleep(PollMs);
    }
}

namespace {

std::optional<long> cardinal(XDisplay* display, XWindowId window, const char* name, int index = 0) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long rest = 0;
    unsigned char* data = nullptr;
    const Atom atom = XInternAtom(display, name, False);
    if (XGetWindowProperty(display, window, atom, 0, 8, False, AnyPropertyType, &type, &format, &count, &rest,
                           &data) != Success ||
        data == nullptr) {
        return std::nullopt;
    }
    std::optional<long> value;
    if (format == 32 && index < int(count)) {
        value = reinterpret_cast<long*>(data)[index];
    }
    XFree(data);
    return value;
}

QString title(XDisplay* display, XWindowId window) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long rest = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), 0, 256, False,
                       XInternAtom(display, "UTF8_STRING", False), &type, &format, &count, &rest, &data);
    const QString text =
        data != nullptr ? QString::fromUtf8(reinterpret_cast<char*>(data), int(count)) : QString();
    XFree(data);
    return text;
}

// Managed client windows (those the manager gave a WM_STATE) under `parent`, depth first.
void collectClients(XDisplay* display, XWindowId parent, QList<XWindowId>& clients) {
    Window root = 0;
    Window up = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, parent, &root, &up, &children, &count) == 0) {
        return;
    }
    for (unsigned int i = 0; i < count; ++i) {
        if (cardinal(display, children[i], "WM_STATE")) {
            clients << children[i];
        } else {
            collectClients(display, children[i], clients);
        }
    }
    XFree(children);
}

} // namespace

QList<std::pair<XWindowId, qint64>> XSession::windowsTitled(const QString& wanted) {
    QList<XWindowId> clients;
    collectClients(display_, DefaultRootWindow(display_), clients);
    QList<std::pair<XWindowId, qint64>> found;
    for (XWindowId window : clients) {
        if (title(display_, window) == wanted) {
            found.append({window, cardinal(display_, window, "_NET_WM_PID").value_or(0)});
        }
    }
    return found;
}

std::optional<XWindowId> XSession::viewableWindow(const QString& wanted, qint64 pid) {
    for (const auto& [window, owner] : windowsTitled(wanted)) {
        XWindowAttributes attributes;
        if ((pid == 0 || owner == pid) && XGetWindowAttributes(display_, window, &attributes) != 0 &&
            attributes.map_state == IsViewable) {
            return window;
        }
    }
    return std::nullopt;
}

QRect XSession::clientRect(XWindowId window) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display_, window, &attributes) == 0) {
        return {};
    }
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
    return QRect(x, y, attributes.width, attributes.height);
}

QRect XSession::frameRect(XWindowId window) {
    const QRect client = clientRect(window);
    const auto extent = [&](int index) {
        return int(cardinal(display_, window, "_NET_FRAME_EXTENTS", index).value_or(0));
    };
    return client.adjusted(-extent(0), -extent(2), extent(1), extent(3));
}

bool XSession::isIconic(XWindowId window) {
    return cardinal(display_, window, "WM_STATE") == IconicState;
}

bool XSession::isShown(XWindowId window) {
    return cardinal(display_, window, "WM_STATE") == NormalState;
}

bool XSession::hasIcon(XWindowId window) {
    return cardinal(display_, window, "_NET_WM_ICON").value_or(0) > 0;
}

QStringList XSession::atomNames(XWindowId window, const char* property) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long rest = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display_, window, XInternAtom(display_, property, False), 0, 64, False, XA_ATOM, &type,
                       &format, &count, &rest, &data);
    QStringList names;
    for (unsigned long i = 0; data != nullptr && format == 32 && i < count; ++i) {
        char* name = XGetAtomName(display_, reinterpret_cast<Atom*>(data)[i]);
        names << QString::fromLatin1(name);
        XFree(name);
    }
    XFree(data);
    return names;
}

bool XSession::hasKeyFocus(XWindowId window) {
    Window focus = None;
    int revertTo = 0;
    XGetInputFocus(display_, &focus, &revertTo);
    const Window root = DefaultRootWindow(display_);
    while (focus != None && focus != PointerRoot && focus != root) {
        if (focus == window) {
            return true;
        }
        Window up = None;
        Window top = None;
        Window* children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(display_, focus, &top, &up, &children, &count) == 0) {
            return false;
        }
        XFree(children);
        focus = up;
    }
    return false;
}

QString XSession::describeWindows() {
    QList<XWindowId> clients;
    collectClients(display_, DefaultRootWindow(display_), clients);
    QString text;
    for (XWindowId window : clients) {
        XWindowAttributes attributes;
        const bool viewable =
            XGetWindowAttributes(display_, window, &attributes) != 0 && attributes.map_state == IsViewable;
        const QRect client = clientRect(window);
        const QRect frame = frameRect(window);
        const auto rect = [](const QRect& r) {
            return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
        };
        text += QStringLiteral("  0x") + QString::number(window, 16) + QStringLiteral(" \"") +
                title(display_, window) + QStringLiteral("\" ") +
                (viewable ? QStringLiteral("viewable") : QStringLiteral("unmapped")) +
                (isIconic(window) ? QStringLiteral(" iconic") : QString()) +
                (hasKeyFocus(window) ? QStringLiteral(" KEYS") : QString()) + QStringLiteral(" client ") +
                rect(client) + QStringLiteral(" frame ") + rect(frame) + QLatin1Char('\n');
    }
    return text;
}

QImage XSession::grab(const QRect& area) {
    const QRect onScreen = area.intersected(QRect(QPoint(0, 0), screen_));
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    if (onScreen.isEmpty()) {
        return image;
    }
    XImage* shot = XGetImage(display_, DefaultRootWindow(display_), onScreen.x(), onScreen.y(),
                             unsigned(onScreen.width()), unsigned(onScreen.height()), AllPlanes, ZPixmap);
    if (shot == nullptr) {
        return image;
    }
    for (int y = 0; y < onScreen.height(); ++y) {
        for (int x = 0; x < onScreen.width(); ++x) {
            // A 24-bit TrueColor screen: the pixel value is 0xRRGGBB.
            image.setPixel(onScreen.x() - area.x() + x, onScreen.y() - area.y() + y,
                           0xff000000U | unsigned(XGetPixel(shot, x, y)));
        }
    }
    XDestroyImage(shot);
    return image;
}

void XSession::key(const char* keySymbol) {
    const KeyCode code = XKeysymToKeycode(display_, XStringToKeysym(keySymbol));
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    sync();
}

void XSession::type(const QString& ascii) {
    for (QChar character : ascii) {
        const QByteArray name(1, character.toLatin1());
        key(name.constData());
    }
}

void XSession::moveMouse(QPoint to) {
    XTestFakeMotionEvent(display_, 0, to.x(), to.y(), CurrentTime);
    sync();
}

void XSession::click(QPoint at) {
    moveMouse(at);
    XTestFakeButtonEvent(display_, 1, True, CurrentTime);
    XTestFakeButtonEvent(display_, 1, False, CurrentTime);
    sync();
}

void XSession::askToClose(XWindowId window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "_NET_CLOSE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = CurrentTime;
    event.xclient.data.l[1] = 2; // from a pager or taskbar: a direct user action
    XSendEvent(display_, DefaultRootWindow(display_), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    sync();
}

void XSession::minimise(XWindowId window) {
    XIconifyWindow(display_, window, DefaultScreen(display_));
    sync();
}

void XSession::wheel(QPoint at, int notches) {
    moveMouse(at);
    const unsigned int button = notches > 0 ? 5 : 4;
    for (int i = 0; i < std::abs(notches); ++i) {
        XTestFakeButtonEvent(display_, button, True, CurrentTime);
        XTestFakeButtonEvent(display_, button, False, CurrentTime);
    }
    sync();
}

} // namespace kvizaro::desktop
