#pragma once

#include "core/typedvalues/key_assignment.h"

#include <array>
#include <string>
#include <vector>

namespace mv {

inline constexpr int MaxFunctionButtons = 12;

// 10 buttons for keyboards whose function-key count is a multiple of 5, else 12.
[[nodiscard]] int FunctionButtonCount(int functionKeyCount);

// Where each button of the bar goes: the buttons share one width and fill the bar exactly,
// in groups of four (12 buttons) or five (10 buttons) separated by gaps.
struct TFunctionKeyLayout {
    int Width = 0;
    std::vector<int> Lefts; // one per button
};
// buttonCount is 10 or 12 (anything else lays out 12); a bar too narrow gives width 0.
[[nodiscard]] TFunctionKeyLayout FunctionKeyLayout(int buttonCount, int barWidth);

// The key index that button 0..11 stands for ("{F1}" onwards).
[[nodiscard]] KeyIndex FunctionKeyIndex(int button);

// The captions per modifier state (Shift 1, Ctrl 2, Alt 4) and button: the short label of the
// command bound to that state and function key, empty where none is bound.
using TFunctionCaptions =
    std::array<std::array<std::string, MaxFunctionButtons>, ModifierStateCount>;
[[nodiscard]] TFunctionCaptions FunctionCaptionsOf(const TKeyAssignment& assignment);

} // namespace mv
