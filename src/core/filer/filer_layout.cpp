#include "core/filer/filer_layout.h"

#include "core/filer/filer_number.h"

#include <array>
#include <string_view>
#include <utility>

namespace mv {
namespace {

struct TBuildState {
    std::int64_t Base = 0;
    bool Enabled = true;
    bool BigEndian = false;
    std::int32_t Indent = TFilerItem::Automatic;
    std::int32_t Margin = TFilerItem::Automatic;
};

// Integer parameters are decimal after parsing, and MESSAGE sizes were checked readable.
std::int32_t Number(const TFilerCommand& command, std::size_t index) {
    if (index >= command.Parameters.size()) return 0;
    return ToInteger(command.Parameters[index]).value_or(0);
}

std::string Text(const TFilerCommand& command, std::size_t index) {
    return index < command.Parameters.size() ? command.Parameters[index] : std::string();
}

std::int32_t AutomaticOr(const TFilerCommand& command) {
    return Text(command, 0) == "*" ? TFilerItem::Automatic : Number(command, 0);
}

TFilerOption Option(const std::string& stored) {
    const std::size_t arrow = stored.find("=>");
    if (arrow == std::string::npos) return {0, stored};
    return {ToInteger(stored.substr(0, arrow)).value_or(0), stored.substr(arrow + 2)};
}

std::optional<TFilerItemKind> RowKind(std::string_view name) {
    static constexpr std::array<std::pair<std::string_view, TFilerItemKind>, 7> Rows{{
        {"LABEL", TFilerItemKind::Label},
        {"HORIZONTALRULE", TFilerItemKind::HorizontalRule},
        {"MESSAGE", TFilerItemKind::Message},
        {"EDITBIT", TFilerItemKind::EditBit},
        {"EDITINTEGER", TFilerItemKind::EditInteger},
        {"EDITSELECT", TFilerItemKind::EditSelect},
        {"EDITSTRING", TFilerItemKind::EditString},
    }};
    for (const auto& [rowName, kind] : Rows)
        if (rowName == name) return kind;
    return std::nullopt;
}

TFilerItem Row(const TFilerCommand& c, TFilerItemKind kind, const TBuildState& state) {
    TFilerItem item;
    item.Kind = kind;
    item.Caption = Text(c, 0);
    item.Address = state.Base + Number(c, 1);
    item.Enabled = state.Enabled;
    item.BigEndian = state.BigEndian;
    item.Indent = state.Indent;
    item.Margin = state.Margin;
    item.Line = c.Line;
    switch (kind) {
    case TFilerItemKind::Label:
    case TFilerItemKind::HorizontalRule:
        break;
    case TFilerItemKind::Message:
        item.Caption.clear();
        item.AreaWidth = Number(c, 0);
        item.AreaHeight = Number(c, 1);
        if (c.Parameters.size() > 2)
            item.Lines.assign(c.Parameters.begin() + 2, c.Parameters.end());
        break;
    case TFilerItemKind::EditBit:
        item.Bit = Number(c, 2);
        break;
    case TFilerItemKind::EditInteger:
        item.Width = Number(c, 2);
        item.Minimum = Number(c, 3);
        item.Maximum = Number(c, 4);
        break;
    case TFilerItemKind::EditSelect:
        item.Width = Number(c, 2);
        for (std::size_t i = 3; i < c.Parameters.size(); ++i)
            item.Options.push_back(Option(c.Parameters[i]));
        break;
    case TFilerItemKind::EditString:
        item.Width = Number(c, 2);
        item.Pad = static_cast<Byte>(Number(c, 3));
        break;
    }
    return item;
}

} // namespace

TFilerLayout BuildFilerLayout(const TFilerCommands& edit) {
    TFilerLayout layout;
    TBuildState state;
    const auto startPage = [&](std::string name) {
        layout.Pages.push_back({std::move(name), {}});
        state = {.BigEndian = state.BigEndian};
    };
    for (const TFilerCommand& c : edit) {
        const std::string_view name = c.Name;
        if (name == "BIGENDIAN" || name == "LITTLEENDIAN")
            state.BigEndian = name == "BIGENDIAN";
        else if (name == "DISABLE" || name == "ENABLE")
            state.Enabled = name == "ENABLE";
        else if (name == "INDENT")
            state.Indent = AutomaticOr(c);
        else if (name == "MARGIN")
            state.Margin = AutomaticOr(c);
        else if (name == "SEGMENT")
            state.Base = Number(c, 0);
        else if (name == "TITLE")
            layout.Title = Text(c, 0);
        else if (name == "PAGE")
            startPage(Text(c, 0));
        else if (const std::optional<TFilerItemKind> kind = RowKind(name)) {
            if (layout.Pages.empty()) startPage("(no title)");
            layout.Pages.back().Items.push_back(Row(c, *kind, state));
        }
    }
    return layout;
}

} // namespace mv
