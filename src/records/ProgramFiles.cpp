#include "records/ProgramFiles.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "records/FileNames.hpp"
#include "records/SafeFile.hpp"

namespace tilvaren {

namespace {

// The register grows by a line per solution; this is far beyond any player's.
constexpr std::size_t kCarryLimit = 256u * 1024u * 1024u;
// A note names a folder, its identity and two files.
constexpr std::size_t kNoteLimit = 64u * 1024u;
constexpr const char* kPlayerFiles[] = {kSavedGameFile, kSolutionFile, kSettingsFile};

// An empty file holds nothing of the player's: a register created at a first
// start elsewhere does not stop the real one from being carried over.
bool HoldsSomething(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && (!S_ISREG(info.st_mode) || info.st_size > 0);
}

// A folder named by the environment, without trailing '/', or none when it is
// not absolute: a relative one would depend on where the program was started.
std::optional<std::string> AbsoluteFolder(const std::optional<std::string>& value) {
    if (!value || value->empty() || value->front() != '/') return std::nullopt;
    std::string folder = *value;
    while (!folder.empty() && folder.back() == '/') folder.pop_back();
    return folder;
}

std::optional<timespec> ModifiedAt(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return info.st_mtim;
}

bool Later(const timespec& a, const timespec& b) {
    return a.tv_sec != b.tv_sec ? a.tv_sec > b.tv_sec : a.tv_nsec > b.tv_nsec;
}

}  // namespace

// The build gives it from its install folders; this is their default layout.
#ifndef TILVAREN_RELATIVE_DATA_DIR
#define TILVAREN_RELATIVE_DATA_DIR "../share/tilvaren"
#endif
const char* const kRelativeDataDir = TILVAREN_RELATIVE_DATA_DIR;

Environment ProcessEnvironment() {
    const auto get = [](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        if (value == nullptr) return std::nullopt;
        return std::string(value);
    };
    return {get("HOME"), get("XDG_DATA_HOME")};
}

std::string ExecutableDir() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !self.is_absolute()) return {};
    std::string dir = self.parent_path().string();
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

std::string InstalledDataDir(const std::string& executableDir) {
    if (executableDir.empty()) return {};
    const std::filesystem::path dir = std::filesystem::path(executableDir + kRelativeDataDir).lexically_normal();
    struct stat info {};
    if (::stat(dir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return {};
    std::string found = dir.string();
    if (found.back() != '/') found += '/';
    return found;
}

std::string UserDataFolder(const Environment& environment) {
    if (const auto dataHome = AbsoluteFolder(environment.xdgDataHome)) return *dataHome + "/tilvaren/";
    if (const auto home = AbsoluteFolder(environment.home)) return *home + "/.local/share/tilvaren/";
    return {};
}

ProgramFolder ChooseProgramFolder(std::string executableDir, const Environment& environment) {
    ProgramFolder folder;
    if (!executableDir.empty() && executableDir.back() != '/') executableDir += '/';
    // An installed copy keeps the player's files in the user's folder, even
    // where it could write beside itself (as root, say).
    const bool portable = !executableDir.empty() && InstalledDataDir(executableDir).empty();
    if (portable && ::access(executableDir.c_str(), W_OK) == 0) {
        folder.dir = executableDir;
        return folder;
    }
    folder.dir = UserDataFolder(environment);
    if (folder.dir.empty()) {
        folder.failure = FolderFailure::NoHome;
        return folder;
    }
    // A portable copy whose folder has become read-only still has the
    // player's files there; they are carried over, not left behind unseen.
    if (portable && HoldsPlayerFiles(executableDir)) folder.unwritableOwnDir = executableDir;
    return folder;
}

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
            result.failed.emplace_back(name, read.status);
            continue;
        }
        if (!read.content) continue;
        if (const FileResult written = WriteFileAtomically(toDir + name, *read.content); !written) {
            result.failed.emplace_back(name, written);
            continue;
        }
        result.carried.emplace_back(name);
    }
    return result;
}

std::string FolderIdentity(const std::string& dir) {
    struct stat info {};
    if (::stat(dir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return {};
    return std::to_string(info.st_dev) + " " + std::to_string(info.st_ino);
}

FileResult NoteSavedAway(const std::string& dataDir, const std::string& ownDir, const std::string& ownIdentity,
                         const std::vector<std::string>& names) {
    std::string note = ownDir + "\n" + ownIdentity + "\n";
    for (const std::string& name : names) note += name + "\n";
    return WriteFileAtomically(dataDir + kSavedAwayFile, note);
}

TakeBackResult TakeBackSavedAway(const std::string& ownDir, const std::string& dataDir) {
    TakeBackResult result;
    const std::string notePath = dataDir + kSavedAwayFile;
    const ReadResult note = ReadSmallFile(notePath, kNoteLimit);
    if (!note.status) {
        result.failure = note.status;
        return result;
    }
    if (!note.content) return result;
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; start < note.content->size(); start = end + 1) {
        end = note.content->find('\n', start);
        if (end == std::string::npos) end = note.content->size();
        lines.push_back(note.content->substr(start, end - start));
    }
    lines.resize(std::max<std::size_t>(lines.size(), 2));
    // A folder may have been renamed since, or another made under its name.
    if (lines[0] != ownDir && (lines[1].empty() || lines[1] != FolderIdentity(ownDir))) return result;
    const auto noted = [&lines](const char* name) {
        return std::find(lines.begin() + 2, lines.end(), name) != lines.end();
    };
    const auto away = ModifiedAt(dataDir + kSavedGameFile);
    const auto own = ModifiedAt(ownDir + kSavedGameFile);
    if (!noted(kSavedGameFile) || !away || (own && !Later(*away, *own))) {
        // Played here since: the game in this folder is the one to go on with.
        ::unlink(notePath.c_str());
        return result;
    }
    for (const char* name : {kSavedGameFile, kSettingsFile}) {
        if (!noted(name)) continue;
        const ReadResult read = ReadSmallFile(dataDir + name, kCarryLimit);
        if (!read.content) {
            result.failure = read.status ? FileResult::Failure(FileAction::Read, dataDir + name, ENOENT) : read.status;
            return result;
        }
        if (const FileResult written = WriteFileAtomically(ownDir + name, *read.content); !written) {
            result.failure = written;
            return result;
        }
        result.taken.emplace_back(name);
    }
    ::unlink((dataDir + kSavedGameFile).c_str());
    ::unlink(notePath.c_str());
    return result;
}

}  // namespace tilvaren
