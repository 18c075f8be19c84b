#pragma once

#include "core/datastore/address.h"

#include <cstdint>

namespace mv {

// Where the caret stands: an address and, inside the byte, 0 = high nibble or start of the
// byte, 1 = low nibble.
struct TCaretState {
    mv::Address Address = 0;
    std::uint8_t SubPosition = 0;

    friend bool operator==(const TCaretState&, const TCaretState&) = default;
};

// The kinds of change the edit history records, in their stored numbering.
enum class TEditKind : std::uint8_t {
    Insert = 0,
    Overwrite = 1,
    Replace = 2,
    Delete = 3,
    BitRotation = 4,
    BitReversal = 5,
    BitInversion = 6,
    ByteRotation = 7,
    ByteReversal = 8,
    IncrementLittle = 9,
    DecrementLittle = 10,
    IncrementBig = 11,
    DecrementBig = 12,
};

// One change handed to the edit history. Data is borrowed for the duration of the apply.
struct TEditRequest {
    TEditKind Kind = TEditKind::Insert;
    mv::Address Address = 0;
    TCaretState CaretBefore; // where the caret goes when the change is undone
    TCaretState CaretAfter;  // where the caret goes when the change is applied or redone
    const Byte* Data = nullptr;
    // New bytes for insert, overwrite and replace; the signed rotation amount for the
    // rotations (negative = left).
    ByteCount Length = 0;
    // Bytes affected, for replace and every later kind.
    ByteCount Count = 0;
};

} // namespace mv
