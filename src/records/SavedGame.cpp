#include "records/SavedGame.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "records/FileNames.hpp"

namespace tilvaren {

namespace {

// A saved game is one short line; anything far larger is not one.
constexpr std::size_t kSavedGameLimit = 64 * 1024;

// Moves `from` to `to` unless something exists there; errno says why not.
bool RenameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return false;
    // A file system that cannot refuse to replace: a new link never replaces.
    if (::link(from.c_str(), to.c_str()) != 0) return false;
    ::unlink(from.c_str());
    return true;
}

SavedGameReadResult Reject(const std::string& programDir, MarkedText problem) {
    SavedGameReadResult result;
    result.outcome = SavedGameReadResult::Outcome::Rejected;
    result.problem = std::move(problem);
    const std::string path = programDir + kSavedGameFile;
    for (int n = 1; n <= kRejectedSavedGameNames; ++n) {
        const std::string aside = RejectedSavedGameFile(n);
        if (RenameNoReplace(path, programDir + aside)) {
            result.keptAs = aside;
            break;
        }
        if (errno != EEXIST) break;
    }
    return result;
}

}  // namespace

GameRecord SavedGameRecord(const Board& board) {
    GameRecord record;
    record.frameY = board.FrameY();
    for (int n = 0; n < kCellCount; ++n) record.cells[static_cast<std::size_t>(n)] = board.CellCode(n);
    record.marker = kSavedGameMarker;
    return record;
}

FileResult SavedGameWrite(const Board& board, const std::string& programDir, const Clock& clock) {
    return WriteFileAtomically(programDir + kSavedGameFile, FormatGameRecord(SavedGameRecord(board), clock));
}

SavedGameReadResult SavedGameRead(const std::string& programDir) {
    const ReadResult read = ReadSmallFile(programDir + kSavedGameFile, kSavedGameLimit);
    // The message names the file already; the cause is all it needs.
    if (!read.status) return Reject(programDir, {FileErrorText(read.status.error), {std::to_string(read.status.error)}});
    if (!read.content) return {};
    ParsedRecord parsed = ParseGameRecord(*read.content);
    if (!parsed.ok) return Reject(programDir, parsed.problem);
    SavedGameReadResult result;
    result.outcome = SavedGameReadResult::Outcome::Restored;
    result.record = std::move(parsed.record);
    return result;
}

}  // namespace tilvaren
