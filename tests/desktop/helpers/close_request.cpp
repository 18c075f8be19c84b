// Asks a window to close as a window manager's close button, a task bar or a script does:
// a WM_DELETE_WINDOW message, which the window may refuse.
//
//   mv_close_request WINDOW
//
// Exit status: 0 sent, 1 usage, 2 no display.
#include "x_events.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mv_close_request WINDOW\n");
        return 1;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return 2;
    SendClientMessage(display, std::strtoul(argv[1], nullptr, 0),
                      XInternAtom(display, "WM_PROTOCOLS", False),
                      {static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False)),
                       CurrentTime});
    XCloseDisplay(display);
    return 0;
}
