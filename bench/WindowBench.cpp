// The real window, offscreen: one click, from SelectCell to the end of
// DrawBoard (and the status bar refresh that follows); the collection window
// over a large register, from Ctrl+L to the window shown and to the counts
// shown, and one screenful of its small boards painted.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPixmapCache>
#include <QThreadPool>

#include "app/Tmain.hpp"
#include "records/FileNames.hpp"
#include "records/GameRecord.hpp"
#include "support/TempDir.hpp"

namespace tilvaren {
namespace {

class QuietDialogs : public Dialogs {
public:
    void Message(const QString&) override {}
    bool Ask(const QString&) override { return true; }
    bool RunModal(QDialog&) override { return false; }
};

// Clicks the corner cell and takes it back again: the heaviest recognition
// pass, and a redraw of the cells it blocks and frees.
void BM_WindowClick(benchmark::State& state) {
    testing::TempDir dir;
    QuietDialogs dialogs;
    testing::FixedClock clock({2026, 12, 7, 0, 0, 0});
    Services services;
    services.programDir = dir.Path();
    services.dialogs = &dialogs;
    services.clock = &clock;
    Tmain window(services);
    window.show();
    QCoreApplication::processEvents();
    // The player's clicks, as the cell controls deliver them.
    auto* button = window.findChild<QPushButton*>("Button00");
    auto* image = window.findChild<CellImage*>("Image00");
    for (auto _ : state) {
        button->click();
        emit image->clicked();
    }
    state.SetItemsProcessed(state.iterations() * 2);
    state.counters["per_click_us"] =
        benchmark::Counter(static_cast<double>(state.iterations() * 2), benchmark::Counter::kIsRate |
                                                                           benchmark::Counter::kInvert);
}
BENCHMARK(BM_WindowClick)->Unit(benchmark::kMicrosecond);

// A register of 100,000 lines holding every distinct solution of every frame:
// each once in order, then again in turn, in all four images, over many days.
const testing::TempDir& LargeRegister() {
    static const testing::TempDir dir;
    static const bool written = [] {
        std::vector<std::pair<int, FilledFrame>> all;
        for (const int frameY : kFrameHeights) {
            for (const FilledFrame& board : FrameDistinct(frameY)) all.emplace_back(frameY, board);
        }
        std::string text;
        for (std::size_t line = 0; line < 100000; ++line) {
            const auto& [frameY, board] = all[line % all.size()];
            GameRecord record;
            record.frameY = frameY;
            record.marker = kSolutionMarker;
            const FilledFrame turned = TurnedFrame(board);
            const FilledFrame images[] = {board, turned, MirroredFrame(board, frameY), MirroredFrame(turned, frameY)};
            record.cells = images[line / all.size() % 4];
            const int day = static_cast<int>(line / 400);
            text += FormatGameRecord(record, testing::FixedClock({2020 + day / 336, 1 + day / 28 % 12, 1 + day % 28, 12, 0, 0}));
        }
        testing::WriteAll(dir.File(kSolutionFile), text);
        return true;
    }();
    (void)written;
    return dir;
}

// The main window over the large register.
struct OverLargeRegister {
    QuietDialogs dialogs;
    testing::FixedClock clock{{2026, 12, 7, 0, 0, 0}};
    std::unique_ptr<Tmain> window;
    OverLargeRegister() {
        Services services;
        services.programDir = LargeRegister().Path();
        services.dialogs = &dialogs;
        services.clock = &clock;
        window = std::make_unique<Tmain>(services);
        window->show();
        QCoreApplication::processEvents();
    }
    void Open() const { window->findChild<QAction*>("menuVC")->trigger(); }
    CollectionWindow* Collection() const { return window->findChild<CollectionWindow*>("CollectionWindow"); }
    // Waits, without a timer of its own, for the register to be read and shown.
    void WaitForCounts() const {
        bool shown = false;
        QObject::connect(Collection(), &CollectionWindow::collectionShown, [&shown] { shown = true; });
        while (!shown) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
};

// Ctrl+L to the collection window on screen and painted, the window made on
// first use as it is for the player; the counts come later, off the clock.
void BM_CollectionWindowShown(benchmark::State& state) {
    LargeRegister();
    FrameDistinct(6);
    for (auto _ : state) {
        state.PauseTiming();
        OverLargeRegister over;
        state.ResumeTiming();
        over.Open();
        over.Collection()->repaint();
        state.PauseTiming();
        over.WaitForCounts();
        QThreadPool::globalInstance()->waitForDone();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CollectionWindowShown)->Iterations(3)->Unit(benchmark::kMillisecond);

// Ctrl+L to the counts shown: the 100,000 lines read, classified and laid out.
void BM_CollectionCountsShown(benchmark::State& state) {
    LargeRegister();
    FrameDistinct(6);
    for (auto _ : state) {
        state.PauseTiming();
        OverLargeRegister over;
        state.ResumeTiming();
        over.Open();
        over.WaitForCounts();
        state.PauseTiming();
        QThreadPool::globalInstance()->waitForDone();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CollectionCountsShown)->Iterations(3)->Unit(benchmark::kMillisecond);

// One screenful of the 6 x 10 page's 2339 small boards painted; cold: none
// of their pictures made yet, as when the grid scrolls to a new screenful.
void BM_CollectionGridPaint(benchmark::State& state) {
    const bool cold = state.range(0) == 1;
    OverLargeRegister over;
    over.Open();
    over.WaitForCounts();
    QListView* grid = over.Collection()->Page(6)->Grid();
    // The grid lays its items out in batches, between events.
    while (!grid->indexAt(QPoint(grid->viewport()->width() / 2, grid->viewport()->height() - 10)).isValid()) {
        QCoreApplication::processEvents();
    }
    QImage screen(grid->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        if (cold) {
            state.PauseTiming();
            QPixmapCache::clear();
            state.ResumeTiming();
        }
        grid->viewport()->render(&screen);
    }
    state.counters["boards"] = static_cast<double>(grid->model()->rowCount());
    if (qEnvironmentVariableIsSet("TILVAREN_BENCH_SHOT")) screen.save(qEnvironmentVariable("TILVAREN_BENCH_SHOT"));
}
BENCHMARK(BM_CollectionGridPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tilvaren

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
