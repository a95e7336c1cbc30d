#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "records/FileNames.hpp"
#include "records/SafeFile.hpp"
#include "records/SavedGame.hpp"
#include "records/Settings.hpp"
#include "records/SolutionRegister.hpp"
#include "support/TempDir.hpp"
#include "support/TestBoards.hpp"

namespace tilvaren {
namespace {

using testing::ReadAll;
using testing::TempDir;

// Runs `work` in a child process and gives back its exit status; used where a
// failure must be produced for real (another user, a file size limit, a kill).
int InChild(const std::function<int()>& work) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(work());
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

// In a child that cannot write `dir` (as root, by becoming nobody first).
int AsUserWhoCannotWrite(const std::function<int()>& work) {
    return InChild([&work] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return 90;
        return work();
    });
}

struct Writer {
    const char* name;
    const char* file;
    const char* fullDiskReason;  // what writing through a link to /dev/full says
    std::function<FileResult(const std::string& dir)> write;
};

const testing::FixedClock kClock({2026, 12, 7, 12, 0, 0});

std::vector<Writer> Writers() {
    return {
        {"saved game", kSavedGameFile, "No space left on device",
         [](const std::string& dir) {
             SilentErrorSink errors;
             return SavedGameWrite(testing::MakeBoard(errors, 6), dir, kClock);
         }},
        // The settings are read before they are rewritten, and a device is not read.
        {"settings", kSettingsFile, "not a regular file", [](const std::string& dir) { return SaveSettings(Settings{}, dir); }},
        {"register", kSolutionFile, "No space left on device",
         [](const std::string& dir) {
             SilentErrorSink errors;
             return SolutionAppend(testing::MakeBoard(errors, 5), dir, kClock);
         }},
    };
}

TEST(SafeFile, FailuresLeaveTheOldFileWholeAndSayWhy) {
    for (const Writer& w : Writers()) {
        SCOPED_TRACE(w.name);
        const std::string old = "[Pentomino]\r\niniFrameY=6\r\n";

        {  // a folder the program may not write to
            TempDir dir;
            testing::WriteAll(dir.File(w.file), old);
            ::chmod(dir.File(w.file).c_str(), 0444);
            ::chmod(dir.Path().c_str(), 0555);
            const int status = AsUserWhoCannotWrite([&] {
                const FileResult r = w.write(dir.Path());
                return r.ok ? 1 : (r.reason.find("Permission denied") != std::string::npos ? 0 : 2);
            });
            EXPECT_EQ(status, 0);
            EXPECT_EQ(ReadAll(dir.File(w.file)), old);
        }
        {  // the file's name taken by a folder
            TempDir dir;
            ASSERT_EQ(::mkdir(dir.File(w.file).c_str(), 0755), 0);
            const FileResult r = w.write(dir.Path());
            EXPECT_FALSE(r.ok);
            EXPECT_NE(r.reason.find("Is a directory"), std::string::npos) << r.reason;
        }
        {  // a full disk, through a link to /dev/full
            TempDir dir;
            ASSERT_EQ(::symlink("/dev/full", dir.File(w.file).c_str()), 0);
            const FileResult r = w.write(dir.Path());
            EXPECT_FALSE(r.ok);
            EXPECT_NE(r.reason.find(w.fullDiskReason), std::string::npos) << r.reason;
        }
        {  // a file size limit reached half-way
            TempDir dir;
            testing::WriteAll(dir.File(w.file), old);
            const int status = InChild([&] {
                ::signal(SIGXFSZ, SIG_IGN);
                const rlimit limit{static_cast<rlim_t>(old.size() + 10), static_cast<rlim_t>(old.size() + 10)};
                ::setrlimit(RLIMIT_FSIZE, &limit);
                const FileResult r = w.write(dir.Path());
                return r.ok ? 1 : (r.reason.find("File too large") != std::string::npos ? 0 : 2);
            });
            EXPECT_EQ(status, 0);
            EXPECT_EQ(ReadAll(dir.File(w.file)), old);
        }
    }
}

TEST(SafeFile, AKilledSaveLeavesTheOldOrTheNewFile) {
    TempDir dir;
    const std::string path = dir.File(kSavedGameFile);
    const std::size_t size = 8 * 1024 * 1024;
    for (int round = 0; round < 4; ++round) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(ready[0]);
            for (char c = 'a';; c = c == 'z' ? 'a' : static_cast<char>(c + 1)) {
                if (::write(ready[1], &c, 1) != 1) ::_exit(3);
                if (!WriteFileAtomically(path, std::string(size, c)).ok) ::_exit(2);
            }
        }
        ::close(ready[1]);
        int started = 0;  // saves begun; wait for the third
        for (char c; started < 3 && ::read(ready[0], &c, 1) == 1;) ++started;
        ASSERT_EQ(started, 3);
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        ::close(ready[0]);
        const std::string content = ReadAll(path);
        ASSERT_EQ(content.size(), size);
        EXPECT_EQ(content.find_first_not_of(content[0]), std::string::npos);
    }
}

TEST(SafeFile, ReadingRefusesWhatIsNoSmallRegularFile) {
    TempDir dir;
    EXPECT_FALSE(ReadSmallFile(dir.File("missing"), 100).content.has_value());
    EXPECT_TRUE(ReadSmallFile(dir.File("missing"), 100).status.ok);
    testing::WriteAll(dir.File("big"), std::string(101, 'x'));
    EXPECT_FALSE(ReadSmallFile(dir.File("big"), 100).status.ok);
    ASSERT_EQ(::symlink("/dev/zero", dir.File("device").c_str()), 0);
    EXPECT_FALSE(ReadSmallFile(dir.File("device"), 100).status.ok);
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
    EXPECT_FALSE(ReadSmallFile(dir.File("fifo"), 100).status.ok);
}

TEST(SafeFile, ReplacingKeepsLinksAndPermissions) {
    TempDir dir;
    testing::WriteAll(dir.File("real.ini"), "old");
    ::chmod(dir.File("real.ini").c_str(), 0600);
    ASSERT_EQ(::symlink("real.ini", dir.File(kSettingsFile).c_str()), 0);
    ASSERT_TRUE(WriteFileAtomically(dir.File(kSettingsFile), "new").ok);
    struct stat link {};
    ASSERT_EQ(::lstat(dir.File(kSettingsFile).c_str(), &link), 0);
    EXPECT_TRUE(S_ISLNK(link.st_mode));
    EXPECT_EQ(ReadAll(dir.File("real.ini")), "new");
    struct stat real {};
    ASSERT_EQ(::stat(dir.File("real.ini").c_str(), &real), 0);
    EXPECT_EQ(real.st_mode & 0777, 0600U);
}

TEST(SafeFile, RegisterMustExistAndIsCreatedEmptyOnce) {
    TempDir dir;
    SilentErrorSink errors;
    const Board board = testing::MakeBoard(errors, 6);
    const FileResult missing = SolutionAppend(board, dir.Path(), kClock);
    EXPECT_FALSE(missing.ok);
    EXPECT_NE(missing.reason.find("No such file"), std::string::npos) << missing.reason;
    ASSERT_TRUE(SolutionFileEnsure(dir.Path()).ok);
    EXPECT_EQ(ReadAll(dir.File(kSolutionFile)), "");
}

}  // namespace
}  // namespace tilvaren
