#pragma once

#include <string>

namespace tilvaren {

// The folder the program keeps its files in, ending in '/': the folder of the
// executable when the program may write there (a portable copy), otherwise the
// user's data folder for the program, created when missing.
std::string FindProgramDir();

}  // namespace tilvaren
