#include "session/CellKeys.hpp"

#include <gtest/gtest.h>

namespace tilvaren {
namespace {

TEST(CellKeysTest, EachKeyReachesItsCellAndStopsAtTheEdges) {
    struct Case {
        int n;
        CellKey key;
        bool repeat;
        int rowLength;
        KeyOutcome expected;
    };
    const Case cases[] = {
        {9, CellKey::Right, false, 10, {9}},    // the row's end: no wrap onto the next row
        {10, CellKey::Left, false, 10, {10}},   // nor back onto the row before
        {4, CellKey::Right, false, 10, {5}},
        {5, CellKey::Up, false, 10, {5}},
        {15, CellKey::Up, false, 10, {5}},
        {55, CellKey::Down, false, 10, {55}},
        {45, CellKey::Down, false, 15, {45}},  // 4 * 15 frame: the bottom row
        {23, CellKey::Home, false, 12, {12}},
        {13, CellKey::End, false, 12, {23}},
        {7, CellKey::Act, false, 10, {7, true}},
        {7, CellKey::Act, true, 10, {7, false}},  // a held key acts once
        {7, CellKey::Right, true, 10, {8}},       // but moves on every repeat
        {7, CellKey::Other, false, 10, {7}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OnCellKey(c.n, c.key, c.repeat, c.rowLength, 60), c.expected)
            << "cell " << c.n << " key " << static_cast<int>(c.key) << " width " << c.rowLength;
    }
}

TEST(CellKeysTest, TabWalksTheEmptyCellsInTheirOrder) {
    const std::vector<int> order = {23, 0, 4, 31};  // the best cell, then cell order
    struct Case {
        int n;
        bool forward;
        std::vector<int> order;
        int expected;
    } const cases[] = {
        {23, true, order, 0},   {0, true, order, 4},    {31, true, order, 23},  // round to the start
        {23, false, order, 31}, {4, false, order, 0},
        {12, true, order, 23},  // from a cell just clicked: the best one
        {12, false, order, 31}, {12, true, {}, -1},     {7, true, {7}, 7},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OnTabKey(c.n, c.forward, c.order), c.expected) << "cell " << c.n << (c.forward ? " Tab" : " Shift+Tab");
    }
}

}  // namespace
}  // namespace tilvaren
