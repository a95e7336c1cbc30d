#pragma once

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "session/Session.hpp"
#include "support/TempDir.hpp"
#include "support/TestBoards.hpp"

namespace tilvaren::testing {

// The window as the session tests see it. Records what the session asks of
// it, each refresh under its own name: a run of cell updates is one DrawBoard,
// the frame submenu and its four items one MenuFrameSet, and so on. Keeps the
// last state of every menu item and counts what a player hears and sees.
class RecordingWindow : public View {
public:
    std::vector<std::string> steps;
    std::vector<Language> languages;  // each the window was told to speak
    std::vector<Notice> told;
    std::vector<Notice> asked;
    std::vector<CongruenceAnswer> checks;  // each check's answer told
    bool answer = false;  // what every question is answered
    std::optional<ChallengeLevel> level = ChallengeLevel::Easy;  // what the level question is answered
    std::vector<std::shared_ptr<const Collection>> collections;  // each shown
    std::vector<std::pair<int, ChallengeLine>> challengeLines;   // by frame, each shown
    std::vector<std::pair<int, int>> chosen;                     // frame and number, each shown large
    int raised = 0;
    std::vector<KeptWindowPlace> collectionPlaces;  // where each opening was asked to put the collection
    std::optional<PendingSettings> options;
    std::array<std::string, 13> panels;
    std::map<std::string, bool> enabled{{"N6", false}, {"N8", false}, {"N7", false}, {"N10", false}};
    int cellsDrawn = 0;
    int sounds = 0;
    int congratulations = 0;
    int levelsAsked = 0;
    // What the player sees behind the last "Congratulations!": the newest
    // hint marked (none: never one) and the strip's picture.
    std::optional<Hint> hintAtCongratulations;
    std::optional<SupportPicture> supportAtCongratulations;
    std::optional<SupportPicture> support;
    std::vector<Hint> hints;  // every MarkHint, an empty one removing the marks
    SupportLine supportLine;
    // Work for a worker: run at once, its answer taken back at once, or with
    // holdAway kept for the test to run, each giving what runs back.
    using Away = std::function<std::function<void()>()>;
    bool holdAway = false;
    std::vector<Away> away;

    std::string Steps() const {
        std::string all;
        for (const std::string& s : steps) all += (all.empty() ? "" : " ") + s;
        return all;
    }
    // The four undo and redo items as "N6 N8 N7 N10", 1 enabled, 0 not.
    std::string Items() const {
        std::string s;
        for (const char* name : {"N6", "N8", "N7", "N10"}) s += enabled.at(name) ? '1' : '0';
        return s;
    }

    void ApplyCell(int, const CellTarget&) override {
        ++cellsDrawn;
        Step("DrawBoard");
    }
    void PlayClickSound() override {
        ++sounds;
        Step("PlayClickSound");
    }
    void SetTabToBestCell(int) override { Step("SetTabToBestCell"); }
    void ShowCongratulations() override {
        ++congratulations;
        if (!hints.empty()) hintAtCongratulations = hints.back();
        supportAtCongratulations = support;
        Step("ShowCongratulations");
    }
    void Tell(const Notice& notice) override { told.push_back(notice); }
    bool Ask(const Notice& notice) override {
        asked.push_back(notice);
        return answer;
    }
    void Tell(const CongruenceAnswer& check) override { checks.push_back(check); }
    void RunAway(Away work) override {
        if (holdAway) {
            away.push_back(std::move(work));
        } else {
            work()();
        }
    }
    void EnableMenuItem(const std::string& name, bool on) override {
        enabled[name] = on;
        if (name.rfind("menuVF", 0) == 0 && name != "menuVF") {
            Step("MenuFrameSet");
        } else if (name == "menuVS" || name == "menuVD" || name == "menuVF") {
            Step("MenuSizeSet");
        } else if (name == "menuEU" && !steps.empty() && steps.back() == "MenuEditSet" && editOpen_) {
            editOpen_ = false;
        } else if (name == "menuET" || name == "menuEM") {
            editOpen_ = true;
            Step("MenuEditSet");
        } else if (name.rfind("menuEU", 0) == 0) {
            Step("MenuUItemSet");
        } else {
            Step("MenuHistorySet");
        }
    }
    void SetLanguage(Language language) override { languages.push_back(language); }
    void SetUCaption(bool) override { Step("MenuUCaptionSet"); }
    void SetFramePanel(const std::string& text) override {
        panels[0] = text;
        Step("StatusBar00Set");
    }
    void SetPiecePanel(int piece, PieceLook look) override {
        panels[static_cast<std::size_t>(piece + 1)] = PiecePanelText(piece, look);
        Step("StatusBarPiecesSet");
    }
    void HideCells() override { Step("HideCells"); }
    void SizeCells(int frameSize) override { Step("SizeCells" + std::to_string(frameSize)); }
    void LayoutWindow(const WindowLayout&) override { Step("LayoutWindow"); }
    void ShowPieceSupport(const SupportPicture& picture) override {
        support = picture;
        Step("PieceSupportSet");
    }
    void SetSupportLine(const SupportLine& line) override { supportLine = line; }
    void MarkHint(const Hint& hint) override {
        hints.push_back(hint);
        Step("MarkHint");
    }
    std::optional<PendingSettings> RunOptions(const Settings&, bool) override {
        Step("RunOptions");
        return options;
    }
    void OpenCollection(int frameY, const KeptWindowPlace& kept) override {
        collectionPlaces.push_back(kept);
        Step("ShowCollection" + std::to_string(frameY));
    }
    void ShowCollection(std::shared_ptr<const Collection> collection) override { collections.push_back(collection); }
    void ShowChosenSolution(int frameY, int number) override { chosen.emplace_back(frameY, number); }
    std::optional<ChallengeLevel> AskChallengeLevel() override {
        ++levelsAsked;
        return level;
    }
    void ShowChallengeLine(int frameY, const ChallengeLine& line) override { challengeLines.emplace_back(frameY, line); }
    void RaiseBoard() override { ++raised; }

private:
    // Successive calls of one refresh count once.
    void Step(const std::string& name) {
        if (steps.empty() || steps.back() != name) steps.push_back(name);
    }
    bool editOpen_ = false;
};

// A session in a folder of its own, with a recording window and a fixed clock.
struct SessionGame {
    SessionGame() = default;
    // A session started on that folder, with that per-user folder.
    SessionGame(const std::string& folder, const std::string& fallback) : session{window, errors, clock, folder} {
        session.SetFallbackFolder(fallback);
        session.Start();
    }
    TempDir dir;
    RecordingErrorSink errors;
    FixedClock clock{{2026, 12, 7, 10, 20, 30}};
    RecordingWindow window;
    Session session{window, errors, clock, dir.Path()};
    // Starts the session and forgets the start-up's steps.
    void StartFresh() {
        session.Start();
        window.steps.clear();
    }
    // Clicks the pieces of the frame's first solution in, piece by piece,
    // skipping the cells the game filled itself; the last cell clicked.
    int ClickSolution(const std::string& letters = "FILNPTUVWXYZ") {
        const FilledFrame solution = DistinctSolutions(session.GameBoard().FrameY()).front();
        int last = -1;
        for (const char letter : letters) {
            for (int n = 0; n < kCellCount; ++n) {
                const Board& board = session.GameBoard();
                if (solution[static_cast<std::size_t>(n)] == letter && board.CellCode(n) == kEmpty &&
                    !board.AllPiecesPlaced()) {
                    session.ButtonClick(n);
                    last = n;
                }
            }
        }
        return last;
    }
};

}  // namespace tilvaren::testing
