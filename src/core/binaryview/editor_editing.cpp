#include "core/binaryview/editor_core.h"

#include "core/typedvalues/command_ids.h"
#include "core/typedvalues/sjis_utf8.h"
#include "core/typedvalues/unicode_chars.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mv {

namespace {

struct TRange {
    Address Start = 0;
    ByteCount Count = 0;
};

// The selected bytes that exist. A selection can outlive a change that shrank the data under
// it; its ends are cut back to Size so that nothing reads or writes past the data. Nothing
// when no selected byte remains: the operation then acts as without a selection.
std::optional<TRange> ExistingRange(const TSelection& selection, Address size) {
    if (selection.Empty()) return std::nullopt;
    const Address start = std::clamp<Address>(selection.Start, 0, size);
    const Address end = std::clamp<Address>(selection.End, 0, size);
    if (end <= start) return std::nullopt;
    return TRange{start, end - start};
}

// The range of a bit or byte operation: the selection, otherwise the whole file.
TRange OperationRange(const TSelection& selection, Address size) {
    return ExistingRange(selection, size).value_or(TRange{0, size});
}

// The caret as a position in the data: past the end it stands on the EOF cell.
TCaretState Within(TCaretState caret, Address size) {
    if (caret.Address >= 0 && caret.Address <= size) return caret;
    return {std::clamp<Address>(caret.Address, 0, size), 0};
}

// How much writing count bytes at address lengthens the data.
std::int64_t OverwriteGrowth(Address address, std::int64_t count, Address size) {
    return std::max<std::int64_t>(0, address + count - size);
}

constexpr std::size_t TypedCap = TEditorCore::MaxTypedBytes;

// The typed text with control codes dropped, up to one byte past the cap: that byte shows
// whether the last one within the cap ends a character.
std::string WithoutControls(std::string_view text) {
    std::string kept;
    for (const char c : text) {
        if (static_cast<Byte>(c) < 32) continue;
        kept.push_back(c);
        if (kept.size() > TypedCap) break;
    }
    return kept;
}

// The typed Shift JIS text that is taken: control codes dropped, at most MaxTypedBytes bytes,
// cut before a double-byte character that would not fit whole rather than between its bytes.
std::string TypedShiftJis(std::string_view text) {
    std::string kept = WithoutControls(text);
    if (kept.size() <= TypedCap) return kept;
    std::size_t end = 0;
    while (end < TypedCap) {
        const bool pair =
            IsShiftJisPair(static_cast<Byte>(kept[end]), static_cast<Byte>(kept[end + 1]));
        if (pair && end + 2 > TypedCap) break;
        end += pair ? 2 : 1;
    }
    kept.resize(end);
    return kept;
}

// The same for UTF-8, where a continuation byte tells that a cut would fall inside a character.
std::string TypedUtf8(std::string_view text) {
    std::string kept = WithoutControls(text);
    if (kept.size() <= TypedCap) return kept;
    std::size_t end = TypedCap;
    while (end > 0 && (static_cast<Byte>(kept[end]) & 0xC0) == 0x80)
        --end;
    kept.resize(end);
    return kept;
}

std::span<const Byte> BytesOf(const std::string& text) {
    return {reinterpret_cast<const Byte*>(text.data()), text.size()};
}

constexpr std::string_view ClipboardUnreadable = "クリップボードのデータを読み取れませんでした.";
constexpr std::string_view ClipboardBroken = "クリップボードのデータが壊れています.";

// What a paste takes from the clipboard: the bytes, or why it takes nothing although the
// clipboard offered data.
struct TPasteSource {
    std::vector<Byte> Bytes;
    std::string_view Refusal;
};

// Clipboard text up to its first zero byte, in the bytes typed text takes under the set: the
// set's own under the Unicode sets, Shift JIS under the others.
std::string PastedText(std::string_view utf8, CharaSet set) {
    utf8 = utf8.substr(0, utf8.find('\0'));
    return IsUnicodeSet(set) ? Utf8ToUnicodeSet(set, utf8) : Utf8ToShiftJis(utf8);
}

// The program's own payload, else the text up to its first zero byte; nothing when the
// clipboard offers neither. An offered format that arrives empty was not delivered (its owner
// vanished or timed out). The payload may come from any program: a count larger than the bytes
// that follow it, or no room for a count, is refused rather than cut to fit; bytes past the
// count are the padding of the owner's block.
TPasteSource ClipboardBytes(TEditorHost& host, CharaSet set) {
    if (std::optional<std::vector<Byte>> payload = host.ClipboardPayload()) {
        if (payload->empty()) return {{}, ClipboardUnreadable};
        if (payload->size() < 4) return {{}, ClipboardBroken};
        std::uint64_t count = 0;
        for (int i = 3; i >= 0; --i)
            count = count << 8 | (*payload)[static_cast<std::size_t>(i)];
        if (count > payload->size() - 4) return {{}, ClipboardBroken};
        payload->erase(payload->begin(), payload->begin() + 4);
        payload->resize(static_cast<std::size_t>(count));
        return {std::move(*payload), {}};
    }
    if (const std::optional<std::string> text = host.ClipboardText()) {
        if (text->empty()) return {{}, ClipboardUnreadable};
        const std::string pasted = PastedText(*text, set);
        return {{pasted.begin(), pasted.end()}, {}};
    }
    return {};
}

} // namespace

