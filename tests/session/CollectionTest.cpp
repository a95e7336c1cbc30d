#include "session/Collection.hpp"

#include <gtest/gtest.h>

#include <tuple>

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

std::vector<int> Numbers(const std::vector<CollectionEntry>& entries) {
    std::vector<int> numbers;
    for (const CollectionEntry& entry : entries) numbers.push_back(entry.number);
    return numbers;
}

// Each page as the window shows it, from register text as the game writes it.
TEST(Collection, PagesFromRegisterText) {
    struct Page {
        int frameY;
        std::size_t found, total, lines;
        std::string firstFind, latestFind;
        std::size_t damaged;
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
         {{6, 0, 2339, 0, "", "", 0, {}, {}},
          {3, 0, 2, 0, "", "", 0, {}, {}}}},
        // The clock went back between two finds: the order of first find is
        // by date, not by place in the register.
        {"repeats in other images, the dates out of order",
         {{6, 3, 0, 3, 1}, {6, 100, 1, 1, 5}, {6, 3, 2, 3, 9}, {6, 50, 3, 2, 1}, {6, 3, 1, 4, 1}, {5, 7, 3, 1, 9}},
         "",
         true,
         {{6, 3, 2339, 5, "2026/01/05", "2026/03/01", 0, {4, 51, 101},
           {101, 51, 4}},
          {5, 1, 1010, 1, "2026/01/09", "2026/01/09", 0, {8}, {8}},
          {4, 0, 368, 0, "", "", 0, {}, {}}}},
        // Found again after another's first find: the first find still counts.
        {"a repeat later than the next first find",
         {{6, 3, 0, 1, 1}, {6, 100, 0, 3, 1}, {6, 3, 1, 6, 1}},
         "",
         true,
         {{6, 2, 2339, 3, "2026/01/01", "2026/03/01", 0, {4, 101}, {4, 101}}}},
        {"damaged lines and a last line without its end",
         {{3, 1, 0, 5, 5}, {3, 0, 1, 5, 5}, {3, 1, 3, 5, 6}},
         "garbage\r\n6,--,-,-,F,F\r\n",
         false,
         {{3, 2, 2, 3, "2026/05/05", "2026/05/05", 2, {1, 2},
           {2, 1}},
          {6, 0, 2339, 0, "", "", 2, {}, {}}}},
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
            EXPECT_EQ(std::tie(page->found, page->total, page->lines, page->firstFind, page->latestFind, page->damaged),
                      std::tie(want.found, want.total, want.lines, want.firstFind, want.latestFind, want.damaged))
                << c.name;
            // Only found solutions are ever listed, by number until asked otherwise.
            EXPECT_EQ(page->entries.size(), page->found) << c.name;
            EXPECT_EQ(Numbers(page->entries), want.byNumber) << c.name;
            CollectionPage sorted = *page;
            SortEntries(sorted, CollectionOrder::ByFirstFind);
            EXPECT_EQ(Numbers(sorted.entries), want.byFirstFind) << c.name;
            SortEntries(sorted, CollectionOrder::ByNumber);
            EXPECT_EQ(Numbers(sorted.entries), want.byNumber) << c.name;
        }
    }
}

// What the collection knows of one found solution, and that its small and large
// boards are drawn as the game draws the same board's cells.
TEST(Collection, EntryFactsAndOutlines) {
    const std::string text = Written({6, 0, 2, 1, 2}) + Written({6, 0, 0, 2, 3}) + Written({4, 367, 1, 7, 8});
    const Collection collection = CollectionOf(AnalyseRegister(text));
    const CollectionEntry& six = PageOf(collection, 6)->entries.at(0);
    const auto facts = [](const CollectionEntry& e) {
        return std::tuple(e.number, e.firstDate, e.latestDate, e.timesFound, e.firstLine);
    };
    EXPECT_EQ(facts(six), std::tuple(1, "2026/01/02", "2026/02/03", 2U, 1U));
    // In normal position the U has a cup, an opening and a piece in it.
    EXPECT_EQ(six.u.cupPosition.size(), 2U);
    EXPECT_NE(six.u.opening, '-');
    EXPECT_NE(six.u.cupLetter, '-');
    const CollectionEntry& four = PageOf(collection, 4)->entries.at(0);
    EXPECT_EQ(facts(four), std::tuple(368, "2026/07/08", "2026/07/08", 1U, 3U));

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
