#include "core/document/status_texts.h"

#include "core/binaryview/editor_fixture.h"

#include <gtest/gtest.h>

namespace mv::test {
namespace {

using TPanels = std::array<std::string, StatusTextPanelCount>;

TEST(StatusTexts, PanelsShowTheEditingState) {
    EXPECT_EQ(StatusTexts({}).Panels, (TPanels{"", "上書", "単純", "", ""}));

    TStatusFacts facts;
    facts.Modified = true;
    facts.InputMode = TInputMode::ViewOnly;
    facts.CheckSum = TCheckSum::Ascii;
    facts.ExpandTenKey = true;
    facts.CompareMode = TCompareMode::Present;
    EXPECT_EQ(StatusTexts(facts).Panels, (TPanels{"変更", "閲覧", "ASC", "拡張", "比較 : 現状ﾌｧｲﾙ"}));
    facts.InputMode = TInputMode::Insert;
    facts.CompareMode = TCompareMode::Window;
    EXPECT_EQ(StatusTexts(facts).Panels[1], "挿入");
    EXPECT_EQ(StatusTexts(facts).Panels[4], "比較 : 指定ｳｨﾝﾄﾞｳ");
}

TEST(StatusTexts, FiveThousandBytesInTwoBlocksAreSixtyOnePercentEfficient) {
    TEditorFixture editor(Sequence(5000));
    editor.core.Module().SetModified(true);
    const TStatusFacts facts = StatusFactsOf(editor.core, TCompareMode::File, TInfoMode::MemoryEfficiency);
    ASSERT_EQ(facts.BlockCount, 2);
    EXPECT_EQ(facts.MemoryBytes, 5000);
    EXPECT_EQ(StatusTexts(facts).Gauge, "ﾒﾓﾘ利用効率 61%");
    EXPECT_EQ(StatusTexts(facts).Panels[0], "変更");
    EXPECT_EQ(StatusTexts(facts).Panels[4], "比較 : 指定ﾌｧｲﾙ");
}

TEST(StatusTexts, GaugeArithmeticDoesNotOverflow) {
    EXPECT_EQ(MemoryEfficiencyPercent(0, 0), 100);
    EXPECT_EQ(MemoryEfficiencyPercent(0x7fffffff, 524288), 99);
    EXPECT_EQ(UndoUsePercent(3'000'000'000, 4'000'000'000), 75);
    // A buffer of no size can keep nothing: it reads as full.
    EXPECT_EQ(UndoUsePercent(0, 0), 100);

    TStatusFacts facts;
    facts.InfoMode = TInfoMode::UndoUse;
    facts.UndoUsed = 512;
    facts.UndoCapacity = 1024;
    EXPECT_EQ(StatusTexts(facts).Gauge, "ｱﾝﾄﾞｩﾊﾞｯﾌｧ利用率 50%");
}

} // namespace
} // namespace mv::test
