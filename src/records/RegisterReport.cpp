#include "records/RegisterReport.hpp"

#include <algorithm>
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

// The board of a line whose 60 cells are single piece letters, or none.
std::optional<LineBoard> BoardOfLine(std::string_view line) {
    const std::vector<std::string_view> fields = SplitFields(line);
    if (fields.size() != kGameRecordFields) return std::nullopt;
    if (fields[0].size() != 1 || !IsFrameHeight(fields[0][0] - '0')) return std::nullopt;
    LineBoard parsed;
    parsed.frameY = fields[0][0] - '0';
    for (std::size_t n = 0; n < 60; ++n) {
        const std::string_view cell = fields[4 + n];
        if (cell.size() != 1 || !IsPieceLetter(cell[0])) return std::nullopt;
        parsed.board[n] = cell[0];
    }
    parsed.date = fields[64];
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

// What the frames allow, worked out once per process: the solver is the
// costly part of reading a register.
struct Known {
    std::map<int, std::set<FilledFrame>> solutions;  // canonical boards of each frame
    Classes possible;                                // what 6 x 10 solutions can show
};

const Known& KnownSolutions() {
    static const Known known = [] {
        Known k;
        for (const int frameY : kFrameHeights) {
            const std::vector<FilledFrame> distinct = DistinctSolutions(frameY);
            k.solutions[frameY] = std::set<FilledFrame>(distinct.begin(), distinct.end());
        }
        for (const FilledFrame& board : k.solutions[6]) k.possible.Add(ClassifyNormalised(board));
        return k;
    }();
    return known;
}

}  // namespace

RegisterReader::RegisterReader(std::function<void(std::size_t)> progress) : progress_(std::move(progress)) {
    for (const auto& [frameY, distinct] : KnownSolutions().solutions) {
        report_.frames[frameY].frameY = frameY;
        report_.frames[frameY].total = distinct.size();
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

    Classes shown;
    for (const RegisterReport::Found& found : report_.frames[6].found) shown.Add(ClassifyNormalised(found.board));
    const Classes& possible = KnownSolutions().possible;
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
    const FilledFrame canonical = CanonicalFrame(parsed->board, parsed->frameY);
    if (!KnownSolutions().solutions.at(parsed->frameY).count(canonical)) return Damaged();
    RegisterReport::Frame& frame = report_.frames[parsed->frameY];
    ++frame.lines;
    if (seen_[parsed->frameY].insert(canonical).second) {
        frame.found.push_back({parsed->board, canonical, std::string(parsed->date), lineNumber_});
    }
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
