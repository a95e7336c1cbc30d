#include "records/Settings.hpp"

#include "core/Frame.hpp"
#include "records/FileNames.hpp"
#include "records/ProfileFile.hpp"

namespace tilvaren {

namespace {

constexpr std::size_t kSettingsLimit = 1024 * 1024;
constexpr const char* kPentomino = "Pentomino";
constexpr const char* kEnvironment = "Environment";
constexpr const char* kLanguageKey = "iniLanguage";

// The settings file's content, none when there is no file. Bytes the profile
// reader would misread (UTF-16, NUL bytes) make it unreadable, so that such a
// file is reported and never rewritten from defaults.
ReadResult ReadSettingsFile(const std::string& path) {
    ReadResult read = ReadSmallFile(path, kSettingsLimit);
    if (read.content && !IsProfileText(*read.content)) {
        return {FileResult::Failure(FileAction::Read, path, kNotText), std::nullopt};
    }
    return read;
}

}  // namespace

int SizeClassOf(int frameSize) {
    if (frameSize < 0) return kDefaultCellSize;
    for (const int size : kCellSizes) {
        if (frameSize <= size) return size;  // each class reaches up to its size
    }
    return kDefaultCellSize;
}

LoadedSettings LoadSettings(const std::string& programDir) {
    LoadedSettings loaded;
    const ReadResult read = ReadSettingsFile(programDir + kSettingsFile);
    loaded.status = read.status;
    const ProfileFile file(read.content.value_or(""));
    Settings& s = loaded.settings;
    s.FrameY = ValidFrameY(file.GetInt(kPentomino, "iniFrameY", kDefaultFrameY));
    s.FrameSize = SizeClassOf(file.GetInt(kEnvironment, "iniFrameSize", kDefaultCellSize));
    s.MenuBarOn = file.GetInt(kEnvironment, "iniMenuBarOn", 1) == 1;
    s.StatusBarOn = file.GetInt(kEnvironment, "iniStatusBarOn", 1) == 1;
    s.PieceSupportOn = file.GetInt(kEnvironment, "iniPieceSupportOn", 0) == 1;
    s.language = file.Get(kEnvironment, kLanguageKey) == "en" ? Language::English : Language::Japanese;
    return loaded;
}

FileResult SaveSettings(const Settings& settings, const std::string& programDir) {
    const std::string path = programDir + kSettingsFile;
    const ReadResult read = ReadSettingsFile(path);
    if (!read.status) return read.status;
    ProfileFile file(read.content.value_or(""));
    file.Set(kPentomino, "iniFrameY", std::to_string(settings.FrameY));
    file.Set(kEnvironment, "iniFrameSize", std::to_string(settings.FrameSize));
    file.Set(kEnvironment, "iniMenuBarOn", settings.MenuBarOn ? "1" : "0");
    file.Set(kEnvironment, "iniStatusBarOn", settings.StatusBarOn ? "1" : "0");
    file.Set(kEnvironment, "iniPieceSupportOn", settings.PieceSupportOn ? "1" : "0");
    const bool english = settings.language == Language::English;
    if (english || file.Get(kEnvironment, kLanguageKey)) file.Set(kEnvironment, kLanguageKey, english ? "en" : "ja");
    return WriteFileAtomically(path, file.Text());
}

}  // namespace tilvaren
