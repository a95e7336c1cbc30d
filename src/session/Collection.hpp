#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "records/RegisterReport.hpp"
#include "records/SafeFile.hpp"

namespace tilvaren {

// One found solution as the collection shows it. Only solutions the register
// holds ever become entries; the others are only counted.
struct CollectionEntry {
    int number = 0;               // the solution's fixed number in its frame, from 1
    FilledFrame board{};          // as first recorded
    std::array<int, 60> tiles{};  // each cell's outline tile code, as the game draws it
    std::string firstDate;        // "yyyy/mm/dd"
    std::string latestDate;       // of the last line holding it
    std::size_t timesFound = 0;   // register lines holding it, images included
    std::size_t firstLine = 0;    // the register's line that first holds it
    UClassification u;            // 6 x 10: its U in normal position
};

// How a page lists its entries.
enum class CollectionOrder { ByNumber, ByFirstFind };

// One frame's page.
struct CollectionPage {
    int frameY = 0;
    std::size_t found = 0;     // distinct solutions in the register
    std::size_t total = 0;     // distinct solutions the frame has
    std::size_t lines = 0;     // boards finished on it, repeats included
    std::size_t damaged = 0;   // the register's lines that hold no solution
    std::string firstFind;     // the earliest and the latest date a new one was found; "" for none
    std::string latestFind;
    std::vector<CollectionEntry> entries;  // in `order`
    CollectionOrder order = CollectionOrder::ByNumber;
    int chosen = 0;  // the number of the solution the player chose, 0 none
};

// What the collection window shows: the four pages once the register is
// read, or that it is still being read or could not be read (`failure`).
struct Collection {
    enum class State { Reading, Unreadable, Ready };
    State state = State::Reading;
    FileResult failure;
    std::vector<CollectionPage> pages;  // one per frame, the tallest first, only when ready
};

// The collection of a register read to its end, each page by number.
Collection CollectionOf(const RegisterReport& report);

// Puts a page's entries in this order: by number, or by date of first find
// (ties in the register's order).
void SortEntries(CollectionPage& page, CollectionOrder order);

// The page of a frame height; the first page for any other height, none when
// there are no pages.
const CollectionPage* PageOf(const Collection& collection, int frameY);

}  // namespace tilvaren
