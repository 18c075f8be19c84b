#include "core/probe/editor_probe.h"

#include "core/binaryview/editor_core.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace mv {

void TEditorProbe::Refresh() {
    const TMemoryModule& module = editor_.Module();
    const Address caret = editor_.CaretAddress();
    const auto count = static_cast<std::size_t>(
        std::clamp<ByteCount>(module.Size() - caret, 0, static_cast<ByteCount>(ProbeSpan)));
    std::array<Byte, ProbeSpan> bytes;
    module.ReadBytes(bytes.data(), caret, static_cast<ByteCount>(count));
    model_.SetBytes(std::span(bytes).first(count));
}

// As the editor's range operations see a selection: cut back to the data, which an edit may
// have shrunk under it.
std::optional<TByteRange> TEditorProbe::Selection() const {
    const TSelection selection = editor_.Selection();
    if (selection.Empty()) return std::nullopt;
    const Address size = editor_.Module().Size();
    const Address start = std::clamp<Address>(selection.Start, 0, size);
    const Address end = std::clamp<Address>(selection.End, 0, size);
    if (end <= start) return std::nullopt;
    return TByteRange{start, end - start};
}

std::string TEditorProbe::Commit(TProbeRow row, std::string_view text) {
    if (editor_.InputMode() == TInputMode::ViewOnly) return "閲覧モードでは書き込めません.";
    Refresh();
    const TProbeEdit edit = model_.Edit(row, text);
    if (!edit.Refusal.empty()) return edit.Refusal;
    if (model_.Holds(edit.Bytes)) return {};
    // An undo step of its own: typing just before must not take this value along.
    editor_.CloseUndoStep();
    // The mode and the end of the data were checked: the write is never refused.
    (void)editor_.OverwriteInPlace(edit.Bytes, editor_.CaretAddress());
    editor_.CloseUndoStep();
    Refresh();
    return {};
}

std::string ByteCountText(ByteCount count) {
    std::array<char, 64> text;
    std::snprintf(text.data(), text.size(), "%lld バイト (%08llXh)", static_cast<long long>(count),
                  static_cast<unsigned long long>(count));
    return text.data();
}

} // namespace mv
