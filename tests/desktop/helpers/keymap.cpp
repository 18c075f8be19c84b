// Puts characters into the keyboard layout for good, each on a keycode of its own that held
// nothing, as a layout made for them holds them:
//
//   mv_keymap TEXT
//
// `xdotool type` binds a character the layout lacks only for the moment of its key press; a
// program still busy when the binding is undone reads the key as nothing. With the characters
// in the layout, xdotool presses their keys as it presses any other.
//
// Exit status: 0 every character has a key, 1 usage, 2 no display, 3 too few free keycodes.
// Qt before Xlib, whose macros would rename parts of Qt's headers.
#include <QtCore/QString>

#include <X11/Xlib.h>

#include <cstdio>
#include <set>
#include <vector>

namespace {

enum Outcome { Held = 0, Usage = 1, NoDisplay = 2, NoRoom = 3 };

// Latin-1 characters are their own keysyms; every other one is its code point tagged as such.
KeySym KeysymOf(char32_t character) {
    return character < 0x100 ? character : 0x01000000 | character;
}

// The keycodes that produce no symbol at all.
std::vector<KeyCode> FreeKeycodes(Display* display) {
    int first = 0;
    int last = 0;
    XDisplayKeycodes(display, &first, &last);
    int perKeycode = 0;
    KeySym* map = XGetKeyboardMapping(display, static_cast<KeyCode>(first), last - first + 1,
                                      &perKeycode);
    std::vector<KeyCode> free;
    for (int code = first; code <= last; ++code) {
        const KeySym* syms = map + static_cast<std::ptrdiff_t>(code - first) * perKeycode;
        bool empty = true;
        for (int i = 0; i < perKeycode; ++i) empty = empty && syms[i] == NoSymbol;
        if (empty) free.push_back(static_cast<KeyCode>(code));
    }
    XFree(map);
    return free;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mv_keymap TEXT\n");
        return Usage;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return NoDisplay;

    std::set<KeySym> wanted;
    for (const char32_t character : QString::fromUtf8(argv[1]).toStdU32String())
        if (XKeysymToKeycode(display, KeysymOf(character)) == 0) wanted.insert(KeysymOf(character));
    const std::vector<KeyCode> free = FreeKeycodes(display);
    if (wanted.size() > free.size()) {
        std::fprintf(stderr, "mv_keymap: %zu characters, %zu free keycodes\n", wanted.size(),
                     free.size());
        XCloseDisplay(display);
        return NoRoom;
    }
    auto code = free.begin();
    for (KeySym keysym : wanted) XChangeKeyboardMapping(display, *code++, 1, &keysym, 1);
    XCloseDisplay(display); // flushes the changes
    return Held;
}
