// Feeds arbitrary bytes to the saved-game reader, restores whatever it accepts
// and plays on the restored board: nothing may crash or index out of range.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "session/MoveFlow.hpp"
#include "records/GameRecord.hpp"
#include "records/SavedGame.hpp"
#include "session/Restore.hpp"

namespace {

class NullView final : public tilvaren::GameView {
public:
    void ApplyCell(int, const tilvaren::CellTarget&) override {}
    void PlayClickSound() override {}
    void MenuFrameSet() override {}
    void MenuEditSet() override {}
    void SetTabToBestCell(int n) override {
        if (n < -1 || n >= 60) std::abort();  // -1: no empty cell left
    }
    void StatusBarPiecesSet() override {}
    void ShowCongratulations() override {}
    void SolutionAppend() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const tilvaren::ParsedRecord parsed = tilvaren::ParseGameRecord(text);
    if (!parsed.ok) return 0;
    if (parsed.record.frameY < 3 || parsed.record.frameY > 6) std::abort();

    tilvaren::SilentErrorSink errors;
    tilvaren::Board board(errors);
    board.ResetBoard();
    NullView view;
    tilvaren::SavedGameRestore(board, view, parsed.record);
    tilvaren::DrawBoard(board, view);
    // Click every cell once each way, as a player poking at a strange board would.
    for (int n = 0; n < 60; ++n) {
        tilvaren::SelectCell(board, view, n);
        tilvaren::TakeBackCell(board, view, (n * 7) % 60);
    }
    // What is written again must read back as the same board.
    const tilvaren::GameRecord again = tilvaren::SavedGameRecord(board);
    class Zero final : public tilvaren::Clock {
        tilvaren::LocalTime Now() const override { return {}; }
    } clock;
    const tilvaren::ParsedRecord reread = tilvaren::ParseGameRecord(tilvaren::FormatGameRecord(again, clock));
    if (!reread.ok || reread.record.cells != again.cells) std::abort();
    return 0;
}
