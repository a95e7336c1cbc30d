#include "records/ProfileFile.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace tilvaren {

namespace {

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool SameName(std::string_view a, std::string_view b) {
    a = Trim(a);
    b = Trim(b);
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The name of a section header line, or none when the line is no header.
std::optional<std::string_view> HeaderName(std::string_view line) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[') return std::nullopt;
    const auto close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return line.substr(1, close - 1);
}

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kLf = "\n";
constexpr std::string_view kCr = "\r";
constexpr std::string_view kNoLineEnd = "";

bool IsComment(std::string_view line) {
    line = Trim(line);
    return !line.empty() && line.front() == ';';
}

}  // namespace

std::optional<int> ParseDecimal(std::string_view text) {
    text = Trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

ProfileFile::ProfileFile(std::string_view text) {
    if (text.starts_with(kUtf8Mark)) {
        utf8Mark_ = true;
        text.remove_prefix(kUtf8Mark.size());
    }
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            lines_.push_back({std::string(text), kNoLineEnd});
            break;
        }
        std::string_view ending = kLf;
        if (text[end] == '\r') ending = text.substr(end, 2) == kCrLf ? kCrLf : kCr;
        lines_.push_back({std::string(text.substr(0, end)), ending});
        text.remove_prefix(end + ending.size());
    }
}

std::optional<std::size_t> ProfileFile::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = HeaderName(lines_[i].text);
        if (name && SameName(*name, section)) return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> ProfileFile::FindKey(std::size_t header, std::string_view key) const {
    for (std::size_t i = header + 1; i < lines_.size() && !HeaderName(lines_[i].text); ++i) {
        const std::string& text = lines_[i].text;
        const auto equals = text.find('=');
        if (equals == std::string::npos || IsComment(text)) continue;
        if (SameName(std::string_view(text).substr(0, equals), key)) return i;
    }
    return std::nullopt;
}

std::optional<std::string> ProfileFile::Get(std::string_view section, std::string_view key) const {
    const auto header = FindSection(section);
    if (!header) return std::nullopt;
    const auto line = FindKey(*header, key);
    if (!line) return std::nullopt;
    const std::string& text = lines_[*line].text;
    return std::string(Trim(std::string_view(text).substr(text.find('=') + 1)));
}

int ProfileFile::GetInt(std::string_view section, std::string_view key, int fallback) const {
    const auto value = Get(section, key);
    if (!value) return fallback;
    return ParseDecimal(*value).value_or(fallback);
}

std::string_view ProfileFile::LineEndBefore(std::size_t end) const {
    for (std::size_t i = end; i-- > 0;) {
        if (!lines_[i].ending.empty()) return lines_[i].ending;
    }
    return kCrLf;
}

void ProfileFile::Set(std::string_view section, std::string_view key, std::string_view value) {
    std::string entry(Trim(key));
    entry.append("=").append(value);

    if (const auto header = FindSection(section)) {
        if (const auto line = FindKey(*header, key)) {
            std::string& text = lines_[*line].text;
            text.resize(text.find('=') + 1);
            text.append(value);
            return;
        }
        // After the section's last line that is not blank.
        std::size_t last = *header;
        for (std::size_t i = *header + 1; i < lines_.size() && !HeaderName(lines_[i].text); ++i) {
            if (!Trim(lines_[i].text).empty()) last = i;
        }
        const std::string_view ending = LineEndBefore(last + 1);
        if (lines_[last].ending.empty()) lines_[last].ending = ending;
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(last + 1), Line{std::move(entry), ending});
        return;
    }
    const std::string_view ending = LineEndBefore(lines_.size());
    if (!lines_.empty() && lines_.back().ending.empty()) lines_.back().ending = ending;
    std::string headerLine("[");
    headerLine.append(Trim(section)).append("]");
    lines_.push_back({std::move(headerLine), ending});
    lines_.push_back({std::move(entry), ending});
}

std::string ProfileFile::Text() const {
    std::string text;
    if (utf8Mark_) text = kUtf8Mark;
    for (const Line& line : lines_) text.append(line.text).append(line.ending);
    return text;
}

bool IsProfileText(std::string_view text) {
    constexpr std::string_view kUtf16Marks[] = {"\xFF\xFE", "\xFE\xFF"};
    for (const std::string_view mark : kUtf16Marks) {
        if (text.starts_with(mark)) return false;
    }
    return text.find('\0') == std::string_view::npos;
}

}  // namespace tilvaren
