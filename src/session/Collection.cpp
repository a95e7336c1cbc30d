#include "session/Collection.hpp"

#include <algorithm>
#include <tuple>

#include "board/Board.hpp"
#include "core/Frame.hpp"
#include "session/DrawBoard.hpp"

namespace tilvaren {

namespace {

// Outline tile codes of every cell, by the rules the game's own cells follow.
std::array<int, 60> TilesOf(Board& scratch, const FilledFrame& board) {
    std::array<int, 60> tiles{};
    for (int n = 0; n < kCellCount; ++n) {
        scratch.Bsts[static_cast<std::size_t>(scratch.GridIndexOf(n))] = board[static_cast<std::size_t>(n)];
    }
    for (int n = 0; n < kCellCount; ++n) {
        tiles[static_cast<std::size_t>(n)] =
            PieceTileCode(scratch, scratch.GridIndexOf(n), board[static_cast<std::size_t>(n)]);
    }
    return tiles;
}

CollectionPage PageFrom(const RegisterReport& report, const RegisterReport::Frame& frame) {
    CollectionPage page;
    page.frameY = frame.frameY;
    page.found = frame.found.size();
    page.total = frame.total;
    page.lines = frame.lines;
    page.damaged = report.damagedCount;
    if (!frame.found.empty()) {
        const auto [first, latest] = std::minmax_element(
            frame.found.begin(), frame.found.end(),
            [](const RegisterReport::Found& a, const RegisterReport::Found& b) { return a.firstDate < b.firstDate; });
        page.firstFind = first->firstDate;
        page.latestFind = latest->firstDate;
    }

    SilentErrorSink silent;
    Board scratch(silent);
    scratch.SetFrame(frame.frameY);
    scratch.ResetBoard();
    page.entries.reserve(frame.found.size());
    for (const RegisterReport::Found& found : frame.found) {
        page.entries.push_back({found.number, found.board, TilesOf(scratch, found.board), found.firstDate,
                                found.latestDate, found.timesFound, found.firstLine, found.u});
    }
    SortEntries(page, CollectionOrder::ByNumber);
    return page;
}

}  // namespace

Collection CollectionOf(const RegisterReport& report) {
    Collection collection{Collection::State::Ready, {}, {}};
    for (const int frameY : kFrameHeights) {
        const auto frame = report.frames.find(frameY);
        const RegisterReport::Frame none{frameY, 0, {}, 0};
        collection.pages.push_back(PageFrom(report, frame != report.frames.end() ? frame->second : none));
    }
    return collection;
}

void SortEntries(CollectionPage& page, CollectionOrder order) {
    page.order = order;
    std::sort(page.entries.begin(), page.entries.end(), [order](const CollectionEntry& a, const CollectionEntry& b) {
        if (order == CollectionOrder::ByNumber) return a.number < b.number;
        return std::tie(a.firstDate, a.firstLine) < std::tie(b.firstDate, b.firstLine);
    });
}

const CollectionPage* PageOf(const Collection& collection, int frameY) {
    if (collection.pages.empty()) return nullptr;
    for (const CollectionPage& page : collection.pages) {
        if (page.frameY == frameY) return &page;
    }
    return &collection.pages.front();
}

}  // namespace tilvaren
