#include "core/dialogs/lump_setting.h"

#include <gtest/gtest.h>

namespace mv {
namespace {

// The dialog's groups in order, with the choice that each of these modes shows.
TEST(LumpSetting, ChoicesFollowTheOrderOfEachGroupsButtons) {
    TLumpModes modes;
    modes.InputMode = TInputMode::Insert;
    modes.CheckSum = TCheckSum::Ascii;
    modes.ByteOrder = TByteOrder::BigEndian;
    modes.CharaSet = CharaSet::Utf16Le;
    modes.ExpandTenKey = false;
    modes.ToolBar = false;
    modes.CaretMarker = false;
    modes.CompareColor = false;
    modes.UndoPacked = true;
    modes.UndoFlushWithSaved = false;
    modes.UndoOverflowSound = true;
    const TLumpChoices expected{0, 1, 1, 5, 1, 1, 0, 0, 0, 0, 1, 1, 1, 0, 1};
    EXPECT_EQ(ChoicesOf(modes), expected);
    EXPECT_EQ(ModesOf(expected, TLumpModes{}), modes);

    const auto& groups = LumpGroups();
    EXPECT_EQ(groups[0].Label, "入力モード");
    EXPECT_EQ(groups[3].Choices[3], "EUC");
    EXPECT_EQ(groups[3].ChoiceCount(), CharaSetCount);
    EXPECT_EQ(groups[14].Label, "アンドゥオーバーフロー");
}

TEST(LumpSetting, AViewOnlyInputModeOrAnInvalidChoiceIsKept) {
    TLumpModes viewOnly;
    viewOnly.InputMode = TInputMode::ViewOnly;
    TLumpChoices choices = ChoicesOf(viewOnly);
    EXPECT_EQ(choices[0], -1);
    choices[0] = 0;
    choices[1] = 1;
    const TLumpModes after = ModesOf(choices, viewOnly);
    EXPECT_EQ(after.InputMode, TInputMode::ViewOnly);
    EXPECT_EQ(after.CheckSum, TCheckSum::Ascii);

    // A group without a valid choice keeps its mode.
    TLumpModes modes;
    modes.CharaSet = CharaSet::Jis;
    choices = ChoicesOf(modes);
    choices[3] = -1;
    choices[4] = 2; // past a two-choice group
    EXPECT_EQ(ModesOf(choices, modes), modes);
}

} // namespace
} // namespace mv
