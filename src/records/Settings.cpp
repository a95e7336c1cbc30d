#include "records/Settings.hpp"

#include <algorithm>
#include <optional>

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

// Beyond any screen: a place further out is damage, not a place.
constexpr int kPlaceLimit = 100000;
constexpr const char* kCollectionKeys[] = {"iniCollectionLeft", "iniCollectionTop", "iniCollectionWidth",
                                           "iniCollectionHeight"};
constexpr const char* kCollectionOrder = "iniCollectionOrder";

std::optional<int> PlaceValue(const ProfileFile& file, const char* key, int least) {
    const std::optional<std::string> text = file.Get(kEnvironment, key);
    const std::optional<int> value = text ? ParseDecimal(*text) : std::nullopt;
    if (!value || *value < least || *value > kPlaceLimit) return std::nullopt;
    return value;
}

KeptWindowPlace ReadCollectionPlace(const ProfileFile& file) {
    KeptWindowPlace place;
    const std::optional<int> width = PlaceValue(file, kCollectionKeys[2], 1);
    const std::optional<int> height = PlaceValue(file, kCollectionKeys[3], 1);
    if (!width || !height) return place;  // no size, no place: the corner alone means nothing
    place.width = *width;
    place.height = *height;
    const std::optional<int> left = PlaceValue(file, kCollectionKeys[0], -kPlaceLimit);
    const std::optional<int> top = PlaceValue(file, kCollectionKeys[1], -kPlaceLimit);
    if (left && top) {
        place.hasCorner = true;
        place.left = *left;
        place.top = *top;
    }
    return place;
}

// One digit a page, "0" or "1"; anything else leaves every page by number.
std::array<int, 4> ReadCollectionOrders(const ProfileFile& file) {
    std::array<int, 4> orders{};
    const std::optional<std::string> text = file.Get(kEnvironment, kCollectionOrder);
    if (!text || text->size() != orders.size()) return orders;
    for (std::size_t i = 0; i < orders.size(); ++i) {
        if ((*text)[i] != '0' && (*text)[i] != '1') return {};
        orders[i] = (*text)[i] - '0';
    }
    return orders;
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
    s.CollectionPlace = ReadCollectionPlace(file);
    s.CollectionOrders = ReadCollectionOrders(file);
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
    const KeptWindowPlace& place = settings.CollectionPlace;
    if (place.HasSize()) {
        if (place.hasCorner) {
            file.Set(kEnvironment, kCollectionKeys[0], std::to_string(place.left));
            file.Set(kEnvironment, kCollectionKeys[1], std::to_string(place.top));
        }
        file.Set(kEnvironment, kCollectionKeys[2], std::to_string(place.width));
        file.Set(kEnvironment, kCollectionKeys[3], std::to_string(place.height));
    }
    const std::array<int, 4>& orders = settings.CollectionOrders;
    if (std::any_of(orders.begin(), orders.end(), [](int order) { return order != 0; }) ||
        file.Get(kEnvironment, kCollectionOrder)) {
        std::string digits;
        for (const int order : orders) digits += order == 1 ? '1' : '0';
        file.Set(kEnvironment, kCollectionOrder, digits);
    }
    return WriteFileAtomically(path, file.Text());
}

}  // namespace tilvaren
