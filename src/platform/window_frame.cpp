#include "platform/window_frame.h"

#include <QtGui/QGuiApplication>
#include <QtWidgets/QWidget>

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <thread>
#include <vector>

namespace mv {

namespace {

using namespace std::chrono_literals;

// A window manager that offers frame extents answers within milliseconds; one that offers them
// and never answers costs a new window no more than this.
constexpr auto kPatience = 200ms;

template <typename T> using TReply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* connection, std::string_view name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data());
    const TReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection, cookie, nullptr),
                                                &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// The 32-bit values of a window's property of that type; empty when it has none.
std::vector<std::uint32_t> Property(xcb_connection_t* connection, xcb_window_t window,
                                    xcb_atom_t property, xcb_atom_t type) {
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, window, property, type, 0, 1024);
    const TReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection, cookie, nullptr), &std::free);
    if (!reply || reply->type != type || reply->format != 32) return {};
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

} // namespace

std::optional<QMargins> FrameBeforeShow(QWidget& window) {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) return std::nullopt;
    xcb_connection_t* connection = x11->connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_atom_t request = Atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const std::vector<std::uint32_t> supported =
        Property(connection, root, Atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    if (request == XCB_ATOM_NONE || std::ranges::find(supported, request) == supported.end())
        return std::nullopt;

    const auto native = static_cast<xcb_window_t>(window.winId());
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = native;
    message.type = request;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);

    // The answer is a property of the window. Qt's own thread takes the events, so the
    // property is read until it is there.
    const xcb_atom_t extents = Atom(connection, "_NET_FRAME_EXTENTS");
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    do {
        const std::vector<std::uint32_t> frame =
            Property(connection, native, extents, XCB_ATOM_CARDINAL);
        if (frame.size() == 4) // left, right, top, bottom
            return QMargins(static_cast<int>(frame[0]), static_cast<int>(frame[2]),
                            static_cast<int>(frame[1]), static_cast<int>(frame[3]));
        std::this_thread::sleep_for(1ms);
    } while (std::chrono::steady_clock::now() < deadline);
    return std::nullopt;
}

void PlaceFrameAt(QWidget& window, QPoint framePlace, const QMargins& frame) {
    window.setGeometry(QRect(framePlace + QPoint(frame.left(), frame.top()), window.size()));
}

TWindowFrame::TWindowFrame(QWidget& window) : window_(window) {
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    const QMargins known(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    frame_ = window.isVisible() || !known.isNull() ? known : FrameBeforeShow(window);
}

QSize TWindowFrame::Size() const {
    return frame_ ? window_.size().grownBy(*frame_) : window_.size();
}

void TWindowFrame::MoveTo(QPoint place) const {
    if (frame_)
        PlaceFrameAt(window_, place, *frame_);
    else
        window_.move(place); // the toolkit's own idea of a frame, which it learns once shown
}

} // namespace mv
