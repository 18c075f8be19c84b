#include "ui/binaryview/cell_colors.h"

namespace mv {

TCellColors::TState TCellColors::StateOf(const TEditorCore& core) {
    TState state;
    state.Colors = core.Colors();
    state.Selection = core.Selection();
    state.Size = core.Module().Size();
    const TMemoryModule* target = core.Comparison().Target();
    state.Comparing = target != nullptr;
    state.TargetSize = target != nullptr ? target->Size() : 0;
    state.CompareColor = core.CompareColor;
    state.HighlightStart = core.HighlightStart();
    state.HighlightLength = core.HighlightLength();
    return state;
}

TCellColor TCellColors::Pair(TColorIndex font, TColorIndex background, Address a) const {
    const bool bold =
        state_.HighlightStart >= 0 && a >= state_.HighlightStart &&
        std::int64_t{a} < std::int64_t{state_.HighlightStart} + state_.HighlightLength;
    return {state_.Colors[static_cast<std::size_t>(font)],
            state_.Colors[static_cast<std::size_t>(background)], bold};
}

// A position that only one of the two files has is an over position, whatever the byte
// buffer holds for the missing side.
TCellColor TCellColors::Of(Address a, Byte mine, Byte theirs) const {
    using enum TColorIndex;
    const TSelection& selection = state_.Selection;
    if (!selection.Empty() && a >= selection.Start && a < selection.End)
        return Pair(SelectFont, SelectBG, a);
    if (!state_.Comparing) return Pair(NormalFont, NormalBG, a);
    if (a < state_.Size && a < state_.TargetSize) {
        if (mine == theirs) return Pair(NormalFont, NormalBG, a);
        if (!state_.CompareColor) return Pair(DifferenceFont, DifferenceBG, a);
        return mine <= theirs ? Pair(DifferenceSmallerFont, DifferenceSmallerBG, a)
                              : Pair(DifferenceBiggerFont, DifferenceBiggerBG, a);
    }
    return Pair(OverFont, OverBG, a);
}

TCellColor TCellColors::Eof() const {
    return Pair(TColorIndex::EofFont, TColorIndex::EofBG, state_.Size);
}

TCellColor TCellColors::Normal() const {
    return {state_.Colors[static_cast<std::size_t>(TColorIndex::NormalFont)],
            state_.Colors[static_cast<std::size_t>(TColorIndex::NormalBG)], false};
}

} // namespace mv