bool TEditorCore::WouldOverflow(std::int64_t growth) const {
    return module_.Size() + growth > TMemoryModule::MaxSize;
}

void TEditorCore::Apply(const TEditRequest& request, bool advanceGroup) {
    history_.Apply(request, true);
    if (advanceGroup) history_.AdvanceGroup();
}

// ---- typing

void TEditorCore::TypeHexDigit(int digit) {
    if (ViewOnly() || digit < 0 || digit > 15) return;
    bool insert = inputMode_ == TInputMode::Insert;
    if (ExistingRange(Selection(), module_.Size())) {
        Delete();
        insert = true;
    }
    const TCaretState caret = Within(Caret(), module_.Size());
    const auto nibble = static_cast<Byte>(digit);
    Byte value = 0;
    TEditKind kind = TEditKind::Overwrite;
    TCaretState after{caret.Address, 1};
    if (insert && caret.SubPosition == 0) {
        if (WouldOverflow(1)) return;
        kind = TEditKind::Insert;
        value = static_cast<Byte>(nibble << 4);
    } else {
        if (WouldOverflow(OverwriteGrowth(caret.Address, 1, module_.Size()))) return;
        module_.ReadBytes(&value, caret.Address, 1);
        if (caret.SubPosition == 0) {
            value = static_cast<Byte>(nibble << 4 | (value & 0x0F));
        } else {
            value = static_cast<Byte>((value & 0xF0) | nibble);
            after = {caret.Address + 1, 0};
        }
    }
    Apply({.Kind = kind,
           .Address = caret.Address,
           .CaretBefore = caret,
           .CaretAfter = after,
           .Data = &value,
           .Length = 1},
          !history_.UndoPacked);
}

void TEditorCore::TypeCharacters(std::string_view shiftJisText) {
    TypeBytes(BytesOf(ShiftJisTextInSet(charaSet_, TypedShiftJis(shiftJisText))));
}

void TEditorCore::TypeUtf8Characters(std::string_view utf8Text) {
    if (!IsUnicodeSet(charaSet_)) {
        TypeCharacters(Utf8ToShiftJis(utf8Text));
        return;
    }
    TypeBytes(BytesOf(Utf8ToUnicodeSet(charaSet_, TypedUtf8(utf8Text))));
}

void TEditorCore::TypeBytes(std::span<const Byte> bytes) {
    if (ViewOnly() || bytes.empty()) return;
    if (const std::optional<TRange> range = ExistingRange(Selection(), module_.Size())) {
        // Checked before the delete, so that a refused insert leaves the selection intact.
        if (WouldOverflow(std::ssize(bytes) - range->Count)) return;
        Delete();
        InsertData(bytes, range->Start);
        return;
    }
    const Address caret = Within(Caret(), module_.Size()).Address;
    if (inputMode_ == TInputMode::Insert)
        InsertData(bytes, caret);
    else
        OverwriteData(bytes, caret);
}

// ---- data entry for the typed-input commands and the filer

void TEditorCore::InsertData(std::span<const Byte> bytes, Address address) {
    WriteData(TEditKind::Insert, bytes, address);
}

void TEditorCore::OverwriteData(std::span<const Byte> bytes, Address address) {
    WriteData(TEditKind::Overwrite, bytes, address);
}

