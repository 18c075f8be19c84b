#include "core/filer/editor_filer_target.h"

#include "core/binaryview/editor_core.h"

#include <algorithm>
#include <vector>

namespace mv {

Address TEditorFilerTarget::Size() const {
    return editor_.Module().Size();
}

void TEditorFilerTarget::ReadBytes(std::span<Byte> dest, Address address) const {
    editor_.Module().ReadBytes(dest.data(), address, static_cast<ByteCount>(dest.size()));
}

// Bytes equal to those in the data are not written, so that a run or an apply that changes
// nothing leaves the document unmodified and adds no undo step.
bool TEditorFilerTarget::OverwriteInPlace(std::span<const Byte> bytes, Address address) {
    std::vector<Byte> current(bytes.size());
    ReadBytes(current, address);
    if (address >= 0 && std::ranges::equal(current, bytes) &&
        static_cast<std::int64_t>(address) + std::ssize(bytes) <= Size())
        return true;
    return editor_.OverwriteInPlace(bytes, address);
}

void TEditorFilerTarget::CloseUndoStep() {
    editor_.CloseUndoStep();
}

bool TEditorFilerTarget::ViewOnly() const {
    return editor_.InputMode() == TInputMode::ViewOnly;
}

} // namespace mv
