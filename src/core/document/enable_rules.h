#pragma once

#include "core/config/environment.h"
#include "core/datastore/address.h"
#include "core/document/status_texts.h"
#include "core/typedvalues/char_set.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace mv {

// What a document window knows about itself when it decides which menu items are offered.
struct TEnableFacts {
    bool Editable = true; // the input mode is not view only
    bool Modified = false;
    bool HasFileName = false;
    bool NewerOnDisk = false; // the file on disk changed since it was loaded
    Address Size = 0;
    bool Selection = false;
    bool Pasteable = false; // the clipboard holds data the view can paste
    bool CanUndo = false;
    bool CanRedo = false;
    bool CaretAtStart = false; // address 0, high nibble
    bool CaretAtEnd = false;   // on the cell after the last byte
    bool Comparing = false;
    TCompareMode CompareMode = TCompareMode::None;
    int WindowCount = 1;
    std::int32_t BlockCount = 0;
    std::int32_t MinBlockCount = 0;
    std::size_t HistoryCount = 0;

    // Check marks.
    bool DialogFlattery = false;
    bool DialogAutoHidden = false;
    bool ToolBar = false;
    bool FunctionBar = false;
    bool StatusBar = false;
    bool InformationPanel = false;
    bool CaretMarker = false;
    bool CompareArrow = false;
    bool CompareColor = false;
    TCheckSum CheckSum = TCheckSum::Simple;
    mv::CharaSet CharaSet = mv::CharaSet::ShiftJis;
    TByteOrder ByteOrder = TByteOrder::LittleEndian;
};

// The decision for one menu item, named as the window names it ("MM_SaveFile"): whether it is
// offered, its check mark where it has one, and its caption where the caption depends on the
// state (empty otherwise).
struct TItemState {
    std::string_view Item;
    bool Enabled = true;
    std::optional<bool> Checked;
    std::string_view Caption;
};

// evtEnableSetting: every item whose state follows from the facts. Tool buttons share their
// menu item's state.
[[nodiscard]] std::vector<TItemState> EnableSetting(const TEnableFacts& facts);

// The decision for one item in the list, or nullptr.
[[nodiscard]] const TItemState* FindItem(const std::vector<TItemState>& states,
                                         std::string_view item);

} // namespace mv
