#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "session/MoveFlow.hpp"
#include "records/FileNames.hpp"
#include "records/SavedGame.hpp"
#include "session/Restore.hpp"
#include "support/TempDir.hpp"
#include "support/TestBoards.hpp"

namespace tilvaren {
namespace {

using testing::FixedClock;
using testing::MakeBoard;
using testing::Picture;
using testing::ReadAll;
using testing::RecordingErrorSink;
using testing::RecordingView;
using testing::SetPicture;
using testing::TempDir;
using Rows = std::vector<std::string>;

const FixedClock kClock({2026, 12, 6, 19, 22, 58});
const std::string kStamp = ",2026/12/06,19:22:58,2026/12/06,19:22:58,";

std::string Cells(const Rows& rows) {
    std::string joined;
    for (const std::string& row : rows) {
        for (const char c : row) (joined += ',') += c;
    }
    return joined;
}

const Rows kEmpty6 = {"0000000000", "0000000000", "0000000000", "0000000000", "0000000000", "0000000000"};
const Rows kSelection6 = {"1100022222", "0000222222", "0002222222", "0022222222", "2222222222", "2222222222"};
const Rows kPieces6 = {"IIIII00000", "LLLL000000", "L000000000", "0000000000", "0000000000", "0000000000"};
const Rows kFinished6 = {"FFIIIIILZZ", "VFFYLLLLZN", "VFYYYYXZZN", "VVVTWXXXNN", "PPPTWWXUNU", "PPTTTWWUUU"};
const Rows kEmpty5 = {"000000000000", "000000000000", "000000000000", "000000000000", "000000000000"};

TEST(SavedGame, WritesOneLineAndRestoresIt) {
    struct Case {
        const char* name;
        int frameY;
        Rows board;
        bool started;             // GameStarted after the restore
        Rows restored;            // the board after the restore
        int placedFlags;          // orientation flags "2" after the restore
    };
    const Case cases[] = {
        {"empty board", 6, kEmpty6, false, kEmpty6, 0},
        {"a selection", 6, kSelection6, true, kSelection6, 0},
        {"pieces placed", 6, kPieces6, true, kPieces6, 2 + 8},
        {"a finished board starts a new game on its frame", 6, kFinished6, false, kEmpty6, 0},
        {"a 5 x 12 board over 6 x 10 settings", 5, kEmpty5, false, kEmpty5, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        RecordingErrorSink errors;
        Board played = MakeBoard(errors, c.frameY);
        SetPicture(played, c.board);
        ASSERT_TRUE(SavedGameWrite(played, dir.Path(), kClock).ok);
        EXPECT_EQ(ReadAll(dir.File(kSavedGameFile)),
                  std::to_string(c.frameY) + ",--,-,-" + Cells(c.board) + kStamp + "0000\r\n");

        Board next = MakeBoard(errors, 6);
        RecordingView view;
        const SavedGameReadResult result = RestoreSavedGame(next, view, dir.Path());
        EXPECT_EQ(result.outcome, SavedGameReadResult::Outcome::Restored);
        EXPECT_EQ(next.FrameY(), c.frameY);
        EXPECT_EQ(Picture(next), c.restored);
        EXPECT_EQ(next.GameStarted, c.started);
        EXPECT_EQ(next.CountFlags(kFlagPlaced), c.placedFlags);
        EXPECT_EQ(next.CountFlags(kFlagRuledOut), 0);  // a restored selection narrows nothing yet
        ASSERT_GE(view.steps.size(), 2U);
        EXPECT_EQ(Rows(view.steps.end() - 2, view.steps.end()), (Rows{"MenuFrameSet", "MenuEditSet"}));
        EXPECT_TRUE(errors.messages.empty());
    }
}

TEST(SavedGame, FinishedBoardIsResetRedrawnAndRefreshedBeforeTheMenus) {
    TempDir dir;
    RecordingErrorSink errors;
    Board played = MakeBoard(errors, 6);
    SetPicture(played, kFinished6);
    ASSERT_TRUE(SavedGameWrite(played, dir.Path(), kClock).ok);
    Board next = MakeBoard(errors, 6);
    next.FillDrawnBsts(kEmpty);  // as if drawn once
    RecordingView view;
    RestoreSavedGame(next, view, dir.Path());
    EXPECT_EQ(view.steps, (Rows{"DrawBoard", "MenuFrameSet", "MenuEditSet", "StatusBarPiecesSet", "MenuFrameSet",
                                "MenuEditSet"}));
    EXPECT_EQ(next.CountFlags(kFlagAvailable), 63);
}

TEST(SavedGame, LinesTheProgramNeverWritesAreRejectedAndKept) {
    const std::string cells60 = Cells(kEmpty6);
    struct Case {
        const char* name;
        std::string line;
    };
    const Case cases[] = {
        {"too few fields", "6,--,-,-,0,0,0\r\n"},
        {"frame not a number", "x,--,-,-" + cells60 + kStamp + "0000\r\n"},
        {"frame 7", "7,--,-,-" + cells60 + kStamp + "0000\r\n"},
        {"frame 2", "2,--,-,-" + cells60 + kStamp + "0000\r\n"},
        {"frame with a blank", " 6,--,-,-" + cells60 + kStamp + "0000\r\n"},
        {"an empty cell field", "6,--,-,-,," + cells60.substr(3) + kStamp + "0000\r\n"},
        {"a just-placed cell", "6,--,-,-,3" + cells60.substr(2) + kStamp + "0000\r\n"},
        {"a wall cell", "6,--,-,-,6" + cells60.substr(2) + kStamp + "0000\r\n"},
        {"a lower-case letter", "6,--,-,-,f" + cells60.substr(2) + kStamp + "0000\r\n"},
        {"a byte outside ASCII", "6,--,-,-,\xff" + cells60.substr(2) + kStamp + "0000\r\n"},
        {"an empty file", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        testing::WriteAll(dir.File(kSavedGameFile), c.line);
        RecordingErrorSink errors;
        Board board = MakeBoard(errors, 4);
        const Board before = board;
        RecordingView view;
        const SavedGameReadResult result = RestoreSavedGame(board, view, dir.Path());
        EXPECT_EQ(result.outcome, SavedGameReadResult::Outcome::Rejected);
        EXPECT_FALSE(result.problem.Plain().empty());
        EXPECT_EQ(board.Bsts, before.Bsts);
        EXPECT_EQ(board.FrameY(), 4);
        EXPECT_TRUE(view.steps.empty());
        EXPECT_EQ(ReadAll(dir.File(kRejectedSavedGameFile)), c.line);
        EXPECT_FALSE(FileExists(dir.File(kSavedGameFile)));
        EXPECT_EQ(result.keptAs, kRejectedSavedGameFile);
    }
}

TEST(SavedGame, ARejectedGameNeverReplacesOneSetAsideBefore) {
    struct Case {
        const char* name;
        int earlier;  // how many rejected games are kept already
        const char* keptAs;
    };
    const Case cases[] = {
        {"none before", 0, "Tilvaren.tmp.bad"},
        {"one before", 1, "Tilvaren.tmp.bad.2"},
        {"two before", 2, "Tilvaren.tmp.bad.3"},
        {"every name taken", kRejectedSavedGameNames, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        for (int n = 1; n <= c.earlier; ++n) testing::WriteAll(dir.File(RejectedSavedGameFile(n)), std::to_string(n));
        testing::WriteAll(dir.File(kSavedGameFile), "bad");
        RecordingErrorSink errors;
        Board board = MakeBoard(errors, 6);
        RecordingView view;
        const SavedGameReadResult result = RestoreSavedGame(board, view, dir.Path());
        EXPECT_EQ(result.keptAs, c.keptAs);
        for (int n = 1; n <= c.earlier; ++n) EXPECT_EQ(ReadAll(dir.File(RejectedSavedGameFile(n))), std::to_string(n));
        EXPECT_EQ(ReadAll(dir.File(c.keptAs[0] != '\0' ? c.keptAs : kSavedGameFile)), "bad");
    }
}

TEST(SavedGame, ToleratesWhatItDoesNotRead) {
    struct Case {
        const char* name;
        std::string line;
        Rows expected;
    };
    const std::string cells = Cells(kSelection6);
    const Case cases[] = {
        {"a second line and fields after the marker", "6,--,-,-" + cells + kStamp + "0000,extra\r\nsecond line\r\n",
         kSelection6},
        {"classification and dates differ", "6,24,N,X" + cells + ",x,y,z,w,0001", kSelection6},
        {"cell fields count by their first character", "6,--,-,-,10" + cells.substr(2) + kStamp + "0000\n",
         kSelection6},
        {"exactly 64 fields", "6,--,-,-" + cells, kSelection6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        testing::WriteAll(dir.File(kSavedGameFile), c.line);
        RecordingErrorSink errors;
        Board board = MakeBoard(errors, 6);
        RecordingView view;
        EXPECT_EQ(RestoreSavedGame(board, view, dir.Path()).outcome, SavedGameReadResult::Outcome::Restored);
        EXPECT_EQ(Picture(board), c.expected);
    }
}

TEST(SavedGame, MissingAndUnreadableFiles) {
    TempDir dir;
    RecordingErrorSink errors;
    Board board = MakeBoard(errors, 6);
    RecordingView view;
    EXPECT_EQ(RestoreSavedGame(board, view, dir.Path()).outcome, SavedGameReadResult::Outcome::NoFile);

    ASSERT_EQ(::mkdir(dir.File(kSavedGameFile).c_str(), 0755), 0);
    const SavedGameReadResult result = RestoreSavedGame(board, view, dir.Path());
    EXPECT_EQ(result.outcome, SavedGameReadResult::Outcome::Rejected);
    EXPECT_EQ(result.problem.Plain(), "フォルダーです");
    EXPECT_EQ(Picture(board), kEmpty6);
    EXPECT_TRUE(view.steps.empty());
}

TEST(SavedGame, PlayedGameSurvivesARestart) {
    TempDir dir;
    RecordingErrorSink errors;
    Board played = MakeBoard(errors, 6);
    RecordingView view;
    for (const int n : {0, 1, 2, 3, 4, 10, 20}) SelectCell(played, view, n);
    ASSERT_TRUE(SavedGameWrite(played, dir.Path(), kClock).ok);
    Board next = MakeBoard(errors, 6);
    RestoreSavedGame(next, view, dir.Path());
    EXPECT_EQ(Picture(next), Picture(played));
    EXPECT_TRUE(next.GameStarted);
    // The next click goes on from the restored selection.
    SelectCell(played, view, 30);
    SelectCell(next, view, 30);
    EXPECT_EQ(Picture(next), Picture(played));
    EXPECT_EQ(next.Psts, played.Psts);
}

}  // namespace
}  // namespace tilvaren
