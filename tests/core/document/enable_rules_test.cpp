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
    const char* const changes[] = {"MM_SaveFile", "MM_Cut",    "MM_Paste",      "MM_InputInt",
                                   "MM_BitNot",   "MM_IntInc", "MM_ReplaceData"};
    for (const char* item : changes)
        EXPECT_FALSE(Enabled(f, item)) << item;
    EXPECT_TRUE(Enabled(f, "MM_Copy"));
    f.Editable = true;
    for (const char* item : changes)
        EXPECT_TRUE(Enabled(f, item)) << item;
}

TEST(EnableRules, SelectionDataAndCaretGovernEditing) {
    TEnableFacts f = Ordinary();
    EXPECT_FALSE(Enabled(f, "MM_Cut"));
    EXPECT_FALSE(Enabled(f, "MM_Paste")); // the clipboard offers nothing
    f.Modified = false;
    EXPECT_FALSE(Enabled(f, "MM_SaveFile"));
    EXPECT_TRUE(Enabled(f, "MM_SaveClose"));
    // At the end without a selection there is no integer to step.
    f.CaretAtEnd = true;
    EXPECT_FALSE(Enabled(f, "MM_IntInc"));
    EXPECT_FALSE(Enabled(f, "MM_FileEnd"));
    f.Selection = true;
    EXPECT_TRUE(Enabled(f, "MM_IntInc"));
    f.Size = 0;
    for (const char* item : {"MM_SelectAll", "MM_BitNot", "MM_TextOutPut", "MM_AddressJump"})
        EXPECT_FALSE(Enabled(f, item)) << item;
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
}

TEST(EnableRules, CaptionsFollowSelectionAndComparison) {
    TEnableFacts f = Ordinary();
    EXPECT_EQ(Caption(f, "MM_TextOutPut"), "テキスト形式で出力(&T)");
    EXPECT_EQ(Caption(f, "MM_ComparePresent"), "ディスク上の現状と比較(&S)");
    EXPECT_FALSE(Enabled(f, "MM_CompareQuit"));
    f.Selection = true;
    f.CompareMode = TCompareMode::Present;
    EXPECT_EQ(Caption(f, "MM_TextOutPut"), "選択範囲をテキスト形式で出力(&T)");
    EXPECT_EQ(Caption(f, "MM_ComparePresent"), "ディスク上の現状をリロード(&S)");
    EXPECT_TRUE(Enabled(f, "MM_CompareQuit"));
}

TEST(EnableRules, ChecksShowTheModes) {
    TEnableFacts f = Ordinary();
    f.CharaSet = CharaSet::Utf8;
    f.FunctionBar = true;
    const auto states = EnableSetting(f);
    EXPECT_EQ(FindItem(states, "MM_CharaSetUtf8")->Checked, true);
    EXPECT_EQ(FindItem(states, "MM_CharaSetSJis")->Checked, false);
    EXPECT_EQ(FindItem(states, "MM_ViewFunctionBar")->Checked, true);
    EXPECT_EQ(FindItem(states, "MM_SaveFile")->Checked, std::nullopt);
}

} // namespace
} // namespace mv
