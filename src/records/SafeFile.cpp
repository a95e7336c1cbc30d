#include "records/SafeFile.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "records/FileNames.hpp"

namespace tilvaren {

const char* FileErrorText(int error) {
    switch (error) {
        case kNotRegularFile: return TILVAREN_TR_NOOP("Engine", "通常のファイルではありません");
        case kFileTooLarge:
        case EFBIG: return TILVAREN_TR_NOOP("Engine", "ファイルが大きすぎます");
        case kNotText: return TILVAREN_TR_NOOP("Engine", "UTF-16 で書かれているか、NUL 文字を含んでいます");
        case ENOSPC:
        case EDQUOT: return TILVAREN_TR_NOOP("Engine", "ディスクの空きがありません");
        case EACCES:
        case EPERM: return TILVAREN_TR_NOOP("Engine", "アクセス権がありません");
        case EROFS: return TILVAREN_TR_NOOP("Engine", "読み取り専用の場所です");
        case EISDIR: return TILVAREN_TR_NOOP("Engine", "フォルダーです");
        case ENOENT: return TILVAREN_TR_NOOP("Engine", "見つかりません");
        case ENOTDIR: return TILVAREN_TR_NOOP("Engine", "途中にフォルダーでないものがあります");
        case EIO: return TILVAREN_TR_NOOP("Engine", "入出力エラーが起きました");
        case ENAMETOOLONG: return TILVAREN_TR_NOOP("Engine", "名前が長すぎます");
        case ELOOP: return TILVAREN_TR_NOOP("Engine", "シンボリックリンクが多すぎるか、循環しています");
        case EBUSY:
        case ETXTBSY: return TILVAREN_TR_NOOP("Engine", "使用中です");
        case EMFILE:
        case ENFILE: return TILVAREN_TR_NOOP("Engine", "開いているファイルが多すぎます");
        case ENOMEM: return TILVAREN_TR_NOOP("Engine", "メモリーが足りません");
        case ECANCELED: return TILVAREN_TR_NOOP("Engine", "途中で取りやめました");
        default: return TILVAREN_TR_NOOP("Engine", "システムのエラー番号 %1");
    }
}

std::string FileErrorCause(int error) { return FillIn(FileErrorText(error), {std::to_string(error)}); }

const char* FileActionText(FileAction action) {
    switch (action) {
        case FileAction::Read: return TILVAREN_TR_NOOP("Engine", "\"%1\" を読み込めません（%2）");
        case FileAction::Write: return TILVAREN_TR_NOOP("Engine", "\"%1\" に書き込めません（%2）");
        case FileAction::Create: return TILVAREN_TR_NOOP("Engine", "\"%1\" を作れません（%2）");
        case FileAction::CreateTemporary:
            return TILVAREN_TR_NOOP("Engine", "\"%1\" を保存する一時ファイルを同じフォルダーに作れません（%2）");
        case FileAction::Replace: return TILVAREN_TR_NOOP("Engine", "\"%1\" を置き換えられません（%2）");
        case FileAction::Append: return TILVAREN_TR_NOOP("Engine", "\"%1\" に追記できません（%2）");
    }
    return "\"%1\"（%2）";
}

namespace {

std::string JapaneseReason(FileAction action, const std::string& path, int error) {
    return FillIn(FileActionText(action), {path, FileErrorCause(error)});
}

// Closes on every way out; Close() reports what closing a written file says.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }
    bool Close() { return ::close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_;
};

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

int ErrorForNonRegular(const struct stat& info) { return S_ISDIR(info.st_mode) ? EISDIR : kNotRegularFile; }

struct Opened {
    int fd = -1;
    struct stat info {};
    FileResult failure;
};

// Opens an existing regular file. Whatever else stands under the name is
// refused before it is opened, and again after, should it have been swapped in
// between; nothing here waits on a FIFO or a device.
Opened OpenRegular(const std::string& path, int flags, FileAction action) {
    Opened opened;
    if (::stat(path.c_str(), &opened.info) == 0 && !S_ISREG(opened.info.st_mode)) {
        opened.failure = FileResult::Failure(action, path, ErrorForNonRegular(opened.info));
        return opened;
    }
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        opened.failure = FileResult::Failure(action, path, errno);
        return opened;
    }
    int error = 0;
    if (::fstat(fd, &opened.info) != 0) {
        error = errno;
    } else if (!S_ISREG(opened.info.st_mode)) {
        error = ErrorForNonRegular(opened.info);
    }
    if (error != 0) {
        ::close(fd);
        opened.failure = FileResult::Failure(action, path, error);
        return opened;
    }
    opened.fd = fd;
    return opened;
}

// The pattern's X's filled with letters and digits from the kernel's random
// source, or, should it have none to give, from the clock and a counter.
std::string PartialSaveSuffix() {
    static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::atomic<std::uint64_t> counter{0};
    unsigned char bytes[16] = {};
    if (::getrandom(bytes, sizeof bytes, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bytes)) {
        timespec now {};
        ::clock_gettime(CLOCK_REALTIME, &now);
        std::uint64_t x = static_cast<std::uint64_t>(now.tv_nsec) ^ (static_cast<std::uint64_t>(::getpid()) << 32) ^
                          (counter.fetch_add(1) * 0x9E3779B97F4A7C15ULL);
        for (unsigned char& b : bytes) {
            x = x * 6364136223846793005ULL + 1442695040888963407ULL;
            b = static_cast<unsigned char>(x >> 56);
        }
    }
    std::string suffix(kPartialSavePattern);
    std::size_t next = 0;
    for (char& c : suffix) {
        if (c == 'X') c = kAlphabet[bytes[next++] % (sizeof kAlphabet - 1)];
    }
    return suffix;
}

bool IsLetterOrDigit(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

}  // namespace

FileResult FileResult::Failure(FileAction action, std::string path, int error) {
    FileResult result;
    result.ok = false;
    result.reason = JapaneseReason(action, path, error);
    result.error = error;
    result.action = action;
    result.path = std::move(path);
    return result;
}

std::string EnglishReason(const FileResult& result) {
    if (result.ok) return {};
    if (result.path.empty()) return result.reason;
    const char* verb = "Cannot read";
    switch (result.action) {
        case FileAction::Read: verb = "Cannot read"; break;
        case FileAction::Write: verb = "Cannot write"; break;
        case FileAction::Create: verb = "Cannot create"; break;
        case FileAction::CreateTemporary: verb = "Cannot create a temporary file beside"; break;
        case FileAction::Replace: verb = "Cannot replace"; break;
        case FileAction::Append: verb = "Cannot append to"; break;
    }
    const std::string cause = result.error == kNotRegularFile ? "not a regular file"
                              : result.error == kFileTooLarge ? "file too large"
                              : result.error == kNotText      ? "not text (UTF-16 or NUL bytes)"
                                                              : std::strerror(result.error);
    return std::string(verb) + " " + result.path + ": " + cause;
}

bool IsPartialSaveOf(std::string_view name, std::string_view fileName) {
    if (name.size() != fileName.size() + kPartialSavePattern.size() || !name.starts_with(fileName)) return false;
    const std::string_view rest = name.substr(fileName.size());
    for (std::size_t n = 0; n < rest.size(); ++n) {
        const bool fits = kPartialSavePattern[n] == 'X' ? IsLetterOrDigit(rest[n]) : rest[n] == kPartialSavePattern[n];
        if (!fits) return false;
    }
    return true;
}

FileResult WriteFileAtomically(const std::string& path, const std::string& content) {
    const std::string target = ResolveTarget(path);
    struct stat existing {};
    const bool replacing = ::stat(target.c_str(), &existing) == 0;
    if (replacing && !S_ISREG(existing.st_mode)) {
        return FileResult::Failure(FileAction::Write, path, ErrorForNonRegular(existing));
    }

    // A name of our own, created here and now: the kernel applies the umask.
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = target + PartialSaveSuffix();
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) return FileResult::Failure(FileAction::CreateTemporary, path, errno);
    Descriptor file(fd);
    if (replacing && ::fchmod(fd, existing.st_mode & 07777) != 0) {
        // The new file keeps the usual permissions; the content matters more.
    }

