#include "core/document/function_keys.h"

#include <gtest/gtest.h>

namespace mv {
namespace {

TEST(FunctionKeys, ButtonCountFollowsTheKeyboard) {
    EXPECT_EQ(FunctionButtonCount(12), 12);
    EXPECT_EQ(FunctionButtonCount(10), 10);
    EXPECT_EQ(FunctionButtonCount(15), 10);
    EXPECT_EQ(FunctionButtonCount(11), 12);
}

TEST(FunctionKeys, TwelveButtonsIn620PixelsAre51WideWithGapsOf4) {
    const TFunctionKeyLayout layout = FunctionKeyLayout(12, 620);
    EXPECT_EQ(layout.Width, 51);
    EXPECT_EQ(layout.Lefts, (std::vector<int>{0, 51, 102, 153, 208, 259, 310, 361, 416, 467, 518, 569}));
}

TEST(FunctionKeys, UnevenWidthsGiveTheOddPixelToTheSecondGap) {
    const TFunctionKeyLayout twelve = FunctionKeyLayout(12, 631); // 11 pixels left over
    EXPECT_EQ(twelve.Lefts[4] - twelve.Lefts[3] - twelve.Width, 9);
    EXPECT_EQ(twelve.Lefts[8] - twelve.Lefts[7] - twelve.Width, 10);
}

TEST(FunctionKeys, ButtonsFillTheBarExactly) {
    for (const int count : {10, 12}) {
        for (int width = 16; width <= 1300; ++width) {
            const TFunctionKeyLayout layout = FunctionKeyLayout(count, width);
            ASSERT_EQ(static_cast<int>(layout.Lefts.size()), count);
            EXPECT_EQ(layout.Lefts.back() + layout.Width, width) << count << " buttons in " << width;
        }
    }
    // Too narrow a bar gives empty buttons.
    for (const int width : {0, 3, -5}) EXPECT_EQ(FunctionKeyLayout(12, width).Width, 0);
}

TEST(FunctionKeys, CaptionsAreTheShortLabelsOfTheBoundCommands) {
    EXPECT_EQ(KeyNames()[static_cast<std::size_t>(FunctionKeyIndex(11))], "{F12}");
    const TFunctionCaptions captions =
        FunctionCaptionsOf(TKeyAssignment::Template(TKeyAssignType::WindowsStandard));
    EXPECT_EQ(captions[0][0], "ﾍﾙﾌﾟ");
    EXPECT_EQ(captions[0][5], ""); // F6 alone runs nothing
    EXPECT_EQ(captions[3][0], "環境");
    EXPECT_EQ(captions[7][0], "");
}

} // namespace
} // namespace mv
