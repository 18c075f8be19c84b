#include "core/filer/editor_filer_target.h"

#include "core/binaryview/editor_core.h"

namespace mv {

Address TEditorFilerTarget::Size() const {
    return editor_.Module().Size();
}

void TEditorFilerTarget::ReadBytes(std::span<Byte> dest, Address address) const {
    editor_.Module().ReadBytes(dest.data(), address, static_cast<ByteCount>(dest.size()));
}

bool TEditorFilerTarget::OverwriteInPlace(std::span<const Byte> bytes, Address address) {
    return editor_.OverwriteInPlace(bytes, address);
}

void TEditorFilerTarget::CloseUndoStep() {
    editor_.CloseUndoStep();
}

bool TEditorFilerTarget::ViewOnly() const {
    return editor_.InputMode() == TInputMode::ViewOnly;
}

} // namespace mv
