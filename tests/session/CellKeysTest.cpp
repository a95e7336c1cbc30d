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

}  // namespace
}  // namespace tilvaren
