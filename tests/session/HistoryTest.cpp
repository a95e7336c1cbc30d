#include "session/History.hpp"

#include <gtest/gtest.h>

#include <functional>

#include "session/Session.hpp"
#include "support/RecordingWindow.hpp"
#include "support/TestBoards.hpp"

namespace tilvaren {
namespace {


struct Game : testing::SessionGame {
    Game() { StartFresh(); }
    void Click(std::initializer_list<int> cells) {
        for (const int n : cells) session.ButtonClick(n);
    }
    GameState State() const { return session.GameBoard(); }
};

// The I along the top row, and a U in the lower left corner that the correction flips.
constexpr std::initializer_list<int> kTopI = {0, 1, 2, 3, 4};
constexpr std::initializer_list<int> kLowerU = {40, 42, 50, 51, 52};

// Every change the player makes is one step back and forward again, whole
// state included, without a click sound.
TEST(History, EachCommandIsOneStepUndoneAndRedone) {
    struct Case {
        const char* name;
        std::function<void(Game&)> before;
        std::function<void(Game&)> command;
    };
    const Case cases[] = {
        {"first click", nullptr, [](Game& g) { g.Click({0}); }},
        {"second click", [](Game& g) { g.Click({0}); }, [](Game& g) { g.Click({1}); }},
        {"deselect", [](Game& g) { g.Click({0, 1}); }, [](Game& g) { g.session.ImageClick(1); }},
        {"placing click", [](Game& g) { g.Click({0, 1, 2, 3}); }, [](Game& g) { g.Click({4}); }},
        {"take back a piece", [](Game& g) { g.Click(kTopI); }, [](Game& g) { g.session.ImageClick(2); }},
        {"turn", [](Game& g) { g.Click(kTopI); }, [](Game& g) { g.session.Turn(); }},
        {"mirror", [](Game& g) { g.Click(kTopI); }, [](Game& g) { g.session.Mirror(); }},
        {"U correction", [](Game& g) { g.Click(kLowerU); }, [](Game& g) { g.session.CorrectUPosition(); }},
        {"reset", [](Game& g) { g.Click(kTopI); }, [](Game& g) { g.session.Reset(); }},
    };
    for (const Case& c : cases) {
        Game g;
        if (c.before) c.before(g);
        const GameState before = g.State();
        c.command(g);
        const GameState after = g.State();
        ASSERT_NE(before, after) << c.name;
        EXPECT_EQ(g.window.Items().substr(0, 2), "10") << c.name;
        const int sounds = g.window.sounds;
        g.window.cellsDrawn = 0;
        g.session.UndoStep();
        EXPECT_EQ(g.State(), before) << c.name;
        EXPECT_EQ(g.window.cellsDrawn, kCellCount) << c.name;  // the whole board redrawn
        EXPECT_EQ(g.window.enabled["N8"], true) << c.name;
        g.session.RedoStep();
        EXPECT_EQ(g.State(), after) << c.name;
        EXPECT_EQ(g.window.Items().substr(0, 2), "10") << c.name;
        EXPECT_EQ(g.window.sounds, sounds) << c.name;
        EXPECT_TRUE(g.errors.messages.empty()) << c.name;
    }
}

// The four items follow the history through clicks and a correction that
// change nothing, a new step after an undo, piece steps across pending selections and a new frame.
TEST(History, ItemsFollowTheSteps) {
    Game g;
    const GameState empty = g.State();
    g.Click(kTopI);
    const GameState oneI = g.State();
    g.Click({10, 11, 12, 13, 20});  // an L below it
    const GameState iAndL = g.State();
    g.Click({30});  // a selection pending
    EXPECT_EQ(g.window.Items(), "1010");
    struct Step {
        const char* name;
        std::function<void(Game&)> command;
        const char* items;
        const GameState* state;  // where the step leads, when it matters
    };
    const Step steps[] = {
        {"stale click", [](Game& s) { s.Click({0}); }, "1010", nullptr},
        {"piece back to the I", [](Game& s) { s.session.UndoPiece(); }, "1111", &oneI},
        {"piece back to the empty board", [](Game& s) { s.session.UndoPiece(); }, "0101", &empty},
        {"piece back with none before", [](Game& s) { s.session.UndoPiece(); }, "0101", &empty},
        {"piece forward to the I", [](Game& s) { s.session.RedoPiece(); }, "1111", &oneI},
        {"piece forward to the L", [](Game& s) { s.session.RedoPiece(); }, "1110", &iAndL},
        {"piece forward stops before the pending cell", [](Game& s) { s.session.RedoPiece(); }, "1110", &iAndL},
        {"step forward to the pending cell", [](Game& s) { s.session.RedoStep(); }, "1010", nullptr},
        {"step back", [](Game& s) { s.session.UndoStep(); }, "1110", &iAndL},
        {"a U correction that changes nothing", [](Game& s) { s.session.CorrectUPosition(); }, "1110", nullptr},
        {"a new step drops the redo", [](Game& s) { s.Click({40}); }, "1010", nullptr},
        {"and leads back to where it was taken", [](Game& s) { s.session.UndoStep(); }, "1110", &iAndL},
    };
    for (const Step& s : steps) {
        s.command(g);
        EXPECT_EQ(g.window.Items(), s.items) << s.name;
        if (s.state != nullptr) {
            EXPECT_EQ(g.State(), *s.state) << s.name;
        }
    }
    // Back to the empty board the frame is free again; a new frame is a new history.
    while (g.window.enabled["N6"]) g.session.UndoStep();
    EXPECT_FALSE(g.session.GameBoard().GameStarted);
    g.session.ChooseFrame(5);
    EXPECT_EQ(g.window.Items(), "0000");
}

// A very long game keeps only its latest steps: the oldest ones go.
TEST(History, KeepsTheLatestStepsOnly) {
    Game g;
    const std::size_t clicks = History::kLimit + 5;
    for (std::size_t i = 0; i < clicks; ++i) i % 2 == 0 ? g.Click({0}) : g.session.ImageClick(0);
    const GameState last = g.State();
    std::size_t undone = 0;
    while (g.window.enabled.at("N6")) {
        g.session.UndoStep();
        ++undone;
    }
    EXPECT_EQ(undone, History::kLimit - 1);
    while (g.window.enabled.at("N8")) g.session.RedoStep();
    EXPECT_TRUE(g.State() == last);
}

}  // namespace
}  // namespace tilvaren
