#include "session/Congruence.hpp"

#include <algorithm>

#include "core/Frame.hpp"
#include "records/FileNames.hpp"
#include "records/SafeFile.hpp"

namespace tilvaren {

namespace {

// A register far beyond any player's is not read whole into memory here.
constexpr std::size_t kRegisterLimit = 64u * 1024u * 1024u;

std::string FrameLabel(int frameY) {
    return std::to_string(frameY) + "×" + std::to_string(FrameWidthOf(frameY));
}

std::string HeldLine(const RegisterStanding& s, int frameY) {
    return "記録にある " + FrameLabel(frameY) + " の解は " + std::to_string(s.frameTotal) + " 通りのうち " +
           std::to_string(s.registerHolds) + " 通りです。";
}

}  // namespace

std::string CongruenceText(const CompletionCounter& counter, const RegisterReport* report, std::size_t lastLine,
                           const BoardCells& board) {
    const RegisterReport empty = AnalyseRegister("");
    const RegisterStanding s = CompareWithRegister(counter, report != nullptr ? *report : empty, board);
    const int frameY = counter.FrameY();
    std::string text;
    if (s.finished && s.distinct == 1) {
        // The finished board was appended when it was completed: it is new
        // when the register's first line of its class is its last line.
        const bool firstTimeNow = !s.found || s.found->firstLine == lastLine;
        FilledFrame cells;
        std::copy(board.codes.begin(), board.codes.end(), cells.begin());
        text = "この解は No. " + std::to_string(SolutionNumber(cells, frameY)) + " です。\n";
        if (firstTimeNow) {
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
    const CompletionCounter& counter = CompletionCounterFor(board.frameY);
    const ReadResult read = ReadSmallFile(programDir + kSolutionFile, kRegisterLimit);
    if (!read.status) return CongruenceText(counter, nullptr, 0, board);
    const std::string text = read.content.value_or("");
    std::size_t lastLine = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    if (!text.empty() && text.back() != '\n') ++lastLine;
    const RegisterReport report = AnalyseRegister(text);
    return CongruenceText(counter, &report, lastLine, board);
}

}  // namespace tilvaren
