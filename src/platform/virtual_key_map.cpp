#include "platform/virtual_key_map.h"

#include <cstdint>
#include <utility>

namespace mv {

namespace {

constexpr std::uint8_t VkReturn = 0x0D;

// Keys whose code does not depend on the keypad modifier.
constexpr std::pair<int, std::uint8_t> FixedKeys[] = {
    {Qt::Key_Return, VkReturn}, {Qt::Key_Escape, 0x1B}, {Qt::Key_Tab, 0x09},
    {Qt::Key_Backtab, 0x09},    {Qt::Key_Insert, 0x2D}, {Qt::Key_Delete, 0x2E},
    {Qt::Key_Backspace, 0x08},  {Qt::Key_PageUp, 0x21}, {Qt::Key_PageDown, 0x22},
    {Qt::Key_Home, 0x24},       {Qt::Key_End, 0x23},    {Qt::Key_Up, 0x26},
    {Qt::Key_Down, 0x28},       {Qt::Key_Left, 0x25},   {Qt::Key_Right, 0x27},
    {Qt::Key_Space, 0x20},      {Qt::Key_Pause, 0x13},  {Qt::Key_Menu, 0x5D},
    {Qt::Key_Clear, 0x0C},
};

// The printed symbols of the Japanese layout, unshifted and shifted, by the key they are on.
constexpr std::pair<int, std::uint8_t> SymbolKeys[] = {
    {Qt::Key_Minus, 0xBD},       {Qt::Key_Equal, 0xBD},     {Qt::Key_AsciiCircum, 0xDE},
    {Qt::Key_AsciiTilde, 0xDE},  {Qt::Key_Backslash, 0xDC}, {Qt::Key_yen, 0xDC},
    {Qt::Key_Bar, 0xDC},         {Qt::Key_At, 0xC0},        {Qt::Key_QuoteLeft, 0xC0},
    {Qt::Key_BracketLeft, 0xDB}, {Qt::Key_BraceLeft, 0xDB}, {Qt::Key_BracketRight, 0xDD},
    {Qt::Key_BraceRight, 0xDD},  {Qt::Key_Semicolon, 0xBB}, {Qt::Key_Plus, 0xBB},
    {Qt::Key_Colon, 0xBA},       {Qt::Key_Asterisk, 0xBA},  {Qt::Key_Comma, 0xBC},
    {Qt::Key_Less, 0xBC},        {Qt::Key_Slash, 0xBF},     {Qt::Key_Question, 0xBF},
    {Qt::Key_Period, 0xBE},      {Qt::Key_Greater, 0xBE},   {Qt::Key_Exclam, '1'},
    {Qt::Key_QuoteDbl, '2'},     {Qt::Key_NumberSign, '3'}, {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'},      {Qt::Key_Ampersand, '6'},  {Qt::Key_Apostrophe, '7'},
    {Qt::Key_ParenLeft, '8'},    {Qt::Key_ParenRight, '9'}, {Qt::Key_Underscore, 0xE2},
};

// The keypad's own codes; with Num Lock off its keys arrive as navigation keys instead.
constexpr std::pair<int, std::uint8_t> KeypadKeys[] = {
    {Qt::Key_Asterisk, 0x6A}, {Qt::Key_Plus, 0x6B},  {Qt::Key_Minus, 0x6D}, {Qt::Key_Period, 0x6E},
    {Qt::Key_Slash, 0x6F},    {Qt::Key_Equal, 0x92}, {Qt::Key_Comma, 0x6C},
};

template <std::size_t N>
std::uint8_t Find(const std::pair<int, std::uint8_t> (&table)[N], int qtKey) {
    for (const auto& [key, code] : table)
        if (key == qtKey) return code;
    return 0;
}

} // namespace

ModifierState ModifierStateOf(Qt::KeyboardModifiers modifiers) {
    ModifierState state = 0;
    if (modifiers & Qt::ShiftModifier) state |= 1;
    if (modifiers & Qt::ControlModifier) state |= 2;
    if (modifiers & Qt::AltModifier) state |= 4;
    return state;
}

TKeyPress KeyPressOf(int qtKey, Qt::KeyboardModifiers modifiers) {
    TKeyPress press;
    press.State = ModifierStateOf(modifiers);
    if (qtKey == Qt::Key_Enter) {
        press.VirtualKey = VkReturn;
        press.Extended = true;
        return press;
    }
    const bool keypad = modifiers & Qt::KeypadModifier;
    if (keypad && qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        press.VirtualKey = static_cast<std::uint8_t>(0x60 + (qtKey - Qt::Key_0));
        return press;
    }
    if (keypad)
        if (const std::uint8_t code = Find(KeypadKeys, qtKey)) {
            press.VirtualKey = code;
            return press;
        }
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z))
        press.VirtualKey = static_cast<std::uint8_t>(qtKey);
    else if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        press.VirtualKey = static_cast<std::uint8_t>(0x70 + (qtKey - Qt::Key_F1));
    else if (const std::uint8_t code = Find(FixedKeys, qtKey))
        press.VirtualKey = code;
    else
        press.VirtualKey = Find(SymbolKeys, qtKey);
    return press;
}

} // namespace mv
