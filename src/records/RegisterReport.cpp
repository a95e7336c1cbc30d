#include "records/RegisterReport.hpp"

#include <algorithm>

#include "board/Board.hpp"
#include "pieces/Transforms.hpp"
#include "records/GameRecord.hpp"
#include "records/SolutionRegister.hpp"

namespace tilvaren {

namespace {

// The board of a line whose 60 cells are single piece letters, or none.
std::optional<std::pair<int, FilledFrame>> BoardOfLine(std::string_view line) {
    const std::vector<std::string_view> fields = SplitFields(line);
    if (fields.size() != kGameRecordFields) return std::nullopt;
    if (fields[0].size() != 1 || fields[0][0] < '3' || fields[0][0] > '6') return std::nullopt;
    FilledFrame board{};
    for (std::size_t n = 0; n < 60; ++n) {
        const std::string_view cell = fields[4 + n];
        if (cell.size() != 1 || !IsPieceLetter(cell[0])) return std::nullopt;
        board[n] = cell[0];
    }
    return std::make_pair(fields[0][0] - '0', board);
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

}  // namespace

RegisterReport AnalyseRegister(std::string_view text, const std::function<void(std::size_t)>& progress) {
    RegisterReport report;
    std::map<int, std::set<FilledFrame>> solutions;  // canonical boards of each frame
    for (const int frameY : {6, 5, 4, 3}) {
        const std::vector<FilledFrame> distinct = DistinctSolutions(frameY);
        solutions[frameY] = std::set<FilledFrame>(distinct.begin(), distinct.end());
        report.frames[frameY].frameY = frameY;
        report.frames[frameY].total = distinct.size();
    }

    std::map<int, std::set<FilledFrame>> seen;
    int lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
        ++report.lineCount;
        if (progress && report.lineCount % 4096 == 0) progress(report.lineCount);

        const auto parsed = BoardOfLine(line);
        if (!parsed) {
            report.damagedLines.push_back(lineNumber);
            continue;
        }
        const auto& [frameY, board] = *parsed;
        const FilledFrame canonical = CanonicalFrame(board, frameY);
        if (!solutions[frameY].count(canonical)) {
            report.damagedLines.push_back(lineNumber);
            continue;
        }
        RegisterReport::Frame& frame = report.frames[frameY];
        ++frame.lines;
        if (seen[frameY].insert(canonical).second) {
            const std::vector<std::string_view> fields = SplitFields(line);
            frame.found.push_back({board, canonical, std::string(fields[64]), lineNumber});
        }
    }

    // What 6 x 10 solutions can show, against what the register has shown.
    Classes possible;
    Classes shown;
    for (const FilledFrame& board : solutions[6]) possible.Add(ClassifyNormalised(board));
    for (const RegisterReport::Found& found : report.frames[6].found) shown.Add(ClassifyNormalised(found.board));
    for (const std::string& cup : possible.cupPositions) {
        if (!shown.cupPositions.count(cup)) report.missing.cupPositions.push_back(cup);
    }
    for (const char opening : possible.openings) {
        if (!shown.openings.count(opening)) report.missing.openings.push_back(opening);
    }
    for (const char letter : possible.cupLetters) {
        if (!shown.cupLetters.count(letter)) report.missing.cupLetters.push_back(letter);
    }
    return report;
}

std::vector<const RegisterReport::Found*> NewSince(const RegisterReport::Frame& frame, const std::string& date) {
    std::vector<const RegisterReport::Found*> found;
    for (const RegisterReport::Found& f : frame.found) {
        if (f.firstDate >= date) found.push_back(&f);
    }
    return found;
}

std::string DrawFrame(const FilledFrame& board, int frameY) {
    const int width = 60 / frameY;
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
