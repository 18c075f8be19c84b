#pragma once

#include "core/config/environment.h"
#include "core/typedvalues/input_data.h"
#include "core/typedvalues/int_edit_model.h"

#include <cstdint>

namespace mv {

// Whether the integer frame enters an address (no width, no byte order) or an integer.
enum class TDialogMode : std::uint8_t { dmUnformat = 0, dmInteger = 1 };
// How an entered address is taken; the numbers are the items of its choice.
enum class TAddressMode : std::uint8_t { Absolute = 0, RelativeDown = 1, RelativeUp = 2 };

// The state of the integer input frame without its controls: the value its three fields
// share, the width and byte order it is cut and ordered by, the value it captures.
class TIntInputModel {
public:
    // The width's item in the type list ("無定型(32bit)", "DoubleWord(32bit)", "Word(16bit)",
    // "Byte(8bit)") and back.
    [[nodiscard]] static int VariableItem(TVariableType type);
    [[nodiscard]] static TVariableType VariableOfItem(int item);
    // The largest value of a width; 0 for no width.
    [[nodiscard]] static std::uint32_t MaxValue(TVariableType type);

    [[nodiscard]] TDialogMode DialogMode() const { return mode_; }
    // An address has no width; an integer has one, a double word unless chosen otherwise,
    // and the 32-bit pattern.
    void SetDialogMode(TDialogMode mode);
    [[nodiscard]] TIntPattern Pattern() const { return pattern_; }
    // An address takes 64 bits in data of 4 GiB and more; an integer keeps 32 (the call is
    // ignored).
    void SetPattern(TIntPattern pattern);
    [[nodiscard]] TVariableType VariableType() const { return type_; }
    void SetVariableType(TVariableType type) { type_ = type; }
    // A width chosen in the list: one that the mode does not allow is put back (to no width
    // for an address, to a double word for an integer).
    void ChooseVariableType(TVariableType type);
    // PageUp: Byte, Word, DoubleWord, Byte...; PageDown the other way. No width stays.
    void Widen();
    void Narrow();

    [[nodiscard]] TByteOrder ByteOrder() const { return order_; }
    void SetByteOrder(TByteOrder order) { order_ = order; }
    [[nodiscard]] TAddressMode Address() const { return address_; }
    void SetAddress(TAddressMode address) { address_ = address; }
    // "+" and "-": switch to the relative mode, or back to absolute when already in it.
    void ToggleAddress(TAddressMode relative);

    [[nodiscard]] TValueType Value() const { return value_; }
    void SetValue(TValueType value) { value_ = value; }
    // The value cut to the width; without one, as the pattern reads it.
    [[nodiscard]] TValueType NetValue() const;

    [[nodiscard]] TValueType CapturedValue() const { return captured_; }
    void SetCapturedValue(TValueType value) { captured_ = value; }
    // Takes over the captured value as the width and byte order read it.
    void Capture();

    // The net value in the chosen byte order: its low bytes in little-endian order are the
    // bytes to use.
    [[nodiscard]] TValueType GetInteger() const;
    // Those bytes: 4 without a width and for a double word, 2 for a word, 1 for a byte.
    [[nodiscard]] InputDataBlock IntegerData() const;

private:
    TDialogMode mode_ = TDialogMode::dmInteger;
    TVariableType type_ = TVariableType::vtDoubleWord;
    TByteOrder order_ = TByteOrder::LittleEndian;
    TAddressMode address_ = TAddressMode::Absolute;
    TIntPattern pattern_ = TIntPattern::Bits32;
    TValueType value_ = 0;
    TValueType captured_ = 0;
};

} // namespace mv
