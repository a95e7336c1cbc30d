#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "records/SafeFile.hpp"

namespace tilvaren {

// The environment as far as the folder rule reads it; untrusted, each value
// may be missing.
struct Environment {
    std::optional<std::string> home;         // HOME
    std::optional<std::string> xdgDataHome;  // XDG_DATA_HOME
};

// This process's own environment.
Environment ProcessEnvironment();

// Why there is no folder for the player's files.
enum class FolderFailure {
    None,
    NoHome,  // the data folder was needed, but HOME is missing or not absolute
};

// Where the program keeps the player's files.
struct ProgramFolder {
    std::string dir;  // ends in '/'; "" when `failure` tells why there is none
    // A portable copy's own folder that holds the player's files but can no
    // longer be written; they are to be carried over to `dir`. Usually "".
    std::string unwritableOwnDir;
    FolderFailure failure = FolderFailure::None;
};

// The running executable's folder, ending in '/' ("" when the system does not say).
std::string ExecutableDir();

// The installed data files' folder as seen from the executable's folder
// (bin/../share/tilvaren), set by the build from its install folders.
extern const char* const kRelativeDataDir;

// The installed data folder beside `executableDir`, ending in '/', when there
// is one; "" for a copy that is not installed.
std::string InstalledDataDir(const std::string& executableDir);

// The per-user data folder by the rule below, ending in '/':
// $XDG_DATA_HOME/tilvaren/ when that is absolute, otherwise
// $HOME/.local/share/tilvaren/; "" when neither is. Creates nothing.
std::string UserDataFolder(const Environment& environment);

// The one rule for the program folder, shared by the game and its tools: the
// executable's own folder for a portable copy (no installed data folder beside
// it) that may write there, otherwise $XDG_DATA_HOME/tilvaren when that is
// absolute, otherwise $HOME/.local/share/tilvaren. Creates nothing.
ProgramFolder ChooseProgramFolder(std::string executableDir, const Environment& environment);

// What carrying the player's files over to a new program folder did.
struct CarryOverResult {
    std::vector<std::string> carried;  // file names now in the new folder
    std::vector<std::pair<std::string, FileResult>> failed;  // the files that stayed behind, and why
};

// True when `dir` (ending in '/') holds any of the player's own files, not
// empty: the saved game, the solution register or the settings.
bool HoldsPlayerFiles(const std::string& dir);

// Copies the player's files from `fromDir`, a folder the game can no longer
// write, into `toDir`. A file `toDir` already holds (not empty) is kept as it
// is, so this is done once; `fromDir` is never changed.
CarryOverResult CarryOverPlayerFiles(const std::string& fromDir, const std::string& toDir);

// A folder's identity as text, which stays when the folder is renamed; ""
// when the folder cannot be reached.
std::string FolderIdentity(const std::string& dir);

// Notes in `dataDir` that `names` (the game, perhaps the settings) were saved
// there because the folder `ownDir`, known at start-up by `ownIdentity`, could
// not take them.
FileResult NoteSavedAway(const std::string& dataDir, const std::string& ownDir, const std::string& ownIdentity,
                         const std::vector<std::string>& names);

// What taking a game back from the data folder did.
struct TakeBackResult {
    std::vector<std::string> taken;  // file names now in the own folder
    FileResult failure;              // why the rest stayed in the data folder; success when nothing failed
};

// Takes back into `ownDir` what a close noted in `dataDir` as saved away from
// it (under this path, or from the same folder under another name), when the
// game there is newer than the one `ownDir` holds. Afterwards the data
// folder's game and the note are removed, so that a later carry-over cannot
// bring the older game back; on a failure nothing is removed. Without a note
// for `ownDir` nothing is done.
TakeBackResult TakeBackSavedAway(const std::string& ownDir, const std::string& dataDir);

}  // namespace tilvaren
