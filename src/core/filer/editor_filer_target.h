#pragma once

#include "core/filer/filer_target.h"

namespace mv {

class TEditorCore;

// A document's editor core as the target of filer runs and field editors. Writes of bytes
// that the data already holds are skipped.
class TEditorFilerTarget final : public TFilerTarget {
public:
    explicit TEditorFilerTarget(TEditorCore& editor) : editor_(editor) {}

    [[nodiscard]] Address Size() const override;
    void ReadBytes(std::span<Byte> dest, Address address) const override;
    bool OverwriteInPlace(std::span<const Byte> bytes, Address address) override;
    void CloseUndoStep() override;
    [[nodiscard]] bool ViewOnly() const override;

private:
    TEditorCore& editor_;
};

} // namespace mv
