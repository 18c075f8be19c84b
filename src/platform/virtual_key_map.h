#pragma once

#include "core/typedvalues/key_assignment.h"

#include <QtCore/Qt>

namespace mv {

// Shift 1 + Ctrl 2 + Alt 4 of a set of Qt modifiers.
[[nodiscard]] ModifierState ModifierStateOf(Qt::KeyboardModifiers modifiers);

// A Qt key event as the key table knows it: the Windows virtual-key code that the same key
// gives on a Japanese keyboard, the extended-key flag of keypad Enter, and the modifier state.
// Symbols are mapped by the Japanese layout (Shift+"-" gives "=", so "=" is the "-" key);
// keypad keys are told apart by the keypad modifier. Keys without a code give code 0, which
// no key index has.
[[nodiscard]] TKeyPress KeyPressOf(int qtKey, Qt::KeyboardModifiers modifiers);

} // namespace mv
