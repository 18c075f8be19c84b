#include "platform/virtual_key_map.h"

#include <gtest/gtest.h>

#include <string_view>

namespace mv {
namespace {

// What the key table sees of a Qt key: the modifier state and the key's name.
struct TCase {
    int QtKey;
    Qt::KeyboardModifiers Modifiers;
    ModifierState State;
    std::string_view KeyName;
};

std::string_view NameOf(const TKeyPress& press) {
    const KeyIndex index = KeyIndexOfVirtualKey(press.VirtualKey, press.Extended);
    return index < 0 ? std::string_view("none") : KeyNames()[static_cast<std::size_t>(index)];
}

TEST(VirtualKeyMap, QtKeysReachTheKeyTableByName) {
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers keypad = Qt::KeypadModifier;
    const TCase cases[] = {
        {Qt::Key_A, Qt::ControlModifier, 2, "{A}"},
        {Qt::Key_Enter, keypad, 0, "{Enter(NumPad)}"}, // the one extended key
        {Qt::Key_Return, none, 0, "{Enter}"},
        {Qt::Key_Backtab, Qt::ShiftModifier, 1, "{Tab}"},
        {Qt::Key_Space, Qt::AltModifier, 4, "{Space}"},
        // Keypad keys by the keypad modifier.
        {Qt::Key_Slash, keypad, 0, "{/(NumPad)}"},
        {Qt::Key_Home, keypad, 0, "{Home}"}, // Num Lock off
        // Symbols by the key they are printed on, shifted or not.
        {Qt::Key_Less, Qt::ControlModifier | Qt::ShiftModifier, 3, "{,}"},
        {Qt::Key_Equal, Qt::ShiftModifier, 1, "{-}"},
        {Qt::Key_yen, none, 0, "{\\}"},
        {Qt::Key_Pause, none, 0, "none"},
    };
    for (const TCase& c : cases) {
        const TKeyPress press = KeyPressOf(c.QtKey, c.Modifiers);
        EXPECT_EQ(press.State, c.State) << c.KeyName;
        EXPECT_EQ(NameOf(press), c.KeyName) << std::hex << c.QtKey;
    }
}

} // namespace
} // namespace mv
