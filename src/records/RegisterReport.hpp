#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Frame.hpp"
#include "pieces/Solver.hpp"
#include "records/SolutionRegister.hpp"

namespace tilvaren {

// What a solution register holds, worked out from its lines alone.
struct RegisterReport {
    struct Found {
        FilledFrame board;           // as first recorded (the line's own cells)
        FilledFrame canonical;       // the smallest of its four images
        std::string firstDate;       // "yyyy/mm/dd" of its first line
        std::size_t firstLine = 0;   // 1-based
        int number = 0;              // the solution's fixed number in its frame (SolutionNumber)
        std::size_t timesFound = 0;  // good lines that hold it, in any of its images
        std::string latestDate;      // "yyyy/mm/dd" of the last such line
        UClassification u;           // 6 x 10: the U classification in normal position, as the
                                     // game writes it; "--", '-', '-' for other frames
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
    std::size_t lastLine = 0;                // number of the last line, blank ones included
    std::size_t damagedCount = 0;            // lines that hold no solution
    std::vector<std::size_t> damagedLines;   // 1-based numbers of the first kDamagedLinesKept of them
    Missing missing;
};

// A register line is about 140 bytes; a line longer than this is damaged, even
// a blank one, and is never held in memory.
inline constexpr std::size_t kRegisterLineLimit = 4096;
// How many damaged line numbers a report keeps; the rest are only counted.
inline constexpr std::size_t kDamagedLinesKept = 100;

// Reads a register piece by piece, in the order of its text; a line may span
// pieces, and memory stays bounded whatever the text. A line counts only when
// it has 69 fields, a frame height 3..6 and sixty cells that fill the frame
// with the twelve pieces; anything else is counted as damaged and passed over.
class RegisterReader {
public:
    // `progress` is called now and then with the number of lines read so far.
    explicit RegisterReader(std::function<void(std::size_t)> progress = {});

    // The next piece of the text, cut anywhere.
    void Add(std::string_view text);
    // The report, a last line without a newline included. Call once.
    RegisterReport Finish();

private:
    void EndLine(std::string_view line);
    void Damaged();

    std::function<void(std::size_t)> progress_;
    RegisterReport report_;
    // By frame height less 3, then by solution number less 1: the place in the
    // frame's found list plus 1, or 0 while the solution has not been read.
    std::array<std::vector<std::uint32_t>, kFrameHeights.size()> seen_;
    std::string partial_;                        // the line being read, while within the limit
    bool overlong_ = false;                      // the line being read is past the limit
    std::size_t lineNumber_ = 0;
};

// The whole text read at once through a RegisterReader.
RegisterReport AnalyseRegister(std::string_view text, const std::function<void(std::size_t)>& progress = {});

// Distinct solutions of `frame` first recorded on or after `date` ("yyyy/mm/dd").
std::vector<const RegisterReport::Found*> NewSince(const RegisterReport::Frame& frame, const std::string& date);

// A board as rows of letters, one row per line.
std::string DrawFrame(const FilledFrame& board, int frameY);

}  // namespace tilvaren
