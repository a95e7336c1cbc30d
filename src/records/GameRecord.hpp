#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/Translatable.hpp"
#include "records/Clock.hpp"

namespace tilvaren {

inline constexpr int kGameRecordFields = 69;
inline constexpr const char* kSavedGameMarker = "0000";
inline constexpr const char* kSolutionMarker = "0001";

// One line of the saved game or the solution register: the frame, the U
// classification ("--", "-", "-" when there is none), the 60 cell codes by
// cell number, and the record marker. The date and time fields are written
// from the clock and not kept when a line is read.
struct GameRecord {
    int frameY = 6;
    std::string cupPosition = "--";
    char opening = '-';
    char cupLetter = '-';
    std::array<char, 60> cells{};
    std::string marker = kSavedGameMarker;
};

// The line as written to disk, ending in CR LF. Each date and time field is
// taken from the clock as it is written.
std::string FormatGameRecord(const GameRecord& record, const Clock& clock);

// The comma-separated fields of one line (no quoting: no field holds a comma).
std::vector<std::string_view> SplitFields(std::string_view line);

// What reading a line gave: the record, or why it cannot be trusted.
struct ParsedRecord {
    bool ok = false;
    GameRecord record;
    MarkedText problem;  // for the player
};

// Reads the first line of `text` (up to CR or LF). A line is refused when it
// has fewer than 64 fields, a frame height that is not a plain decimal 3..6,
// an empty cell field, or a cell code a written file never holds (only "0",
// "1", "2" and the twelve capital letters are). A cell field of several
// characters counts by its first one; fields after the cells are not read.
ParsedRecord ParseGameRecord(std::string_view text);

}  // namespace tilvaren
