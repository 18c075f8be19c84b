#include "core/filer/field_model.h"

#include "core/filer/field_data.h"
#include "core/typedvalues/sjis_utf8.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <limits>

namespace mv {
namespace {

// The values a width holds when read back: widths 1 and 2 are unsigned.
std::int64_t WidthMaximum(std::int32_t width) {
    if (width == 1) return 0xFF;
    if (width == 2) return 0xFFFF;
    return std::numeric_limits<std::int32_t>::max();
}

std::int64_t WidthMinimum(std::int32_t width) {
    return width == 4 ? std::numeric_limits<std::int32_t>::min() : 0;
}

// "0x" and two hexadecimal digits per byte of the width.
std::string Hexadecimal(std::int32_t value, std::int32_t width) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*" PRIX32, static_cast<int>(std::clamp(width, 1, 4) * 2),
                  static_cast<std::uint32_t>(value));
    return text;
}

std::string StringRefusal(std::string_view utf8, std::int32_t length) {
    const std::string shiftJis = Utf8ToShiftJis(utf8);
    // The conversion stands '?' for a character the code page lacks; a '?' byte is never
    // part of a double-byte character.
    if (std::ranges::count(shiftJis, '?') != std::ranges::count(utf8, '?'))
        return "Shift JIS で表せない文字は入力できません.";
    if (shiftJis.size() > static_cast<std::size_t>(length))
        return "文字列が長すぎます. この欄には " + std::to_string(length) +
               " バイトまで入力できます.";
    return {};
}

} // namespace

void TFieldModel::ReadFrom(const TFilerTarget& target) {
    changed_ = false;
    refusal_.clear();
    inRange_ = FieldInRange(target, item_.Address, item_.Width);
    if (!inRange_) return;
    std::vector<Byte> bytes(static_cast<std::size_t>(item_.Width));
    target.ReadBytes(bytes, static_cast<Address>(item_.Address));
    Show(bytes);
}

void TFieldModel::WriteTo(TFilerTarget& target) {
    if (!inRange_ || !changed_ || !FieldInRange(target, item_.Address, item_.Width)) return;
    std::vector<Byte> current(static_cast<std::size_t>(item_.Width));
    target.ReadBytes(current, static_cast<Address>(item_.Address));
    const std::vector<Byte> bytes = Encode(current);
    // A refused write (view-only) leaves the change to be applied later.
    if (bytes != current && !target.OverwriteInPlace(bytes, static_cast<Address>(item_.Address)))
        return;
    Hold();
    changed_ = false;
}

bool TFieldModel::TakeChange(bool differs) {
    if (!inRange_) return false;
    changed_ = differs;
    return true;
}

TIntegerLimits TIntegerFieldModel::Limits() const {
    const TIntegerLimits width{WidthMinimum(Item().Width), WidthMaximum(Item().Width)};
    if (Item().Minimum == Item().Maximum) return width;
    const TIntegerLimits filer{std::max<std::int64_t>(width.Low, Item().Minimum),
                               std::min<std::int64_t>(width.High, Item().Maximum)};
    // Limits beyond the width (300 to 400 for one byte) would refuse every value the field
    // can hold, and name an empty range; the filer meant no limit the width could keep.
    return filer.Low <= filer.High ? filer : width;
}

std::string TIntegerFieldModel::CheckValue(std::int64_t value) const {
    const TIntegerLimits limits = Limits();
    if (value >= limits.Low && value <= limits.High) return {};
    return "値は " + std::to_string(limits.Low) + " ～ " + std::to_string(limits.High) +
           " の範囲で指定して下さい.";
}

std::string TIntegerFieldModel::SetValue(std::int64_t value) {
    std::string message = value == held_ ? std::string() : CheckValue(value);
    SetRefusal(message);
    if (message.empty() && TakeChange(value != held_)) value_ = static_cast<std::int32_t>(value);
    return message;
}

