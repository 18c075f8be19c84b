#include "core/document/enable_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace mv {
namespace {

// An editable, modified, named file of 100 bytes with the caret in the middle.
TEnableFacts Ordinary() {
    TEnableFacts f;
    f.Modified = true;
    f.HasFileName = true;
    f.Size = 100;
    f.BlockCount = 1;
    f.MinBlockCount = 1;
    return f;
}

bool Enabled(const TEnableFacts& facts, std::string_view item) {
    const auto states = EnableSetting(facts);
    const TItemState* state = FindItem(states, item);
    EXPECT_NE(state, nullptr) << item;
    return state != nullptr && state->Enabled;
}

std::string Caption(const TEnableFacts& facts, std::string_view item) {
    const auto states = EnableSetting(facts);
    const TItemState* state = FindItem(states, item);
    return state == nullptr ? "?" : std::string(state->Caption);
}

TEST(EnableRules, ViewModeDisablesEveryChangeButCopyStays) {
    TEnableFacts f = Ordinary();
    f.Editable = false;
    f.Selection = true;
    f.Pasteable = true;
    for (const char* item :
         {"MM_SaveFile", "MM_SaveClose", "MM_SaveAllFile", "MM_SaveAllClose", "MM_Cut", "MM_Paste",
          "MM_Delete", "MM_Input", "MM_InputInt", "MM_InputStr", "MM_InputChar", "MM_BitNot",
          "MM_BitReverse", "MM_BitRollRight", "MM_BitRollLeft", "MM_ByteReverse",
          "MM_ByteRollRight", "MM_ByteRollLeft", "MM_IntOperate", "MM_IntInc", "MM_IntDec",
          "MM_ReplaceData"})
        EXPECT_FALSE(Enabled(f, item)) << item;
    EXPECT_TRUE(Enabled(f, "MM_Copy"));
    EXPECT_TRUE(Enabled(f, "MM_SelectAll"));

    f.Editable = true;
    for (const char* item : {"MM_SaveFile", "MM_Cut", "MM_Paste", "MM_Delete", "MM_BitNot",
                             "MM_IntInc", "MM_ReplaceData"})
        EXPECT_TRUE(Enabled(f, item)) << item;
}

TEST(EnableRules, SelectionAndDataGovernEditing) {
    TEnableFacts f = Ordinary();
    EXPECT_FALSE(Enabled(f, "MM_Cut"));
    EXPECT_FALSE(Enabled(f, "MM_Copy"));
    EXPECT_FALSE(Enabled(f, "MM_Paste")); // the clipboard offers nothing
    f.Modified = false;
    EXPECT_FALSE(Enabled(f, "MM_SaveFile"));
    EXPECT_TRUE(Enabled(f, "MM_SaveClose"));

    f.Size = 0;
    for (const char* item : {"MM_SelectAll", "MM_BitNot", "MM_ByteRollLeft", "MM_TextOutPut",
                             "MM_AddressJump"})
        EXPECT_FALSE(Enabled(f, item)) << item;
}

TEST(EnableRules, CaretAtTheEndWithoutSelectionHasNoIntegerToStep) {
    TEnableFacts f = Ordinary();
    f.CaretAtEnd = true;
    for (const char* item : {"MM_IntOperate", "MM_IntInc", "MM_IntDec", "MM_FileEnd"})
        EXPECT_FALSE(Enabled(f, item)) << item;
    EXPECT_TRUE(Enabled(f, "MM_FileTop"));
    f.Selection = true;
    EXPECT_TRUE(Enabled(f, "MM_IntInc"));
    f.CaretAtEnd = false;
    f.CaretAtStart = true;
    EXPECT_FALSE(Enabled(f, "MM_FileTop"));
}

TEST(EnableRules, ReloadIsOfferedForEditsAndForANewerFileOnDisk) {
    TEnableFacts f = Ordinary();
    EXPECT_TRUE(Enabled(f, "MM_Reload"));
    EXPECT_EQ(Caption(f, "MM_Reload"), "再読み込み(&R)");
    f.Modified = false;
    EXPECT_FALSE(Enabled(f, "MM_Reload"));
    f.NewerOnDisk = true;
    EXPECT_TRUE(Enabled(f, "MM_Reload"));
    EXPECT_EQ(Caption(f, "MM_Reload"), "最新の情報に更新(&R)");
    f.HasFileName = false;
    f.Modified = true;
    EXPECT_FALSE(Enabled(f, "MM_Reload"));
    EXPECT_EQ(Caption(f, "MM_Reload"), "再読み込み(&R)");
}

TEST(EnableRules, CaptionsFollowSelectionAndComparison) {
    TEnableFacts f = Ordinary();
    EXPECT_EQ(Caption(f, "MM_TextOutPut"), "テキスト形式で出力(&T)");
    f.Selection = true;
    EXPECT_EQ(Caption(f, "MM_TextOutPut"), "選択範囲をテキスト形式で出力(&T)");

    EXPECT_EQ(Caption(f, "MM_ComparePresent"), "ディスク上の現状と比較(&S)");
    EXPECT_FALSE(Enabled(f, "MM_CompareQuit"));
    EXPECT_FALSE(Enabled(f, "MM_CompareNext"));
    f.CompareMode = TCompareMode::Present;
    f.Comparing = true;
    EXPECT_EQ(Caption(f, "MM_ComparePresent"), "ディスク上の現状をリロード(&S)");
    EXPECT_TRUE(Enabled(f, "MM_CompareQuit"));
    EXPECT_TRUE(Enabled(f, "MM_CompareNext"));
    EXPECT_TRUE(Enabled(f, "MM_ComparePrev"));
    f.HasFileName = false;
    EXPECT_FALSE(Enabled(f, "MM_ComparePresent"));
}

TEST(EnableRules, WindowsHistoryUndoAndStore) {
    TEnableFacts f = Ordinary();
    const char* const items[] = {"MM_CompareWindow", "MM_OpenHistory", "MM_HistoryFlush",
                                 "MM_GarbageCollection"};
    for (const char* item : items) EXPECT_FALSE(Enabled(f, item)) << item;
    f.WindowCount = 2;
    f.HistoryCount = 1;
    f.CanRedo = true;
    f.BlockCount = 3;
    for (const char* item : items) EXPECT_TRUE(Enabled(f, item)) << item;
    EXPECT_FALSE(Enabled(f, "MM_Undo"));
    EXPECT_TRUE(Enabled(f, "MM_Redo"));
}

TEST(EnableRules, ChecksShowTheModes) {
    TEnableFacts f = Ordinary();
    f.CharaSet = CharaSet::Euc;
    f.CheckSum = TCheckSum::Ascii;
    f.ByteOrder = TByteOrder::BigEndian;
    f.FunctionBar = true;
    const auto states = EnableSetting(f);
    const auto checked = [&](std::string_view item) {
        const TItemState* state = FindItem(states, item);
        return state != nullptr && state->Checked.value_or(false);
    };
    EXPECT_TRUE(checked("MM_CharaSetEuc"));
    EXPECT_FALSE(checked("MM_CharaSetSJis"));
    EXPECT_TRUE(checked("MM_CheckSumAscii"));
    EXPECT_FALSE(checked("MM_CheckSumSimple"));
    EXPECT_TRUE(checked("MM_BigEndian"));
    EXPECT_FALSE(checked("MM_LittleEndian"));
    EXPECT_TRUE(checked("MM_ViewFunctionBar"));
    EXPECT_FALSE(checked("MM_ViewToolBar"));
    EXPECT_EQ(FindItem(states, "MM_SaveFile")->Checked, std::nullopt);
}

} // namespace
} // namespace mv
