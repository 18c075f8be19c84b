#include "core/dialogs/lump_setting.h"

#include <algorithm>

namespace mv {

namespace {

// A group of two choices over a switch; `firstIsOn` says whether its first choice switches on.
template <bool TLumpModes::*Switch, bool FirstIsOn>
constexpr TLumpGroup SwitchGroup(std::string_view label, std::string_view first, std::string_view second) {
    return {label,
            {first, second},
            [](const TLumpModes& modes) { return modes.*Switch == FirstIsOn ? 0 : 1; },
            [](TLumpModes& modes, int choice) { modes.*Switch = (choice == 0) == FirstIsOn; }};
}

template <bool TLumpModes::*Switch>
constexpr TLumpGroup ShowGroup(std::string_view label) {
    return SwitchGroup<Switch, true>(label, "表示する", "表示しない");
}

constexpr std::array<TLumpGroup, LumpGroupCount> Groups{{
    {"入力モード",
     {"挿入", "上書き"},
     [](const TLumpModes& modes) {
         return modes.InputMode == TInputMode::Insert ? 0 : modes.InputMode == TInputMode::Overwrite ? 1 : -1;
     },
     [](TLumpModes& modes, int choice) {
         if (modes.InputMode != TInputMode::ViewOnly)
             modes.InputMode = choice == 0 ? TInputMode::Insert : TInputMode::Overwrite;
     }},
    {"チェックサム形式",
     {"単純サム", "アスキー形式サム"},
     [](const TLumpModes& modes) { return static_cast<int>(modes.CheckSum); },
     [](TLumpModes& modes, int choice) { modes.CheckSum = static_cast<TCheckSum>(choice); }},
    {"バイトオーダー",
     {"リトルエンディアン", "ビッグエンディアン"},
     [](const TLumpModes& modes) { return static_cast<int>(modes.ByteOrder); },
     [](TLumpModes& modes, int choice) { modes.ByteOrder = static_cast<TByteOrder>(choice); }},
    {"文字コード",
     {"ASCII", "Shift JIS", "JIS", "EUC", "UTF-8", "UTF-16LE", "UTF-16BE"},
     [](const TLumpModes& modes) { return static_cast<int>(modes.CharaSet); },
     [](TLumpModes& modes, int choice) { modes.CharaSet = static_cast<mv::CharaSet>(choice); }},
    SwitchGroup<&TLumpModes::ExpandTenKey, true>("拡張テンキー", "利用する", "利用しない"),
    ShowGroup<&TLumpModes::ToolBar>("ツールバー"),
    ShowGroup<&TLumpModes::FunctionBar>("ファンクションバー"),
    ShowGroup<&TLumpModes::StatusBar>("ステータスバー"),
    ShowGroup<&TLumpModes::InformationPanel>("情報パネル"),
    ShowGroup<&TLumpModes::CompareArrow>("大小比較マーク"),
    ShowGroup<&TLumpModes::CaretMarker>("キャレットマーカ"),
    SwitchGroup<&TLumpModes::CompareColor, true>("大小比較色分け", "する", "しない"),
    SwitchGroup<&TLumpModes::UndoPacked, false>("アンドゥ一連動作", "まとめない", "まとめる"),
    SwitchGroup<&TLumpModes::UndoFlushWithSaved, false>("保存時アンドゥ", "クリアしない", "クリアする"),
    SwitchGroup<&TLumpModes::UndoOverflowSound, false>("アンドゥオーバーフロー", "警告しない", "警告する"),
}};

} // namespace

int TLumpGroup::ChoiceCount() const {
    const auto empty = std::ranges::find(Choices, std::string_view());
    return static_cast<int>(empty - Choices.begin());
}

const std::array<TLumpGroup, LumpGroupCount>& LumpGroups() { return Groups; }

TLumpChoices ChoicesOf(const TLumpModes& modes) {
    TLumpChoices choices{};
    for (std::size_t i = 0; i < LumpGroupCount; ++i) choices[i] = Groups[i].Chosen(modes);
    return choices;
}

TLumpModes ModesOf(const TLumpChoices& choices, const TLumpModes& current) {
    TLumpModes modes = current;
    for (std::size_t i = 0; i < LumpGroupCount; ++i) {
        if (choices[i] >= 0 && choices[i] < Groups[i].ChoiceCount())
            Groups[i].Choose(modes, choices[i]);
    }
    return modes;
}

} // namespace mv
