#pragma once

#include <array>
#include <string>

#include "core/Frame.hpp"
#include "records/SafeFile.hpp"

namespace tilvaren {

// The language the window speaks; the files on disk read the same in both.
enum class Language { Japanese, English };

// Where the collection window was left: the top-left corner of its frame
// (only where the window system lets a program place its windows) and the
// size inside the frame. Nothing kept before it was first closed.
struct KeptWindowPlace {
    bool hasCorner = false;
    int left = 0;
    int top = 0;
    int width = 0;  // 0 with height 0: no size kept
    int height = 0;

    bool HasSize() const { return width > 0 && height > 0; }
    friend bool operator==(const KeptWindowPlace&, const KeptWindowPlace&) = default;
};

// The settings kept in "Tilvaren.ini". FrameX and GridStride are derived from
// FrameY by the board and are not stored.
struct Settings {
    int FrameY = kDefaultFrameY;
    int FrameSize = kDefaultCellSize;
    bool MenuBarOn = true;
    bool StatusBarOn = true;
    bool PieceSupportOn = false;  // the strip of pieces and completions under the board
    // The collection window's place, and each of its pages' order (6 x 10,
    // 5 x 12, 4 x 15, 3 x 20): 0 by number, 1 by first find.
    KeptWindowPlace CollectionPlace{};
    std::array<int, 4> CollectionOrders{};
    Language language = Language::Japanese;

    friend bool operator==(const Settings&, const Settings&) = default;
};

// The one mapping of a cell size to the sizes the tiles exist for, used by the
// settings, the options dialog, the menus and the tile store: 0..18 -> 18
// (small), 19..24 -> 24 (medium), 25..32 -> 32 (large), anything else 24.
int SizeClassOf(int frameSize);

// What loading found: the settings (defaults where the file had nothing
// usable) and, when the file exists but could not be read, why.
struct LoadedSettings {
    Settings settings;
    FileResult status;
};

// Reads the keys from "Tilvaren.ini" in the program folder. A missing file,
// key or number gives that key's default; a frame height outside 3..6 gives 6
// and the cell size is brought to its size class; the language is English for
// "en" only, Japanese for anything else or nothing. A collection place or
// order that is not whole and plausible is read as none kept.
LoadedSettings LoadSettings(const std::string& programDir);

// Writes the keys, changing only their lines; creates the file when it does
// not exist. The language is written only once it is English or the file
// names one, and the collection's keys only once they have something kept, so
// that a file from before they were settings stays as it was. A file that
// exists but cannot be read is not overwritten.
FileResult SaveSettings(const Settings& settings, const std::string& programDir);

}  // namespace tilvaren
