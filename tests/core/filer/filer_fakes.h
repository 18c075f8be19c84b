#pragma once

#include "core/filer/field_data.h"
#include "core/filer/filer_field.h"
#include "core/filer/filer_layout.h"
#include "core/filer/filer_target.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace mv::test {

// Document data in a vector; it logs the undo-step closings and writes so that tests can
// see how a run groups its changes.
class TVectorTarget final : public TFilerTarget {
public:
    explicit TVectorTarget(std::vector<Byte> bytes = {}) : Bytes(std::move(bytes)) {}

    [[nodiscard]] Address Size() const override { return static_cast<Address>(Bytes.size()); }
    void ReadBytes(std::span<Byte> dest, Address address) const override {
        for (std::size_t i = 0; i < dest.size(); ++i) {
            const std::size_t at = static_cast<std::size_t>(address) + i;
            dest[i] = at < Bytes.size() ? Bytes[at] : 0;
        }
    }
    bool OverwriteInPlace(std::span<const Byte> bytes, Address address) override {
        Log.push_back("write " + std::to_string(address) + "+" + std::to_string(bytes.size()));
        std::ranges::copy(bytes, Bytes.begin() + address);
        return true;
    }
    void CloseUndoStep() override { Log.emplace_back("close"); }
    [[nodiscard]] bool ViewOnly() const override { return false; }

    std::vector<Byte> Bytes;
    std::vector<std::string> Log;
};

// A field as the tool window's editors will hold it, reduced to its value: what it read, and
// what it writes back. An option field keeps its option index, as a list keeps its choice.
class TProbeField final : public TFilerField {
public:
    explicit TProbeField(TFilerItem item) : Item(std::move(item)) {}

    void ReadFrom(const TFilerTarget& target) override {
        if (!FieldInRange(target, Item.Address, Item.Width)) return;
        switch (Item.Kind) {
        case TFilerItemKind::EditBit:
            Value = ReadFieldBit(target, Item.Address, Item.Bit);
            break;
        case TFilerItemKind::EditString:
            Text = ReadFieldText(target, Item.Address, Item.Width);
            break;
        case TFilerItemKind::EditSelect: {
            const std::int32_t v =
                ReadFieldInteger(target, Item.Address, Item.Width, Item.BigEndian);
            for (std::size_t i = 0; i < Item.Options.size(); ++i)
                if (Item.Options[i].Value == v) Choice = static_cast<int>(i);
            Value = Item.Options[static_cast<std::size_t>(Choice)].Value;
            break;
        }
        default:
            Value = ReadFieldInteger(target, Item.Address, Item.Width, Item.BigEndian);
            break;
        }
    }
    void WriteTo(TFilerTarget& target) override {
        switch (Item.Kind) {
        case TFilerItemKind::EditBit:
            WriteFieldBit(target, Item.Address, Item.Bit, Value != 0);
            break;
        case TFilerItemKind::EditString:
            WriteFieldText(target, Item.Address, Item.Width, Text, Item.Pad);
            break;
        default:
            WriteFieldInteger(target, Item.Address, Item.Width, Item.BigEndian, Value);
            break;
        }
    }

    TFilerItem Item;
    std::int32_t Value = 0;
    std::string Text;
    int Choice = 0;
};

} // namespace mv::test
