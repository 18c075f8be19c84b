#include "core/dialogs/environment_options.h"

#include <gtest/gtest.h>

namespace mv {
namespace {

TEST(EnvironmentOptions, HandsBackOnlyWhatIsLeftToApply) {
    TEnvironmentOptions options{TEnvironment{}};
    int flips = 0;
    options.OnApplyEnabledChange = [&] { ++flips; };
    EXPECT_FALSE(options.ApplyEnabled());
    EXPECT_EQ(options.Ok(), std::nullopt); // OK without a change applies nothing

    options.Set(&TEnvironment::FontHeight, 20);
    options.Set(&TEnvironment::ToolBar, false);
    EXPECT_TRUE(options.ApplyEnabled());
    EXPECT_EQ(flips, 1);
    const TEnvironment applied = options.Apply();
    EXPECT_EQ(applied.FontHeight, 20);
    EXPECT_FALSE(applied.ToolBar);
    EXPECT_FALSE(options.ApplyEnabled());
    EXPECT_EQ(options.Ok(), std::nullopt); // applied already

    options.Set(&TEnvironment::ViewModeExt, std::string("bin"));
    const std::optional<TEnvironment> ok = options.Ok();
    ASSERT_TRUE(ok.has_value());
    EXPECT_EQ(ok->ViewModeExt, "bin");
    EXPECT_EQ(ok->FontHeight, 20);
    EXPECT_FALSE(options.ApplyEnabled());
    EXPECT_EQ(flips, 4);
}

TEST(EnvironmentOptions, ValuesTheProgramCannotUseStartAsDefaults) {
    TEnvironment given;
    given.FontHeight = 9;
    given.UndoBuffer = 1025;
    given.ProfileMax = -1;
    given.SetColor(TColorIndex::EofBG, 0xFFFFFFFF);
    given.SetColor(TColorIndex::NormalFont, 0x80000019);
    given.KeyAssignType = static_cast<TKeyAssignType>(7);
    given.KeyAssignment.Clear();
    // Values the record may hold stay, even where a list of the dialog has no item for them.
    given.InputMode = TInputMode::ViewOnly;
    given.IntWidth = TVariableType::vtUnformat;
    given.SetColor(TColorIndex::SelectBG, 0x00123456);

    TEnvironment expected;
    expected.InputMode = TInputMode::ViewOnly;
    expected.IntWidth = TVariableType::vtUnformat;
    expected.SetColor(TColorIndex::SelectBG, 0x00123456);

    TEnvironmentOptions options(given);
    EXPECT_EQ(options.Settings(), expected);
    EXPECT_FALSE(options.ApplyEnabled());
}

// The comparison backgrounds start tied only when all five backgrounds agree, so that a tie
// never hides a colour of its own.
TEST(EnvironmentOptions, TheColourTieStartsOnlyWhenAllFiveBackgroundsAgree) {
    EXPECT_TRUE(TEnvironmentOptions(TEnvironment{}).Colors().SameColor());
    TEnvironment environment;
    environment.SetColor(TColorIndex::DifferenceSmallerBG, 0x0000FFFF);
    TEnvironmentOptions options(environment);
    EXPECT_FALSE(options.Colors().SameColor());
    for (TColorIndex index : TiedBackgrounds) EXPECT_TRUE(options.Colors().ButtonEnabled(index));
    options.Colors().SetSameColor(true);
    EXPECT_EQ(options.Settings().Color(TColorIndex::DifferenceSmallerBG), 0x80000005u);
    EXPECT_FALSE(options.Colors().ButtonEnabled(TColorIndex::DifferenceSmallerBG));
    EXPECT_TRUE(options.ApplyEnabled());
}

} // namespace
} // namespace mv
