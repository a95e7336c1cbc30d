#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>

#include "session/MoveFlow.hpp"
#include "records/FileNames.hpp"
#include "records/RegisterFile.hpp"
#include "records/RegisterReport.hpp"
#include "records/SolutionRegister.hpp"
#include "support/TempDir.hpp"
#include "support/TestBoards.hpp"

namespace tilvaren {
namespace {

using testing::FixedClock;
using testing::TempDir;

// Appends through the real completion step.
class AppendingView : public testing::RecordingView {
public:
    AppendingView(const Board& b, std::string dir, const Clock& clock) : dir_(std::move(dir)), clock_(clock) {
        board = &b;
    }
    void SolutionAppend() override { tilvaren::SolutionAppend(*board, dir_, clock_); }

private:
    std::string dir_;
    const Clock& clock_;
};

void PlayAndRecord(const std::string& dir, const FilledFrame& solution, int frameY, const Clock& clock) {
    testing::RecordingErrorSink errors;
    Board board = testing::MakeBoard(errors, frameY);
    AppendingView view(board, dir, clock);
    std::string failure;
    testing::PlaySolution(board, view, solution, failure);
    ASSERT_EQ(failure, "");
}

TEST(RegisterReport, ReadsWhatTheGameWrote) {
    TempDir dir;
    ASSERT_TRUE(SolutionFileEnsure(dir.Path()).ok);
    const std::vector<FilledFrame> six = SolveFrame(6);
    const std::vector<FilledFrame> five = SolveFrame(5);
    const FixedClock early({2026, 1, 1, 9, 0, 0});
    const FixedClock late({2026, 6, 1, 9, 0, 0});
    PlayAndRecord(dir.Path(), six[0], 6, early);
    PlayAndRecord(dir.Path(), TurnedFrame(six[0]), 6, late);  // the same solution again
    PlayAndRecord(dir.Path(), six[100], 6, late);
    PlayAndRecord(dir.Path(), five[7], 5, late);

    const std::string text = testing::ReadAll(dir.File(kSolutionFile));
    const RegisterReport report = AnalyseRegister(text);
    EXPECT_EQ(report.lineCount, 4U);
    EXPECT_TRUE(report.damagedLines.empty());
    const RegisterReport::Frame& f6 = report.frames.at(6);
    EXPECT_EQ(f6.total, 2339U);
    EXPECT_EQ(f6.lines, 3U);
    ASSERT_EQ(f6.found.size(), 2U);
    EXPECT_EQ(f6.found[0].firstDate, "2026/01/01");
    EXPECT_EQ(f6.found[0].firstLine, 1U);
    EXPECT_EQ(f6.found[0].canonical, CanonicalFrame(six[0], 6));
    // Its number, the lines that hold it in any image, the last date, and the
    // U fields the game wrote for it.
    const GameRecord written = ParseGameRecord(text).record;
    ASSERT_NE(written.cupPosition, "--");
    EXPECT_EQ(f6.found[0].number, SolutionNumber(six[0], 6));
    EXPECT_EQ(f6.found[0].timesFound, 2U);
    EXPECT_EQ(f6.found[0].latestDate, "2026/06/01");
    EXPECT_EQ(f6.found[0].u.cupPosition + f6.found[0].u.opening + f6.found[0].u.cupLetter,
              written.cupPosition + written.opening + written.cupLetter);
    const RegisterReport::Found& five7 = report.frames.at(5).found.at(0);
    EXPECT_EQ(five7.number, SolutionNumber(five[7], 5));
    EXPECT_EQ(five7.timesFound, 1U);
    EXPECT_EQ(five7.u.cupPosition + five7.u.opening + five7.u.cupLetter, "----");
    EXPECT_EQ(report.frames.at(5).found.size(), 1U);
    EXPECT_EQ(report.frames.at(5).total, 1010U);
    EXPECT_EQ(report.frames.at(4).total, 368U);
    EXPECT_EQ(report.frames.at(3).total, 2U);
    EXPECT_EQ(NewSince(f6, "2026/05/01").size(), 1U);
    EXPECT_EQ(NewSince(f6, "2025/12/31").size(), 2U);
    EXPECT_EQ(NewSince(f6, "2026/06/02").size(), 0U);
    // Two solutions cannot have shown every cup position yet.
    EXPECT_GE(report.missing.cupPositions.size(), 6U);
}

TEST(RegisterReport, EverySolutionInMixedOrientationsCountsOnce) {
    const std::vector<FilledFrame> distinct = DistinctSolutions(6);
    std::string text;
    const FixedClock clock({2026, 12, 7, 12, 0, 0});
    int i = 0;
    for (const FilledFrame& board : distinct) {
        GameRecord record;
        record.frameY = 6;
        record.marker = kSolutionMarker;
        const FilledFrame turned = TurnedFrame(board);
        const FilledFrame images[] = {board, turned, MirroredFrame(board, 6), MirroredFrame(turned, 6)};
        record.cells = images[i++ % 4];
        text += FormatGameRecord(record, clock);
        if (i % 7 == 0) text += FormatGameRecord(record, clock);  // some twice
    }
    const RegisterReport report = AnalyseRegister(text);
    EXPECT_EQ(report.frames.at(6).found.size(), 2339U);
    EXPECT_GT(report.frames.at(6).lines, 2339U);
    EXPECT_TRUE(report.damagedLines.empty());
    EXPECT_TRUE(report.missing.cupPositions.empty());
    EXPECT_TRUE(report.missing.openings.empty());
    EXPECT_TRUE(report.missing.cupLetters.empty());
}

TEST(RegisterReport, DamagedAndEmptyRegisters) {
    const FilledFrame solution = SolveFrame(4).front();
    GameRecord record;
    record.frameY = 4;
    record.cells = solution;
    record.marker = kSolutionMarker;
    const FixedClock clock({2026, 12, 7, 12, 0, 0});
    const std::string good = FormatGameRecord(record, clock);
    GameRecord swapped = record;
    std::swap(swapped.cells[0], swapped.cells[59]);  // letters right, shapes wrong
    GameRecord lower = record;
    lower.cells[3] = 'f';
    GameRecord sixByTen = record;
    sixByTen.frameY = 6;  // a 4 x 15 board read as 6 x 10
    const std::string text = good + "\r\n" + FormatGameRecord(swapped, clock) + "garbage\n" +
                             FormatGameRecord(lower, clock) + good.substr(0, good.size() / 2) + "\n" +
                             FormatGameRecord(sixByTen, clock) + "   \n" + good;
    const RegisterReport report = AnalyseRegister(text);
    EXPECT_EQ(report.frames.at(4).found.size(), 1U);
    EXPECT_EQ(report.frames.at(4).lines, 2U);
    EXPECT_EQ(report.damagedLines, (std::vector<std::size_t>{3, 4, 5, 6, 7}));
    EXPECT_EQ(report.lineCount, 7U);
    EXPECT_EQ(report.lastLine, 9U);  // blank lines too: the last line's number in the file

    const RegisterReport empty = AnalyseRegister("");
    EXPECT_EQ(empty.lineCount, 0U);
    for (const auto& [frameY, frame] : empty.frames) EXPECT_TRUE(frame.found.empty());
    EXPECT_EQ(empty.missing.cupPositions.size(), 8U);
    EXPECT_EQ(empty.missing.openings, (std::vector<char>{'E', 'N', 'S', 'W'}));
}

// Lines may span the pieces a register is read in; the report must not depend
// on where they are cut, and no line past the limit may count.
TEST(RegisterReport, ReadInPiecesAsAtOnce) {
    GameRecord record;
    record.frameY = 3;
    record.cells = SolveFrame(3).back();
    record.marker = kSolutionMarker;
    const std::string good = FormatGameRecord(record, FixedClock({2026, 3, 4, 5, 6, 7}));
    const std::string tooLong = good.substr(0, good.size() - 2) + std::string(kRegisterLineLimit, '0') + "\n";
    std::string text = tooLong + good + " \t\r\n" + std::string(kRegisterLineLimit, ',') + "\n";
    for (int i = 0; i < 150; ++i) text += "x\n";
    text += good.substr(0, good.size() - 2);  // the last line has no newline

    const RegisterReport whole = AnalyseRegister(text);
    EXPECT_EQ(whole.lineCount, 154U);
    EXPECT_EQ(whole.damagedCount, 152U);
    ASSERT_EQ(whole.damagedLines.size(), kDamagedLinesKept);
    EXPECT_EQ(whole.damagedLines[0], 1U);
    EXPECT_EQ(whole.damagedLines[1], 4U);
    ASSERT_EQ(whole.frames.at(3).found.size(), 1U);
    EXPECT_EQ(whole.frames.at(3).found[0].firstLine, 2U);
    EXPECT_EQ(whole.frames.at(3).found[0].timesFound, 2U);  // the unended last line counts
    EXPECT_EQ(whole.frames.at(3).lines, 2U);
    for (const std::size_t piece : {1, 2, 139, 4096, 4097}) {
        SCOPED_TRACE(piece);
        RegisterReader reader;
        for (std::size_t at = 0; at < text.size(); at += piece) reader.Add(std::string_view(text).substr(at, piece));
        const RegisterReport parts = reader.Finish();
        EXPECT_EQ(parts.lineCount, whole.lineCount);
        EXPECT_EQ(parts.damagedCount, whole.damagedCount);
        EXPECT_EQ(parts.damagedLines, whole.damagedLines);
        EXPECT_EQ(parts.frames.at(3).lines, whole.frames.at(3).lines);
    }
}

// A register file is read whole, or refused at once with its cause; a reading
// the caller gives up stops after the piece in hand.
TEST(RegisterReport, ReadsOnlyARegularFileAndStopsWhenCancelled) {
    TempDir dir;
    GameRecord record;
    record.frameY = 3;
    record.cells = SolveFrame(3).front();
    record.marker = kSolutionMarker;
    const std::string line = FormatGameRecord(record, FixedClock({2026, 12, 8, 9, 0, 0}));
    std::string text;
    while (text.size() < 1024 * 1024) text += line;
    testing::WriteAll(dir.File("register.csv"), text);
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);  // no writer: opening it must not wait
    const std::size_t lines = text.size() / line.size();
    for (const auto& [name, error] : std::vector<std::pair<std::string, int>>{
             {"register.csv", 0}, {"register.csv", ECANCELED}, {"fifo", kNotRegularFile}, {"", EISDIR}, {"no.csv", ENOENT}}) {
        SCOPED_TRACE(error);
        RegisterReader reader;
        int asked = 0;
        const FileResult read = ReadRegisterFile(dir.File(name), reader, [&, e = error] { return e == ECANCELED && ++asked > 1; });
        const std::size_t counted = reader.Finish().frames.at(3).lines;
        EXPECT_EQ(read.error, error);
        EXPECT_EQ(counted == lines, error == 0);
        EXPECT_EQ(counted > 0, error == 0 || error == ECANCELED);
        const std::string why = "\"" + dir.File(name) + "\" を読み込めません（" + FileErrorCause(error) + "）";
        EXPECT_EQ(read.reason, error == 0 ? "" : why);
    }
}

TEST(RegisterReport, DrawsABoardRowByRow) {
    FilledFrame board;
    for (std::size_t n = 0; n < 60; ++n) board[n] = static_cast<char>('A' + n / 20);
    EXPECT_EQ(DrawFrame(board, 3), "A A A A A A A A A A A A A A A A A A A A\n"
                                   "B B B B B B B B B B B B B B B B B B B B\n"
                                   "C C C C C C C C C C C C C C C C C C C C\n");
}

}  // namespace
}  // namespace tilvaren
