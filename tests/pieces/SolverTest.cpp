#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "pieces/Catalogue.hpp"
#include "pieces/Solver.hpp"

namespace tilvaren {
namespace {

// True when the five cells of `letter` form one of that piece's orientations.
bool IsPieceShape(const FilledFrame& frame, int frameY, char letter) {
    const int width = 60 / frameY;
    std::vector<std::pair<int, int>> cells;
    for (int n = 0; n < 60; ++n) {
        if (frame[static_cast<std::size_t>(n)] == letter) cells.emplace_back(n / width, n % width);
    }
    if (cells.size() != 5) return false;
    const int piece = PieceNumberOf(letter);
    for (int i = 0; i < kOrientationsOfPiece[static_cast<std::size_t>(piece)]; ++i) {
        const auto& shape = kOrientationCells[static_cast<std::size_t>(kFirstOrientation[static_cast<std::size_t>(piece)] + i)];
        bool all = true;
        for (const ShapeCell c : shape) {
            const std::pair<int, int> cell{cells[0].first + c.row, cells[0].second + c.column};
            all = all && std::find(cells.begin(), cells.end(), cell) != cells.end();
        }
        if (all) return true;
    }
    return false;
}

TEST(Solver, FindsThePublishedNumberOfSolutions) {
    struct Case {
        int frameY;
        std::size_t distinct;
        std::size_t all;
    };
    for (const Case c : {Case{6, 2339, 9356}, Case{5, 1010, 4040}, Case{4, 368, 1472}, Case{3, 2, 8}}) {
        SCOPED_TRACE(c.frameY);
        const std::vector<FilledFrame> all = SolveFrame(c.frameY);
        EXPECT_EQ(all.size(), c.all);
        EXPECT_TRUE(std::is_sorted(all.begin(), all.end()));
        EXPECT_EQ(std::adjacent_find(all.begin(), all.end()), all.end());
        std::set<FilledFrame> classes;
        for (const FilledFrame& frame : all) {
            for (const char letter : kPieceLetters) ASSERT_TRUE(IsPieceShape(frame, c.frameY, letter)) << letter;
            classes.insert(CanonicalFrame(frame, c.frameY));
            // Each image of a solution is a solution too.
            EXPECT_TRUE(std::binary_search(all.begin(), all.end(), TurnedFrame(frame)));
            EXPECT_TRUE(std::binary_search(all.begin(), all.end(), MirroredFrame(frame, c.frameY)));
        }
        EXPECT_EQ(classes.size(), c.distinct);
        const std::vector<FilledFrame> distinct = DistinctSolutions(c.frameY);
        EXPECT_EQ(std::set<FilledFrame>(distinct.begin(), distinct.end()), classes);
    }
    EXPECT_TRUE(SolveFrame(2).empty());
    EXPECT_TRUE(SolveFrame(7).empty());
}

TEST(Solver, CanonicalFrameIsTheSameForAllFourImages) {
    FilledFrame frame;
    for (int n = 0; n < 60; ++n) frame[static_cast<std::size_t>(n)] = static_cast<char>('A' + n % 26);
    const FilledFrame turned = TurnedFrame(frame);
    const std::set<FilledFrame> images = {frame, turned, MirroredFrame(frame, 4), MirroredFrame(turned, 4)};
    EXPECT_EQ(images.size(), 4U);
    for (const FilledFrame& image : images) EXPECT_EQ(CanonicalFrame(image, 4), *images.begin());
    EXPECT_EQ(MirroredFrame(frame, 4)[0], frame[14]);
    EXPECT_EQ(turned[0], frame[59]);
}

// The numbers are shared between machines and players: the first and the last
// of each frame are pinned by their letters.
TEST(Solver, NumbersEachSolutionTheSameWayInAllItsImages) {
    const std::map<int, std::pair<std::string, std::string>> ends = {
        {6, {"FFIIIIILZZVFFYLLLLZNVFYYYYXZZNVVVTWXXXNNPPPTWWXUNUPPTTTWWUUU",
             "UUXIIIIIZZUXXXNTTTZYUUXNNFTZZYVVVNFFTWYYVPPNLFFWWYVPPPLLLLWW"}},
        {5, {"FFIIIIINNNZZLFFVVVNNWWZYLFXUUVTWWZZYLXXXUVTWPPYYLLXUUTTTPPPY",
             "UUIIIIIXYYYYULLLLNXXXYPPUUZVLNTXFWPPZZZVNNTFFWWPZVVVNTTTFFWW"}},
        {4, {"FFNNNIIIIIZLLLLVFFXNNWTZZZLUUUVFXXXWWTZPPPUYUVVVXWWTTTPPYYYY",
             "VVVPPPXWWTTTFFYVZZPPXXXWWTFFYYVZLLLLXNNWTUFUYZZLIIIIINNNUUUY"}},
        {3, {"UUXIIIIINNNFTWYYYYZVUXXXPPLNNFFFTWWYZZZVUUXPPPLLLLFTTTWWZVVV",
             "UUXIIIIIZWWTTTFLLLLVUXXXPPZZZYWWTFFFNNLVUUXPPPZYYYYWTFNNNVVV"}},
    };
    for (const auto& [frameY, pinned] : ends) {
        SCOPED_TRACE(frameY);
        const std::vector<FilledFrame>& distinct = FrameDistinct(frameY);
        for (std::size_t n = 0; n < distinct.size(); ++n) {
            const FilledFrame turned = TurnedFrame(distinct[n]);
            for (const FilledFrame& image : {distinct[n], turned, MirroredFrame(distinct[n], frameY), MirroredFrame(turned, frameY)}) {
                ASSERT_EQ(SolutionNumber(image, frameY), static_cast<int>(n) + 1);
            }
        }
        EXPECT_EQ(std::string(distinct.front().begin(), distinct.front().end()), pinned.first);
        EXPECT_EQ(std::string(distinct.back().begin(), distinct.back().end()), pinned.second);
        FilledFrame swapped = distinct.front();  // the right letters in the wrong shapes
        std::swap(swapped[0], swapped[59]);
        EXPECT_EQ(SolutionNumber(swapped, frameY), 0);
    }
    EXPECT_EQ(SolutionNumber(FrameDistinct(6).front(), 7), 0);
}

}  // namespace
}  // namespace tilvaren
