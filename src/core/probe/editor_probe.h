#pragma once

#include "core/probe/probe_model.h"

#include <optional>
#include <string>
#include <string_view>

namespace mv {

class TEditorCore;

// A range of the data: its first byte and its length.
struct TByteRange {
    Address Start = 0;
    ByteCount Count = 0;
    friend bool operator==(const TByteRange&, const TByteRange&) = default;
};

// The data probe over one editor: the bytes at its caret in the model, its selection, and
// typed values written back at the caret.
class TEditorProbe {
public:
    explicit TEditorProbe(TEditorCore& editor) : editor_(editor) {}

    // Reads the bytes at the caret again: ProbeSpan of them at most, so that a move costs
    // the same in any file.
    void Refresh();
    [[nodiscard]] const TProbeModel& Model() const { return model_; }
    void SetByteOrder(std::endian order) { model_.SetByteOrder(order); }

    // The selected bytes that exist; nothing without a selection.
    [[nodiscard]] std::optional<TByteRange> Selection() const;

    // Writes the value typed into the row over the bytes at the caret in the model's byte
    // order, as one undo step, the caret staying; answers why nothing was written when the
    // text, the mode or the end of the data refuses it (UTF-8), else empty. A value whose
    // bytes are there already writes nothing, leaving the document unmodified.
    [[nodiscard]] std::string Commit(TProbeRow row, std::string_view text);

private:
    TEditorCore& editor_;
    TProbeModel model_;
};

// "4096 バイト (00001000h)": a selection's length in decimal and in hexadecimal.
[[nodiscard]] std::string ByteCountText(ByteCount count);

} // namespace mv
