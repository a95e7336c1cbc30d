#pragma once

#include <string>

#include "core/Frame.hpp"
#include "records/SafeFile.hpp"

namespace tilvaren {

// The settings kept in "Tilvaren.ini". FrameX and GridStride are derived from
// FrameY by the board and are not stored.
struct Settings {
    int FrameY = kDefaultFrameY;
    int FrameSize = kDefaultCellSize;
    bool MenuBarOn = true;
    bool StatusBarOn = true;
    bool PieceSupportOn = false;  // the strip of pieces and completions under the board

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

// Reads the five keys from "Tilvaren.ini" in the program folder. A missing
// file, key or number gives that key's default; a frame height outside 3..6
// gives 6 and the cell size is brought to its size class.
LoadedSettings LoadSettings(const std::string& programDir);

// Writes the five keys, changing only their lines; creates the file when it
// does not exist. A file that exists but cannot be read is not overwritten.
FileResult SaveSettings(const Settings& settings, const std::string& programDir);

}  // namespace tilvaren
