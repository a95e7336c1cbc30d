#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/Translatable.hpp"

namespace tilvaren {

// Failures the system does not name itself, kept beside errno's numbers.
inline constexpr int kNotRegularFile = -1;  // a folder's entry that is a FIFO, device or socket
inline constexpr int kFileTooLarge = -2;    // larger than the reader accepts
inline constexpr int kNotText = -3;         // bytes the reader cannot take as text: UTF-16, NUL bytes

// What was being done to the file when it failed.
enum class FileAction { Read, Write, Create, CreateTemporary, Replace, Append };

// The outcome of a file operation: success, or why it failed.
struct FileResult {
    bool ok = true;
    std::string reason;  // in Japanese and naming the file, to be shown inside the window's sentences
    int error = 0;       // errno, kNotRegularFile, kFileTooLarge or kNotText
    FileAction action = FileAction::Read;
    std::string path;

    static FileResult Success() { return {}; }
    static FileResult Failure(std::string why) { return {false, std::move(why), 0, FileAction::Read, {}}; }
    static FileResult Failure(FileAction action, std::string path, int error);
    explicit operator bool() const { return ok; }
};

// Why a file operation failed, in Japanese: "アクセス権がありません".
std::string FileErrorCause(int error);
// The same cause as marked for translation (kEngineTexts); "%1" stands for
// the system's error number where the cause has no words of its own.
const char* FileErrorText(int error);
// A failed action's sentence as marked for translation (kEngineTexts): "%1"
// the file, "%2" the cause.
const char* FileActionText(FileAction action);

// The same failure in English, for the command-line tools: "Cannot read /p/x: Permission denied".
std::string EnglishReason(const FileResult& result);

// A rewrite in progress lives beside its file under the file's name followed by
// this pattern, each X a random letter or digit, until it is renamed over the file.
inline constexpr std::string_view kPartialSavePattern = ".XXXXXX.part";

// Whether `name` is a rewrite in progress of the file named `fileName`.
bool IsPartialSaveOf(std::string_view name, std::string_view fileName);

// Replaces the whole file with `content`: written to a new temporary file in the
// same folder, flushed to disk, then renamed over the old one, so that a crash
// or a full disk leaves either the old file or the new one, never a part. The
// new file keeps the old one's permissions. A symbolic link is followed and the
// file it names replaced; a folder, FIFO, device or socket is refused, never opened.
FileResult WriteFileAtomically(const std::string& path, const std::string& content);

// Appends `text` to an existing regular file and flushes it to disk. When the
// file is not empty and its last byte is not '\n', `lineEnd` goes first, so the
// text starts a line of its own. On failure the file is cut back to its old
// length, so earlier lines are never touched.
FileResult AppendToFile(const std::string& path, const std::string& text, std::string_view lineEnd = {});

// Creates an empty file if nothing exists under `path`; an existing regular
// file is left untouched, anything else is a failure.
FileResult CreateFileIfMissing(const std::string& path);

// Reads at most `limit` bytes of a regular file. Gives no value for a missing
// file; one that cannot be read, is no regular file or is larger than `limit`
// is a failure. Never waits on a FIFO or device.
struct ReadResult {
    FileResult status;
    std::optional<std::string> content;  // empty: the file does not exist
};
ReadResult ReadSmallFile(const std::string& path, std::size_t limit);

// Reads a regular file of any size a piece at a time, handing each piece to
// `piece` as it comes; the pieces are cut anywhere. `piece` returning false
// stops the reading, and the result is then a failure with errno ECANCELED.
// A missing file is a failure (ENOENT); a folder, FIFO or device is refused
// as ReadSmallFile refuses it, never waited on.
FileResult ReadInPieces(const std::string& path, const std::function<bool(std::string_view)>& piece);

bool FileExists(const std::string& path);

// Removes the temporary files an interrupted save left in the program folder.
void RemoveInterruptedSaves(const std::string& programDir);

}  // namespace tilvaren
