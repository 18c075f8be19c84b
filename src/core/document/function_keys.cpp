#include "core/document/function_keys.h"

#include <algorithm>
#include <array>

namespace mv {

int FunctionButtonCount(int functionKeyCount) { return functionKeyCount % 5 == 0 ? 10 : 12; }

TFunctionKeyLayout FunctionKeyLayout(int buttonCount, int barWidth) {
    const bool ten = buttonCount == 10;
    const int count = ten ? 10 : 12;
    const int groupSize = ten ? 5 : 4;
    const int margin = ten ? 4 : 8;
    TFunctionKeyLayout layout;
    layout.Width = std::max(0, (barWidth - margin) / count);
    // What the equal widths leave over goes into the gaps between the groups, so the last
    // button ends at the bar's right edge.
    const int rest = std::max(0, barWidth - count * layout.Width - margin);
    const std::array<int, 2> gaps =
        ten ? std::array<int, 2>{std::max(0, barWidth - count * layout.Width), 0}
            : std::array<int, 2>{rest / 2 + 4, rest / 2 + 4 + rest % 2};
    int left = 0;
    for (int button = 0; button < count; ++button) {
        if (button > 0 && button % groupSize == 0) left += gaps[static_cast<std::size_t>(button / groupSize - 1)];
        layout.Lefts.push_back(left);
        left += layout.Width;
    }
    return layout;
}

KeyIndex FunctionKeyIndex(int button) {
    static const auto f1 = static_cast<KeyIndex>(
        std::find(KeyNames().begin(), KeyNames().end(), "{F1}") - KeyNames().begin());
    return f1 + button;
}

TFunctionCaptions FunctionCaptionsOf(const TKeyAssignment& assignment) {
    TFunctionCaptions captions;
    for (ModifierState state = 0; state < ModifierStateCount; ++state) {
        for (int button = 0; button < MaxFunctionButtons; ++button) {
            const TCommandEntry* entry = CommandEntryOf(assignment.Key(state, FunctionKeyIndex(button)));
            if (entry) captions[static_cast<std::size_t>(state)][static_cast<std::size_t>(button)] = entry->ShortLabel;
        }
    }
    return captions;
}

} // namespace mv
