#include "core/shell/window_placement.h"

#include <gtest/gtest.h>

namespace mv {
namespace {

constexpr TScreenRect kWorkArea{0, 40, 1000, 700}; // a task bar of 40 pixels on top

TEST(WindowPlacement, CentringTruncatesTheHalvesTowardsZero) {
    EXPECT_EQ(CentredIn(kWorkArea, 301, 201), (TScreenPoint{349, 289}));
    // Larger than the area: it sticks out on both sides, -1/2 truncating to 0.
    EXPECT_EQ(CentredIn({0, 0, 100, 100}, 101, 103), (TScreenPoint{0, -1}));
    // Below the task bar, not in the middle of the whole screen.
    EXPECT_EQ(DialogPlace(200, 100, nullptr, kWorkArea), (TScreenPoint{400, 340}));
}

TEST(WindowPlacement, DialogOverItsOwnerStaysInsideTheWorkArea) {
    struct Case {
        TScreenRect Owner;
        TScreenPoint Expected;
    };
    const Case cases[] = {
        {{100, 100, 400, 300}, {200, 200}}, // well inside: centred over the owner
        {{800, 600, 400, 300}, {800, 640}}, // off the right and bottom: aligned there
        {{-300, -200, 400, 300}, {0, 40}},  // off the left and top: aligned there
    };
    for (const Case& c : cases)
        EXPECT_EQ(DialogPlace(200, 100, &c.Owner, kWorkArea), c.Expected) << c.Owner.Left;
    // A frame larger than the area keeps its top-left corner inside.
    EXPECT_EQ(PulledIntoWorkArea({500, 500, 1200, 900}, kWorkArea), (TScreenPoint{0, 40}));
}

} // namespace
} // namespace mv
