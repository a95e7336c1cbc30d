#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace tilvaren {

// The outcome of a file operation: success, or the system's reason for the
// failure in words the window can show.
struct FileResult {
    bool ok = true;
    std::string reason;

    static FileResult Success() { return {}; }
    static FileResult Failure(std::string why) { return {false, std::move(why)}; }
    explicit operator bool() const { return ok; }
};

// Replaces the whole file with `content`: written to a temporary file in the
// same folder, flushed to disk, then renamed over the old one, so that a crash
// or a full disk leaves either the old file or the new one, never a part.
// A symbolic link is followed and the file it names is replaced. A target that
// exists but is no regular file (a device) is written in place; a folder fails.
FileResult WriteFileAtomically(const std::string& path, const std::string& content);

// Appends `text` to an existing file and flushes it to disk. On failure the
// file is cut back to its old length, so earlier lines are never touched.
FileResult AppendToFile(const std::string& path, const std::string& text);

// Creates an empty file if nothing exists under `path`; an existing file is
// left untouched.
FileResult CreateFileIfMissing(const std::string& path);

// Reads at most `limit` bytes of a file. Gives no value for a missing file;
// a file that cannot be read, or is larger than `limit`, is a failure.
struct ReadResult {
    FileResult status;
    std::optional<std::string> content;  // empty: the file does not exist
};
ReadResult ReadSmallFile(const std::string& path, std::size_t limit);

bool FileExists(const std::string& path);

}  // namespace tilvaren