    if (!WriteAll(fd, content) || ::fsync(fd) != 0 || !file.Close()) {
        const int error = errno;
        ::unlink(temp.c_str());
        return FileResult::Failure(FileAction::Write, path, error);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return FileResult::Failure(FileAction::Replace, path, error);
    }
    // Make the rename itself durable.
    const Descriptor dir(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC));
    if (dir.Get() >= 0) ::fsync(dir.Get());
    return FileResult::Success();
}

FileResult AppendToFile(const std::string& path, const std::string& text, std::string_view lineEnd) {
    // Reading the last byte needs read access; a file that only allows writing
    // still takes the text, as it did before the check existed.
    Opened opened = OpenRegular(path, (lineEnd.empty() ? O_WRONLY : O_RDWR) | O_APPEND, FileAction::Append);
    if (opened.fd < 0 && !lineEnd.empty() && opened.failure.error == EACCES) {
        opened = OpenRegular(path, O_WRONLY | O_APPEND, FileAction::Append);
    }
    if (opened.fd < 0) return opened.failure;
    Descriptor file(opened.fd);
    const off_t before = opened.info.st_size;

    std::string data;
    char last = '\n';
    if (!lineEnd.empty() && before > 0 && ::pread(file.Get(), &last, 1, before - 1) == 1 && last != '\n') {
        data = lineEnd;
    }
    data += text;
    if (!WriteAll(file.Get(), data) || ::fsync(file.Get()) != 0) {
        const int error = errno;
        // Take back whatever part of the line went out, so the file keeps
        // exactly the lines it had.
        if (::ftruncate(file.Get(), before) != 0) {
            // Nothing more can be done; the failure below is what counts.
        }
        return FileResult::Failure(FileAction::Append, path, error);
    }
    if (!file.Close()) return FileResult::Failure(FileAction::Append, path, errno);
    return FileResult::Success();
}