std::string TIntegerFieldModel::SetText(std::string_view text) {
    const bool negative = text.starts_with('-');
    const std::string_view digits = text.substr(negative ? 1 : 0);
    if (digits.empty() ||
        !std::ranges::all_of(digits, [](char c) { return c >= '0' && c <= '9'; })) {
        std::string message = "整数値を入力して下さい.";
        SetRefusal(message);
        return message;
    }
    // Held at a value beyond every limit, so that a long number is refused for its size.
    constexpr std::int64_t Beyond = std::int64_t{1} << 40;
    std::int64_t value = 0;
    for (const char digit : digits)
        value = std::min(value * 10 + (digit - '0'), Beyond);
    return SetValue(negative ? -value : value);
}

void TIntegerFieldModel::Show(std::span<const Byte> bytes) {
    value_ = held_ = IntegerOfBytes(bytes, Item().BigEndian);
}

std::vector<Byte> TIntegerFieldModel::Encode(std::span<const Byte>) const {
    return IntegerBytes(value_, Item().Width, Item().BigEndian);
}

std::string TStringFieldModel::SetText(std::string_view utf8) {
    std::string message = StringRefusal(utf8, Item().Width);
    SetRefusal(message);
    if (message.empty() && TakeChange(utf8 != held_)) text_ = utf8;
    return message;
}

void TStringFieldModel::Show(std::span<const Byte> bytes) {
    text_ = held_ = ShiftJisToUtf8(TextOfBytes(bytes));
}

std::vector<Byte> TStringFieldModel::Encode(std::span<const Byte>) const {
    return TextBytes(Utf8ToShiftJis(text_), Item().Width, Item().Pad);
}

void TBitFieldModel::SetChecked(bool checked) {
    if (TakeChange(checked != held_)) checked_ = checked;
}

void TBitFieldModel::Show(std::span<const Byte> bytes) {
    checked_ = held_ = ((bytes[0] >> (Item().Bit & 7)) & 1u) != 0;
}

std::vector<Byte> TBitFieldModel::Encode(std::span<const Byte> current) const {
    return {WithBit(current[0], Item().Bit, checked_)};
}

TSelectFieldModel::TSelectFieldModel(TFilerItem item) : TFieldModel(std::move(item)) {
    for (const TFilerOption& option : Item().Options)
        items_.push_back({ShiftJisToUtf8(option.Label), option.Value});
    // Until a read finds the field in the data, the list shows its first option.
    if (!items_.empty()) selected_ = held_ = 0;
}

void TSelectFieldModel::Select(int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < items_.size() &&
        TakeChange(index != held_))
        selected_ = index;
}

void TSelectFieldModel::Show(std::span<const Byte> bytes) {
    if (unlisted_) items_.erase(items_.begin());
    unlisted_ = false;
    const std::int32_t value = IntegerOfBytes(bytes, Item().BigEndian);
    selected_ = -1;
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].Value == value) selected_ = static_cast<int>(i);
    if (selected_ < 0) {
        items_.insert(items_.begin(),
                      {Hexadecimal(value, Item().Width) + " (一覧にない値)", value});
        unlisted_ = true;
        selected_ = 0;
    }
    held_ = selected_;
}

std::vector<Byte> TSelectFieldModel::Encode(std::span<const Byte>) const {
    return IntegerBytes(items_[static_cast<std::size_t>(selected_)].Value, Item().Width,
                        Item().BigEndian);
}

std::unique_ptr<TFieldModel> MakeFieldModel(const TFilerItem& item) {
    switch (item.Kind) {
    case TFilerItemKind::EditInteger:
        return std::make_unique<TIntegerFieldModel>(item);
    case TFilerItemKind::EditString:
        return std::make_unique<TStringFieldModel>(item);
    case TFilerItemKind::EditBit:
        return std::make_unique<TBitFieldModel>(item);
    case TFilerItemKind::EditSelect:
        return std::make_unique<TSelectFieldModel>(item);
    case TFilerItemKind::Label:
    case TFilerItemKind::HorizontalRule:
    case TFilerItemKind::Message:
        break;
    }
    return nullptr;
}

} // namespace mv
