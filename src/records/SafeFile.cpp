#include "records/SafeFile.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace tilvaren {

namespace {

FileResult Errno(const std::string& what, const std::string& path, int error) {
    return FileResult::Failure(what + " " + path + ": " + std::strerror(error));
}

// Writes all of `data`, going on after short writes and interruptions.
bool WriteAll(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// fsync on a device or pipe may be refused although the data went out.
bool Flush(int fd) { return ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS; }

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a path finally names: symbolic links resolved, so that replacing it
// keeps the link. A path that does not exist yet is used as it is.
std::string ResolveTarget(const std::string& path) {
    char resolved[PATH_MAX];
    struct stat link {};
    if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode) && ::realpath(path.c_str(), resolved) != nullptr) {
        return resolved;
    }
    return path;
}

FileResult WriteInPlace(const std::string& path, const std::string& content) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) return Errno("Cannot open", path, errno);
    if (!WriteAll(fd, content) || !Flush(fd)) {
        const int error = errno;
        ::close(fd);
        return Errno("Cannot write", path, error);
    }
    if (::close(fd) != 0) return Errno("Cannot write", path, errno);
    return FileResult::Success();
}

}  // namespace

FileResult WriteFileAtomically(const std::string& path, const std::string& content) {
    const std::string target = ResolveTarget(path);
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode)) return Errno("Cannot write", path, EISDIR);
        if (!S_ISREG(existing.st_mode)) return WriteInPlace(target, content);
    }

    std::string temp = target + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return Errno("Cannot create a file in", FolderOf(target), errno);
    // Keep the old file's permissions; a new file gets the usual ones.
    const mode_t mode = ::umask(0);
    ::umask(mode);
    ::fchmod(fd, existing.st_mode != 0 ? (existing.st_mode & 07777) : (0666 & ~mode));

    if (!WriteAll(fd, content) || ::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(temp.c_str());
        return Errno("Cannot write", path, error);
    }
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return Errno("Cannot write", path, error);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return Errno("Cannot replace", path, error);
    }
    // Make the rename itself durable.
    const int dir = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return FileResult::Success();
}

FileResult AppendToFile(const std::string& path, const std::string& text) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0) return Errno("Cannot open", path, errno);
    struct stat before {};
    if (::fstat(fd, &before) != 0) {
        const int error = errno;
        ::close(fd);
        return Errno("Cannot append to", path, error);
    }
    if (!WriteAll(fd, text) || !Flush(fd)) {
        const int error = errno;
        // Take back whatever part of the line went out, so the file keeps
        // exactly the lines it had.
        if (S_ISREG(before.st_mode) && ::ftruncate(fd, before.st_size) != 0) {
            // Nothing more can be done; the failure below is what counts.
        }
        ::close(fd);
        return Errno("Cannot append to", path, error);
    }
    if (::close(fd) != 0) return Errno("Cannot append to", path, errno);
    return FileResult::Success();
}

FileResult CreateFileIfMissing(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == EEXIST) return FileResult::Success();
        return Errno("Cannot create", path, errno);
    }
    ::close(fd);
    return FileResult::Success();
}

ReadResult ReadSmallFile(const std::string& path, std::size_t limit) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT) return {FileResult::Success(), std::nullopt};
        return {Errno("Cannot open", path, errno), std::nullopt};
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        if (S_ISDIR(info.st_mode)) return {Errno("Cannot read", path, EISDIR), std::nullopt};
        return {FileResult::Failure("Cannot read " + path + ": not a regular file"), std::nullopt};
    }
    std::string content;
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            ::close(fd);
            return {Errno("Cannot read", path, error), std::nullopt};
        }
        if (n == 0) break;
        content.append(buffer, static_cast<std::size_t>(n));
        if (content.size() > limit) {
            ::close(fd);
            return {Errno("Cannot read", path, EFBIG), std::nullopt};
        }
    }
    ::close(fd);
    return {FileResult::Success(), std::move(content)};
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

}  // namespace tilvaren
