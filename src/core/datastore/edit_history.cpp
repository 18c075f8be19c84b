#include "core/datastore/edit_history.h"

#include "core/datastore/memory_module.h"
#include "core/host/host_services.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iterator>
#include <new>
#include <optional>
#include <string_view>

namespace mv {

namespace {

constexpr std::string_view kFlushQuestion =
    "履歴を消去しようとしています.\r\n"
    "この処理を行うと今まで行った処理を元に戻したりやり直し出来なくなります.\r\n"
    "履歴の消去を実行しますか？";

bool CarriesData(TEditKind kind) {
    return kind <= TEditKind::Replace;
}
bool TakesCount(TEditKind kind) {
    return kind >= TEditKind::Replace;
}
bool IsRotation(TEditKind kind) {
    return kind == TEditKind::BitRotation || kind == TEditKind::ByteRotation;
}

TRecordBytes CopyOf(const Byte* src, ByteCount length) {
    TRecordBytes bytes(length);
    if (length > 0) std::memcpy(bytes.Data(), src, length);
    return bytes;
}

// The bytes from address on, at most length of them; the caller keeps address within 0..Size.
TRecordBytes ReadOf(const TMemoryModule& module, Address address, ByteCount length) {
    TRecordBytes bytes(std::min(length, module.Size() - address));
    // Bytes the file could not give must never come back with an undo.
    if (!module.ReadBytes(bytes.Data(), address, bytes.Length()))
        throw TSourceError(module.SourceFault() != 0 ? module.SourceFault() : EIO);
    return bytes;
}

// Puts bytes at address in place of the `replaced` bytes there (all inside the data),
// touching only the difference: the common length is overwritten in place, the surplus
// inserted or deleted. The one step that can allocate, the insertion, comes first, so running
// out of memory leaves the module as it was; equal lengths (undoing typed overwrites) never
// allocate and never split a block.
void Substitute(TMemoryModule& module, Address address, const TRecordBytes& bytes,
                ByteCount replaced) {
    const ByteCount common = std::min(bytes.Length(), replaced);
    if (bytes.Length() > common)
        module.InsertBytes(bytes.Data() + common, address + common, bytes.Length() - common);
    module.OverwriteBytes(bytes.Data(), address, common);
    if (replaced > common) module.DeleteBytes(address + common, replaced - common);
}

} // namespace

bool TEditHistory::ChangesSize(const TEditRequest& request) const {
    const Address size = module_.Size();
    const ByteCount inside = std::clamp<ByteCount>(size - request.Address, 0, request.Count);
    switch (request.Kind) {
    case TEditKind::Insert:
        return request.Length > 0;
    case TEditKind::Overwrite:
        return request.Address + request.Length > size;
    case TEditKind::Replace:
        return request.Length != inside;
    case TEditKind::Delete:
        return inside > 0;
    default:
        return false;
    }
}

TEditHistory::TEditHistory(TMemoryModule& module, THostServices& host)
    : module_(module), host_(host) {}

void TEditHistory::Apply(const TEditRequest& request, bool moveCaret) {
    // A change that needs bytes the file cannot give is refused whole: the record is built
    // and the file read before anything changes.
    if (module_.FixedSize() && ChangesSize(request)) {
        host_.MessageDlgBeep(FixedSizeRefusal, TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
        return;
    }
    Records pending;
    try {
        std::optional<TEditRecord> record = BuildRecord(request);
        if (!record) return;
        // The record gets its list node before the module changes, so that linking it in
        // afterwards cannot fail.
        pending.push_back(std::move(*record));
        Perform(pending.front());
    } catch (const TSourceError& error) {
        const TFileSource* source = module_.Source();
        host_.MessageDlgBeep(SourceFaultText(source ? source->Path() : "", error.Error),
                             TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
        return;
    } catch (const std::bad_alloc&) {
        // A file read on demand can be far larger than memory: an edit over too much of it
        // is refused, with the data as it was.
        host_.MessageDlgBeep(OutOfMemoryRefusal, TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
        return;
    }
    if (moveCaret) PlaceCaret(request.CaretAfter);

    for (auto it = next_; it != records_.end(); ++it)
        used_ -= it->Cost();
    records_.erase(next_, records_.end());
    next_ = records_.end();
    if (!indivisibleGroupDropped_) {
        used_ += pending.front().Cost();
        records_.splice(records_.end(), pending);
        Trim();
    }
    Changed();
}

void TEditHistory::Undo() {
    if (!CanUndo()) return;
    const GroupNumber group = std::prev(next_)->Group;
    TCaretState caret;
    do {
        const auto current = std::prev(next_);
        Revert(*current);
        caret = current->CaretBefore;
        next_ = current;
    } while (next_ != records_.begin() && std::prev(next_)->Group == group);
    PlaceCaret(caret);
    Changed();
}

void TEditHistory::Redo() {
    if (!CanRedo()) return;
    const GroupNumber group = next_->Group;
    TCaretState caret;
    do {
        Perform(*next_);
        caret = next_->CaretAfter;
        ++next_;
    } while (next_ != records_.end() && next_->Group == group);
    PlaceCaret(caret);
    Changed();
}

void TEditHistory::Clear() {
    records_.clear();
    indivisibleGroupDropped_ = false;
    next_ = records_.end();
    used_ = 0;
    Changed();
}

void TEditHistory::Flush() {
    if (records_.empty()) return;
    const TModalResult answer = host_.MessageDlgBeep(kFlushQuestion, TMsgDlgType::mtConfirmation,
                                                     {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbAbort});
    if (answer == mrYes) Clear();
}

void TEditHistory::ApplySettings(std::int32_t undoBufferKilobytes, bool undoPacked) {
    capacity_ = std::int64_t{std::max(undoBufferKilobytes, 0)} * 1024;
    UndoPacked = undoPacked;
    if (Trim()) Changed();
}

int TEditHistory::Usage() const {
    return capacity_ > 0 ? static_cast<int>(used_ * 100 / capacity_) : 0;
}

std::optional<TEditRecord> TEditHistory::BuildRecord(const TEditRequest& request) const {
    const TEditKind kind = request.Kind;
    if (request.Address < 0 || kind > TEditKind::DecrementBig) return std::nullopt;
    if (CarriesData(kind) && (request.Length < 0 || (request.Length > 0 && !request.Data)))
        return std::nullopt;
    if (TakesCount(kind) && request.Count < 0) return std::nullopt;
    if (IsRotation(kind) && request.Length == 0) return std::nullopt;

    TEditRecord record;
    record.Kind = kind;
    record.Group = group_;
    record.CaretBefore = request.CaretBefore;
    record.CaretAfter = request.CaretAfter;
    // Bytes written at or past the end land at the end; recording where they really went is
    // what lets the undo find them.
    record.Address =
        kind <= TEditKind::Delete ? std::min(request.Address, module_.Size()) : request.Address;
    switch (kind) {
    case TEditKind::Insert:
        record.NewData = CopyOf(request.Data, request.Length);
        break;
    case TEditKind::Overwrite:
        record.OldData = ReadOf(module_, record.Address, request.Length);
        record.NewData = CopyOf(request.Data, request.Length);
        break;
    case TEditKind::Replace:
        record.OldData = ReadOf(module_, record.Address, request.Count);
        record.NewData = CopyOf(request.Data, request.Length);
        break;
    case TEditKind::Delete:
        record.OldData = ReadOf(module_, record.Address, request.Count);
        break;
    case TEditKind::BitRotation:
    case TEditKind::ByteRotation:
        record.Amount = static_cast<std::int32_t>(request.Length);
        record.Count = request.Count;
        break;
    default:
        record.Count = request.Count;
        break;
    }
    return record;
}

void TEditHistory::Perform(const TEditRecord& record) {
    const Address address = record.Address;
    const ByteCount count = record.Count;
    switch (record.Kind) {
    case TEditKind::Insert:
        module_.InsertBytes(record.NewData.Data(), address, record.NewData.Length());
        break;
    case TEditKind::Overwrite:
        module_.OverwriteBytes(record.NewData.Data(), address, record.NewData.Length());
        break;
    case TEditKind::Replace:
        Substitute(module_, address, record.NewData, record.OldData.Length());
        break;
    case TEditKind::Delete:
        module_.DeleteBytes(address, record.OldData.Length());
        break;
    case TEditKind::BitRotation:
    case TEditKind::ByteRotation:
        // A negative amount turns a right rotation into a left one.
        module_.RotateBitsRight(address, count, RotationBits(record));
        break;
    case TEditKind::BitReversal:
        module_.ReverseBits(address, count);
        break;
    case TEditKind::BitInversion:
        module_.NotBits(address, count);
        break;
    case TEditKind::ByteReversal:
        module_.ReverseBytes(address, count);
        break;
    case TEditKind::IncrementLittle:
        module_.IncrementLittle(address, count);
        break;
    case TEditKind::DecrementLittle:
        module_.DecrementLittle(address, count);
        break;
    case TEditKind::IncrementBig:
        module_.IncrementBig(address, count);
        break;
    case TEditKind::DecrementBig:
        module_.DecrementBig(address, count);
        break;
    }
    module_.SetModified(true);
}

void TEditHistory::Revert(const TEditRecord& record) {
    const Address address = record.Address;
    const ByteCount count = record.Count;
    switch (record.Kind) {
    case TEditKind::Insert:
        module_.DeleteBytes(address, record.NewData.Length());
        break;
    case TEditKind::Overwrite:
    case TEditKind::Replace:
        Substitute(module_, address, record.OldData, record.NewData.Length());
        break;
    case TEditKind::Delete:
        module_.InsertBytes(record.OldData.Data(), address, record.OldData.Length());
        break;
    case TEditKind::BitRotation:
    case TEditKind::ByteRotation:
        module_.RotateBitsLeft(address, count, RotationBits(record));
        break;
    case TEditKind::BitReversal:
    case TEditKind::BitInversion:
    case TEditKind::ByteReversal:
        Perform(record);
        break;
    case TEditKind::IncrementLittle:
        module_.DecrementLittle(address, count);
        break;
    case TEditKind::DecrementLittle:
        module_.IncrementLittle(address, count);
        break;
    case TEditKind::IncrementBig:
        module_.DecrementBig(address, count);
        break;
    case TEditKind::DecrementBig:
        module_.IncrementBig(address, count);
        break;
    }
    module_.SetModified(true);
}

std::int32_t TEditHistory::RotationBits(const TEditRecord& record) const {
    if (record.Kind == TEditKind::BitRotation) return record.Amount;
    // Whole turns of the range change nothing; dropping them first keeps amount × 8 in range.
    const std::int64_t span =
        std::clamp<std::int64_t>(std::int64_t{module_.Size()} - record.Address, 0, record.Count);
    if (span == 0) return 0;
    return static_cast<std::int32_t>(record.Amount % span * 8);
}

bool TEditHistory::Trim() {
    bool dropped = false;
    while (used_ > capacity_ && !records_.empty()) {
        if (UndoOverflowSound) host_.Beep();
        const GroupNumber group = records_.front().Group;
        do {
            // Once the applied records are gone, next_ follows the front: whatever remains
            // stays redoable.
            const bool wasNext = next_ == records_.begin();
            if (groupIndivisible_ && !wasNext && records_.front().Group == group_)
                indivisibleGroupDropped_ = true;
            used_ -= records_.front().Cost();
            records_.pop_front();
            if (wasNext) next_ = records_.begin();
        } while (!records_.empty() && records_.front().Group == group);
        dropped = true;
    }
    return dropped;
}

void TEditHistory::PlaceCaret(TCaretState caret) const {
    if (OnPlaceCaret) OnPlaceCaret(caret);
}

void TEditHistory::Changed() const {
    if (OnChange) OnChange();
}

} // namespace mv
