#pragma once

#include <string>

namespace tilvaren {

// The folder the program keeps its files in, ending in '/': the folder of the
// executable when the program may write there (a portable copy), otherwise the
// user's data folder for the program, created when missing.
std::string FindProgramDir();

// A data file of the program (help, sound): from the program folder when it
// is there, otherwise from the installed data files; "" when neither has it.
std::string FindDataFile(const std::string& programDir, const std::string& name);

}  // namespace tilvaren
