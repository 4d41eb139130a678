#include "window_frame.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QThread>
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

// How long a manager gets to answer; window managers answer within a few milliseconds.
constexpr int AnswerTimeoutMs = 150;

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    const auto cookie = xcb_intern_atom(connection, 0, std::uint16_t(std::strlen(name)), name);
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The four CARDINALs left, right, top, bottom, once the manager has set them.
std::optional<QMargins> frameExtents(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t extents) {
    const auto cookie = xcb_get_property(connection, 0, window, extents, XCB_ATOM_CARDINAL, 0, 4);
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(connection, cookie, nullptr), &std::free);
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16) {
        return std::nullopt;
    }
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return QMargins(int(values[0]), int(values[2]), int(values[1]), int(values[3]));
}

QMargins knownMargins(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

} // namespace

QMargins frameMargins(QWidget* window) {
    if (window->testAttribute(Qt::WA_WState_Created) && !knownMargins(window).isNull()) {
        return knownMargins(window);
    }
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr || QGuiApplication::platformName() != QLatin1String("xcb") ||
        window->windowFlags().testFlag(Qt::FramelessWindowHint)) {
        return {};
    }
    // The native window carries the flags by which the manager chooses the frame.
    const auto native = xcb_window_t(window->winId());
    const xcb_atom_t extents = atom(connection, "_NET_FRAME_EXTENTS");
    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = native;
    request.type = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&request));
    xcb_flush(connection);
    const QDeadlineTimer deadline(AnswerTimeoutMs);
    while (!deadline.hasExpired()) {
        if (const auto answer = frameExtents(connection, native, extents)) {
            // The manager counts device pixels; the layout counts independent ones.
            const qreal ratio = window->devicePixelRatioF();
            return {qRound(answer->left() / ratio), qRound(answer->top() / ratio),
                    qRound(answer->right() / ratio), qRound(answer->bottom() / ratio)};
        }
        QThread::msleep(2);
    }
    return {};
}

void placeFrame(QWidget* window, QPoint frameOrigin, QSize clientSize) {
    const QMargins frame = frameMargins(window);
    window->setGeometry(QRect(frameOrigin + QPoint(frame.left(), frame.top()), clientSize));
}

} // namespace kvizaro
