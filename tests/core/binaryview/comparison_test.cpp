#include "editor_fixture.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace mv {
namespace {

using test::Bytes;
using test::Hex;
using test::TEditorFixture;

constexpr auto kForward = TSearchDirection::Forward;
constexpr auto kBackward = TSearchDirection::Backward;

struct TRun {
    Address Start;
    ByteCount Length;
    friend bool operator==(const TRun&, const TRun&) = default;
};

TRun Highlighted(const TEditorFixture& f) {
    return {f.core.HighlightStart(), f.core.HighlightLength()};
}

// Each hit skips its own run, ends the undo step, and the end of the runs is warned about.
TEST(Comparison, StepsThroughDifferenceRunsEitherWayAndWarnsAtTheEnd) {
    TEditorFixture f(Hex("00 01 00 01 01 00 01"));
    TMemoryModule target;
    test::Append(target, Hex("00 00 00 00 00 00 00"));
    ASSERT_EQ(f.core.Comparison().CompareWithStore(target), TCompareStart::Started);

    const auto group = f.core.History().Group();
    std::vector<TRun> forward;
    for (int i = 0; i < 3; ++i) {
        f.core.Comparison().FindNext(kForward);
        forward.push_back(Highlighted(f));
    }
    EXPECT_EQ(forward, (std::vector<TRun>{{1, 1}, {3, 2}, {6, 1}}));
    EXPECT_EQ(f.core.Caret(), (TCaretState{6, 0}));
    EXPECT_TRUE(f.core.CompareHit);
    EXPECT_EQ(f.core.History().Group(), group + 3);

    f.host.Answer(mrOk);
    f.core.Comparison().FindNext(kForward);
    EXPECT_EQ(f.DialogTexts(), std::vector<std::string>{"相違点が見付かりません."});
    EXPECT_EQ(f.host.Dialogs[0].Type, TMsgDlgType::mtWarning);
    EXPECT_EQ(f.core.CaretAddress(), 6);

    f.core.Comparison().FindNext(kBackward);
    EXPECT_EQ(Highlighted(f), (TRun{3, 2}));
}

TEST(Comparison, FileTargetIsOwnedAndASecondComparisonIsRefused) {
    test::TTempFolder folder;
    const std::string other = folder.Write("other.bin", Hex("00 ff ff 03"));
    TEditorFixture f(Hex("00 01 02 03"));
    int error = 0;
    EXPECT_EQ(f.core.Comparison().CompareWithFile(folder.Path(), error), TCompareStart::LoadFailed);
    EXPECT_EQ(error, EISDIR);
    EXPECT_FALSE(f.core.Comparison().Comparing());
    EXPECT_EQ(f.changes, 0);

    ASSERT_EQ(f.core.Comparison().CompareWithFile(other, error), TCompareStart::Started);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(f.changes, 1);
    const TMemoryModule* target = f.core.Comparison().Target();
    EXPECT_EQ(test::Contents(*target), Hex("00 ff ff 03"));
    EXPECT_FALSE(target->IsModified());

    EXPECT_EQ(f.core.Comparison().CompareWithFile(other, error), TCompareStart::AlreadyComparing);
    EXPECT_EQ(f.core.Comparison().Target(), target);

    f.core.Comparison().End();
    EXPECT_FALSE(f.core.Comparison().Comparing());
    EXPECT_EQ(f.core.Comparison().Target(), nullptr);
    EXPECT_EQ(f.changes, 2);
}

// Ending a comparison forgets its target for searches and its last hit for the next one.
TEST(Comparison, EndingForgetsTheTargetAndTheLastHit) {
    TEditorFixture f(Hex("41 01 41"));
    TMemoryModule first, second;
    test::Append(first, Hex("41 00 42"));
    test::Append(second, Hex("41 00 41"));
    ASSERT_EQ(f.core.Comparison().CompareWithStore(first), TCompareStart::Started);
    f.core.Search().Search(Hex("41"), kForward, true);
    EXPECT_EQ(f.core.CaretAddress(), 2) << "the match equal to the target is skipped";
    f.core.Comparison().End();
    f.core.Search().SearchAgain(kBackward);
    EXPECT_EQ(f.core.CaretAddress(), 0) << "the match equal to the old target counts again";

    ASSERT_EQ(f.core.Comparison().CompareWithStore(first), TCompareStart::Started);
    f.core.Comparison().FindNext(kForward);
    EXPECT_EQ(Highlighted(f), (TRun{1, 2}));
    f.core.Comparison().End();
    ASSERT_EQ(f.core.Comparison().CompareWithStore(second), TCompareStart::Started);
    f.core.Comparison().FindNext(kForward);
    EXPECT_EQ(Highlighted(f), (TRun{1, 1})) << "the run under the caret counts";
}

} // namespace
} // namespace mv
