#include "session/Congruence.hpp"

#include <algorithm>

#include "records/FileNames.hpp"
#include "records/RegisterFile.hpp"

namespace tilvaren {

namespace {

// The finished board was appended when it was completed: it is new when the
// register's first line of its class is its last line.
bool IsNewNow(const RegisterStanding& s, std::size_t lastLine) { return !s.found || s.found->firstLine == lastLine; }

}  // namespace

CongruenceAnswer CongruenceAnswerFor(const CompletionCounter& counter, const RegisterReport* report,
                                     const BoardCells& board) {
    const RegisterReport empty = AnalyseRegister("");
    const RegisterStanding s = CompareWithRegister(counter, report != nullptr ? *report : empty, board);
    CongruenceAnswer answer;
    answer.frameY = counter.FrameY();
    if (report == nullptr) answer.unreadable = kSolutionFile;
    answer.frameTotal = s.frameTotal;
    answer.registerHolds = s.registerHolds;
    if (s.finished && s.distinct == 1) {
        FilledFrame cells;
        std::copy(board.codes.begin(), board.codes.end(), cells.begin());
        answer.kind = CongruenceAnswer::Kind::Solution;
        answer.number = SolutionNumber(cells, answer.frameY);
        answer.isNew = IsNewNow(s, report != nullptr ? report->lastLine : 0);
        if (!answer.isNew) answer.firstDate = s.found->firstDate;
    } else if (s.distinct == 0) {
        answer.kind = CongruenceAnswer::Kind::DeadEnd;
    } else {
        const CompletionCounter::Count count = counter.CountFor(board);
        answer.distinct = count.distinct;
        answer.ways = count.ways;
        answer.distinctFound = s.distinctFound;
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
    return IsNewNow(CompareWithRegister(counter, read.report, board), read.report.lastLine);
}

}  // namespace tilvaren
