#include "session/Collection.hpp"

#include <gtest/gtest.h>

#include "records/GameRecord.hpp"
#include "session/DrawBoard.hpp"
#include "support/TempDir.hpp"
#include "support/TestBoards.hpp"

namespace tilvaren {
namespace {

using testing::FixedClock;

// A register line: the frame's distinct solution `solution` (from 0, in the
// sorted order that gives solution numbers), in one of its four images,
// written on that day of 2026.
struct Line {
    int frameY;
    int solution;
    int image;  // 0 as it is, 1 turned, 2 mirrored, 3 both
    int month, day;
};

std::string Written(const Line& line) {
    const FilledFrame board = DistinctSolutions(line.frameY)[static_cast<std::size_t>(line.solution)];
    const FilledFrame turned = TurnedFrame(board);
    const FilledFrame images[] = {board, turned, MirroredFrame(board, line.frameY),
                                  MirroredFrame(turned, line.frameY)};
    GameRecord record;
    record.frameY = line.frameY;
    record.cells = images[line.image];
    record.marker = kSolutionMarker;
    return FormatGameRecord(record, FixedClock({2026, line.month, line.day, 12, 0, 0}));
}

std::vector<int> Numbers(const std::vector<const CollectionEntry*>& entries) {
    std::vector<int> numbers;
    for (const CollectionEntry* entry : entries) numbers.push_back(entry->number);
    return numbers;
}

// Each page as the window shows it, from register text as the game writes it.
TEST(Collection, PagesFromRegisterText) {
    struct Page {
        int frameY;
        std::string header;
        std::string counts;
        std::vector<int> byNumber;
        std::vector<int> byFirstFind;
    };
    struct Case {
        const char* name;
        std::vector<Line> lines;
        std::string extra;  // damaged text after the lines
        bool lastLineEnded;
        std::vector<Page> pages;
    };
    const Case cases[] = {
        {"a fresh register",
         {},
         "",
         true,
         {{6, "見つけた解 0 / 2339", "仕上げた盤 0 回　まだ見つけた解はありません", {}, {}},
          {3, "見つけた解 0 / 2", "仕上げた盤 0 回　まだ見つけた解はありません", {}, {}}}},
        // The clock went back between two finds: the order of first find is
        // by date, not by place in the register.
        {"repeats in other images, the dates out of order",
         {{6, 3, 0, 3, 1}, {6, 100, 1, 1, 5}, {6, 3, 2, 3, 9}, {6, 50, 3, 2, 1}, {6, 3, 1, 4, 1}, {5, 7, 3, 1, 9}},
         "",
         true,
         {{6, "見つけた解 3 / 2339", "仕上げた盤 5 回　最初の発見 2026/01/05　最新の発見 2026/03/01", {4, 51, 101},
           {101, 51, 4}},
          {5, "見つけた解 1 / 1010", "仕上げた盤 1 回　最初の発見 2026/01/09　最新の発見 2026/01/09", {8}, {8}},
          {4, "見つけた解 0 / 368", "仕上げた盤 0 回　まだ見つけた解はありません", {}, {}}}},
        // Found again after another's first find: the first find still counts.
        {"a repeat later than the next first find",
         {{6, 3, 0, 1, 1}, {6, 100, 0, 3, 1}, {6, 3, 1, 6, 1}},
         "",
         true,
         {{6, "見つけた解 2 / 2339", "仕上げた盤 3 回　最初の発見 2026/01/01　最新の発見 2026/03/01", {4, 101}, {4, 101}}}},
        {"damaged lines and a last line without its end",
         {{3, 1, 0, 5, 5}, {3, 0, 1, 5, 5}, {3, 1, 3, 5, 6}},
         "garbage\r\n6,--,-,-,F,F\r\n",
         false,
         {{3, "見つけた解 2 / 2", "仕上げた盤 3 回　最初の発見 2026/05/05　最新の発見 2026/05/05　読めない行 2", {1, 2},
           {2, 1}},
          {6, "見つけた解 0 / 2339", "仕上げた盤 0 回　まだ見つけた解はありません　読めない行 2", {}, {}}}},
    };
    for (const Case& c : cases) {
        std::string text;
        for (std::size_t i = 0; i < c.lines.size(); ++i) {
            if (i + 1 == c.lines.size() && !c.extra.empty()) text += c.extra;
            text += Written(c.lines[i]);
        }
        if (!c.lastLineEnded) text.resize(text.size() - 2);
        const Collection collection = CollectionOf(AnalyseRegister(text));
        ASSERT_EQ(collection.state, Collection::State::Ready) << c.name;
        ASSERT_EQ(collection.pages.size(), 4U) << c.name;
        for (const Page& want : c.pages) {
            const CollectionPage* page = PageOf(collection, want.frameY);
            ASSERT_EQ(page->frameY, want.frameY) << c.name;
            EXPECT_EQ(page->header, want.header) << c.name;
            EXPECT_EQ(page->counts, want.counts) << c.name;
            // Only found solutions are ever listed.
            EXPECT_EQ(page->entries.size(), page->found) << c.name;
            EXPECT_EQ(Numbers(SortedEntries(*page, CollectionOrder::ByNumber)), want.byNumber) << c.name;
            EXPECT_EQ(Numbers(SortedEntries(*page, CollectionOrder::ByFirstFind)), want.byFirstFind) << c.name;
        }
    }
}

// What one small board and its large view say, and that each is drawn as the
// game draws the same board's cells.
TEST(Collection, EntryTextsAndOutlines) {
    const std::string text = Written({6, 0, 2, 1, 2}) + Written({6, 0, 0, 2, 3}) + Written({4, 367, 1, 7, 8});
    const Collection collection = CollectionOf(AnalyseRegister(text));
    const CollectionEntry& six = PageOf(collection, 6)->entries.at(0);
    EXPECT_EQ(six.caption, "No. 1\n2026/01/02");
    EXPECT_EQ(six.accessibleName, "No. 1　初めて見つけた日 2026/01/02　見つけた回数 2");
    EXPECT_EQ(six.details.rfind("No. 1\n初めて見つけた日 2026/01/02\n最後に見つけた日 2026/02/03\n見つけた回数 2\n"
                                "U のカップの位置 ",
                                0),
              0U)
        << six.details;
    EXPECT_NE(six.details.find("U の開き "), std::string::npos);
    EXPECT_NE(six.details.find("カップの中のピース "), std::string::npos);
    const CollectionEntry& four = PageOf(collection, 4)->entries.at(0);
    EXPECT_EQ(four.details, "No. 368\n初めて見つけた日 2026/07/08\n最後に見つけた日 2026/07/08\n見つけた回数 1");

    for (const auto& [frameY, entry] : {std::pair{6, &six}, std::pair{4, &four}}) {
        testing::RecordingErrorSink errors;
        Board board = testing::MakeBoard(errors, frameY);
        for (int n = 0; n < kCellCount; ++n) {
            board.Bsts[static_cast<std::size_t>(board.GridIndexOf(n))] = entry->board[static_cast<std::size_t>(n)];
        }
        for (int n = 0; n < kCellCount; ++n) {
            EXPECT_EQ(entry->tiles[static_cast<std::size_t>(n)], DecideCell(board, n).tileCode)
                << frameY << " cell " << n;
        }
    }
}

}  // namespace
}  // namespace tilvaren
