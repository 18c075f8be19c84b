// An XDND drag source, as a file manager is one: drops the files named on its command line as a
// text/uri-list onto whatever window is at the given point of the screen.
//
//   mv_drag_source X Y FILE...
//
// Exit status: 0 the target took the drop, 1 usage, 2 no display, 3 no drop target at the
// point, 4 the target refused the drop, 5 the target did not answer in time.
#include "x_events.h"

#include <X11/Xatom.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <poll.h>
#include <string>
#include <string_view>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto Patience = std::chrono::seconds(10);
constexpr long OurVersion = 5;

enum Outcome { Dropped = 0, Usage = 1, NoDisplay = 2, NoTarget = 3, Refused = 4, Silent = 5 };

// A file's path as a file: URI, with every byte outside the unreserved set percent-encoded.
std::string FileUri(const std::string& path) {
    static const char hex[] = "0123456789ABCDEF";
    constexpr auto npos = std::string_view::npos;
    std::string uri = "file://";
    for (const unsigned char c : path) {
        if (std::isalnum(c) != 0 || std::string_view("/-_.~").find(static_cast<char>(c)) != npos)
            uri += static_cast<char>(c);
        else
            uri += {'%', hex[c >> 4], hex[c & 15]};
    }
    return uri;
}

class TDragSource {
public:
    TDragSource(Display* display, std::string uriList)
        : display_(display), uriList_(std::move(uriList)) {
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 1, 1, 0, 0, 0);
        XSelectInput(display_, window_, PropertyChangeMask);
    }

    Outcome DropAt(int x, int y) {
        long version = 0;
        const Window target = TargetAt(x, y, version);
        if (target == None) return NoTarget;
        const Time time = ServerTime();
        const long source = static_cast<long>(window_);
        XSetSelectionOwner(display_, Intern("XdndSelection"), window_, time);

        const long offered = static_cast<long>(Intern("text/uri-list"));
        Send(target, "XdndEnter", {source, std::min(version, OurVersion) << 24, offered});
        Send(target, "XdndPosition", {source, 0, (long{x} << 16) | y, static_cast<long>(time),
                                      static_cast<long>(Intern("XdndActionCopy"))});
        const std::optional<XClientMessageEvent> status = AnswerFrom(target, "XdndStatus");
        if (!status) return Silent;
        if ((status->data.l[1] & 1) == 0) {
            Send(target, "XdndLeave", {source});
            return Refused;
        }
        Send(target, "XdndDrop", {source, 0, static_cast<long>(time)});
        const std::optional<XClientMessageEvent> finished = AnswerFrom(target, "XdndFinished");
        if (!finished) return Silent;
        // Before version 5 the finish message says nothing about acceptance.
        return version < 5 || (finished->data.l[1] & 1) != 0 ? Dropped : Refused;
    }

private:
    Atom Intern(const char* name) const { return XInternAtom(display_, name, False); }

    // The topmost window at the point that takes drops, and its protocol version.
    Window TargetAt(int x, int y, long& version) const {
        Window current = DefaultRootWindow(display_);
        for (;;) {
            int childX = 0;
            int childY = 0;
            Window child = None;
            if (!XTranslateCoordinates(display_, DefaultRootWindow(display_), current, x, y,
                                       &childX, &childY, &child) ||
                child == None)
                return None;
            if (const std::optional<long> v = AwareVersion(child)) {
                version = *v;
                return child;
            }
            current = child;
        }
    }

    std::optional<long> AwareVersion(Window window) const {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display_, window, Intern("XdndAware"), 0, 1, False, XA_ATOM, &type,
                               &format, &count, &after, &data) != Success)
            return std::nullopt;
        std::optional<long> version;
        if (type == XA_ATOM && format == 32 && count == 1)
            version = static_cast<long>(*reinterpret_cast<Atom*>(data));
        if (data != nullptr) XFree(data);
        return version;
    }

    // A timestamp of the server's, from a property change of our own window.
    Time ServerTime() {
        XChangeProperty(display_, window_, XA_WM_NAME, XA_STRING, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>("drag"), 4);
        XEvent event;
        XWindowEvent(display_, window_, PropertyChangeMask, &event);
        return event.xproperty.time;
    }

    void Send(Window target, const char* type, const std::vector<long>& data) {
        SendClientMessage(display_, target, Intern(type), data);
    }

    // Waits for the target's message of that type, serving its requests for the data meanwhile.
    std::optional<XClientMessageEvent> AnswerFrom(Window target, const char* typeName) {
        const Atom type = Intern(typeName);
        const auto deadline = Clock::now() + Patience;
        while (Clock::now() < deadline) {
            if (XPending(display_) == 0) {
                pollfd connection{ConnectionNumber(display_), POLLIN, 0};
                poll(&connection, 1, 50);
                continue;
            }
            XEvent event;
            XNextEvent(display_, &event);
            if (event.type == SelectionRequest) Serve(event.xselectionrequest);
            if (event.type == ClientMessage && event.xclient.message_type == type &&
                static_cast<Window>(event.xclient.data.l[0]) == target)
                return event.xclient;
        }
        return std::nullopt;
    }

    // Hands the uri-list to a requestor; any other form is refused.
    void Serve(const XSelectionRequestEvent& request) {
        const Atom uriList = Intern("text/uri-list");
        Atom property = None;
        if (request.selection == Intern("XdndSelection") && request.target == uriList) {
            property = request.property != None ? request.property : request.target;
            XChangeProperty(display_, request.requestor, property, uriList, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(uriList_.data()),
                            static_cast<int>(uriList_.size()));
        }
        NotifySelection(display_, request, property);
    }

    Display* display_;
    std::string uriList_;
    Window window_ = None;
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s X Y FILE...\n", argv[0]);
        return Usage;
    }
    std::string uriList;
    for (int i = 3; i < argc; ++i) uriList += FileUri(argv[i]) + "\r\n";
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "cannot open the display\n");
        return NoDisplay;
    }
    const Outcome outcome =
        TDragSource(display, uriList).DropAt(std::atoi(argv[1]), std::atoi(argv[2]));
    static const char* const why[] = {"", "", "", "no drop target at the point",
                                      "the target refused the drop", "the target did not answer"};
    if (outcome != Dropped) std::fprintf(stderr, "%s\n", why[outcome]);
    XCloseDisplay(display);
    return outcome;
}
