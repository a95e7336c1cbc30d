#include "session/Congruence.hpp"

#include <algorithm>

#include "records/FileNames.hpp"
#include "records/RegisterFile.hpp"

namespace tilvaren {

namespace {

// Where a board stands against the register's part for the counter's frame:
// one DistinctFor and a binary search per register entry.
struct Standing {
    std::vector<FilledFrame> distinct;             // the classes the board can still become
    std::size_t found = 0;                         // how many of those the register holds
    std::size_t holds = 0;                         // how many of the frame's the register holds
    const RegisterReport::Found* entry = nullptr;  // the last of them: a finished board's own class
};

Standing StandingOf(const CompletionCounter& counter, const RegisterReport& report, const BoardCells& board) {
    Standing s{counter.DistinctFor(board)};
    const auto frame = report.frames.find(counter.FrameY());
    if (frame == report.frames.end()) return s;
    s.holds = frame->second.found.size();
    for (const RegisterReport::Found& entry : frame->second.found) {
        if (!std::binary_search(s.distinct.begin(), s.distinct.end(), entry.canonical)) continue;
        ++s.found;
        s.entry = &entry;
    }
    return s;
}

// A filled board's only completion is itself.
bool IsSolution(const Standing& s, const CompletionCounter& counter, const BoardCells& board) {
    return board.frameY == counter.FrameY() && IsFinished(board) && s.distinct.size() == 1;
}

// The finished board was appended when it was completed: it is new when the
// register's first line of its class is its last line.
bool IsNewNow(const Standing& s, std::size_t lastLine) { return s.entry == nullptr || s.entry->firstLine == lastLine; }

}  // namespace

CongruenceAnswer CongruenceAnswerFor(const CompletionCounter& counter, const RegisterReport* report,
                                     const BoardCells& board) {
    const RegisterReport empty = AnalyseRegister("");
    const Standing s = StandingOf(counter, report != nullptr ? *report : empty, board);
    CongruenceAnswer answer;
    answer.frameY = counter.FrameY();
    if (report == nullptr) answer.unreadable = kSolutionFile;
    answer.frameTotal = counter.DistinctTotal();
    answer.registerHolds = s.holds;
    if (IsSolution(s, counter, board)) {
        answer.kind = CongruenceAnswer::Kind::Solution;
        answer.number = SolutionNumber(s.distinct.front(), answer.frameY);
        answer.isNew = IsNewNow(s, report != nullptr ? report->lastLine : 0);
        if (!answer.isNew) answer.firstDate = s.entry->firstDate;
    } else if (s.distinct.empty()) {
        answer.kind = CongruenceAnswer::Kind::DeadEnd;
    } else {
        const CompletionCounter::Count count = counter.CountFor(board);
        answer.distinct = count.distinct;
        answer.ways = count.ways;
        answer.distinctFound = s.found;
    }
    return answer;
}

CongruenceAnswer CheckCongruence(const BoardCells& board, const std::string& programDir) {
    // Streamed: a register of any size is read in bounded memory.
    const RegisterRead read = ReadRegisterIn(programDir);
    return CongruenceAnswerFor(CompletionCounter(board.frameY), read.status ? &read.report : nullptr, board);
}

std::optional<bool> FinishedIsNew(const CompletionCounter& counter, const BoardCells& board,
                                  const std::string& programDir) {
    const RegisterRead read = ReadRegisterIn(programDir);
    if (!read.status) return std::nullopt;
    return IsNewNow(StandingOf(counter, read.report, board), read.report.lastLine);
}

}  // namespace tilvaren
