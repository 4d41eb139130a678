#include "window_frame.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QHash>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

namespace kvizaro {

namespace {

xcb_connection_t* x11Connection() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        return nullptr;
    }
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

bool hasFrame(const QWidget* window) {
    return !window->windowFlags().testFlag(Qt::FramelessWindowHint);
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    const auto cookie = xcb_intern_atom(connection, 0, std::uint16_t(std::strlen(name)), name);
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The four CARDINALs left, right, top, bottom, if the manager has set them. One round trip to the X
// server, which answers at once; the manager is not waited for.
std::optional<QMargins> frameExtents(xcb_connection_t* connection, xcb_window_t window) {
    static const xcb_atom_t extents = atom(connection, "_NET_FRAME_EXTENTS");
    const auto cookie = xcb_get_property(connection, 0, window, extents, XCB_ATOM_CARDINAL, 0, 4);
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(connection, cookie, nullptr), &std::free);
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16) {
        return std::nullopt;
    }
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return QMargins(int(values[0]), int(values[2]), int(values[1]), int(values[3]));
}

// The window manager's name, as it announces itself on the root window.
QByteArray managerName(xcb_connection_t* connection) {
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const auto property = [connection](xcb_window_t window, xcb_atom_t name, xcb_atom_t type) {
        const auto cookie = xcb_get_property(connection, 0, window, name, type, 0, 64);
        const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
            xcb_get_property_reply(connection, cookie, nullptr), &std::free);
        return reply ? QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())),
                                  xcb_get_property_value_length(reply.get()))
                     : QByteArray();
    };
    const QByteArray check = property(root, atom(connection, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW);
    if (check.size() != 4) {
        return {};
    }
    xcb_window_t manager = 0;
    std::memcpy(&manager, check.constData(), sizeof manager);
    return property(manager, atom(connection, "_NET_WM_NAME"), atom(connection, "UTF8_STRING"));
}

void setAtoms(xcb_connection_t* connection, xcb_window_t window, const char* name, xcb_atom_t type,
              const std::uint32_t* values, std::uint32_t count) {
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atom(connection, name), type, 32, count,
                        values);
}

QMargins knownMargins(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

// Frames learnt so far, by the window flags from which the manager chooses a frame: a window shown for
// the first time gets the frame of an earlier one of its kind.
QHash<int, QMargins>& learntFrames() {
    static QHash<int, QMargins> frames;
    return frames;
}

QMargins remember(const QWidget* window, QMargins margins) {
    learntFrames().insert(int(window->windowFlags()), margins);
    return margins;
}

} // namespace

void requestFrameExtents(QWidget* window) {
    xcb_connection_t* connection = x11Connection();
    if (connection == nullptr || !hasFrame(window)) {
        return;
    }
    // The native window carries the flags by which the manager chooses the frame.
    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = xcb_window_t(window->winId());
    request.type = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&request));
    xcb_flush(connection);
}

QMargins frameMargins(QWidget* window) {
    if (!hasFrame(window)) {
        return {};
    }
    if (window->testAttribute(Qt::WA_WState_Created) && !knownMargins(window).isNull()) {
        return remember(window, knownMargins(window));
    }
    xcb_connection_t* connection = x11Connection();
    if (connection != nullptr && window->testAttribute(Qt::WA_WState_Created)) {
        if (const auto answer = frameExtents(connection, xcb_window_t(window->winId()))) {
            // The manager counts device pixels; the layout counts independent ones.
            const qreal ratio = window->devicePixelRatioF();
            return remember(window, {qRound(answer->left() / ratio), qRound(answer->top() / ratio),
                                     qRound(answer->right() / ratio), qRound(answer->bottom() / ratio)});
        }
    }
    return learntFrames().value(int(window->windowFlags()));
}

void keepTitleBarOnly(QWidget* window) {
    xcb_connection_t* connection = x11Connection();
    if (connection == nullptr) {
        return;
    }
    const auto native = xcb_window_t(window->winId());
    enum : std::uint32_t { Functions = 1, Decorations = 2, Move = 4, Close = 32, Border = 2, Title = 8 };
    const std::uint32_t motifHints[5] = {Functions | Decorations, Move | Close, Border | Title, 0, 0};
    const xcb_atom_t motif = atom(connection, "_MOTIF_WM_HINTS");
    setAtoms(connection, native, "_MOTIF_WM_HINTS", motif, motifHints, 5);
    if (managerName(connection) == "Openbox") {
        const std::uint32_t types[2] = {atom(connection, "_NET_WM_WINDOW_TYPE_TOOLBAR"),
                                        atom(connection, "_NET_WM_WINDOW_TYPE_NORMAL")};
        setAtoms(connection, native, "_NET_WM_WINDOW_TYPE", XCB_ATOM_ATOM, types, 2);
    }
    xcb_flush(connection);
}

void placeFrame(QWidget* window, QPoint frameOrigin, QSize clientSize) {
    const QMargins frame = frameMargins(window);
    window->setGeometry(QRect(frameOrigin + QPoint(frame.left(), frame.top()), clientSize));
}

} // namespace kvizaro
