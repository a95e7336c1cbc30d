#include <gtest/gtest.h>

#include "session/Geometry.hpp"

namespace tilvaren {
namespace {

// The collection beside the game: on a 1600 x 1200 screen with a panel at
// the top, the window asking 700 x 620 and able to do with 300 x 400.
TEST(Geometry, ASecondWindowGoesBesideTheMainOne) {
    const ScreenRect screen{0, 32, 1600, 1168};
    struct Case {
        const char* name;
        ScreenRect main;
        ScreenRect kept;
        ScreenRect expected;
    } const cases[] = {
        {"room on the right: level with the main window's top", {664, 400, 272, 260}, {}, {936, 400, 664, 620}},
        {"the right too narrow for all of it, wide enough for the least", {1000, 400, 272, 260}, {},
         {1272, 400, 328, 620}},
        {"the right too narrow: on the left", {1400, 400, 150, 260}, {}, {700, 400, 700, 620}},
        {"the left too narrow as well: below", {250, 100, 1100, 260}, {}, {250, 360, 700, 620}},
        {"no room below: above", {250, 800, 1100, 380}, {}, {250, 180, 700, 620}},
        {"low on the screen: its bottom stays on it", {664, 1000, 272, 160}, {}, {936, 580, 664, 620}},
        {"no side has room: its least against the roomier edge", {100, 300, 1400, 700}, {}, {1300, 300, 300, 620}},
        {"a kept place on the screen is used as it is", {664, 400, 272, 260}, {100, 100, 500, 400},
         {100, 100, 500, 400}},
        {"a kept place partly off the screen is not", {664, 400, 272, 260}, {1500, 100, 500, 400},
         {936, 400, 500, 400}},
        {"a kept place under the panel: beside, at its kept size", {664, 400, 272, 260}, {100, 0, 500, 400},
         {936, 400, 500, 400}},
        {"a kept place over the game: beside, at its kept size", {664, 400, 272, 260}, {700, 300, 500, 400},
         {936, 400, 500, 400}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ScreenRect placed = PlaceBeside(c.main, {700, 620, 300, 400, c.kept}, screen);
        EXPECT_EQ(placed, c.expected) << placed.x << "," << placed.y << " " << placed.width << "x" << placed.height;
        EXPECT_TRUE(screen.Contains(placed));
        // Placed by the rule, it leaves the game uncovered wherever a side has room.
        const bool noRoom = c.main.width >= 1400;
        if (!noRoom) {
            EXPECT_FALSE(placed.Overlaps(c.main));
        }
    }
}

// Larger than the screen, and on a screen scaled so it is small: never past
// its available area, and beside the game where the least size fits.
TEST(Geometry, ASecondWindowIsNeverLargerThanTheScreen) {
    struct Case {
        const char* name;
        ScreenRect screen;
        ScreenRect main;
        int wantedWidth, wantedHeight, leastWidth, leastHeight;
    } const cases[] = {
        {"taller than the screen", {0, 0, 1600, 1200}, {664, 470, 272, 260}, 1400, 1240, 300, 400},
        {"a screen at scale 2", {0, 0, 800, 600}, {264, 185, 272, 230}, 700, 620, 260, 400},
        {"a least size wider than the screen", {0, 0, 800, 600}, {264, 185, 272, 230}, 700, 620, 900, 700},
        {"a screen not at the origin", {-1280, 0, 1280, 1024}, {-800, 400, 272, 260}, 700, 620, 300, 400},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ScreenRect placed = PlaceBeside(c.main, {c.wantedWidth, c.wantedHeight, c.leastWidth, c.leastHeight, {}},
                                              c.screen);
        EXPECT_TRUE(c.screen.Contains(placed)) << placed.x << "," << placed.y << " " << placed.width << "x"
                                               << placed.height;
        EXPECT_LE(placed.height, c.screen.height);
        if (c.leastWidth <= c.screen.Right() - c.main.Right()) {
            EXPECT_FALSE(placed.Overlaps(c.main));
            EXPECT_GE(placed.width, c.leastWidth);
        }
    }
}

}  // namespace
}  // namespace tilvaren
