#pragma once

#include <QString>
#include <string>

#include "records/ProgramFiles.hpp"

namespace tilvaren {

// The program folder by the one rule (records/ProgramFiles), for this
// executable and environment; the data folder is created when missing.
ProgramFolder ChooseProgramFolder();

// What the player is told when there is no program folder ("" when there is one).
QString ProgramFolderFailureText(const ProgramFolder& folder);

// Carries the player's files over from an unwritable own folder, when there
// is one, and gives what the player is to be told about it ("" when nothing
// was to be done). Run only by the copy that holds the folder's lock.
QString CarryOverAndTell(const ProgramFolder& folder);

// Where the copies of the data files built into the program are (a Qt resource
// folder, read through QFile or a "qrc:" URL).
inline constexpr const char* kBuiltInDataDir = ":/tilvaren/";

// A data file of the program (help, sound): from the program folder when
// anything stands under its name there, otherwise from the installed data
// files, otherwise the built-in copy (a path starting with kBuiltInDataDir);
// "" when none has it. The file is not checked: callers read it as untrusted.
std::string FindDataFile(const std::string& programDir, const std::string& name);

}  // namespace tilvaren
