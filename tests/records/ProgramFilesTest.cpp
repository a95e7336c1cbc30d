#include "records/ProgramFiles.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>

#include "records/FileNames.hpp"
#include "support/TempDir.hpp"

namespace tilvaren {
namespace {

using testing::ReadAll;
using testing::TempDir;
using testing::WriteAll;

TEST(ProgramFiles, CarryOverKeepsWhatTheNewFolderHolds) {
    struct Case {
        const char* name;
        const char* oldRegister;  // nullptr: none
        const char* newRegister;  // nullptr: none
        bool registerIsFifo;
        std::string expected;  // the new folder's register afterwards
        bool carried;
    };
    const Case cases[] = {
        {"nothing there yet", "old\r\n", nullptr, false, "old\r\n", true},
        {"an empty register made at a first start", "old\r\n", "", false, "old\r\n", true},
        {"a register of its own", "old\r\n", "new\r\n", false, "new\r\n", false},
        {"no register in the old folder", nullptr, nullptr, false, "", false},
        {"a FIFO in the old folder", nullptr, nullptr, true, "", false},
    };
    for (const Case& c : cases) {
        TempDir from;
        TempDir to;
        if (c.oldRegister != nullptr) WriteAll(from.File(kSolutionFile), c.oldRegister);
        if (c.registerIsFifo) {
            ASSERT_EQ(::mkfifo(from.File(kSolutionFile).c_str(), 0600), 0);
        }
        if (c.newRegister != nullptr) WriteAll(to.File(kSolutionFile), c.newRegister);
        WriteAll(from.File(kSavedGameFile), "game\r\n");

        const CarryOverResult result = CarryOverPlayerFiles(from.Path(), to.Path());
        EXPECT_EQ(ReadAll(to.File(kSolutionFile)), c.expected) << c.name;
        EXPECT_EQ(ReadAll(to.File(kSavedGameFile)), "game\r\n") << c.name;
        const bool registerCarried =
            std::find(result.carried.begin(), result.carried.end(), kSolutionFile) != result.carried.end();
        EXPECT_EQ(registerCarried, c.carried) << c.name;
        EXPECT_EQ(result.failed.size(), c.registerIsFifo ? 1u : 0u) << c.name;
        if (c.oldRegister != nullptr) {
            EXPECT_EQ(ReadAll(from.File(kSolutionFile)), c.oldRegister) << c.name;
        }
    }
}

// The game and tilvaren-solutions both find the player's files by this rule.
TEST(ProgramFiles, ChooseProgramFolderFollowsTheOneRule) {
    // Paths starting with '@' stand under the test's own folder; "OWN" is the
    // executable's folder and "" no folder at all.
    struct Case {
        const char* name;
        bool installed;
        bool readOnlyWithFiles;
        std::optional<std::string> home;
        std::optional<std::string> xdgDataHome;
        std::string expected;
    };
    const Case cases[] = {
        {"portable, writable", false, false, "@home", "@data", "OWN"},
        {"installed, though writable beside it", true, false, "@home", "@data", "@data/tilvaren/"},
        {"portable, read-only, holding the player's files", false, true, "@home", "@data", "@data/tilvaren/"},
        {"XDG_DATA_HOME absolute with a trailing slash", true, false, "@home", "@data/", "@data/tilvaren/"},
        {"XDG_DATA_HOME relative is ignored", true, false, "@home", "data", "@home/.local/share/tilvaren/"},
        {"XDG_DATA_HOME empty is ignored", true, false, "@home", "", "@home/.local/share/tilvaren/"},
        {"XDG_DATA_HOME unset", true, false, "@home", std::nullopt, "@home/.local/share/tilvaren/"},
        {"no HOME, XDG_DATA_HOME absolute", true, false, std::nullopt, "@data", "@data/tilvaren/"},
        {"no HOME", true, false, std::nullopt, "data", ""},
        {"HOME relative", true, false, "home", std::nullopt, ""},
        {"HOME empty", true, false, "", std::nullopt, ""},
    };
    for (const Case& c : cases) {
        TempDir root;
        const std::string own = root.File("games/");
        std::filesystem::create_directories(own);
        if (c.installed) std::filesystem::create_directories(std::filesystem::path(own + kRelativeDataDir));
        if (c.readOnlyWithFiles) {
            WriteAll(own + kSolutionFile, "old\r\n");
            ::chmod(own.c_str(), 0555);
            if (::access(own.c_str(), W_OK) == 0) {
                std::printf("skipped \"%s\": this user may write into any folder\n", c.name);
                continue;
            }
        }
        const auto place = [&](const std::optional<std::string>& path) -> std::optional<std::string> {
            if (path && path->starts_with('@')) return root.Path() + path->substr(1);
            return path;
        };
        const std::string expected = c.expected == "OWN" ? own : place(c.expected).value();

        const ProgramFolder folder = ChooseProgramFolder(own, {place(c.home), place(c.xdgDataHome)});
        EXPECT_EQ(folder.dir, expected) << c.name;
        EXPECT_EQ(folder.failure, expected.empty() ? FolderFailure::NoHome : FolderFailure::None) << c.name;
        EXPECT_EQ(folder.unwritableOwnDir, c.readOnlyWithFiles ? own : "") << c.name;
        EXPECT_FALSE(std::filesystem::exists(root.File("data")) || std::filesystem::exists(root.File("home")))
            << c.name << ": the rule created a folder";
    }
}

}  // namespace
}  // namespace tilvaren
