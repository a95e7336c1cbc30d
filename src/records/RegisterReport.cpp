#include "records/RegisterReport.hpp"

#include <algorithm>
#include <set>
#include <utility>

#include "core/Frame.hpp"
#include "board/Board.hpp"
#include "board/Transforms.hpp"
#include "records/GameRecord.hpp"
#include "records/SolutionRegister.hpp"

namespace tilvaren {

namespace {

struct LineBoard {
    int frameY = 0;
    FilledFrame board{};
    std::string_view date;
};

// The board of a line of 69 fields whose 60 cells are single characters, or
// none. Walks the line once and keeps nothing but the board.
std::optional<LineBoard> BoardOfLine(std::string_view line) {
    LineBoard parsed;
    std::size_t field = 0;
    std::size_t start = 0;
    for (std::size_t at = 0; at <= line.size(); ++at) {
        if (at < line.size() && line[at] != ',') continue;
        const std::string_view text = line.substr(start, at - start);
        if (field == 0) {
            if (text.size() != 1 || !IsFrameHeight(text[0] - '0')) return std::nullopt;
            parsed.frameY = text[0] - '0';
        } else if (field >= 4 && field < 64) {
            // Whether the letters are pieces is settled by the board being a solution.
            if (text.size() != 1) return std::nullopt;
            parsed.board[field - 4] = text[0];
        } else if (field == 64) {
            parsed.date = text;
        }
        ++field;
        start = at + 1;
    }
    if (field != kGameRecordFields) return std::nullopt;
    return parsed;
}

// The classification the game gives a 6 x 10 board in normal position.
UClassification ClassifyNormalised(const FilledFrame& board) {
    SilentErrorSink silent;
    Board b(silent);
    b.ResetBoard();
    for (int n = 0; n < 60; ++n) b.Bsts[static_cast<std::size_t>(b.GridIndexOf(n))] = board[static_cast<std::size_t>(n)];
    b.GameStarted = true;
    CorrectU(b);
    return SolutionClassify(b);
}

struct Classes {
    std::set<std::string> cupPositions;
    std::set<char> openings;
    std::set<char> cupLetters;
    void Add(const UClassification& u) {
        cupPositions.insert(u.cupPosition);
        openings.insert(u.opening);
        cupLetters.insert(u.cupLetter);
    }
};

// What 6 x 10 solutions can show, worked out once per process.
const Classes& PossibleClasses() {
    static const Classes possible = [] {
        Classes c;
        for (const FilledFrame& board : FrameDistinct(6)) c.Add(ClassifyNormalised(board));
        return c;
    }();
    return possible;
}

std::size_t FrameSlot(int frameY) { return static_cast<std::size_t>(frameY - kFrameHeights.back()); }

}  // namespace

RegisterReader::RegisterReader(std::function<void(std::size_t)> progress) : progress_(std::move(progress)) {
    for (const int frameY : kFrameHeights) {
        report_.frames[frameY].frameY = frameY;
        report_.frames[frameY].total = FrameDistinct(frameY).size();
        seen_[FrameSlot(frameY)].assign(report_.frames[frameY].total, 0);
    }
}

void RegisterReader::Add(std::string_view text) {
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        const std::string_view piece = text.substr(0, newline);
        if (!overlong_ && partial_.size() + piece.size() > kRegisterLineLimit) {
            overlong_ = true;
            std::string().swap(partial_);
        } else if (!overlong_ && partial_.empty() && newline != std::string_view::npos) {
            EndLine(piece);  // the whole line is in this piece: no copy
            text.remove_prefix(newline + 1);
            continue;
        } else if (!overlong_) {
            partial_.append(piece);
        }
        if (newline == std::string_view::npos) return;
        EndLine(partial_);
        partial_.clear();
        text.remove_prefix(newline + 1);
    }
}

RegisterReport RegisterReader::Finish() {
    if (overlong_ || !partial_.empty()) EndLine(partial_);
    partial_.clear();
    report_.lastLine = lineNumber_;

    Classes shown;
    for (RegisterReport::Found& found : report_.frames[6].found) {
        found.u = ClassifyNormalised(found.board);
        shown.Add(found.u);
    }
    const Classes& possible = PossibleClasses();
    for (const std::string& cup : possible.cupPositions) {
        if (!shown.cupPositions.count(cup)) report_.missing.cupPositions.push_back(cup);
    }
    for (const char opening : possible.openings) {
        if (!shown.openings.count(opening)) report_.missing.openings.push_back(opening);
    }
    for (const char letter : possible.cupLetters) {
        if (!shown.cupLetters.count(letter)) report_.missing.cupLetters.push_back(letter);
    }
    return std::move(report_);
}

void RegisterReader::Damaged() {
    ++report_.damagedCount;
    if (report_.damagedLines.size() < kDamagedLinesKept) report_.damagedLines.push_back(lineNumber_);
}

void RegisterReader::EndLine(std::string_view line) {
    ++lineNumber_;
    const bool overlong = std::exchange(overlong_, false);
    if (!overlong) {
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.find_first_not_of(" \t") == std::string_view::npos) return;
    }
    ++report_.lineCount;
    if (progress_ && report_.lineCount % 4096 == 0) progress_(report_.lineCount);
    if (overlong) return Damaged();

    const std::optional<LineBoard> parsed = BoardOfLine(line);
    if (!parsed) return Damaged();
    const int number = SolutionNumber(parsed->board, parsed->frameY);
    if (number == 0) return Damaged();
    RegisterReport::Frame& frame = report_.frames[parsed->frameY];
    ++frame.lines;
    std::uint32_t& place = seen_[FrameSlot(parsed->frameY)][static_cast<std::size_t>(number - 1)];
    if (place == 0) {
        frame.found.push_back({parsed->board, FrameDistinct(parsed->frameY)[static_cast<std::size_t>(number - 1)],
                               std::string(parsed->date), lineNumber_, number, 0, {}, {}});
        place = static_cast<std::uint32_t>(frame.found.size());
    }
    RegisterReport::Found& found = frame.found[place - 1];
    ++found.timesFound;
    found.latestDate.assign(parsed->date);
}

RegisterReport AnalyseRegister(std::string_view text, const std::function<void(std::size_t)>& progress) {
    RegisterReader reader(progress);
    reader.Add(text);
    return reader.Finish();
}

std::vector<const RegisterReport::Found*> NewSince(const RegisterReport::Frame& frame, const std::string& date) {
    std::vector<const RegisterReport::Found*> found;
    for (const RegisterReport::Found& f : frame.found) {
        if (f.firstDate >= date) found.push_back(&f);
    }
    return found;
}

std::string DrawFrame(const FilledFrame& board, int frameY) {
    const int width = FrameWidthOf(frameY);
    std::string text;
    for (int r = 0; r < frameY; ++r) {
        for (int c = 0; c < width; ++c) {
            if (c > 0) text += ' ';
            text += board[static_cast<std::size_t>(r * width + c)];
        }
        text += '\n';
    }
    return text;
}

}  // namespace tilvaren
