#pragma once

#include "core/binaryview/editor_core.h"
#include "core/config/environment.h"

namespace mv {

// The colours a cell is drawn in, as stored colour values, and whether its font is bold.
struct TCellColor {
    TColor Font = 0;
    TColor Background = 0;
    bool Bold = false;
    friend bool operator==(const TCellColor&, const TCellColor&) = default;
};

// The colour choice of one paint: the selection first, then the comparison (difference,
// bigger or smaller, positions present in one file only), then the normal colours; bold
// inside the highlighted range (a search or compare hit).
class TCellColors {
public:
    struct TState {
        TColors Colors{};
        TSelection Selection;
        Address Size = 0;
        bool Comparing = false;
        Address TargetSize = 0;
        bool CompareColor = true;
        Address HighlightStart = -1;
        ByteCount HighlightLength = 0;
    };

    explicit TCellColors(const TState& state) : state_(state) {}
    // The state of the editor as a paint sees it.
    [[nodiscard]] static TState StateOf(const TEditorCore& core);

    // The colours of address a, whose byte is `mine` here and `theirs` in the compared file.
    [[nodiscard]] TCellColor Of(Address a, Byte mine, Byte theirs) const;
    // The "EOF" cell at Size.
    [[nodiscard]] TCellColor Eof() const;
    [[nodiscard]] TCellColor Normal() const;

private:
    [[nodiscard]] TCellColor Pair(TColorIndex font, TColorIndex background, Address a) const;

    TState state_;
};

} // namespace mv
