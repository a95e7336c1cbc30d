#include "session/Congruence.hpp"

#include <algorithm>

#include "core/Frame.hpp"
#include "records/FileNames.hpp"
#include "records/RegisterFile.hpp"

namespace tilvaren {

namespace {

std::string HeldLine(const RegisterStanding& s, int frameY) {
    return "記録にある " + FrameName(frameY, FrameNaming::Check) + " の解は " + std::to_string(s.frameTotal) + " 通りのうち " +
           std::to_string(s.registerHolds) + " 通りです。";
}

// The finished board was appended when it was completed: it is new when the
// register's first line of its class is its last line.
bool IsNewNow(const RegisterStanding& s, std::size_t lastLine) { return !s.found || s.found->firstLine == lastLine; }

// The register as read, with the number of its last line.
struct ReadRegister {
    RegisterReport report;
    std::size_t lastLine = 0;
};

std::optional<ReadRegister> ReadRegisterIn(const std::string& programDir) {
    // Streamed: a register of any size is read in bounded memory.
    RegisterRead read = ReadRegisterReport(programDir + kSolutionFile);
    if (!read.status) return std::nullopt;
    const std::size_t lastLine = read.report.lastLine;
    return ReadRegister{std::move(read.report), lastLine};
}

}  // namespace

std::string CongruenceText(const CompletionCounter& counter, const RegisterReport* report, std::size_t lastLine,
                           const BoardCells& board) {
    const RegisterReport empty = AnalyseRegister("");
    const RegisterStanding s = CompareWithRegister(counter, report != nullptr ? *report : empty, board);
    const int frameY = counter.FrameY();
    std::string text;
    if (s.finished && s.distinct == 1) {
        FilledFrame cells;
        std::copy(board.codes.begin(), board.codes.end(), cells.begin());
        text = "この解は No. " + std::to_string(SolutionNumber(cells, frameY)) + " です。\n";
        if (IsNewNow(s, lastLine)) {
            text += "この解は新しい解です。回転・反転したものも含めて、これまでの記録にはありませんでした。\n";
        } else {
            text += "この解は、回転・反転したものも含めて、" + s.found->firstDate + " にすでに見つけています。\n";
        }
    } else if (s.distinct == 0) {
        text = "この盤は、もうどうやっても完成できません。ピースをいくつか取り除いてみてください。\n";
    } else {
        // Led by the distinct count, the number the options dialog and the
        // strip give; the count of every image only where it differs.
        const CompletionCounter::Count count = counter.CountFor(board);
        text = "この盤を完成させる方法は、あと " + std::to_string(count.distinct) + " 通りあります";
        if (count.ways != count.distinct) {
            text += "（回転・反転したものを別に数えると " + std::to_string(count.ways) + " 通り）";
        }
        text += "。";
        // Without the register there is nothing to say about what it holds.
        if (report != nullptr) {
            text += s.distinctFound == 0 ? std::string("どれもまだ記録にありません。")
                                         : "そのうち " + std::to_string(s.distinctFound) + " 通りは、すでに記録にあります。";
        }
        text += "\n";
    }
    if (report == nullptr) return text + "解答の記録 \"" + std::string(kSolutionFile) + "\" を読めませんでした。";
    return text + HeldLine(s, frameY);
}

std::string CheckCongruence(const BoardCells& board, const std::string& programDir) {
    const CompletionCounter counter(board.frameY);
    const std::optional<ReadRegister> read = ReadRegisterIn(programDir);
    if (!read) return CongruenceText(counter, nullptr, 0, board);
    return CongruenceText(counter, &read->report, read->lastLine, board);
}

std::optional<bool> FinishedIsNew(const CompletionCounter& counter, const BoardCells& board,
                                  const std::string& programDir) {
    const std::optional<ReadRegister> read = ReadRegisterIn(programDir);
    if (!read) return std::nullopt;
    return IsNewNow(CompareWithRegister(counter, read->report, board), read->lastLine);
}

}  // namespace tilvaren
