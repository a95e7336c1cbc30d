#pragma once

#include <string>

#include "core/Frame.hpp"
#include "records/SafeFile.hpp"

namespace tilvaren {

// The language the window speaks; the files on disk read the same in both.
enum class Language { Japanese, English };

// The settings kept in "Tilvaren.ini". FrameX and GridStride are derived from
// FrameY by the board and are not stored.
struct Settings {
    int FrameY = kDefaultFrameY;
    int FrameSize = kDefaultCellSize;
    bool MenuBarOn = true;
    bool StatusBarOn = true;
    bool PieceSupportOn = false;  // the strip of pieces and completions under the board
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

// Reads the six keys from "Tilvaren.ini" in the program folder. A missing
// file, key or number gives that key's default; a frame height outside 3..6
// gives 6 and the cell size is brought to its size class; the language is
// English for "en" only, Japanese for anything else or nothing.
LoadedSettings LoadSettings(const std::string& programDir);

// Writes the keys, changing only their lines; creates the file when it does
// not exist. The language is written only once it is English or the file
// names one, so that a file from before it was a setting stays as it was. A
// file that exists but cannot be read is not overwritten.
FileResult SaveSettings(const Settings& settings, const std::string& programDir);

}  // namespace tilvaren
