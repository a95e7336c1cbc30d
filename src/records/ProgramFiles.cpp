#include "records/ProgramFiles.hpp"

#include <sys/stat.h>

#include "records/FileNames.hpp"
#include "records/SafeFile.hpp"

namespace tilvaren {

namespace {

// The register grows by a line per solution; this is far beyond any player's.
constexpr std::size_t kCarryLimit = 256u * 1024u * 1024u;
constexpr const char* kPlayerFiles[] = {kSavedGameFile, kSolutionFile, kSettingsFile};

// An empty file holds nothing of the player's: a register created at a first
// start elsewhere does not stop the real one from being carried over.
bool HoldsSomething(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && (!S_ISREG(info.st_mode) || info.st_size > 0);
}

}  // namespace

bool HoldsPlayerFiles(const std::string& dir) {
    for (const char* name : kPlayerFiles) {
        if (HoldsSomething(dir + name)) return true;
    }
    return false;
}

CarryOverResult CarryOverPlayerFiles(const std::string& fromDir, const std::string& toDir) {
    CarryOverResult result;
    for (const char* name : kPlayerFiles) {
        if (HoldsSomething(toDir + name)) continue;
        const ReadResult read = ReadSmallFile(fromDir + name, kCarryLimit);
        if (!read.status) {
            result.failed.push_back(std::string(name) + ": " + read.status.reason);
            continue;
        }
        if (!read.content) continue;
        if (const FileResult written = WriteFileAtomically(toDir + name, *read.content); !written) {
            result.failed.push_back(std::string(name) + ": " + written.reason);
            continue;
        }
        result.carried.emplace_back(name);
    }
    return result;
}

}  // namespace tilvaren
