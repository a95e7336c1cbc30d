#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "pieces/Catalogue.hpp"
#include "support/TestBoards.hpp"

namespace tilvaren {
namespace {

using testing::RecordingErrorSink;
using Shape = std::vector<std::pair<int, int>>;  // (row, column), reading order, anchor at (0, 0)

Shape Normalised(Shape cells) {
    std::sort(cells.begin(), cells.end());
    const auto anchor = cells.front();
    for (auto& [r, c] : cells) {
        r -= anchor.first;
        c -= anchor.second;
    }
    return cells;
}

Shape ShapeOf(int k) {
    Shape cells = {{0, 0}};
    for (const ShapeCell cell : kOrientationCells[static_cast<std::size_t>(k)]) cells.emplace_back(cell.row, cell.column);
    return cells;
}

Shape TurnedQuarter(const Shape& s) {
    Shape out;
    for (const auto& [r, c] : s) out.emplace_back(c, -r);
    return Normalised(out);
}

Shape Mirrored(const Shape& s) {
    Shape out;
    for (const auto& [r, c] : s) out.emplace_back(r, -c);
    return Normalised(out);
}

TEST(Catalogue, OrientationsFollowTheNumberingRule) {
    for (int piece = 0; piece < kPieceCount; ++piece) {
        const int b = kFirstOrientation[static_cast<std::size_t>(piece)];
        const int count = kOrientationsOfPiece[static_cast<std::size_t>(piece)];
        const char letter = kPieceLetters[static_cast<std::size_t>(piece)];
        SCOPED_TRACE(letter);
        if (count == 8) {
            for (int i : {1, 2, 3, 5, 6, 7}) EXPECT_EQ(ShapeOf(b + i), TurnedQuarter(ShapeOf(b + i - 1))) << b + i;
            EXPECT_EQ(ShapeOf(b + 4), Mirrored(ShapeOf(b)));
        } else if (letter == 'Z') {
            EXPECT_EQ(ShapeOf(60), TurnedQuarter(ShapeOf(59)));
            EXPECT_EQ(ShapeOf(61), Mirrored(ShapeOf(60)));
            EXPECT_EQ(ShapeOf(62), Mirrored(ShapeOf(59)));
        } else {
            for (int i = 1; i < count; ++i) EXPECT_EQ(ShapeOf(b + i), TurnedQuarter(ShapeOf(b + i - 1))) << b + i;
        }
        // The orientations of a piece are exactly its distinct images.
        std::set<Shape> images;
        Shape s = ShapeOf(b);
        for (int turn = 0; turn < 4; ++turn, s = TurnedQuarter(s)) {
            images.insert(s);
            images.insert(Mirrored(s));
        }
        std::set<Shape> listed;
        for (int i = 0; i < count; ++i) listed.insert(ShapeOf(b + i));
        EXPECT_EQ(listed, images);
    }
    std::set<Shape> all;
    for (int k = 0; k < kOrientationCount; ++k) {
        EXPECT_EQ(ShapeOf(k), Normalised(ShapeOf(k))) << "cells of " << k << " are not in reading order";
        all.insert(ShapeOf(k));
    }
    EXPECT_EQ(all.size(), 63U);
}

TEST(Catalogue, OffsetsForEveryStride) {
    struct Worked {
        int stride;
        int row;
        std::array<int, 4> offsets;
    };
    const Worked worked[] = {{18, 0, {1, 17, 18, 36}},  {18, 8, {18, 36, 54, 72}},  {18, 13, {15, 16, 17, 18}},
                             {18, 50, {17, 18, 19, 36}}, {28, 0, {1, 27, 28, 56}}, {28, 8, {28, 56, 84, 112}}};
    for (const Worked& w : worked) {
        OrientationOffsetTable table{};
        BuildOrientationOffsets(w.stride, table);
        EXPECT_EQ(table[static_cast<std::size_t>(w.row)], w.offsets) << "stride " << w.stride << " row " << w.row;
    }
    for (const int stride : {18, 20, 23, 28}) {
        OrientationOffsetTable table{};
        BuildOrientationOffsets(stride, table);
        for (const auto& row : table) {
            EXPECT_GT(row[0], 0);
            EXPECT_TRUE(std::is_sorted(row.begin(), row.end()) && std::adjacent_find(row.begin(), row.end()) == row.end());
        }
    }
}

TEST(Catalogue, ConversionsAndTheirErrors) {
    struct Case {
        const char* call;
        int number;
        std::string letter;
        int expected;  // a letter as its char value, or a number
        const char* message;
    };
    const Case cases[] = {
        {"62", 62, "", 'Z', nullptr},
        {"62", 50, "", 'X', nullptr},
        {"62", 0, "", 'F', nullptr},
        {"62", 9, "", 'I', nullptr},
        {"62", 58, "", 'Y', nullptr},
        {"62", 63, "", ' ', "例外発生 Change62ToAlp 引数=63"},
        {"62", -1, "", ' ', "例外発生 Change62ToAlp 引数=-1"},
        {"11", 11, "", 'Z', nullptr},
        {"11", 0, "", 'F', nullptr},
        {"11", 12, "", ' ', "例外発生 Change11ToAlp 引数=12"},
        {"11", -1, "", ' ', "例外発生 Change11ToAlp 引数=-1"},
        {"num", 0, "Y", 51, nullptr},
        {"num", 0, "F", 0, nullptr},
        {"num", 0, "Z", 59, nullptr},
        {"num", 0, "f", 99, "例外発生 ChangeToNum 引数=f"},
        {"num", 0, " ", 99, "例外発生 ChangeToNum 引数= "},
        {"num", 0, "FF", 99, "例外発生 ChangeToNum 引数=FF"},
        {"count", 0, "Y", 8, nullptr},
        {"count", 0, "X", 1, nullptr},
        {"count", 0, "I", 2, nullptr},
        {"count", 0, "", 99, "例外発生 ChangeToNumCount 引数="},
    };
    for (const Case& c : cases) {
        RecordingErrorSink errors;
        const std::string call = c.call;
        int got = 0;
        if (call == "62") got = Change62ToAlp(c.number, errors);
        if (call == "11") got = Change11ToAlp(c.number, errors);
        if (call == "num") got = ChangeToNum(c.letter, errors);
        if (call == "count") got = ChangeToNumCount(c.letter, errors);
        SCOPED_TRACE(call + " " + std::to_string(c.number) + " '" + c.letter + "'");
        EXPECT_EQ(got, c.expected);
        if (c.message == nullptr) {
            EXPECT_TRUE(errors.messages.empty());
        } else {
            EXPECT_EQ(errors.messages, std::vector<std::string>{c.message});
        }
    }
    // Every orientation lies inside the range of its own letter.
    SilentErrorSink silent;
    for (int k = 0; k < kOrientationCount; ++k) {
        const std::string letter(1, Change62ToAlp(k, silent));
        const int first = ChangeToNum(letter, silent);
        EXPECT_TRUE(first <= k && k < first + ChangeToNumCount(letter, silent)) << k;
    }
}

}  // namespace
}  // namespace tilvaren
