#pragma once

#include <string>
#include <vector>

namespace tilvaren {

// What carrying the player's files over to a new program folder did.
struct CarryOverResult {
    std::vector<std::string> carried;  // file names now in the new folder
    std::vector<std::string> failed;   // "name: reason" for files that stayed behind
};

// True when `dir` (ending in '/') holds any of the player's own files, not
// empty: the saved game, the solution register or the settings.
bool HoldsPlayerFiles(const std::string& dir);

// Copies the player's files from `fromDir`, a folder the game can no longer
// write, into `toDir`. A file `toDir` already holds (not empty) is kept as it
// is, so this is done once; `fromDir` is never changed.
CarryOverResult CarryOverPlayerFiles(const std::string& fromDir, const std::string& toDir);

}  // namespace tilvaren
