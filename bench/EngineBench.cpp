// Engine benchmarks: one recognition pass, one whole game, the solver, the
// completion counter, the hints, the challenges, the help file.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>

#include "board/Recognition.hpp"
#include "pieces/Solver.hpp"
#include "records/HelpFile.hpp"
#include "records/RegisterReport.hpp"
#include "records/SolutionRegister.hpp"
#include "session/Challenge.hpp"
#include "session/Completion.hpp"
#include "session/Hints.hpp"
#include "session/MoveFlow.hpp"
#include "support/TempDir.hpp"
#include "support/TestBoards.hpp"

namespace tilvaren {
namespace {

// A view that does nothing, so only the engine is measured.
class NullView final : public GameView {
public:
    void ApplyCell(int, const CellTarget& t) override { benchmark::DoNotOptimize(t); }
    void PlayClickSound() override {}
    void MenuFrameSet() override {}
    void MenuEditSet() override {}
    void SetTabToBestCell(int) override {}
    void StatusBarPiecesSet() override {}
    void ShowCongratulations() override {}
    void SolutionAppend() override {}
};

Board FirstClickBoard(ErrorSink& errors) {
    Board board = testing::MakeBoard(errors, 6);
    board.Bsts[static_cast<std::size_t>(board.ChangeTo307(0))] = kSelected;
    board.CollectCells(kSelected);
    return board;
}

// Copying the prepared board, the overhead included in the next benchmark.
void BM_BoardCopy(benchmark::State& state) {
    SilentErrorSink errors;
    const Board prepared = FirstClickBoard(errors);
    for (auto _ : state) {
        Board board = prepared;
        benchmark::DoNotOptimize(board);
    }
}
BENCHMARK(BM_BoardCopy);

// The heaviest pass: the first click, in the corner of an empty 6 x 10 frame,
// where all 63 orientations are tried (37 candidates).
void BM_RecogniseFirstClick(benchmark::State& state) {
    SilentErrorSink errors;
    const Board prepared = FirstClickBoard(errors);
    for (auto _ : state) {
        Board board = prepared;
        RecognisePiece(board);
        benchmark::DoNotOptimize(board.CandidateCount);
    }
}
BENCHMARK(BM_RecogniseFirstClick);

// One whole 6 x 10 game clicked in cell by cell, with every redraw decided,
// the completion and the normalisation.
void BM_ReplayGame(benchmark::State& state) {
    const FilledFrame solution = SolveFrame(6).front();
    SilentErrorSink errors;
    NullView view;
    const Board empty = testing::MakeBoard(errors, 6);
    for (auto _ : state) {
        Board board = empty;
        std::string failure;
        benchmark::DoNotOptimize(testing::PlaySolution(board, view, solution, failure));
        if (!failure.empty()) state.SkipWithError(failure.c_str());
    }
}
BENCHMARK(BM_ReplayGame);

// Every board of one frame (6 x 10: all 9356).
void BM_Solve(benchmark::State& state) {
    const int frameY = static_cast<int>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(SolveFrame(frameY));
}
BENCHMARK(BM_Solve)->Arg(6)->Arg(5)->Arg(4)->Arg(3)->Unit(benchmark::kMillisecond);

// The one-time work of a completion counter: solving the frame and indexing it.
void BM_CompletionCounterBuild(benchmark::State& state) {
    const int frameY = static_cast<int>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(SolveWhole(frameY));
}
BENCHMARK(BM_CompletionCounterBuild)->Arg(6)->Arg(5)->Arg(4)->Arg(3)->Unit(benchmark::kMillisecond);

// Every board of seeded random games: mostly clicks on empty cells, now and
// then a selected cell or a piece taken back, the empty board first.
std::vector<Board> RandomGameStates(ErrorSink& errors, int frameY, int games) {
    std::mt19937 random(20261208U + static_cast<unsigned>(frameY));
    NullView view;
    std::vector<Board> states;
    for (int game = 0; game < games; ++game) {
        Board board = testing::MakeBoard(errors, frameY);
        states.push_back(board);
        for (int click = 0; click < 150 && !board.AllPiecesPlaced(); ++click) {
            std::vector<int> empty;
            std::vector<int> taken;
            for (int n = 0; n < kCellCount; ++n) {
                const char code = board.CellCode(n);
                if (code == kEmpty) empty.push_back(n);
                if (code == kSelected || IsPieceLetter(code)) taken.push_back(n);
            }
            const bool takeBack = empty.empty() || (!taken.empty() && random() % 8 == 0);
            const std::vector<int>& cells = takeBack ? taken : empty;
            if (cells.empty()) break;
            const int n = cells[random() % cells.size()];
            if (takeBack) {
                TakeBackCell(board, view, n);
            } else {
                SelectCell(board, view, n);
            }
            states.push_back(board);
        }
    }
    return states;
}

// The median, 99th percentile and worst of the timed samples (microseconds)
// as the benchmark's counters.
void ReportPercentiles(benchmark::State& state, std::vector<double>& samples) {
    std::sort(samples.begin(), samples.end());
    const auto at = [&samples](double q) {
        return samples[static_cast<std::size_t>(q * static_cast<double>(samples.size() - 1))];
    };
    state.counters["median_us"] = at(0.5);
    state.counters["p99_us"] = at(0.99);
    state.counters["max_us"] = samples.back();
    state.SetItemsProcessed(static_cast<std::int64_t>(samples.size()));
}

// One count per board over the states of random games; the median and the
// 99th percentile of a single count are reported as counters, in microseconds.
void BM_CountCompletions(benchmark::State& state) {
    const int frameY = static_cast<int>(state.range(0));
    SilentErrorSink errors;
    const std::vector<Board> states = RandomGameStates(errors, frameY, 40);
    const CompletionCounter counter(frameY);
    std::vector<double> samples;
    for (auto _ : state) {
        for (const Board& board : states) {
            const auto start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(counter.CountFor(board));
            samples.push_back(
                std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
        }
    }
    state.counters["states"] = static_cast<double>(states.size());
    ReportPercentiles(state, samples);
}
BENCHMARK(BM_CountCompletions)->Arg(6)->Arg(5)->Arg(4)->Arg(3)->Unit(benchmark::kMillisecond);

// One challenge per seed of a level on a frame, against a register holding
// none of its solutions or every other one; the median and the 99th
// percentile of one challenge are reported in microseconds.
void BM_MakeChallenge(benchmark::State& state) {
    const int frameY = static_cast<int>(state.range(0));
    const CompletionCounter counter(frameY);
    std::vector<FilledFrame> found;
    const auto level = static_cast<ChallengeLevel>(state.range(1));
    if (state.range(2) != 0) {
        const std::vector<FilledFrame> all = DistinctSolutions(frameY);
        for (std::size_t i = 0; i < all.size(); i += 2) found.push_back(all[i]);
    }
    std::vector<double> samples;
    std::uint64_t seed = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(MakeChallenge(counter, found, level, ++seed));
        samples.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    ReportPercentiles(state, samples);
}
BENCHMARK(BM_MakeChallenge)
    ->ArgsProduct({{6, 5, 4, 3}, {4, 6, 8}, {0, 1}})
    ->ArgNames({"frame", "left", "half_found"})
    ->Unit(benchmark::kMillisecond);

// Boards on the way to a solution: the pieces of a random solution of the
// frame placed in a random order, stopped after a random number of them
// (none to eleven); seeded, so every run measures the same boards.
struct HintState {
    BoardCells cells;
    std::vector<char> placedOrder;
};

std::vector<HintState> RandomHintStates(ErrorSink& errors, int frameY, int count) {
    std::mt19937 random(20261208U + static_cast<unsigned>(frameY));
    const std::vector<FilledFrame>& solutions = SolvedFrameOf(frameY).images;
    const BoardCells empty(testing::MakeBoard(errors, frameY));
    std::vector<HintState> states;
    for (int i = 0; i < count; ++i) {
        const FilledFrame& solution = solutions[random() % solutions.size()];
        std::string letters(kPieceLetters.begin(), kPieceLetters.end());
        std::shuffle(letters.begin(), letters.end(), random);
        HintState state{empty, {}};
        const std::size_t placed = random() % kPieceCount;
        for (std::size_t p = 0; p < placed; ++p) {
            state.placedOrder.push_back(letters[p]);
            for (std::size_t n = 0; n < solution.size(); ++n) {
                if (solution[n] == letters[p]) state.cells.codes[n] = letters[p];
            }
        }
        states.push_back(state);
    }
    return states;
}

// One hint of the level per board over those states, timed one by one; the
// median and the 99th percentile of a single hint, in microseconds, are the
// counters to read (the goal: p99 under 16 ms, one frame of the screen).
void BM_Hint(benchmark::State& state) {
    const int frameY = static_cast<int>(state.range(0));
    const int level = static_cast<int>(state.range(1));
    SilentErrorSink errors;
    const std::vector<HintState> states = RandomHintStates(errors, frameY, 300);
    const CompletionCounter counter(frameY);
    std::vector<double> samples;
    for (auto _ : state) {
        for (const HintState& board : states) {
            const auto start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(HintFor(counter, board.cells, level, board.placedOrder, false));
            samples.push_back(
                std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
        }
    }
    state.counters["states"] = static_cast<double>(states.size());
    ReportPercentiles(state, samples);
}
BENCHMARK(BM_Hint)->ArgsProduct({{6, 5, 4, 3}, {1, 2, 3}})->Unit(benchmark::kMillisecond);

// A help file of 200,000 topics, each with a context and keywords: parsing
// must stay linear in the file's length.
void BM_ParseHelpFile(benchmark::State& state) {
    std::string text = "<html><body><p>head</p>\n";
    for (int n = 0; n < 200000; ++n) {
        const std::string id = std::to_string(n);
        text += "<h2 id=\"t" + id + "\" data-context=\"" + id + "\" data-keywords=\"k" + id + ";all\">Topic " + id +
                "</h2>\n<p>Body of <a href=\"#t" + id + "\">topic</a> " + id + ".</p>\n";
    }
    for (auto _ : state) {
        const HelpFile file = HelpFile::Parse(text);
        if (file.ById("t199999") == nullptr) state.SkipWithError("the last topic is missing");
        benchmark::DoNotOptimize(file);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ParseHelpFile)->Unit(benchmark::kMillisecond);

// A register of 100,000 lines as the game writes them, holding every distinct
// solution of the four frames in one of its images, the rest repeats; read and
// classified with the frames' solutions already worked out.
void BM_ReadRegister(benchmark::State& state) {
    constexpr std::size_t kLines = 100000;
    SilentErrorSink errors;
    std::vector<std::string> lines;
    std::mt19937 random(18);
    for (const int frameY : kFrameHeights) {
        Board board = testing::MakeBoard(errors, frameY);
        int day = 0;
        for (const FilledFrame& solution : FrameDistinct(frameY)) {
            const FilledFrame turned = TurnedFrame(solution);
            const FilledFrame images[] = {solution, turned, MirroredFrame(solution, frameY), MirroredFrame(turned, frameY)};
            std::vector<std::string> rows;
            const FilledFrame& image = images[random() % 4];
            for (int r = 0; r < frameY; ++r) rows.emplace_back(image.begin() + r * (60 / frameY), image.begin() + (r + 1) * (60 / frameY));
            testing::SetPicture(board, rows);
            const testing::FixedClock clock({2020 + day / 365, 1 + day / 28 % 12, 1 + day % 28, 12, 0, 0});
            lines.push_back(FormatGameRecord(SolutionRecord(board), clock));
            ++day;
        }
    }
    const std::size_t distinct = lines.size();
    while (lines.size() < kLines) lines.push_back(lines[random() % distinct]);
    std::shuffle(lines.begin(), lines.end(), random);
    std::string text;
    for (const std::string& line : lines) text += line;
    (void)AnalyseRegister("");  // the solver's and the classes' caches, warm
    for (auto _ : state) {
        const RegisterReport report = AnalyseRegister(text);
        std::size_t found = 0;
        for (const auto& [frameY, frame] : report.frames) found += frame.found.size();
        if (found != distinct || report.damagedCount != 0) state.SkipWithError("not every solution was read");
        benchmark::DoNotOptimize(report);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ReadRegister)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tilvaren

BENCHMARK_MAIN();
