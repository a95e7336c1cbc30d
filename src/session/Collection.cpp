#include "session/Collection.hpp"

#include <algorithm>

#include "board/Board.hpp"
#include "core/Frame.hpp"
#include "session/DrawBoard.hpp"

namespace tilvaren {

namespace {

std::string Count(std::size_t n) { return std::to_string(n); }

// The side a U opens to, as a player reads it.
std::string OpeningText(char opening) {
    switch (opening) {
        case 'N': return "上 (N)";
        case 'S': return "下 (S)";
        case 'E': return "右 (E)";
        case 'W': return "左 (W)";
        default: return "-";
    }
}

// "24" (row and column from 1) as 「2行 4列」.
std::string CupPositionText(const std::string& position) {
    if (position.size() != 2 || position[0] < '1' || position[0] > '9' || position[1] < '1' || position[1] > '9') {
        return "-";
    }
    return std::string(1, position[0]) + "行 " + std::string(1, position[1]) + "列";
}

std::string UText(const UClassification& u) {
    return "U のカップの位置 " + CupPositionText(u.cupPosition) + "\nU の開き " + OpeningText(u.opening) +
           "\nカップの中のピース " + (u.cupLetter == '-' ? std::string("-") : std::string(1, u.cupLetter));
}

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
    page.header = "見つけた解 " + Count(page.found) + " / " + Count(page.total);

    page.counts = "仕上げた盤 " + Count(frame.lines) + " 回";
    if (frame.found.empty()) {
        page.counts += "　まだ見つけた解はありません";
    } else {
        const auto [first, latest] = std::minmax_element(
            frame.found.begin(), frame.found.end(),
            [](const RegisterReport::Found& a, const RegisterReport::Found& b) { return a.firstDate < b.firstDate; });
        page.counts += "　最初の発見 " + first->firstDate + "　最新の発見 " + latest->firstDate;
    }
    if (report.damagedCount > 0) page.counts += "　読めない行 " + Count(report.damagedCount);

    SilentErrorSink silent;
    Board scratch(silent);
    scratch.SetFrame(frame.frameY);
    scratch.ResetBoard();
    page.entries.reserve(frame.found.size());
    for (const RegisterReport::Found& found : frame.found) {
        CollectionEntry entry;
        entry.number = found.number;
        entry.board = found.board;
        entry.tiles = TilesOf(scratch, found.board);
        entry.firstDate = found.firstDate;
        entry.latestDate = found.latestDate;
        entry.timesFound = found.timesFound;
        const std::string number = "No. " + std::to_string(found.number);
        entry.caption = number + "\n" + found.firstDate;
        entry.accessibleName =
            number + "　初めて見つけた日 " + found.firstDate + "　見つけた回数 " + Count(found.timesFound);
        entry.details = number + "\n初めて見つけた日 " + found.firstDate + "\n最後に見つけた日 " + found.latestDate +
                        "\n見つけた回数 " + Count(found.timesFound);
        if (frame.frameY == 6) entry.details += "\n" + UText(found.u);
        page.entries.push_back(std::move(entry));
    }
    return page;
}

}  // namespace

Collection CollectionReading() { return {Collection::State::Reading, "読み込んでいます…", {}}; }

Collection CollectionUnreadable(const std::string& reason) {
    return {Collection::State::Unreadable, "解の記録を読めませんでした。\n" + reason, {}};
}

Collection CollectionOf(const RegisterReport& report) {
    Collection collection{Collection::State::Ready, "", {}};
    for (const int frameY : kFrameHeights) {
        const auto frame = report.frames.find(frameY);
        if (frame != report.frames.end()) {
            collection.pages.push_back(PageFrom(report, frame->second));
        } else {
            RegisterReport::Frame none;
            none.frameY = frameY;
            collection.pages.push_back(PageFrom(report, none));
        }
    }
    return collection;
}

std::vector<const CollectionEntry*> SortedEntries(const CollectionPage& page, CollectionOrder order) {
    std::vector<const CollectionEntry*> sorted;
    sorted.reserve(page.entries.size());
    for (const CollectionEntry& entry : page.entries) sorted.push_back(&entry);
    if (order == CollectionOrder::ByNumber) {
        std::sort(sorted.begin(), sorted.end(),
                  [](const CollectionEntry* a, const CollectionEntry* b) { return a->number < b->number; });
    } else {
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const CollectionEntry* a, const CollectionEntry* b) { return a->firstDate < b->firstDate; });
    }
    return sorted;
}

const CollectionPage* PageOf(const Collection& collection, int frameY) {
    if (collection.pages.empty()) return nullptr;
    for (const CollectionPage& page : collection.pages) {
        if (page.frameY == frameY) return &page;
    }
    return &collection.pages.front();
}

}  // namespace tilvaren
