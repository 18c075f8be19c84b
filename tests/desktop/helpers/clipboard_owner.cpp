// A clipboard owner that misbehaves the way other programs can, offering the editor's own
// format under the selection protocol spoken directly over Xlib:
//   mv_clipboard_owner vanish       announces its targets, then exits when data is asked for
//   mv_clipboard_owner huge         serves 100 MiB in pieces (INCR), count and bytes agreeing
//   mv_clipboard_owner lying-count  a count of 1000 in front of three bytes
//   mv_clipboard_owner too-short    two bytes, too few to hold a count
//   mv_clipboard_owner stall        starts serving 4 MiB in pieces and stops after the first
//   mv_clipboard_owner mute         answers nothing at all, not even which targets it has
// It serves until it loses the clipboard or is killed. Byte i of the huge payload (after its
// count) is i % 251, so a test can check what arrived.
#include "x_events.h"

#include <X11/Xatom.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr const char* OwnFormat = "application/x-mvpr-clipboard-format";
constexpr std::size_t HugeCount = 100u << 20;
constexpr std::size_t Piece = 1u << 20;
constexpr std::string_view Modes[] = {"vanish", "huge", "lying-count", "too-short", "stall", "mute"};

std::vector<unsigned char> WithCount(std::uint32_t count, std::size_t present) {
    std::vector<unsigned char> payload(4 + present);
    for (std::size_t i = 0; i < 4; ++i) payload[i] = static_cast<unsigned char>(count >> (8 * i));
    for (std::size_t i = 0; i < present; ++i) payload[4 + i] = static_cast<unsigned char>(i % 251);
    return payload;
}

// What the mode offers in the program's own format; vanish never delivers anything.
std::vector<unsigned char> PayloadOf(std::string_view mode) {
    if (mode == "huge") return WithCount(HugeCount, HugeCount);
    if (mode == "stall") return WithCount(4 * Piece, 4 * Piece);
    if (mode == "lying-count") return WithCount(1000, 3);
    if (mode == "too-short") return {2, 0};
    return {};
}

class TOwner {
public:
    TOwner(Display* display, std::string mode) : display_(display), mode_(std::move(mode)) {
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 1, 1, 0, 0, 0);
        clipboard_ = Intern("CLIPBOARD");
        targets_ = Intern("TARGETS");
        own_ = Intern(OwnFormat);
        incr_ = Intern("INCR");
    }

    bool TakeClipboard() {
        XSetSelectionOwner(display_, clipboard_, window_, CurrentTime);
        return XGetSelectionOwner(display_, clipboard_) == window_;
    }

    // Serves requests for the payload until another program takes the clipboard.
    void Serve(std::vector<unsigned char> payload) {
        payload_ = std::move(payload);
        for (;;) {
            XEvent event;
            XNextEvent(display_, &event);
            if (event.type == SelectionClear) return;
            if (event.type == SelectionRequest) Answer(event.xselectionrequest);
            if (event.type == PropertyNotify && event.xproperty.state == PropertyDelete)
                Continue(event.xproperty.window, event.xproperty.atom);
        }
    }

private:
    Atom Intern(const char* name) const { return XInternAtom(display_, name, False); }

    void Answer(const XSelectionRequestEvent& request) {
        if (mode_ == "mute") return;
        Atom property = request.property != None ? request.property : request.target;
        if (request.target == targets_) {
            const Atom offered[] = {targets_, own_};
            XChangeProperty(display_, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(offered), 2);
        } else if (request.target == own_ && mode_ == "vanish") {
            std::exit(0); // before any answer, taking the window and the ownership with it
        } else if (request.target == own_ && payload_.size() > Piece) {
            StartIncr(request.requestor, property);
        } else if (request.target == own_) {
            XChangeProperty(display_, request.requestor, property, own_, 8, PropModeReplace,
                            payload_.data(), static_cast<int>(payload_.size()));
        } else {
            property = None;
        }
        NotifySelection(display_, request, property);
    }

    // The size announced as INCR, then the pieces as the requestor deletes each property.
    void StartIncr(Window requestor, Atom property) {
        XSelectInput(display_, requestor, PropertyChangeMask);
        const long size = static_cast<long>(payload_.size());
        XChangeProperty(display_, requestor, property, incr_, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&size), 1);
        sent_[{requestor, property}] = 0;
    }

    void Continue(Window requestor, Atom property) {
        const auto found = sent_.find({requestor, property});
        if (found == sent_.end()) return;
        std::size_t& sent = found->second;
        if (mode_ == "stall" && sent > 0) return;
        const std::size_t length = std::min(Piece, payload_.size() - sent);
        XChangeProperty(display_, requestor, property, own_, 8, PropModeReplace,
                        payload_.data() + sent, static_cast<int>(length));
        sent += length;
        if (length == 0) sent_.erase(found); // the empty piece ends the transfer
        XFlush(display_);
    }

    Display* display_;
    std::string mode_;
    Window window_;
    Atom clipboard_, targets_, own_, incr_;
    std::vector<unsigned char> payload_;
    // Bytes sent so far of each transfer in pieces, by requestor window and property.
    std::map<std::pair<Window, Atom>, std::size_t> sent_;
};

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (std::ranges::find(Modes, mode) == std::end(Modes)) {
        std::fprintf(stderr, "usage: %s vanish|huge|lying-count|too-short|stall|mute\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    TOwner owner(display, mode);
    const bool owned = owner.TakeClipboard();
    // Owned first and the payload made afterwards, so that early requests wait for it rather
    // than find no owner.
    if (owned) {
        std::fprintf(stderr, "%s owner holds the clipboard\n", mode.c_str());
        owner.Serve(PayloadOf(mode));
    }
    else std::fprintf(stderr, "could not own the clipboard\n");
    XCloseDisplay(display);
    return owned ? 0 : 1;
}
