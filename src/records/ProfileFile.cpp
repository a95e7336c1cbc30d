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
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t newline = text.find('\n', start);
        if (newline == std::string_view::npos) {
            lines_.push_back({std::string(text.substr(start)), ""});
            break;
        }
        std::size_t end = newline;
        std::string ending = "\n";
        if (end > start && text[end - 1] == '\r') {
            --end;
            ending = "\r\n";
        }
        lines_.push_back({std::string(text.substr(start, end - start)), ending});
        start = newline + 1;
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

std::string ProfileFile::NewLineEnding() const {
    for (const Line& line : lines_) {
        if (!line.ending.empty()) return line.ending;
    }
    return "\r\n";
}

void ProfileFile::Set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string ending = NewLineEnding();
    const std::string entry = std::string(Trim(key)) + "=" + std::string(value);
    // A last line without its line end gets one before anything follows it.
    const auto terminateLast = [this, &ending] {
        if (!lines_.empty() && lines_.back().ending.empty()) lines_.back().ending = ending;
    };

    const auto header = FindSection(section);
    if (!header) {
        terminateLast();
        lines_.push_back({"[" + std::string(Trim(section)) + "]", ending});
        lines_.push_back({entry, ending});
        return;
    }
    if (const auto line = FindKey(*header, key)) {
        std::string& text = lines_[*line].text;
        text = text.substr(0, text.find('=') + 1) + std::string(value);
        return;
    }
    // After the section's last line that is not blank.
    std::size_t last = *header;
    for (std::size_t i = *header + 1; i < lines_.size() && !HeaderName(lines_[i].text); ++i) {
        if (!Trim(lines_[i].text).empty()) last = i;
    }
    if (last + 1 == lines_.size()) terminateLast();
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(last + 1), Line{entry, ending});
}

std::string ProfileFile::Text() const {
    std::string text;
    for (const Line& line : lines_) text += line.text + line.ending;
    return text;
}

}  // namespace tilvaren
