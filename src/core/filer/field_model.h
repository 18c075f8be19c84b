#pragma once

#include "core/datastore/address.h"
#include "core/filer/filer_field.h"
#include "core/filer/filer_layout.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mv {

// The state of one field editor of the filer tool, without its widget: the value as the
// editor shows it and whether the user changed it since the last read or apply.
//
// A field writes only what the user changed, and only bytes that differ from the data.
// So an apply without an edit leaves every byte as it was read, whatever the editor could
// not show: a string's unprintable bytes, an option value the list lacks, an integer outside
// its limits. An edit put back to the value the field holds (read, or written by the last
// apply) is no change at all. A field that was out of range at the last read takes no value,
// writes nothing and goes on showing what it showed before (right after building: 0, an
// empty text, a clear bit, a list's first option); one that has fallen out of range since
// writes nothing either, and stays Changed.
class TFieldModel : public TFilerField {
public:
    explicit TFieldModel(TFilerItem item) : item_(std::move(item)) {}

    void ReadFrom(const TFilerTarget& target) final;
    void WriteTo(TFilerTarget& target) final;

    [[nodiscard]] const TFilerItem& Item() const { return item_; }
    // The last read found every byte of the field inside the data; otherwise the editor
    // and its jump button are disabled.
    [[nodiscard]] bool InRange() const { return inRange_; }
    // The shown value differs from the one the field holds, so the next apply writes it.
    // Still true after an apply that could not write it: the field no longer lies in the data.
    [[nodiscard]] bool Changed() const { return changed_; }
    // The message for the user's last input when the field refused it (UTF-8), so that the
    // editor can show it and an apply can refuse to write; empty once the field holds what
    // the user typed, and after a read.
    [[nodiscard]] const std::string& Refusal() const { return refusal_; }

protected:
    // Fills the shown value, and the value the field holds, from the field's bytes.
    virtual void Show(std::span<const Byte> bytes) = 0;
    // The bytes for the shown value, given the bytes the data holds now.
    [[nodiscard]] virtual std::vector<Byte> Encode(std::span<const Byte> current) const = 0;
    // An apply has written the shown value: the field holds it now.
    virtual void Hold() = 0;
    // Setters call this before they take a value, telling whether it differs from the one
    // the field holds; false for a field that holds nothing, which takes no value.
    bool TakeChange(bool differs);
    void SetRefusal(std::string message) { refusal_ = std::move(message); }

private:
    TFilerItem item_;
    bool inRange_ = false;
    bool changed_ = false;
    std::string refusal_;
};

// The values an integer field takes, both ends included.
struct TIntegerLimits {
    std::int64_t Low = 0;
    std::int64_t High = 0;
};

class TIntegerFieldModel final : public TFieldModel {
public:
    using TFieldModel::TFieldModel;

    [[nodiscard]] std::int32_t Value() const { return value_; }
    // The filer's minimum and maximum (any value when the two are equal) cut to what the
    // width holds (0 to 255, 0 to 65535); limits that leave no value the width holds give
    // way to the width's own. A value read from the data is shown as it is even outside them.
    [[nodiscard]] TIntegerLimits Limits() const;
    // Empty when the value lies within the limits, else the message (UTF-8) naming them.
    [[nodiscard]] std::string CheckValue(std::int64_t value) const;
    // Takes a value that CheckValue allows, and the value the field holds even outside the
    // limits, so that a field put back as it was never blocks an apply; answers CheckValue's
    // message and keeps the shown value otherwise.
    std::string SetValue(std::int64_t value);
    // The text typed into the editor: an optional minus sign and decimal digits. Anything
    // else is refused with its message, as SetValue refuses a value outside the limits.
    std::string SetText(std::string_view text);

private:
    void Show(std::span<const Byte> bytes) override;
    [[nodiscard]] std::vector<Byte> Encode(std::span<const Byte> current) const override;
    void Hold() override { held_ = value_; }

    std::int32_t value_ = 0;
    std::int32_t held_ = 0;
};

class TStringFieldModel final : public TFieldModel {
public:
    using TFieldModel::TFieldModel;

    // The text as shown, in UTF-8: the printable characters of the field's bytes, trailing
    // spaces removed.
    [[nodiscard]] const std::string& Text() const { return text_; }
    // Takes the text typed into the editor (UTF-8). Refuses, with the message, a text with
    // a character that Shift JIS lacks or one longer than the field; empty when taken. On
    // apply the text's Shift JIS bytes are padded to the field's length, unless the text is
    // the one the field holds: that writes nothing, unprintable bytes and all.
    std::string SetText(std::string_view utf8);

private:
    void Show(std::span<const Byte> bytes) override;
    [[nodiscard]] std::vector<Byte> Encode(std::span<const Byte> current) const override;
    void Hold() override { held_ = text_; }

    std::string text_;
    std::string held_;
};

class TBitFieldModel final : public TFieldModel {
public:
    using TFieldModel::TFieldModel;

    [[nodiscard]] bool Checked() const { return checked_; }
    void SetChecked(bool checked);

private:
    void Show(std::span<const Byte> bytes) override;
    // Only the field's bit changes; the byte's other bits stay as the data has them now.
    [[nodiscard]] std::vector<Byte> Encode(std::span<const Byte> current) const override;
    void Hold() override { held_ = checked_; }

    bool checked_ = false;
    bool held_ = false;
};

struct TSelectItem {
    std::string Label; // UTF-8
    std::int32_t Value = 0;
    friend bool operator==(const TSelectItem&, const TSelectItem&) = default;
};

class TSelectFieldModel final : public TFieldModel {
public:
    explicit TSelectFieldModel(TFilerItem item);

    // The filer's options. A value read that matches none of them comes first, as an item
    // of its own labelled with the value in hexadecimal ("0x0C (一覧にない値)"), so that it
    // is shown and kept until the user picks another item; the next read drops it again.
    [[nodiscard]] const std::vector<TSelectItem>& Items() const { return items_; }
    // The index into Items; -1 only for a list without options that never read a value.
    // When several options have the value read, the last of them.
    [[nodiscard]] int Selected() const { return selected_; }
    // An index outside Items is ignored.
    void Select(int index);

private:
    void Show(std::span<const Byte> bytes) override;
    [[nodiscard]] std::vector<Byte> Encode(std::span<const Byte> current) const override;
    void Hold() override { held_ = selected_; }

    std::vector<TSelectItem> items_;
    bool unlisted_ = false; // items_ begins with the value read
    int selected_ = -1;
    int held_ = -1;
};

// The model for an editing row (EDITINTEGER, EDITSTRING, EDITBIT, EDITSELECT); nullptr for
// labels, rules and message areas.
[[nodiscard]] std::unique_ptr<TFieldModel> MakeFieldModel(const TFilerItem& item);

} // namespace mv
