#pragma once

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "pieces/Solver.hpp"

namespace tilvaren {

// What a solution register holds, worked out from its lines alone.
struct RegisterReport {
    struct Found {
        FilledFrame board;       // as first recorded (the line's own cells)
        FilledFrame canonical;   // the smallest of its four images
        std::string firstDate;   // "yyyy/mm/dd" of its first line
        int firstLine = 0;       // 1-based
    };
    struct Frame {
        int frameY = 0;
        std::size_t total = 0;      // distinct solutions the frame has
        std::vector<Found> found;   // distinct ones in the register, in order of first appearance
        std::size_t lines = 0;      // good lines of this frame, repeats included
    };
    // 6 x 10 in normal position: what the register has not shown yet.
    struct Missing {
        std::vector<std::string> cupPositions;
        std::vector<char> openings;
        std::vector<char> cupLetters;
    };

    std::map<int, Frame> frames;             // by frame height, all four present
    std::size_t lineCount = 0;               // lines read, blank ones excluded
    std::vector<int> damagedLines;           // 1-based numbers of lines that hold no solution
    Missing missing;
};

// Reads a register's text. A line counts only when it has 69 fields, a frame
// height 3..6 and sixty cells that fill the frame with the twelve pieces;
// anything else is counted as damaged and passed over. `progress` is called
// now and then with the number of lines read so far.
RegisterReport AnalyseRegister(std::string_view text, const std::function<void(std::size_t)>& progress = {});

// Distinct solutions of `frame` first recorded on or after `date` ("yyyy/mm/dd").
std::vector<const RegisterReport::Found*> NewSince(const RegisterReport::Frame& frame, const std::string& date);

// A board as rows of letters, one row per line.
std::string DrawFrame(const FilledFrame& board, int frameY);

}  // namespace tilvaren
