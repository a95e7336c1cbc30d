#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
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

struct Writer {
    const char* name;
    const char* file;
    std::function<FileResult(const std::string& dir)> write;
};

const testing::FixedClock kClock({2026, 12, 7, 12, 0, 0});

std::vector<Writer> Writers() {
    return {
        {"saved game", kSavedGameFile,
         [](const std::string& dir) {
             SilentErrorSink errors;
             return SavedGameWrite(testing::MakeBoard(errors, 6), dir, kClock);
         }},
        {"settings", kSettingsFile, [](const std::string& dir) { return SaveSettings(Settings{}, dir); }},
        {"register", kSolutionFile,
         [](const std::string& dir) {
             SilentErrorSink errors;
             return SolutionAppend(testing::MakeBoard(errors, 5), dir, kClock);
         }},
    };
}

std::vector<std::string> Names(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

const std::string kOld = "[Pentomino]\r\niniFrameY=6\r\n";

void AsOrdinaryUser() {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(90);
}

struct Obstacle {
    const char* name;
    // Puts it in place of the file; gives the read end of a FIFO, or -1.
    std::function<int(const TempDir& dir, const std::string& path)> prepare;
    std::function<void()> inChild;  // what the writing process may not do
    int error;
    const char* japanese;
    const char* english;
};

const Obstacle kObstacles[] = {
    {"a folder the program may not write to",
     [](const TempDir& dir, const std::string& path) {
         testing::WriteAll(path, kOld);
         ::chmod(path.c_str(), 0444);
         ::chmod(dir.Path().c_str(), 0555);
         return -1;
     },
     AsOrdinaryUser, EACCES, "アクセス権がありません", "Permission denied"},
    {"the name taken by a folder",
     [](const TempDir&, const std::string& path) {
         ::mkdir(path.c_str(), 0755);
         return -1;
     },
     [] {}, EISDIR, "フォルダーです", "Is a directory"},
    // Written as a user who may not change /dev, so that a save replacing the device fails instead.
    {"a link to a device",
     [](const TempDir& dir, const std::string& path) {
         ::chmod(dir.Path().c_str(), 0777);
         if (::symlink("/dev/full", path.c_str()) != 0) std::abort();
         return -1;
     },
     AsOrdinaryUser, kNotRegularFile, "通常のファイルではありません", "not a regular file"},
    {"a FIFO with a reader",
     [](const TempDir&, const std::string& path) {
         ::mkfifo(path.c_str(), 0600);
         return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
     },
     [] {}, kNotRegularFile, "通常のファイルではありません", "not a regular file"},
    {"a file size limit reached half-way",
     [](const TempDir&, const std::string& path) {
         testing::WriteAll(path, kOld);
         return -1;
     },
     [] {
         ::signal(SIGXFSZ, SIG_IGN);
         const rlimit limit{static_cast<rlim_t>(kOld.size() + 10), static_cast<rlim_t>(kOld.size() + 10)};
         ::setrlimit(RLIMIT_FSIZE, &limit);
     },
     EFBIG, "大きすぎます", "File too large"},
};

TEST(SafeFile, FailuresLeaveWhatStoodThereAsItWasAndSayWhy) {
    for (const Writer& w : Writers()) {
        for (const Obstacle& o : kObstacles) {
            SCOPED_TRACE(std::string(w.name) + ", " + o.name);
            TempDir dir;
            const std::string path = dir.File(w.file);
            const int reader = o.prepare(dir, path);
            struct stat before {};
            ASSERT_EQ(::lstat(path.c_str(), &before), 0);
            const int status = InChild([&] {
                o.inChild();
                const FileResult r = w.write(dir.Path());
                const bool told = !r.ok && r.error == o.error && r.reason.find(o.japanese) != std::string::npos &&
                                  r.reason.find(w.file) != std::string::npos &&
                                  EnglishReason(r).find(o.english) != std::string::npos;
                if (!told) std::fprintf(stderr, "error %d: %s / %s\n", r.error, r.reason.c_str(), EnglishReason(r).c_str());
                return told ? 0 : 1;
            });
            EXPECT_EQ(status, 0);
            struct stat after {};
            ASSERT_EQ(::lstat(path.c_str(), &after), 0);
            EXPECT_EQ(after.st_ino, before.st_ino);
            EXPECT_EQ(after.st_mode, before.st_mode);
            if (S_ISREG(before.st_mode)) {
                EXPECT_EQ(ReadAll(path), kOld);
            }
            if (reader >= 0) {
                char c = 0;
                EXPECT_LE(::read(reader, &c, 1), 0);  // nothing was written into it
                ::close(reader);
            }
            ::chmod(dir.Path().c_str(), 0755);
            EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{w.file});  // no temporary file left
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
    // What the killed saves left beside the file goes at the next start.
    RemoveInterruptedSaves(dir.Path());
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{kSavedGameFile});
}

TEST(SafeFile, OnlyInterruptedSavesAreRemoved) {
    struct Entry {
        const char* name;
        bool removed;
        std::function<void(const std::string& path)> make = [](const std::string& p) { testing::WriteAll(p, "x"); };
    };
    const Entry entries[] = {
        {"Tilvaren.tmp.aB3xY9.part", true},
        {"Tilvaren.ini.000000.part", true},
        {"Tilvaren.tmp.backup", false},
        {"Tilvaren.tmp.bad", false},
        {"Tilvaren.tmp.aB3xY.part", false},
        {"Tilvaren.tmp.aB3x-9.part", false},
        {"Tilvaren.tmp.aB3xY9.part.old", false},
        {"Other.tmp.aB3xY9.part", false},
        {"Tilvaren.tmp.fOlDeR.part", false, [](const std::string& path) { ::mkdir(path.c_str(), 0755); }},
        {"Tilvaren.tmp.LiNkEd.part", false,
         [](const std::string& p) {
             if (::symlink("Tilvaren.tmp.bad", p.c_str()) != 0) std::abort();
         }},
        {"Tilvaren.tmp.0thers.part", ::geteuid() != 0,  // another user's, where a test can make one
         [](const std::string& path) {
             testing::WriteAll(path, "x");
             if (::geteuid() == 0 && ::chown(path.c_str(), 65534, 65534) != 0) std::abort();
         }},
    };
    TempDir dir;
    for (const Entry& e : entries) e.make(dir.File(e.name));
    RemoveInterruptedSaves(dir.Path());
    for (const Entry& e : entries) {
        struct stat info {};
        EXPECT_EQ(::lstat(dir.File(e.name).c_str(), &info) != 0, e.removed) << e.name;
    }
}

TEST(SafeFile, ReadingRefusesWhatIsNoSmallRegularFile) {
    TempDir dir;
    testing::WriteAll(dir.File("big"), std::string(101, 'x'));
    ASSERT_EQ(::symlink("/dev/zero", dir.File("device").c_str()), 0);
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
    const std::pair<const char*, int> cases[] = {{"missing", 0}, {"big", kFileTooLarge}, {"device", kNotRegularFile},
                                                 {"fifo", kNotRegularFile}};
    for (const auto& [name, error] : cases) {
        const ReadResult read = ReadSmallFile(dir.File(name), 100);
        EXPECT_EQ(read.status.error, error) << name;
        EXPECT_EQ(read.status.ok, error == 0) << name;
        EXPECT_FALSE(read.content.has_value()) << name;
    }
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
    // A new file gets what the umask leaves.
    const mode_t mask = ::umask(027);
    ASSERT_TRUE(WriteFileAtomically(dir.File(kSavedGameFile), "new").ok);
    ::umask(mask);
    ASSERT_EQ(::stat(dir.File(kSavedGameFile).c_str(), &real), 0);
    EXPECT_EQ(real.st_mode & 0777, 0640U);
}

TEST(SafeFile, RegisterMustExistAndIsCreatedEmptyOnce) {
    TempDir dir;
    SilentErrorSink errors;
    const Board board = testing::MakeBoard(errors, 6);
    const FileResult missing = SolutionAppend(board, dir.Path(), kClock);
    EXPECT_EQ(missing.error, ENOENT);
    EXPECT_NE(missing.reason.find("見つかりません"), std::string::npos) << missing.reason;
    ASSERT_TRUE(SolutionFileEnsure(dir.Path()).ok);
    EXPECT_EQ(ReadAll(dir.File(kSolutionFile)), "");
    TempDir other;
    ASSERT_EQ(::mkfifo(other.File(kSolutionFile).c_str(), 0600), 0);
    EXPECT_EQ(SolutionFileEnsure(other.Path()).error, kNotRegularFile);
}

}  // namespace
}  // namespace tilvaren