// An insertion or overwrite that leaves the caret after the written bytes, as one undo step.
void TEditorCore::WriteData(TEditKind kind, std::span<const Byte> bytes, Address address) {
    if (ViewOnly() || bytes.empty() || address < 0) return;
    address = std::min(address, module_.Size());
    const std::int64_t growth = kind == TEditKind::Insert
                                    ? std::ssize(bytes)
                                    : OverwriteGrowth(address, std::ssize(bytes), module_.Size());
    if (WouldOverflow(growth)) return;
    const auto count = static_cast<ByteCount>(bytes.size());
    Apply({.Kind = kind,
           .Address = address,
           .CaretBefore = Within(Caret(), module_.Size()),
           .CaretAfter = {address + count, 0},
           .Data = bytes.data(),
           .Length = count},
          true);
}

bool TEditorCore::OverwriteInPlace(std::span<const Byte> bytes, Address address) {
    if (ViewOnly() || address < 0) return false;
    if (bytes.empty()) return true;
    address = std::min(address, module_.Size());
    if (WouldOverflow(OverwriteGrowth(address, std::ssize(bytes), module_.Size()))) return false;
    const TCaretState caret = Within(Caret(), module_.Size());
    // The writes of one filer apply are one undo step, kept whole or not at all.
    history_.MakeGroupIndivisible();
    history_.Apply({.Kind = TEditKind::Overwrite,
                    .Address = address,
                    .CaretBefore = caret,
                    .CaretAfter = caret,
                    .Data = bytes.data(),
                    .Length = static_cast<ByteCount>(bytes.size())},
                   false);
    return true;
}

// ---- deleting

void TEditorCore::Delete() {
    if (ViewOnly()) return;
    const Address size = module_.Size();
    const TCaretState caret = Within(Caret(), size);
    TRange range{caret.Address, 1};
    if (const std::optional<TRange> selected = ExistingRange(Selection(), size)) {
        range = *selected;
        selectionState_ = TSelectionState::None;
    } else if (caret.Address >= size) {
        return;
    }
    Apply({.Kind = TEditKind::Delete,
           .Address = range.Start,
           .CaretBefore = caret,
           .CaretAfter = {range.Start, 0},
           .Count = range.Count},
          !history_.UndoPacked);
}

void TEditorCore::Backspace() {
    if (ViewOnly()) return;
    const Address size = module_.Size();
    if (ExistingRange(Selection(), size)) {
        Delete();
        return;
    }
    const TCaretState caret = Within(Caret(), size);
    // On the low nibble the byte under the caret is the one being typed, so that one goes.
    const Address target = caret.SubPosition != 0 ? caret.Address : caret.Address - 1;
    if (target < 0 || target >= size) return;
    Apply({.Kind = TEditKind::Delete,
           .Address = target,
           .CaretBefore = caret,
           .CaretAfter = {target, 0},
           .Count = 1},
          !history_.UndoPacked);
}

// ---- clipboard

