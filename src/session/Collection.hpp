#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "records/RegisterReport.hpp"

namespace tilvaren {

// One found solution as the collection shows it. Only solutions the register
// holds ever become entries; the others are only counted.
struct CollectionEntry {
    int number = 0;                // the solution's fixed number in its frame, from 1
    FilledFrame board{};           // as first recorded
    std::array<int, 60> tiles{};   // each cell's outline tile code, as the game draws it
    std::string firstDate;         // "yyyy/mm/dd"
    std::string latestDate;        // of the last line holding it
    std::size_t timesFound = 0;    // register lines holding it, images included
    std::string caption;           // under the small board: number, then date
    std::string accessibleName;    // what a screen reader says of the small board
    std::string details;           // beside the large board
};

// One frame's page.
struct CollectionPage {
    int frameY = 0;
    std::size_t found = 0;           // distinct solutions in the register
    std::size_t total = 0;           // distinct solutions the frame has
    std::string header;              // 「見つけた解 N / 2339」, also the header's accessible name
    std::string counts;              // boards finished, first and latest new find, damaged lines
    std::vector<CollectionEntry> entries;  // in the order of first find
};

// What the collection window shows: the four pages once the register is
// read, or a line saying it is still being read or could not be read.
struct Collection {
    enum class State { Reading, Unreadable, Ready };
    State state = State::Reading;
    std::string message;                 // 「読み込んでいます…」 or why the register could not be read; "" when ready
    std::vector<CollectionPage> pages;   // one per frame, the tallest first, only when ready
};

// How a page lists its entries.
enum class CollectionOrder { ByNumber, ByFirstFind };

// The collection while the register is being read.
Collection CollectionReading();
// The collection of a register that could not be read; `reason` says why.
Collection CollectionUnreadable(const std::string& reason);
// The collection of a register read to its end.
Collection CollectionOf(const RegisterReport& report);

// A page's entries in the order asked for: by number, or by date of first
// find (a tie keeps the register's order).
std::vector<const CollectionEntry*> SortedEntries(const CollectionPage& page, CollectionOrder order);

// The page of a frame height; the first page for any other height, none when
// there are no pages.
const CollectionPage* PageOf(const Collection& collection, int frameY);

}  // namespace tilvaren