FileResult CreateFileIfMissing(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd >= 0) {
        ::close(fd);
        return FileResult::Success();
    }
    if (errno != EEXIST) return FileResult::Failure(FileAction::Create, path, errno);
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return FileResult::Failure(FileAction::Create, path, errno);
    if (!S_ISREG(info.st_mode)) return FileResult::Failure(FileAction::Create, path, ErrorForNonRegular(info));
    return FileResult::Success();
}

ReadResult ReadSmallFile(const std::string& path, std::size_t limit) {
    const Opened opened = OpenRegular(path, O_RDONLY, FileAction::Read);
    if (opened.fd < 0) {
        if (opened.failure.error == ENOENT) return {FileResult::Success(), std::nullopt};
        return {opened.failure, std::nullopt};
    }
    const Descriptor file(opened.fd);
    const auto tooLarge = [&path] {
        return ReadResult{FileResult::Failure(FileAction::Read, path, kFileTooLarge), std::nullopt};
    };
    if (static_cast<std::uintmax_t>(opened.info.st_size) > limit) return tooLarge();
    std::string content;
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(file.Get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return {FileResult::Failure(FileAction::Read, path, errno), std::nullopt};
        }
        if (n == 0) break;
        content.append(buffer, static_cast<std::size_t>(n));
        if (content.size() > limit) return tooLarge();
    }
    return {FileResult::Success(), std::move(content)};
}

FileResult ReadInPieces(const std::string& path, const std::function<bool(std::string_view)>& piece) {
    const Opened opened = OpenRegular(path, O_RDONLY, FileAction::Read);
    if (opened.fd < 0) return opened.failure;
    const Descriptor file(opened.fd);
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        const ssize_t n = ::read(file.Get(), buffer.data(), buffer.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return FileResult::Failure(FileAction::Read, path, errno);
        }
        if (n == 0) return FileResult::Success();
        if (!piece(std::string_view(buffer.data(), static_cast<std::size_t>(n)))) {
            return FileResult::Failure(FileAction::Read, path, ECANCELED);
        }
    }
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

void RemoveInterruptedSaves(const std::string& programDir) {
    const int fd = ::open(programDir.c_str(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return;
    DIR* dir = ::fdopendir(fd);
    if (dir == nullptr) {
        ::close(fd);
        return;
    }
    const uid_t me = ::geteuid();
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        bool ours = false;
        for (const char* file : kProgramFiles) ours = ours || IsPartialSaveOf(name, file);
        struct stat info {};
        if (ours && ::fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == me) {
            ::unlinkat(fd, entry->d_name, 0);
        }
    }
    ::closedir(dir);
}

}  // namespace tilvaren
