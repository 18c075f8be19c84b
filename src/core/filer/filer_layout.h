#pragma once

#include "core/datastore/address.h"
#include "core/filer/filer_command.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mv {

enum class TFilerItemKind : std::uint8_t {
    Label,
    HorizontalRule,
    Message,
    EditBit,
    EditInteger,
    EditSelect,
    EditString
};

struct TFilerOption {
    std::int32_t Value = 0;
    std::string Label;
    friend bool operator==(const TFilerOption&, const TFilerOption&) = default;
};

// One row of a filer page with the build state in force where it stands. Texts are the
// filer's Shift JIS bytes; only the members of the item's kind are meaningful.
struct TFilerItem {
    static constexpr std::int32_t Automatic = -1;

    TFilerItemKind Kind = TFilerItemKind::Label;
    std::string Caption;      // a field's caption, a label's text
    std::int64_t Address = 0; // with the page's base address; may lie past the 32-bit range
    std::int32_t Width = 1;   // bytes: integer or option width, string length, 1 for a bit
    int Bit = 0;
    std::int32_t Minimum = 0;
    std::int32_t Maximum = 0;
    Byte Pad = 0;
    std::vector<TFilerOption> Options;
    std::int32_t AreaWidth = 0; // message area, in pixels
    std::int32_t AreaHeight = 0;
    std::vector<std::string> Lines;
    bool Enabled = true;
    bool BigEndian = false;
    std::int32_t Indent = Automatic;
    std::int32_t Margin = Automatic;
    std::int32_t Line = 0; // of the command that made it
};

struct TFilerPage {
    std::string Name;
    std::vector<TFilerItem> Items;
};

// The pages that a filer's edit commands describe, for the tool window to turn into
// controls. A row before any PAGE opens a page named "(no title)". Each page starts with
// base address 0, fields enabled and automatic indent and margin, so those settings made
// before it are lost; the byte order carries over from page to page.
struct TFilerLayout {
    std::optional<std::string> Title; // the last TITLE, if any
    std::vector<TFilerPage> Pages;
};

[[nodiscard]] TFilerLayout BuildFilerLayout(const TFilerCommands& edit);

} // namespace mv
