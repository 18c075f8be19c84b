// Events the helper clients send other X clients; not a helper of its own (no .cpp).
#pragma once

#include <X11/Xlib.h>

#include <cstddef>
#include <vector>

// Sends the window a client message of `type` with up to five 32-bit values.
inline void SendClientMessage(Display* display, Window window, Atom type,
                              const std::vector<long>& data) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    for (std::size_t i = 0; i < data.size() && i < 5; ++i) event.xclient.data.l[i] = data[i];
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

// Tells the requestor of a selection that its data is in `property`, or, with None, refused.
inline void NotifySelection(Display* display, const XSelectionRequestEvent& request,
                            Atom property) {
    XEvent reply{};
    reply.xselection.type = SelectionNotify;
    reply.xselection.requestor = request.requestor;
    reply.xselection.selection = request.selection;
    reply.xselection.target = request.target;
    reply.xselection.property = property;
    reply.xselection.time = request.time;
    XSendEvent(display, request.requestor, False, NoEventMask, &reply);
    XFlush(display);
}
