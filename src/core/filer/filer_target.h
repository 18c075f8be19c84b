#pragma once

#include "core/datastore/address.h"

#include <span>

namespace mv {

// The document data that filer runs and field editors read and write: in the program the
// editor core (TEditorFilerTarget), in tests a plain byte vector.
class TFilerTarget {
public:
    virtual ~TFilerTarget() = default;

    [[nodiscard]] virtual Address Size() const = 0;
    // Copies bytes out; bytes past the end read as 0.
    virtual void ReadBytes(std::span<Byte> dest, Address address) const = 0;
    // Overwrites inside the current undo step without moving the caret; refused (false) in
    // view-only mode.
    virtual bool OverwriteInPlace(std::span<const Byte> bytes, Address address) = 0;
    // Ends the current undo step, so that the next write starts another.
    virtual void CloseUndoStep() = 0;
    [[nodiscard]] virtual bool ViewOnly() const = 0;
};

} // namespace mv
