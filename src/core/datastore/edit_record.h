#pragma once

#include "core/datastore/address.h"
#include "core/datastore/edit_request.h"

#include <array>
#include <cstdint>
#include <memory>

namespace mv {

// Bytes kept by an edit record. Up to four live inside the value, so typing and integer
// steps allocate nothing for their data; longer runs go to the heap.
class TRecordBytes {
public:
    static constexpr ByteCount InlineCapacity = 4;

    TRecordBytes() = default;
    // Room for length bytes, to be filled through Data(); throws std::bad_alloc.
    explicit TRecordBytes(ByteCount length) : length_(length) {
        if (length > InlineCapacity) heap_ = std::make_unique_for_overwrite<Byte[]>(length);
    }

    [[nodiscard]] Byte* Data() { return heap_ ? heap_.get() : inline_.data(); }
    [[nodiscard]] const Byte* Data() const { return heap_ ? heap_.get() : inline_.data(); }
    [[nodiscard]] ByteCount Length() const { return length_; }
    // What the bytes add to the history's budget: nothing while they fit inline.
    [[nodiscard]] std::int64_t Cost() const { return length_ > InlineCapacity ? length_ : 0; }

private:
    std::array<Byte, InlineCapacity> inline_{};
    std::unique_ptr<Byte[]> heap_;
    ByteCount length_ = 0;
};

// One recorded change: enough to revert it and to perform it again.
struct TEditRecord {
    static constexpr std::int64_t BaseCost = 60;

    TEditKind Kind = TEditKind::Insert;
    std::uint32_t Group = 0;
    TCaretState CaretBefore;
    TCaretState CaretAfter;
    mv::Address Address = 0;
    TRecordBytes OldData;
    TRecordBytes NewData;
    ByteCount Count = 0;     // bytes affected by kinds 4 to 12
    std::int32_t Amount = 0; // signed rotation amount of kinds 4 and 7 (negative = left)

    [[nodiscard]] std::int64_t Cost() const { return BaseCost + OldData.Cost() + NewData.Cost(); }
};

} // namespace mv