void TEditorCore::Copy() {
    const std::optional<TRange> range = ExistingRange(Selection(), module_.Size());
    if (!range) return;
    // The clipboard's own format counts in 32 bits.
    if (range->Count > std::numeric_limits<std::uint32_t>::max()) {
        host_.MessageDlgBeep(CopyTooLargeRefusal, TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
        return;
    }
    std::vector<Byte> payload(4 + static_cast<std::size_t>(range->Count));
    const auto count = static_cast<std::uint32_t>(range->Count);
    for (std::size_t i = 0; i < 4; ++i)
        payload[i] = static_cast<Byte>(count >> (8 * i));
    if (!module_.ReadBytes(payload.data() + 4, range->Start, range->Count)) {
        ReportSourceFault();
        return;
    }
    host_.SetClipboardPayload(payload);
    Changed();
}

void TEditorCore::Paste() {
    if (ViewOnly()) return;
    const TPasteSource source = ClipboardBytes(host_, charaSet_);
    if (!source.Refusal.empty()) {
        host_.MessageDlgBeep(source.Refusal, TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
        return;
    }
    EnterData(source.Bytes);
}

void TEditorCore::EnterData(std::span<const Byte> bytes) {
    if (ViewOnly() || bytes.empty()) return;
    const Address size = module_.Size();
    const TCaretState caret = Within(Caret(), size);
    const std::optional<TRange> range = ExistingRange(Selection(), size);
    const std::int64_t n = std::ssize(bytes);
    const std::int64_t growth = range ? n - range->Count
                                : inputMode_ == TInputMode::Insert
                                    ? n
                                    : OverwriteGrowth(caret.Address, n, size);
    if (WouldOverflow(growth)) return;
    // Past the overflow test the data fits in the address space, and so does its length.
    const auto length = static_cast<ByteCount>(n);
    const Address address = range ? range->Start : caret.Address;
    TEditKind kind = inputMode_ == TInputMode::Insert ? TEditKind::Insert : TEditKind::Overwrite;
    if (range) {
        kind = TEditKind::Replace;
        selectionState_ = TSelectionState::None;
    }
    Apply({.Kind = kind,
           .Address = address,
           .CaretBefore = caret,
           .CaretAfter = {address + length, 0},
           .Data = bytes.data(),
           .Length = length,
           .Count = range ? range->Count : 0},
          true);
}

bool TEditorCore::CanPaste() {
    return host_.ClipboardOffersData();
}

// ---- bit, byte and integer operations

void TEditorCore::RangeOperation(CommandId command) {
    const Address size = module_.Size();
    if (ViewOnly() || size == 0) return;
    TEditKind kind{};
    switch (command) {
    case cmd::INTINC:
    case cmd::INTDEC:
        StepInteger(command == cmd::INTINC);
        return;
    case cmd::BITROLLL:
    case cmd::BITROLLR:
        Rotate(command == cmd::BITROLLL, 1);
        return;
    // The byte commands ask for a file of two bytes, whatever the selection: on one selected
    // byte they change nothing but are still an undo step.
    case cmd::BYTEROLLL:
    case cmd::BYTEROLLR:
        if (size >= 2) Rotate(command == cmd::BYTEROLLL, 8);
        return;
    case cmd::BYTEREVERSE:
        if (size < 2) return;
        kind = TEditKind::ByteReversal;
        break;
    case cmd::BITNOT:
        kind = TEditKind::BitInversion;
        break;
    case cmd::BITREVERSE:
        kind = TEditKind::BitReversal;
        break;
    default:
        return;
    }
    const TCaretState caret = Within(Caret(), size);
    const TRange range = OperationRange(Selection(), size);
    Apply({.Kind = kind,
           .Address = range.Start,
           .CaretBefore = caret,
           .CaretAfter = caret,
           .Count = range.Count},
          true);
}

void TEditorCore::Rotate(bool left, std::int64_t bits) {
    const Address size = module_.Size();
    if (ViewOnly() || size == 0 || bits < 1) return;
    const TRange range = OperationRange(Selection(), size);
    // Whole turns beyond the first are dropped; a rotation by whole turns changes no byte but
    // is still recorded, as one turn.
    const std::int64_t turn = std::int64_t{range.Count} * 8;
    std::int64_t remaining = bits % turn;
    if (remaining == 0) remaining = turn;
    const TCaretState caret = Within(Caret(), size);
    // A request carries a 32-bit amount; a turn of a selection above 256 MiB can need more and
    // then goes in several requests that undo as one step.
    history_.MakeGroupIndivisible();
    while (remaining > 0) {
        const auto step = static_cast<std::int32_t>(
            std::min<std::int64_t>(remaining, std::numeric_limits<std::int32_t>::max()));
        Apply({.Kind = TEditKind::BitRotation,
               .Address = range.Start,
               .CaretBefore = caret,
               .CaretAfter = caret,
               .Length = left ? -step : step,
               .Count = range.Count},
              false);
        remaining -= step;
    }
    history_.AdvanceGroup();
}

void TEditorCore::StepInteger(bool increment) {
    if (ViewOnly()) return;
    const Address size = module_.Size();
    const TCaretState caret = Within(Caret(), size);
    TRange range{caret.Address, 1};
    if (const std::optional<TRange> selected = ExistingRange(Selection(), size))
        range = *selected;
    else if (caret.Address >= size)
        return;
    const bool little = ByteOrder == TByteOrder::LittleEndian;
    const TEditKind kind = increment
                               ? (little ? TEditKind::IncrementLittle : TEditKind::IncrementBig)
                               : (little ? TEditKind::DecrementLittle : TEditKind::DecrementBig);
    Apply({.Kind = kind,
           .Address = range.Start,
           .CaretBefore = caret,
           .CaretAfter = caret,
           .Count = range.Count},
          true);
}

} // namespace mv
