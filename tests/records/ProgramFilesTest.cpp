#include "records/ProgramFiles.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <sys/stat.h>

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

}  // namespace
}  // namespace tilvaren
