// One click in the real window, offscreen: from SelectCell to the end of
// DrawBoard (and the status bar refresh that follows).
#include <benchmark/benchmark.h>

#include <QApplication>

#include "app/Tmain.hpp"
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
