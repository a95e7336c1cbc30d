#include <gtest/gtest.h>

#include <sys/stat.h>

#include "records/FileNames.hpp"
#include "records/ProfileFile.hpp"
#include "records/Settings.hpp"
#include "support/TempDir.hpp"

namespace tilvaren {
namespace {

using testing::ReadAll;
using testing::TempDir;

TEST(Settings, LoadsWhatTheFileSays) {
    struct Case {
        const char* name;
        const char* file;  // nullptr: no file at all
        Settings expected;
    };
    const Case cases[] = {
        {"no file gives the defaults", nullptr, {6, 24, true, true}},
        {"every key, CR LF line ends",
         "[Pentomino]\r\niniFrameY=4\r\n[Environment]\r\niniFrameSize=32\r\niniMenuBarOn=0\r\niniStatusBarOn=0\r\n"
         "iniPieceSupportOn=1\r\n",
         {4, 32, false, false, true}},
        {"lone CR line ends", "[Pentomino]\riniFrameY=4\r[Environment]\riniFrameSize=32\riniMenuBarOn=0\r",
         {4, 32, false, true}},
        {"mixed line ends", "[Pentomino]\r\niniFrameY=3\r[Environment]\niniFrameSize=18\r\n\riniStatusBarOn=0",
         {3, 18, true, false}},
        {"a UTF-8 byte-order mark before the first section", "\xEF\xBB\xBF[Pentomino]\niniFrameY=5\n",
         {5, 24, true, true}},
        {"names match without regard to case or blanks",
         "[ pentomino ]\niniframey = 3\n[ENVIRONMENT]\nINIFRAMESIZE=18\n", {3, 18, true, true}},
        {"only 1 means shown", "[Environment]\niniMenuBarOn=2\niniStatusBarOn=-1\niniPieceSupportOn=2\n",
         {6, 24, false, false, false}},
        {"values that are not numbers give the defaults",
         "[Pentomino]\niniFrameY=five\n[Environment]\niniFrameSize=24px\niniMenuBarOn=\niniStatusBarOn=0x0\n",
         {6, 24, true, true}},
        {"keys in the wrong section are not read", "[Environment]\niniFrameY=3\n[Pentomino]\niniFrameSize=18\n",
         {6, 24, true, true}},
        {"the first of two sections wins", "[Pentomino]\niniFrameY=5\n[Pentomino]\niniFrameY=3\n", {5, 24, true, true}},
        {"commented keys are not read", "[Pentomino]\n;iniFrameY=3\n", {6, 24, true, true}},
        {"a frame height the board cannot hold gives 6", "[Pentomino]\niniFrameY=7\n", {6, 24, true, true}},
        {"a frame height of 2 gives 6", "[Pentomino]\niniFrameY=2\n", {6, 24, true, true}},
        {"a number too large for an int", "[Pentomino]\niniFrameY=99999999999999999999\n", {6, 24, true, true}},
        {"the collection's place and orders",
         "[Environment]\niniCollectionLeft=-40\niniCollectionTop=30\niniCollectionWidth=600\n"
         "iniCollectionHeight=500\niniCollectionOrder=0110\n",
         {6, 24, true, true, false, {true, -40, 30, 600, 500}, {0, 1, 1, 0}}},
        {"a size without a corner: a size only",
         "[Environment]\niniCollectionWidth=600\niniCollectionHeight=500\niniCollectionTop=9\n",
         {6, 24, true, true, false, {false, 0, 0, 600, 500}}},
        {"a corner without a size is no place", "[Environment]\niniCollectionLeft=5\niniCollectionTop=5\n",
         {6, 24, true, true}},
        {"a size of 0, far off the screen, or not a number is no place",
         "[Environment]\niniCollectionWidth=0\niniCollectionHeight=500\n", {6, 24, true, true}},
        {"a corner far off every screen leaves the size",
         "[Environment]\niniCollectionLeft=999999\niniCollectionTop=0\niniCollectionWidth=600\n"
         "iniCollectionHeight=x\n", {6, 24, true, true}},
        {"orders other than four digits 0 or 1 are all by number",
         "[Environment]\niniCollectionOrder=0120\n", {6, 24, true, true}},
        {"orders too short", "[Environment]\niniCollectionOrder=11\n", {6, 24, true, true}},
        {"the collection's keys in the wrong section",
         "[Pentomino]\niniCollectionWidth=600\niniCollectionHeight=500\niniCollectionOrder=1111\n",
         {6, 24, true, true}},
        {"English", "[Environment]\r\niniLanguage = en \r\n", {6, 24, true, true, false, {}, {}, Language::English}},
        {"Japanese named", "[Environment]\niniLanguage=ja\n", {6, 24, true, true}},
        {"no language given", "[Environment]\niniLanguage=\n", {6, 24, true, true}},
        {"a language the game does not speak", "[Environment]\niniLanguage=fr\n", {6, 24, true, true}},
        {"only \"en\" itself is English", "[Environment]\niniLanguage=english\n", {6, 24, true, true}},
        {"the language in the wrong section", "[Pentomino]\niniLanguage=en\n", {6, 24, true, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        if (c.file != nullptr) testing::WriteAll(dir.File(kSettingsFile), c.file);
        const LoadedSettings loaded = LoadSettings(dir.Path());
        EXPECT_TRUE(loaded.status.ok);
        EXPECT_EQ(loaded.settings, c.expected);
    }
}

TEST(Settings, CellSizesGoToTheirSizeClass) {
    // The options dialog's classes: 0..18 small, 19..24 medium, 25..32 large, else medium.
    const std::pair<int, int> sizes[] = {{18, 18}, {24, 24}, {32, 32}, {0, 18},  {17, 18}, {19, 24}, {20, 24},
                                         {25, 32}, {33, 24}, {64, 24}, {-1, 24}, {-5, 24}, {1000, 24}};
    for (const auto& [stored, used] : sizes) {
        TempDir dir;
        testing::WriteAll(dir.File(kSettingsFile), "[Environment]\niniFrameSize=" + std::to_string(stored) + "\n");
        EXPECT_EQ(LoadSettings(dir.Path()).settings.FrameSize, used) << stored;
    }
}

TEST(Settings, SaveChangesOnlyItsOwnLines) {
    struct Case {
        const char* name;
        std::string before;
        std::string after;
    };
    const Settings s{5, 32, false, true, true};
    const Case cases[] = {
        {"no file", "",
         "[Pentomino]\r\niniFrameY=5\r\n[Environment]\r\niniFrameSize=32\r\niniMenuBarOn=0\r\niniStatusBarOn=1\r\n"
         "iniPieceSupportOn=1\r\n"},
        {"comments, other keys and sections stay as they were",
         "; settings\r\n[Other]\r\nkey = value \r\n\r\n[Pentomino]\r\n; frame\r\niniFrameY = 6\r\nextra=1\r\n\r\n"
         "[Environment]\r\nINIFRAMESIZE=24\r\niniMenuBarOn=2\r\niniStatusBarOn=1\r\nlast=é\r\n",
         "; settings\r\n[Other]\r\nkey = value \r\n\r\n[Pentomino]\r\n; frame\r\niniFrameY =5\r\nextra=1\r\n\r\n"
         "[Environment]\r\nINIFRAMESIZE=32\r\niniMenuBarOn=0\r\niniStatusBarOn=1\r\nlast=é\r\niniPieceSupportOn=1\r\n"},
        {"missing keys go after the section's last line, in the file's own line ends",
         "[Pentomino]\nother=1\n\n[Environment]\niniMenuBarOn=1",
         "[Pentomino]\nother=1\niniFrameY=5\n\n[Environment]\niniMenuBarOn=0\niniFrameSize=32\niniStatusBarOn=1\n"
         "iniPieceSupportOn=1\n"},
        {"lone CR line ends stay, and no key is added twice",
         "[Pentomino]\riniFrameY=4\r[Environment]\riniFrameSize=18\riniMenuBarOn=1\r",
         "[Pentomino]\riniFrameY=5\r[Environment]\riniFrameSize=32\riniMenuBarOn=0\riniStatusBarOn=1\r"
         "iniPieceSupportOn=1\r"},
        {"mixed line ends: an added line ends as the line before it does",
         "[Pentomino]\rother=1\n\n[Environment]\r\niniFrameSize=18",
         "[Pentomino]\rother=1\niniFrameY=5\n\n[Environment]\r\niniFrameSize=32\r\niniMenuBarOn=0\r\n"
         "iniStatusBarOn=1\r\niniPieceSupportOn=1\r\n"},
        {"a UTF-8 byte-order mark stays", "\xEF\xBB\xBF[Pentomino]\niniFrameY=6\n[Environment]\n",
         "\xEF\xBB\xBF[Pentomino]\niniFrameY=5\n[Environment]\niniFrameSize=32\niniMenuBarOn=0\niniStatusBarOn=1\n"
         "iniPieceSupportOn=1\n"},
        {"orders put back to by number are written over, not left behind",
         "[Environment]\niniCollectionOrder=1001\n",
         "[Environment]\niniCollectionOrder=0000\niniFrameSize=32\niniMenuBarOn=0\niniStatusBarOn=1\n"
         "iniPieceSupportOn=1\n[Pentomino]\niniFrameY=5\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        if (!c.before.empty()) testing::WriteAll(dir.File(kSettingsFile), c.before);
        ASSERT_TRUE(SaveSettings(s, dir.Path()).ok);
        EXPECT_EQ(ReadAll(dir.File(kSettingsFile)), c.after);
        EXPECT_EQ(LoadSettings(dir.Path()).settings, s);
        // Saving the same values again changes nothing.
        ASSERT_TRUE(SaveSettings(s, dir.Path()).ok);
        EXPECT_EQ(ReadAll(dir.File(kSettingsFile)), c.after);
    }
}

// A file from before the language was a setting stays without it until
// English is chosen; from then on the key is kept, Japanese as "ja".
TEST(Settings, TheLanguageIsWrittenOnceChosen) {
    const std::string before = "[Environment]\r\niniFrameSize=24\r\n";
    const std::pair<Language, const char*> steps[] = {
        {Language::Japanese, ""}, {Language::English, "iniLanguage=en\r\n"}, {Language::Japanese, "iniLanguage=ja\r\n"}};
    TempDir dir;
    testing::WriteAll(dir.File(kSettingsFile), before);
    for (const auto& [language, line] : steps) {
        Settings s;
        s.language = language;
        ASSERT_TRUE(SaveSettings(s, dir.Path()).ok);
        EXPECT_EQ(ReadAll(dir.File(kSettingsFile)),
                  before + "iniMenuBarOn=1\r\niniStatusBarOn=1\r\niniPieceSupportOn=0\r\n" + line + "[Pentomino]\r\niniFrameY=6\r\n");
        EXPECT_EQ(LoadSettings(dir.Path()).settings.language, language);
    }
}

// The collection's keys appear once it has something kept, after the old
// keys and in the file's line ends; where the window system keeps the corner,
// none is written.
TEST(Settings, TheCollectionsPlaceAndOrdersAreKeptOnceThereAreAny) {
    struct Case {
        const char* name;
        KeptWindowPlace place;
        std::array<int, 4> orders;
        const char* added;  // after iniPieceSupportOn
    } const cases[] = {
        {"nothing kept", {}, {}, ""},
        {"a place and an order",
         {true, 1200, -8, 640, 580},
         {1, 0, 0, 1},
         "iniCollectionLeft=1200\r\niniCollectionTop=-8\r\niniCollectionWidth=640\r\niniCollectionHeight=580\r\n"
         "iniCollectionOrder=1001\r\n"},
        {"a size only", {false, 0, 0, 640, 580}, {}, "iniCollectionWidth=640\r\niniCollectionHeight=580\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        Settings s;
        s.CollectionPlace = c.place;
        s.CollectionOrders = c.orders;
        ASSERT_TRUE(SaveSettings(s, dir.Path()).ok);
        EXPECT_EQ(ReadAll(dir.File(kSettingsFile)),
                  std::string("[Pentomino]\r\niniFrameY=6\r\n[Environment]\r\niniFrameSize=24\r\niniMenuBarOn=1\r\n"
                              "iniStatusBarOn=1\r\niniPieceSupportOn=0\r\n") +
                      c.added);
        EXPECT_EQ(LoadSettings(dir.Path()).settings, s);
    }
}

TEST(Settings, MenuBarValueTwoHidesAndIsSavedAsZero) {
    TempDir dir;
    testing::WriteAll(dir.File(kSettingsFile), "[Environment]\r\niniMenuBarOn=2\r\n");
    const Settings loaded = LoadSettings(dir.Path()).settings;
    EXPECT_FALSE(loaded.MenuBarOn);
    ASSERT_TRUE(SaveSettings(loaded, dir.Path()).ok);
    EXPECT_NE(ReadAll(dir.File(kSettingsFile)).find("iniMenuBarOn=0\r\n"), std::string::npos);
}

// Neither read (the defaults apply) nor ever written over, whatever is saved.
TEST(Settings, AFileThatCannotBeReadIsNeverOverwritten) {
    using namespace std::string_literals;
    struct Case {
        const char* name;
        std::string content;  // empty: a folder stands in the file's place
        const char* cause;
    };
    const Case cases[] = {
        {"a folder", "", "フォルダーです"},
        {"UTF-16 with its byte-order mark", "\xFF\xFE[\0P\0e\0n\0t\0o\0m\0i\0n\0o\0]\0\r\0\n\0i\0n\0i\0"s,
         "UTF-16"},
        {"big-endian UTF-16 holding no ASCII", "\xFE\xFF\x30\xB0"s, "UTF-16"},
        {"a NUL byte in a line", "[Pentomino]\r\niniFrameY=4\0\r\n"s, "NUL"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.File(kSettingsFile);
        if (c.content.empty()) {
            ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);
        } else {
            testing::WriteAll(path, c.content);
        }
        const LoadedSettings loaded = LoadSettings(dir.Path());
        EXPECT_FALSE(loaded.status.ok);
        EXPECT_NE(loaded.status.reason.find("を読み込めません"), std::string::npos) << loaded.status.reason;
        EXPECT_NE(loaded.status.reason.find(c.cause), std::string::npos) << loaded.status.reason;
        EXPECT_EQ(loaded.settings, Settings{});
        const FileResult saved = SaveSettings(Settings{4, 32, false, false, true}, dir.Path());
        EXPECT_FALSE(saved.ok);
        EXPECT_NE(saved.reason.find(c.cause), std::string::npos) << saved.reason;
        if (!c.content.empty()) {
            EXPECT_EQ(ReadAll(path), c.content);
        }
    }
}

TEST(ProfileFile, ParseDecimal) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"0", 0}, {"42", 42}, {" 7 ", 7}, {"+3", 3}, {"-12", -12}, {"", std::nullopt}, {"-", std::nullopt},
        {"1.5", std::nullopt}, {"12a", std::nullopt}, {"2147483648", std::nullopt}, {"-2147483648", INT32_MIN}};
    for (const auto& [text, value] : cases) EXPECT_EQ(ParseDecimal(text), value) << text;
}

}  // namespace
}  // namespace tilvaren
