#include "core/shell/profile_placement.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace mv {
namespace {

// A frame adds 10 pixels across and 60 down (title bar, menu, borders) to the client area.
constexpr int kFrameWidth = 10;
constexpr int kFrameHeight = 60;
// The primary screen with a task bar of 40 at the bottom, and a second one to its right.
const std::vector<TScreenRect> kTwoScreens{{0, 0, 1920, 1040}, {1920, 0, 1280, 1024}};
const std::vector<TScreenRect> kOneScreen{kTwoScreens.front()};

TWindowPlace Restored(TWindowPlace stored, const std::vector<TScreenRect>& areas) {
    return RestoredPlace(stored, kFrameWidth, kFrameHeight, areas);
}

TEST(ProfilePlacement, WindowsOpenOnTheScreenThatHoldsThemAndNeverOffScreen) {
    struct Case {
        const char* What;
        TWindowPlace Stored;
        const std::vector<TScreenRect>& Areas;
        TWindowPlace Expected;
    };
    const Case cases[] = {
        {"on the second screen", {2000, 100, 600, 400}, kTwoScreens, {2000, 100, 600, 400}},
        {"mostly on the second screen, kept there",
         {1800, 100, 600, 400},
         kTwoScreens,
         {1920, 100, 600, 400}},
        {"second screen since removed", {2000, 100, 600, 400}, kOneScreen, {1310, 100, 600, 400}},
        {"left of the primary screen", {-900, -300, 600, 400}, kOneScreen, {0, 0, 600, 400}},
        {"below the task bar", {100, 900, 600, 400}, kOneScreen, {100, 580, 600, 400}},
        {"taller than the screen now", {100, 100, 600, 2000}, kOneScreen, {100, 0, 600, 980}},
        {"damaged profile", {INT_MAX, INT_MIN, INT_MAX, -5}, kOneScreen, {0, 0, 1910, 1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Restored(c.Stored, c.Areas), c.Expected) << c.What;
}

} // namespace
} // namespace mv
