#pragma once

#include <string>

namespace tilvaren {

// The program's files, each in the program folder under this fixed name.
inline constexpr const char* kSavedGameFile = "Tilvaren.tmp";
inline constexpr const char* kRejectedSavedGameFile = "Tilvaren.tmp.bad";
inline constexpr const char* kSolutionFile = "Tilvaren.csv";
inline constexpr const char* kSettingsFile = "Tilvaren.ini";
inline constexpr const char* kSoundFile = "Tilvaren.wav";
inline constexpr const char* kHelpFile = "Tilvaren.hlp";
// In the per-user data folder: names the folder whose game a close saved
// there instead, so that a start from that folder takes the game back.
inline constexpr const char* kSavedAwayFile = "Tilvaren.from";

// The files a save may replace through a temporary file.
inline constexpr const char* kProgramFiles[] = {kSavedGameFile, kSolutionFile, kSettingsFile,
                                                kSoundFile,     kHelpFile,     kSavedAwayFile};

// A rejected saved game is kept under the first of these names that is free,
// so that none set aside before is ever replaced.
inline constexpr int kRejectedSavedGameNames = 99;

// The n-th of them, from 1: "Tilvaren.tmp.bad", "Tilvaren.tmp.bad.2", "Tilvaren.tmp.bad.3", ...
inline std::string RejectedSavedGameFile(int n) {
    return n <= 1 ? std::string(kRejectedSavedGameFile) : std::string(kRejectedSavedGameFile) + "." + std::to_string(n);
}

}  // namespace tilvaren
