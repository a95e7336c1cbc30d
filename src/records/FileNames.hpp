#pragma once

namespace tilvaren {

// The program's files, each in the program folder under this fixed name.
inline constexpr const char* kSavedGameFile = "Tilvaren.tmp";
inline constexpr const char* kRejectedSavedGameFile = "Tilvaren.tmp.bad";
inline constexpr const char* kSolutionFile = "Tilvaren.csv";
inline constexpr const char* kSettingsFile = "Tilvaren.ini";
inline constexpr const char* kSoundFile = "Tilvaren.wav";
inline constexpr const char* kHelpFile = "Tilvaren.hlp";

}  // namespace tilvaren
