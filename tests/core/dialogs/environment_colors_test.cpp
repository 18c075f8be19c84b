#include "core/dialogs/environment_options.h"

#include <gtest/gtest.h>

namespace mv {
namespace {

constexpr TColor SystemWindow = 0x80000005;
constexpr TColor Yellow = 0x0000FFFF;

bool AllBackgroundsAre(TEnvironmentColors& colors, TColor color) {
    for (TColorIndex index : TiedBackgrounds)
        if (colors.Color(index) != color) return false;
    return colors.Color(TColorIndex::NormalBG) == color;
}

TEST(EnvironmentColors, SameColorTiesTheFourComparisonBackgrounds) {
    TEnvironmentOptions options{TEnvironment{}};
    TEnvironmentColors& colors = options.Colors();
    ASSERT_TRUE(colors.SameColor()); // the defaults share the window background
    for (TColorIndex index : TiedBackgrounds) EXPECT_FALSE(colors.ButtonEnabled(index));
    EXPECT_TRUE(colors.ButtonEnabled(TColorIndex::NormalBG));
    EXPECT_TRUE(colors.ButtonEnabled(TColorIndex::SelectBG));

    colors.SetColor(TColorIndex::NormalBG, Yellow);
    EXPECT_TRUE(AllBackgroundsAre(colors, Yellow));
    EXPECT_TRUE(options.ApplyEnabled());
    static_cast<void>(options.Apply());

    colors.SetSameColor(false);
    EXPECT_FALSE(options.ApplyEnabled()); // untying changes no colour
    for (TColorIndex index : TiedBackgrounds) EXPECT_TRUE(colors.ButtonEnabled(index));
    colors.SetColor(TColorIndex::NormalBG, SystemWindow);
    EXPECT_EQ(colors.Color(TColorIndex::OverBG), Yellow);

    colors.SetSameColor(true);
    EXPECT_TRUE(AllBackgroundsAre(colors, SystemWindow));
    EXPECT_TRUE(options.ApplyEnabled());
}

TEST(EnvironmentColors, TheTieStartsOnlyWhenAllFiveBackgroundsAgree) {
    TEnvironment environment;
    environment.SetColor(TColorIndex::DifferenceSmallerBG, Yellow);
    TEnvironmentOptions options(environment);
    EXPECT_FALSE(options.Colors().SameColor());
    for (TColorIndex index : TiedBackgrounds) EXPECT_TRUE(options.Colors().ButtonEnabled(index));
}

TEST(EnvironmentColors, ASystemColourStaysOneUntilAnotherColourIsPicked) {
    TEnvironmentOptions options{TEnvironment{}};
    TEnvironmentColors& colors = options.Colors();
    const TRgb shown{0xF0, 0xF0, 0xF0}; // what the desktop paints the window background in
    colors.Pick(TColorIndex::NormalFont, shown, shown);
    EXPECT_EQ(colors.Color(TColorIndex::NormalFont), 0x80000008u);
    EXPECT_FALSE(options.ApplyEnabled());

    colors.Pick(TColorIndex::NormalFont, shown, {0x12, 0x34, 0x56});
    EXPECT_EQ(colors.Color(TColorIndex::NormalFont), 0x00563412u); // 0x00BBGGRR
    EXPECT_TRUE(options.ApplyEnabled());
}

} // namespace
} // namespace mv
