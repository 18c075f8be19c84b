#pragma once

#include "core/config/environment.h"

#include <array>
#include <string_view>

namespace mv {

// The operation modes of one document window that the lump setting sets at once.
struct TLumpModes {
    TInputMode InputMode = TInputMode::Overwrite;
    TCheckSum CheckSum = TCheckSum::Simple;
    TByteOrder ByteOrder = TByteOrder::LittleEndian;
    mv::CharaSet CharaSet = mv::CharaSet::ShiftJis;
    bool ExpandTenKey = true;
    bool ToolBar = true;
    bool FunctionBar = true;
    bool StatusBar = true;
    bool InformationPanel = true;
    bool CompareArrow = true;
    bool CaretMarker = true;
    bool CompareColor = true;
    bool UndoPacked = false;
    bool UndoFlushWithSaved = true;
    bool UndoOverflowSound = true;

    friend bool operator==(const TLumpModes&, const TLumpModes&) = default;
};

// The most choices of a group: one per character set.
inline constexpr std::size_t MaxLumpChoices = CharaSetCount;

// One group of radio buttons of the dialog: its label and its choices, in the dialog's order.
struct TLumpGroup {
    std::string_view Label;
    std::array<std::string_view, MaxLumpChoices> Choices; // the unused ones are empty
    int (*Chosen)(const TLumpModes&); // the choice the modes stand for, -1 for none
    void (*Choose)(TLumpModes&, int); // sets the modes to a choice

    // The choices before the first empty one.
    [[nodiscard]] int ChoiceCount() const;
};

inline constexpr std::size_t LumpGroupCount = 15;
using TLumpChoices = std::array<int, LumpGroupCount>; // per group the chosen index, or -1

[[nodiscard]] const std::array<TLumpGroup, LumpGroupCount>& LumpGroups();

// The choices that show a window's modes. In the view-only input mode neither input choice is
// set: the dialog disables that group.
[[nodiscard]] TLumpChoices ChoicesOf(const TLumpModes& modes);

// The window's modes after the dialog: each group's choice replaces its mode; a group without
// a choice keeps it, and the view-only input mode is never changed here.
[[nodiscard]] TLumpModes ModesOf(const TLumpChoices& choices, const TLumpModes& current);

} // namespace mv
