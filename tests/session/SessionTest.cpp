#include "session/Session.hpp"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <linux/capability.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>

#include "records/FileNames.hpp"
#include "records/GameRecord.hpp"
#include "pieces/Solver.hpp"
#include "records/ProgramFiles.hpp"
#include "support/RecordingWindow.hpp"
#include "support/TempDir.hpp"
#include "support/TestBoards.hpp"

namespace tilvaren {
namespace {

using testing::ReadAll;
using testing::TempDir;
using testing::WriteAll;

using Game = testing::SessionGame;

TEST(Session, StartUpRunsItsStepsInOrder) {
    Game g;
    g.session.Start();
    EXPECT_EQ(g.window.Steps(),
              "MenuUItemSet LayoutWindow DrawBoard StatusBar00Set StatusBarPiecesSet MenuFrameSet MenuSizeSet "
              "MenuEditSet");
    EXPECT_EQ(g.window.cellsDrawn, 60);
    EXPECT_EQ(g.window.panels[0], "6 * 10");
    EXPECT_NE(ReadAll(g.dir.File(kSettingsFile)).find("iniFrameY=6"), std::string::npos);
    struct stat info {};
    EXPECT_EQ(::stat(g.dir.File(kSolutionFile).c_str(), &info), 0);
    EXPECT_EQ(info.st_size, 0);
    EXPECT_TRUE(g.session.TakeStartupMessages().empty());
}

// Each command's refreshes, in the order the menus' table gives them.
TEST(Session, CommandsRunTheirStepsInOrder) {
    struct Case {
        const char* name;
        std::function<void(Game&)> before;  // puts the game where the command does something
        std::function<void(Game&)> command;
        std::string steps;
    };
    const auto started = [](Game& g) { g.session.ButtonClick(0); };
    const Case cases[] = {
        {"turn", started, [](Game& g) { g.session.Turn(); }, "DrawBoard"},
        {"mirror", started, [](Game& g) { g.session.Mirror(); }, "DrawBoard"},
        {"U correction", started, [](Game& g) { g.session.CorrectUPosition(); }, "DrawBoard"},
        {"reset", started, [](Game& g) { g.session.Reset(); }, "DrawBoard MenuFrameSet MenuEditSet StatusBarPiecesSet"},
        {"piece support on", nullptr, [](Game& g) { g.session.TogglePieceSupport(); }, "LayoutWindow PieceSupportSet"},
        {"piece support off", [](Game& g) { g.session.TogglePieceSupport(); },
         [](Game& g) { g.session.TogglePieceSupport(); }, "LayoutWindow"},
        {"a click with piece support on", [](Game& g) { g.session.TogglePieceSupport(); },
         [](Game& g) { g.session.ButtonClick(0); },
         "PlayClickSound MenuFrameSet MenuEditSet DrawBoard SetTabToBestCell StatusBarPiecesSet MenuHistorySet "
         "PieceSupportSet"},
        {"undo with piece support on",
         [](Game& g) {
             g.session.TogglePieceSupport();
             g.session.ButtonClick(0);
         },
         [](Game& g) { g.session.UndoStep(); },
         "DrawBoard MenuFrameSet MenuEditSet StatusBarPiecesSet MenuHistorySet PieceSupportSet"},
        {"large cells", nullptr, [](Game& g) { g.session.ChooseCellSize(32); },
         "HideCells SizeCells32 LayoutWindow DrawBoard MenuSizeSet"},
        {"frame 5 x 12", nullptr, [](Game& g) { g.session.ChooseFrame(5); },
         "HideCells LayoutWindow DrawBoard MenuFrameSet MenuUCaptionSet MenuUItemSet StatusBar00Set"},
        {"options, OK", nullptr,
         [](Game& g) {
             g.window.options = PendingSettings{4, 18, true, true};
             g.session.OpenOptions();
         },
         "RunOptions HideCells SizeCells18 LayoutWindow DrawBoard MenuFrameSet MenuSizeSet MenuEditSet "
         "StatusBar00Set StatusBarPiecesSet"},
        {"collection", nullptr, [](Game& g) { g.session.OpenCollection(); }, "ShowCollection6"},
        {"collection on 4 x 15", [](Game& g) { g.session.ChooseFrame(4); },
         [](Game& g) { g.session.OpenCollection(); }, "ShowCollection4"},
        // Commands that find nothing to do.
        {"the size in use", nullptr, [](Game& g) { g.session.ChooseCellSize(24); }, ""},
        {"the frame in use", nullptr, [](Game& g) { g.session.ChooseFrame(6); }, ""},
        {"another frame during a game", started, [](Game& g) { g.session.ChooseFrame(3); }, ""},
    };
    for (const Case& c : cases) {
        Game g;
        g.StartFresh();
        if (c.before) c.before(g);
        g.window.steps.clear();
        c.command(g);
        EXPECT_EQ(g.window.Steps(), c.steps) << c.name;
        EXPECT_TRUE(g.errors.messages.empty()) << c.name;
    }
}

// The window is told the settings' language before anything is worded, and
// again only when the options change it; the choice is saved with the rest.
TEST(Session, TheLanguageGoesToTheWindowAndTheSettings) {
    using L = Language;
    struct Case {
        const char* name;
        const char* ini;
        std::vector<L> chosen;  // in the options dialog, one after the other
        std::vector<L> told;
        const char* saved;  // the line the settings file ends its section with; "" none
    };
    const Case cases[] = {
        {"English from the file", "[Environment]\r\niniLanguage=en\r\n", {}, {L::English}, "iniLanguage=en"},
        {"English chosen", "", {L::English}, {L::Japanese, L::English}, "iniLanguage=en"},
        {"Japanese again", "[Environment]\r\niniLanguage=en\r\n", {L::Japanese, L::Japanese},
         {L::English, L::Japanese}, "iniLanguage=ja"},
        {"never chosen", "", {L::Japanese}, {L::Japanese}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Game g;
        if (*c.ini != '\0') WriteAll(g.dir.File(kSettingsFile), c.ini);
        g.session.Start();
        ASSERT_EQ(g.window.languages.size(), 1u);
        for (const L language : c.chosen) {
            PendingSettings pending;
            pending.language = language;
            g.window.options = pending;
            g.session.OpenOptions();
        }
        EXPECT_EQ(g.window.languages, c.told);
        const std::string ini = ReadAll(g.dir.File(kSettingsFile));
        EXPECT_EQ(ini.find("iniLanguage") == std::string::npos, *c.saved == '\0') << ini;
        if (*c.saved != '\0') {
            EXPECT_NE(ini.find(c.saved), std::string::npos) << ini;
        }
    }
}

// Only the newest count for the strip is shown: one a newer change overtook
// is not, whenever it ends, and turning the strip off drops the one under way.
TEST(Session, OnlyTheNewestSupportCountIsShown) {
    Game g;
    g.StartFresh();
    g.window.holdAway = true;
    g.session.TogglePieceSupport();
    g.session.ButtonClick(0);
    ASSERT_EQ(g.window.away.size(), 2u);
    const std::function<void()> older = g.window.away[0]();
    g.window.away[1]()();
    EXPECT_EQ(g.window.supportLine, (SupportLine{SupportLine::Kind::Left, 2339}));
    g.window.supportLine = {};
    older();
    g.window.away[0]()();
    g.session.TogglePieceSupport();
    g.window.away[1]()();
    EXPECT_EQ(g.window.supportLine, SupportLine{});
}

// Work done away from the window: the check and each page's challenge search
// one at a time, and of a hint or the collection's reads only the newest
// shown, whenever the older one comes back. The collection keeps the order and
// the choice the player made while it was read, and a missing register is empty.
TEST(Session, WorkAwayIsOneAtATimeOrTheNewestWins) {
    const auto line = [](int solution, int day) {
        GameRecord record;
        record.cells = DistinctSolutions(6)[static_cast<std::size_t>(solution)];
        record.marker = kSolutionMarker;
        return FormatGameRecord(record, testing::FixedClock({2026, 1, day, 12, 0, 0}));
    };
    const auto ready = [](const Game& g) {
        std::vector<const Collection*> shown;
        for (const auto& c : g.window.collections) {
            if (c->state == Collection::State::Ready) shown.push_back(c.get());
        }
        return shown;
    };
    using Line = ChallengeLine::Kind;
    struct Case {
        const char* name;
        std::function<void(Game&)> act;  // with the window holding work away
        std::size_t held;                // work away after it
        std::function<bool(const Game&)> after;  // once all of it came back, the newest first
    } const cases[] = {
        {"the check, pressed twice",
         [](Game& g) {
             g.session.StartCongruenceCheck();
             g.session.StartCongruenceCheck();
         },
         1, [](const Game& g) { return g.window.checks.size() == 1; }},
        {"a page's challenge, pressed twice",
         [](Game& g) {
             g.session.StartChallenge(6);
             g.session.StartChallenge(6);
         },
         1,
         [](const Game& g) {
             std::vector<Line> lines;
             for (const auto& [frameY, shown] : g.window.challengeLines) lines.push_back(shown.kind);
             return lines == std::vector<Line>{Line::Preparing, Line::Empty, Line::Taken} && g.window.raised == 1 &&
                    g.session.GameBoard().GameStarted;
         }},
        {"challenges on two pages", [](Game& g) {
             g.session.StartChallenge(6);
             g.session.StartChallenge(3);
         },
         2, [](const Game& g) { return g.session.GameBoard().FrameY() == 6 && g.window.asked.size() == 2; }},
        {"no challenge without a level",
         [](Game& g) {
             g.window.level.reset();
             g.session.StartChallenge(6);
         },
         0, [](const Game& g) { return g.window.challengeLines.empty(); }},
        {"a finished board's hint, the board reset meanwhile",
         [](Game& g) {
             g.window.holdAway = false;
             g.ClickSolution();
             g.window.holdAway = true;
             g.session.ShowHint();
             g.session.Reset();
         },
         1, [](const Game& g) { return g.window.hints.back().kind == Hint::Kind::None; }},
        {"the collection opened twice",
         [](Game& g) {
             g.session.OpenCollection();
             g.session.OpenCollection();
         },
         2, [&ready](const Game& g) { return ready(g).size() == 1; }},
        {"the collection opened again while its first read comes back",
         [](Game& g) {
             g.session.OpenCollection();
             const std::function<void()> first = g.window.away[0]();
             g.window.away.clear();
             g.session.OpenCollection();
             first();
         },
         1, [&ready](const Game& g) { return ready(g).size() == 1; }},
        {"the collection closed while read",
         [](Game& g) {
             g.session.OpenCollection();
             g.session.CloseCollection({});
         },
         1, [&ready](const Game& g) { return ready(g).empty(); }},
        {"the collection sorted and chosen while read",
         [&line](Game& g) {
             WriteAll(g.dir.File(kSolutionFile), line(100, 1) + line(3, 2));
             g.session.OpenCollection();
             g.session.SortCollection(6, CollectionOrder::ByFirstFind);
             g.session.ChooseSolution(6, 4);
         },
         1,
         [&ready](const Game& g) {
             const CollectionPage& page = *PageOf(*ready(g).at(0), 6);
             return page.order == CollectionOrder::ByFirstFind && page.chosen == 4 && page.entries.at(0).number == 101 &&
                    g.window.chosen == std::vector<std::pair<int, int>>{{6, 4}};
         }},
        {"the collection without a register",
         [](Game& g) {
             ::unlink(g.dir.File(kSolutionFile).c_str());
             g.session.OpenCollection();
         },
         1, [&ready](const Game& g) { return ready(g).size() == 1 && PageOf(*ready(g)[0], 6)->found == 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Game g;
        g.StartFresh();
        g.session.ButtonClick(0);  // a game under way
        g.window.answer = true;
        g.window.holdAway = true;
        c.act(g);
        ASSERT_EQ(g.window.away.size(), c.held);
        for (auto work = g.window.away.rbegin(); work != g.window.away.rend(); ++work) (*work)()();
        EXPECT_TRUE(c.after(g));
    }
}

TEST(Session, CloseWritesSettingsThenGame) {
    Game g;
    g.StartFresh();
    g.session.ButtonClick(0);
    g.session.ToggleStatusBar();
    const int watch = ::inotify_init1(IN_NONBLOCK);
    ASSERT_GE(watch, 0);
    ASSERT_GE(::inotify_add_watch(watch, g.dir.Path().c_str(), IN_MOVED_TO), 0);
    EXPECT_TRUE(g.session.Close());
    std::vector<std::string> renamed;
    alignas(inotify_event) char buffer[4096];
    for (ssize_t n; (n = ::read(watch, buffer, sizeof buffer)) > 0;) {
        for (char* p = buffer; p < buffer + n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(p);
            renamed.emplace_back(event->name);
            p += sizeof(inotify_event) + event->len;
        }
    }
    ::close(watch);
    EXPECT_EQ(renamed, (std::vector<std::string>{kSettingsFile, kSavedGameFile}));
    EXPECT_NE(ReadAll(g.dir.File(kSettingsFile)).find("iniStatusBarOn=0"), std::string::npos);
    EXPECT_EQ(ReadAll(g.dir.File(kSavedGameFile)).rfind("6,--,-,-,1,", 0), 0u);
}

// The question is asked only when the game itself could not be saved; a
// settings file unreadable at start-up is told then, and never again.
TEST(Session, CloseTellsWhatWasNotSaved) {
    struct Case {
        const char* name;
        bool iniUnreadableAtStart;
        bool iniBrokenBeforeClose;
        bool gameBroken;
        std::optional<Notice::Kind> told;   // the message at close, if any
        std::optional<Notice::Kind> asked;  // the question, if any
        bool settingsToo = false;           // the question names the settings too
    };
    using K = Notice::Kind;
    const Case cases[] = {
        {"settings only", false, true, false, K::SettingsNotSaved, std::nullopt},
        {"game only", false, false, true, std::nullopt, K::GameNotSaved},
        {"both", false, true, true, std::nullopt, K::GameNotSaved, true},
        {"settings unreadable since start-up", true, false, false, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        Game g;
        if (c.iniUnreadableAtStart) ::mkdir(g.dir.File(kSettingsFile).c_str(), 0755);
        g.session.Start();
        EXPECT_EQ(g.session.TakeStartupMessages().size(), c.iniUnreadableAtStart ? 1u : 0u) << c.name;
        if (c.iniBrokenBeforeClose) {
            ::unlink(g.dir.File(kSettingsFile).c_str());
            ::mkdir(g.dir.File(kSettingsFile).c_str(), 0755);
        }
        if (c.gameBroken) ::mkdir(g.dir.File(kSavedGameFile).c_str(), 0755);
        EXPECT_EQ(g.session.Close(), !c.asked) << c.name;
        const auto kinds = [](const std::vector<Notice>& notices) {
            std::vector<K> all;
            for (const Notice& notice : notices) all.push_back(notice.kind);
            return all;
        };
        const auto one = [](std::optional<K> kind) { return kind ? std::vector<K>{*kind} : std::vector<K>{}; };
        EXPECT_EQ(kinds(g.window.told), one(c.told)) << c.name;
        EXPECT_EQ(kinds(g.window.asked), one(c.asked)) << c.name;
        EXPECT_EQ(!g.window.asked.empty() && g.window.asked[0].settingsToo, c.settingsToo) << c.name;
    }
}

// Root may write into any folder whatever its mode; without this capability
// (for this thread, while the object lives) it is held to the mode like any
// player. Nothing changes for a user without it.
class HeldToFolderModes {
public:
    HeldToFolderModes() {
        if (::syscall(SYS_capget, &header_, saved_) != 0) return;
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        lowered[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
        held_ = ::syscall(SYS_capset, &header_, lowered) == 0;
    }
    ~HeldToFolderModes() {
        if (held_) ::syscall(SYS_capset, &header_, saved_);
    }

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
    bool held_ = false;
};

// A game its folder cannot take at close goes, with the settings, to the
// per-user folder, and the player is told where; the next start goes on with
// it, whether the own folder is still unusable (the folder rule and the
// carry-over start from the per-user folder) or usable again (the game is
// taken back). Only when the per-user folder fails too is the player asked.
TEST(Session, AGameItsFolderCannotTakeGoesToThePerUserFolder) {
    enum class Trouble { ReadOnly, Renamed, Removed };
    enum class Next { FromUserFolder, FromOwnFolder, None };
    struct Case {
        const char* name;
        Trouble trouble;
        bool installed;           // the program folder is the per-user folder itself
        bool userFolderUnusable;  // a file stands where the per-user folder would be made
        Next next;
        std::optional<Notice::Kind> told;  // what the close tells; none: it asks instead
    };
    using K = Notice::Kind;
    const Case cases[] = {
        {"read-only, and still at the next start", Trouble::ReadOnly, false, false, Next::FromUserFolder, K::SavedAway},
        {"read-only, then writable again", Trouble::ReadOnly, false, false, Next::FromOwnFolder, K::SavedAway},
        {"renamed, then started from its new name", Trouble::Renamed, false, false, Next::FromOwnFolder, K::SavedAway},
        {"the per-user folder itself removed", Trouble::Removed, true, false, Next::FromUserFolder, K::FolderRemade},
        {"read-only, and no per-user folder can be made", Trouble::ReadOnly, false, true, Next::None, std::nullopt},
    };
    for (const Case& c : cases) {
        TempDir root;
        std::string own = root.File("own/");
        ASSERT_EQ(::mkdir(own.c_str(), 0755), 0);
        if (c.userFolderUnusable) WriteAll(root.File("data"), "");
        const std::string user = c.installed ? own : root.File("data/tilvaren/");
        {
            // An older game, saved where it belongs.
            Game earlier(own, user);
            earlier.session.ButtonClick(0);
            ASSERT_TRUE(earlier.session.Close()) << c.name;
        }
        Game g(own, user);
        ASSERT_EQ(g.session.GameBoard().CellCode(0), kSelected) << c.name;
        g.session.ButtonClick(1);
        g.session.ToggleStatusBar();
        std::optional<HeldToFolderModes> held;
        switch (c.trouble) {
            case Trouble::ReadOnly:
                ::chmod(own.c_str(), 0555);
                held.emplace();
                if (::faccessat(AT_FDCWD, own.c_str(), W_OK, AT_EACCESS) == 0) GTEST_SKIP() << "writes anywhere";
                break;
            case Trouble::Renamed:
                ASSERT_EQ(::rename(own.c_str(), root.File("moved").c_str()), 0);
                own = root.File("moved/");
                break;
            case Trouble::Removed:
                std::filesystem::remove_all(own);
                break;
        }
        const bool closed = g.session.Close();
        held.reset();
        ::chmod(own.c_str(), 0755);
        if (!c.told) {
            EXPECT_FALSE(closed) << c.name;
            ASSERT_EQ(g.window.asked.size(), 1u) << c.name;
            const Notice& asked = g.window.asked[0];
            EXPECT_EQ(asked.kind, K::GameNotSaved) << c.name;
            EXPECT_EQ(asked.other, user) << c.name;
            EXPECT_FALSE(asked.third.reason.empty()) << c.name;  // why not there either
            continue;
        }
        EXPECT_TRUE(closed) << c.name;
        EXPECT_TRUE(g.window.asked.empty()) << c.name;
        ASSERT_EQ(g.window.told.size(), 1u) << c.name;
        const Notice& told = g.window.told[0];
        EXPECT_EQ(told.kind, *c.told) << c.name;
        EXPECT_EQ(told.kind == K::FolderRemade ? told.folder : told.other, user) << c.name;
        EXPECT_TRUE(told.settingsToo && told.second && told.third) << c.name;  // all saved, the next start takes it back
        EXPECT_NE(ReadAll(user + kSettingsFile).find("iniStatusBarOn=0"), std::string::npos) << c.name;

        std::string from = own;
        if (c.next == Next::FromUserFolder) {
            // As the start-up does for a portable copy whose folder stays read-only.
            if (!c.installed) CarryOverPlayerFiles(own, user);
            from = user;
        }
        Game next(from, user);
        EXPECT_EQ(next.session.GameBoard().CellCode(1), kSelected) << c.name;
        EXPECT_FALSE(next.session.CurrentSettings().StatusBarOn) << c.name;
        if (c.next == Next::FromOwnFolder) {
            const std::vector<Notice> messages = next.session.TakeStartupMessages();
            ASSERT_EQ(messages.size(), 1u) << c.name;
            EXPECT_EQ(messages[0].kind, K::TakenBack) << c.name;
            EXPECT_EQ(messages[0].other, user) << c.name;
            // Gone from the per-user folder: a later carry-over cannot bring it back over a newer game.
            EXPECT_FALSE(std::filesystem::exists(user + kSavedGameFile)) << c.name;
        }
    }
}

TEST(Session, ASavedGameComesBack) {
    Game g;
    g.StartFresh();
    g.session.ButtonClick(0);
    ASSERT_TRUE(g.session.Close());
    Game next;
    WriteAll(next.dir.File(kSavedGameFile), ReadAll(g.dir.File(kSavedGameFile)));
    next.session.Start();
    EXPECT_TRUE(next.session.GameBoard().GameStarted);
    EXPECT_EQ(next.session.GameBoard().CellCode(0), kSelected);
    EXPECT_EQ(next.window.panels[0], "6 * 10");
}

// A finished board congratulates, clears the piece panels and is appended to
// the register; a register that cannot take it is told, and the game goes on.
// An open collection reads the register again only when it gained a line.
TEST(Session, CompletionIsRecordedOrTold) {
    for (const bool registerBroken : {false, true}) {
        Game g;
        g.StartFresh();
        if (registerBroken) {
            ::unlink(g.dir.File(kSolutionFile).c_str());
            ::mkdir(g.dir.File(kSolutionFile).c_str(), 0755);
        }
        g.session.OpenCollection();
        const auto reads = [&g] {
            return std::count_if(g.window.collections.begin(), g.window.collections.end(),
                                 [](const auto& c) { return c->state != Collection::State::Reading; });
        };
        const auto linesOnSix = [&g] { return PageOf(*g.window.collections.back(), 6)->lines; };
        ASSERT_EQ(reads(), 1);
        g.session.ButtonClick(0);
        EXPECT_EQ(g.window.panels[1], "F");
        EXPECT_EQ(g.window.panels[10], "-");  // no X reaches the corner
        g.session.ImageClick(0);
        const int last = g.ClickSolution();
        EXPECT_NE(g.window.Steps().find("ShowCongratulations"), std::string::npos);
        for (int panel = 1; panel <= 12; ++panel) EXPECT_EQ(g.window.panels[static_cast<std::size_t>(panel)], " ");
        EXPECT_EQ(reads(), registerBroken ? 1 : 2);
        if (registerBroken) {
            ASSERT_EQ(g.window.told.size(), 1u);
            EXPECT_EQ(g.window.told[0].kind, Notice::Kind::SolutionNotRecorded);
            EXPECT_EQ(g.window.told[0].names, std::vector<std::string>{kSolutionFile});
            EXPECT_EQ(g.window.told[0].failure.error, EISDIR);
        } else {
            EXPECT_EQ(linesOnSix(), 1U);
            const std::string line = ReadAll(g.dir.File(kSolutionFile));
            EXPECT_EQ(line.rfind("6,", 0), 0u);
            EXPECT_EQ(line.substr(line.size() - 6), "0001\r\n");
            EXPECT_TRUE(g.window.told.empty());
            // A redo finishes nothing; undone and finished again, it is recorded again.
            g.session.UndoStep();
            g.session.RedoStep();
            EXPECT_TRUE(g.session.GameBoard().AllPiecesPlaced());
            g.session.UndoStep();
            g.session.ButtonClick(last);
            EXPECT_EQ(g.window.congratulations, 2);
            EXPECT_EQ(reads(), 3);
            EXPECT_EQ(linesOnSix(), 2U);
            const std::string lines = ReadAll(g.dir.File(kSolutionFile));
            EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 2);
            // Closed, the collection reads nothing more.
            g.session.CloseCollection({});
            g.session.UndoStep();
            g.session.ButtonClick(last);
            EXPECT_EQ(reads(), 3);
        }
    }
}

// The congruence check through its command: a fresh frame, a dead end, and a
// finished board that is new, then found again.
TEST(Session, CongruenceCheckTellsWhereTheBoardStands) {
    Game g;
    g.StartFresh();
    // "Counting" only while the frame's solutions are still unknown; a test
    // before this one in the same process may have counted them already.
    const bool known = BuiltCompletionCounter(6).has_value();
    g.session.TogglePieceSupport();  // the piece support strip says it too, shorter
    EXPECT_EQ(g.window.support->line,
              known ? std::nullopt : std::optional<SupportLine>(SupportLine{SupportLine::Kind::Counting}));
    EXPECT_EQ(g.window.supportLine, (SupportLine{SupportLine::Kind::Left, 2339}));
    using K = CongruenceAnswer::Kind;
    g.session.StartCongruenceCheck();
    ASSERT_EQ(g.window.checks.size(), 1u);
    EXPECT_EQ(g.window.checks[0], (CongruenceAnswer{.kind = K::Open, .distinct = 2339, .ways = 9356, .frameTotal = 2339}));

    // A corner cell cut off by a piece: no way to finish.
    for (const int n : {1, 11, 21, 31, 41}) g.session.ButtonClick(n);  // an I down column 1
    g.session.ButtonClick(0);
    EXPECT_EQ(g.window.support->line, std::nullopt);  // known now: the line comes from the count
    g.session.StartCongruenceCheck();
    ASSERT_EQ(g.window.checks.size(), 2u);
    EXPECT_EQ(g.window.checks[1], (CongruenceAnswer{.kind = K::DeadEnd, .frameTotal = 2339}));
    EXPECT_EQ(g.window.supportLine, (SupportLine{SupportLine::Kind::CannotFinish}));

    for (int round = 0; round < 2; ++round) {
        g.session.Reset();
        g.ClickSolution();
        g.window.checks.clear();
        g.session.StartCongruenceCheck();
        // The first distinct solution, however the game turned it, is No. 1.
        const CongruenceAnswer solution{.kind = K::Solution,
                                        .number = 1,
                                        .isNew = round == 0,
                                        .firstDate = round == 0 ? "" : "2026/12/07",
                                        .frameTotal = 2339,
                                        .registerHolds = 1};
        EXPECT_EQ(g.window.checks, std::vector<CongruenceAnswer>{solution});
        EXPECT_EQ(g.window.supportLine, (SupportLine{SupportLine::Kind::Finished}));
        // One step back the one way left is the solution just recorded.
        g.session.UndoStep();
        g.session.StartCongruenceCheck();
        ASSERT_EQ(g.window.checks.size(), 2u);
        EXPECT_EQ(g.window.checks[1], (CongruenceAnswer{.kind = K::Open,
                                                        .distinct = 1,
                                                        .ways = 1,
                                                        .distinctFound = 1,
                                                        .frameTotal = 2339,
                                                        .registerHolds = 1}));
        EXPECT_EQ(g.window.supportLine, (SupportLine{SupportLine::Kind::Left, 1}));
        g.session.RedoStep();
    }
}

// A challenge replaces the game on its frame as one undo step; on another
// frame it asks first when a game is under way, and a No keeps the game.
TEST(Session, TakeChallengePutsItsPiecesOnTheBoard) {
    struct Case {
        const char* name;
        int frameY;
        bool gameUnderWay;
        bool answer;
        bool taken;
        bool asked;
    } const cases[] = {
        {"same frame, a game under way", 6, true, false, true, false},
        {"another frame, empty board", 5, false, false, true, false},
        {"another frame, a game under way, No", 5, true, false, false, true},
        {"another frame, a game under way, Yes", 5, true, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Game g;
        g.StartFresh();
        g.window.answer = c.answer;
        if (c.gameUnderWay) {
            for (const int n : {1, 11, 21, 31, 41}) g.session.ButtonClick(n);
        }
        const std::vector<std::string> before = testing::Picture(g.session.GameBoard());
        const std::string leftOut = "IUVWXY";  // the game's I among them
        Challenge challenge{c.frameY, DistinctSolutions(c.frameY).front()};
        for (char& code : challenge.cells) code = leftOut.find(code) != std::string::npos ? kEmpty : code;
        g.session.ShowHint();
        EXPECT_EQ(g.session.TakeChallenge(challenge), c.taken);
        EXPECT_EQ(g.window.asked.size(), c.asked ? 1U : 0U);
        EXPECT_EQ(g.window.hints.back().cells.empty(), c.taken) << "a hint's marks go with the board it was for";
        const Board& board = g.session.GameBoard();
        if (!c.taken) {
            EXPECT_EQ(testing::Picture(board), before);
            continue;
        }
        EXPECT_EQ(board.FrameY(), c.frameY);
        EXPECT_EQ(g.window.panels[0], FrameName(c.frameY));
        EXPECT_TRUE(board.GameStarted);
        for (int n = 0; n < kCellCount; ++n) ASSERT_EQ(board.CellCode(n), challenge.cells[static_cast<std::size_t>(n)]);
        // Placed as by the player: their flags and panels say so, the others are free.
        for (int piece = 0; piece < kPieceCount; ++piece) {
            const auto p = static_cast<std::size_t>(piece);
            const bool placed = leftOut.find(kPieceLetters[p]) == std::string::npos;
            EXPECT_EQ(board.Psts[static_cast<std::size_t>(kFirstOrientation[p])], placed ? kFlagPlaced : kFlagAvailable);
            EXPECT_EQ(g.window.panels[p + 1] == " ", placed) << piece;
        }
        if (c.frameY == 6) {
            EXPECT_EQ(g.window.Items(), "1010");
            g.session.UndoStep();
            EXPECT_EQ(testing::Picture(g.session.GameBoard()), before);
        } else {
            EXPECT_EQ(g.window.Items(), "0000");  // the new frame's history starts here
        }
    }
}

// Each press on the same board gives the next level; a change of the board
// removes the marks and starts again at 1, a change of the window alone
// does not. The words go to a box only while the strip is off.
TEST(Session, HintsGrowOnOneBoardAndGoWithItsChanges) {
    struct Case {
        const char* name;
        std::function<void(Game&)> change;
        bool boardChanged;
    } const cases[] = {
        {"a click", [](Game& g) { g.session.ButtonClick(5); }, true},
        {"undo", [](Game& g) { g.session.UndoStep(); }, true},
        {"turn", [](Game& g) { g.session.Turn(); }, true},
        {"reset", [](Game& g) { g.session.Reset(); }, true},
        {"redo with nothing to redo", [](Game& g) { g.session.RedoStep(); }, false},
        {"larger cells", [](Game& g) { g.session.ChooseCellSize(32); }, false},
        {"the strip on", [](Game& g) { g.session.TogglePieceSupport(); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Game g;
        g.StartFresh();
        g.session.ButtonClick(1);
        g.window.steps.clear();
        g.session.ShowHint();
        g.session.ShowHint();
        EXPECT_EQ(g.window.Steps(), "MarkHint") << "no drawing, no sound, no step";
        c.change(g);
        g.session.ShowHint();
        std::vector<int> levels;
        for (const Hint& hint : g.window.hints) levels.push_back(hint.kind == Hint::Kind::None ? 0 : hint.level);
        EXPECT_EQ(levels, c.boardChanged ? std::vector<int>({1, 2, 0, 1}) : std::vector<int>({1, 2, 3}));
    }
}

// On boards of every frame the three presses are one chain: level 2 names a
// piece over level 1's cell, and level 3 marks five free cells of that piece
// covering it.
TEST(Session, HintLevelsAreOneChain) {
    struct Case {
        int frameY;
        const char* placed;  // pieces of the frame's first solution, clicked in
        bool selecting;      // then the lowest empty cell selected
    } const cases[] = {
        {6, "", false}, {6, "FILN", false}, {6, "XYZ", true},   {5, "", false}, {5, "PTUV", false}, {5, "FW", true},
        {4, "", false}, {4, "ILNY", false}, {4, "TX", true},    {3, "", false}, {3, "FLPU", false}, {3, "VWZ", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.frameY) + " " + c.placed + (c.selecting ? " and a selection" : ""));
        Game g;
        g.StartFresh();
        g.session.ChooseFrame(c.frameY);
        g.ClickSolution(c.placed);
        const Board& board = g.session.GameBoard();
        if (c.selecting) {
            int n = 0;
            while (board.CellCode(n) != kEmpty) ++n;
            g.session.ButtonClick(n);
        }
        ASSERT_EQ(board.FrameY(), c.frameY);
        g.window.hints.clear();
        for (int press = 0; press < 3; ++press) g.session.ShowHint();
        ASSERT_EQ(g.window.hints.size(), 3u);
        const Hint& where = g.window.hints[0];
        const Hint& which = g.window.hints[1];
        const Hint& placement = g.window.hints[2];
        EXPECT_EQ(std::vector<int>({where.level, which.level, placement.level}), std::vector<int>({1, 2, 3}));
        ASSERT_EQ(where.cells.size(), 1u);
        EXPECT_EQ(which.cells, where.cells);
        ASSERT_GE(which.piece, 0);
        EXPECT_EQ(placement.piece, which.piece);
        ASSERT_EQ(placement.cells.size(), 5u);
        EXPECT_NE(std::find(placement.cells.begin(), placement.cells.end(), where.cells[0]), placement.cells.end());
        for (const int n : placement.cells) EXPECT_FALSE(IsPieceLetter(board.CellCode(n))) << "cell " << n;
    }
}

// Two corners shut in: taking back any one piece finishes nothing, so the
// hint names the piece placed last, in the order the clicks placed them.
TEST(Session, ADeadEndsHintNamesThePiecePlacedLast) {
    const std::vector<std::string> shut = {"0IIIII0000", "L00000000Y", "L00000000Y",
                                           "L00000V0YY", "LL0000V00Y", "000000VVV0"};
    for (const std::string order : {"ILYV", "VYLI", "LVIY"}) {
        SCOPED_TRACE(order);
        Game g;
        g.StartFresh();
        for (const char letter : order) {
            for (int n = 0; n < kCellCount; ++n) {
                const char want = shut[static_cast<std::size_t>(n / 10)][static_cast<std::size_t>(n % 10)];
                if (want == letter && g.session.GameBoard().CellCode(n) == kEmpty) g.session.ButtonClick(n);
            }
        }
        g.session.ShowHint();
        EXPECT_EQ(g.window.hints.back().piece, PieceNumberOf(order.back()));
    }
}

// A finished board's hint says whether the register held it before; a
// register that cannot be read is said to be so.
TEST(Session, AFinishedBoardsHintTellsWhetherItIsNew) {
    Game g;
    g.StartFresh();
    using K = Hint::Kind;
    for (const K expected : {K::FinishedNew, K::FinishedBefore, K::FinishedUnknown}) {
        g.session.Reset();
        if (expected == K::FinishedUnknown) {
            ::unlink(g.dir.File(kSolutionFile).c_str());
            ::mkdir(g.dir.File(kSolutionFile).c_str(), 0755);
        }
        g.ClickSolution();
        g.window.hints.clear();
        g.session.ShowHint();
        ASSERT_EQ(g.window.hints.size(), 1u);
        EXPECT_EQ(g.window.hints[0].kind, expected);
        EXPECT_EQ(g.window.hints[0].level, 0);
        EXPECT_TRUE(g.window.hints[0].cells.empty());
        if (expected == K::FinishedUnknown) {
            EXPECT_EQ(g.window.hints[0].file, kSolutionFile);
        }
    }
}

// Behind "Congratulations!" the board stands finished: the hint's marks and
// words gone, the strip saying it is finished, not the count of the board before.
TEST(Session, TheFinishedBoardIsShownBeforeTheCongratulations) {
    Game g;
    g.StartFresh();
    g.session.TogglePieceSupport();
    g.ClickSolution("FILNPTUVWXY");
    g.session.ShowHint();
    ASSERT_NE(g.window.hints.back().kind, Hint::Kind::None);
    g.ClickSolution("Z");
    ASSERT_EQ(g.window.congratulations, 1);
    ASSERT_TRUE(g.window.hintAtCongratulations.has_value());
    EXPECT_EQ(g.window.hintAtCongratulations->kind, Hint::Kind::None);
    ASSERT_TRUE(g.window.supportAtCongratulations.has_value());
    EXPECT_EQ(g.window.supportAtCongratulations->line, SupportLine{SupportLine::Kind::Finished});
    for (const PieceLook look : g.window.supportAtCongratulations->looks) EXPECT_EQ(look, PieceLook::Placed);
}

// The line a challenge leaves on its page says what stands on the board: it
// stays while the player works on it, turned or not, and goes once the board
// is finished or is no longer that challenge.
TEST(Session, AChallengesLineGoesWithItsBoard) {
    const auto finish = [](Game& g) {
        const Board& board = g.session.GameBoard();
        for (const FilledFrame& solution : SolveFrame(6)) {
            bool fits = true;
            for (int n = 0; n < kCellCount && fits; ++n) {
                const char code = board.CellCode(n);
                fits = !IsPieceLetter(code) || code == solution[static_cast<std::size_t>(n)];
            }
            if (!fits) continue;
            // Piece by piece, as a player clicks a completion in.
            for (const char letter : kPieceLetters) {
                for (int n = 0; n < kCellCount; ++n) {
                    if (solution[static_cast<std::size_t>(n)] == letter && board.CellCode(n) == kEmpty &&
                        !board.AllPiecesPlaced()) {
                        g.session.ButtonClick(n);
                    }
                }
            }
            return;
        }
    };
    const auto firstCell = [](const Game& g, bool placed) {
        int n = 0;
        while (IsPieceLetter(g.session.GameBoard().CellCode(n)) != placed) ++n;
        return n;
    };
    struct Case {
        const char* name;
        std::function<void(Game&)> then;
        bool stays;
    } const cases[] = {
        {"a cell selected", [&](Game& g) { g.session.ButtonClick(firstCell(g, false)); }, true},
        {"turned and mirrored",
         [](Game& g) {
             g.session.Turn();
             g.session.Mirror();
         },
         true},
        {"the collection closed", [](Game& g) { g.session.CloseCollection({}); }, true},
        {"finished", finish, false},
        {"undone", [](Game& g) { g.session.UndoStep(); }, false},
        {"reset", [](Game& g) { g.session.Reset(); }, false},
        {"one of its pieces taken back", [&](Game& g) { g.session.ImageClick(firstCell(g, true)); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Game g;
        g.StartFresh();
        g.session.OpenCollection();
        g.session.StartChallenge(6);
        ASSERT_EQ(g.window.challengeLines.back().second.kind, ChallengeLine::Kind::Taken);
        c.then(g);
        const auto& [frameY, line] = g.window.challengeLines.back();
        EXPECT_EQ(frameY, 6);
        EXPECT_EQ(line.kind, c.stays ? ChallengeLine::Kind::Taken : ChallengeLine::Kind::Empty);
        if (std::string(c.name) == "finished") {
            EXPECT_EQ(g.window.congratulations, 1);
        }
    }
}

// A frame whose solutions the collection shows all found says so when 挑戦
// is pressed, before any level is asked; one not yet read is searched, and
// the search says it.
TEST(Session, AFrameFoundWholeOffersNoChallenge) {
    struct Case {
        const char* name;
        bool collectionRead;
        int frameY;
        int levelsAsked;
        bool allFoundTold;
    } const cases[] = {
        {"3 x 20 found whole", true, 3, 0, true},
        {"6 x 10 with solutions left", true, 6, 1, false},
        {"3 x 20 before the collection is read", false, 3, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Game g;
        std::string lines;
        for (const FilledFrame& board : DistinctSolutions(3)) {
            GameRecord record{3, "--", '-', '-', board, kSolutionMarker};
            lines += FormatGameRecord(record, g.clock);
        }
        WriteAll(g.dir.File(kSolutionFile), lines);
        g.StartFresh();
        if (c.collectionRead) g.session.OpenCollection();
        g.session.StartChallenge(c.frameY);
        EXPECT_EQ(g.window.levelsAsked, c.levelsAsked);
        const bool told = !g.window.told.empty() && g.window.told.back().kind == Notice::Kind::AllFound;
        EXPECT_EQ(told, c.allFoundTold);
        if (told) {
            EXPECT_EQ(g.window.told.back().frameY, 3);
            EXPECT_EQ(g.window.told.back().count, 2u);
        }
    }
}

}  // namespace
}  // namespace tilvaren
