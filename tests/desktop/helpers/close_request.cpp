// Asks a window to close as a window manager's close button, a task bar or a script does:
// a WM_DELETE_WINDOW message, which the window may refuse.
//
//   mv_close_request WINDOW
//
// Exit status: 0 sent, 1 usage, 2 no display.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mv_close_request WINDOW\n");
        return 1;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return 2;
    const Window window = std::strtoul(argv[1], nullptr, 0);
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = window;
    message.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    message.xclient.format = 32;
    message.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    message.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &message);
    XCloseDisplay(display); // flushes the message
    return 0;
}
