#include "core/dialogs/tool_placement.h"

#include <gtest/gtest.h>

namespace mv {
namespace {

constexpr TScreenRect WorkArea{0, 0, 1920, 1040};

struct TPlaceCase {
    const char* Name;
    TScreenPoint Owner;
    TScreenPoint Offset;
    TScreenPoint Expected;
    int Width = 300;
    int Height = 200;
    TScreenRect Area = WorkArea;
};

// A 300 x 200 tool window unless told.
TEST(ToolPlace, StandsAtTheOffsetInsideTheWorkArea) {
    const TPlaceCase cases[] = {
        {"at the offset", {100, 100}, {32, 32}, {132, 132}},
        {"past the right edge", {1700, 100}, {32, 32}, {1620, 132}},
        {"past the bottom", {100, 900}, {32, 32}, {132, 840}},
        {"before the left edge", {-200, 100}, {32, 32}, {0, 132}},
        {"above the top", {100, -100}, {-20, 32}, {80, 0}},
        // Larger than the work area, the tool keeps its top-left corner, and with it its
        // caption, on screen.
        {"too large", {500, 500}, {32, 32}, {0, 0}, 2500, 1500},
        {"work area off the origin", {1900, 0}, {32, 32}, {1932, 32}, 300, 200, {1920, 24, 1280, 1000}},
    };
    for (const TPlaceCase& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(ToolPlace(c.Owner, c.Offset, c.Width, c.Height, c.Area), c.Expected);
    }
}

} // namespace
} // namespace mv
