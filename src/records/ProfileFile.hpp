#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tilvaren {

// An INI file that behaves like the profile-file service settings files are
// written for: "[Section]" headers and "key=value" lines, section and key
// names matched without regard to case or surrounding blanks, the first match
// winning. Setting a value rewrites only that key's line (or adds one); every
// other line, comments and unknown keys included, stays byte for byte.
class ProfileFile {
public:
    ProfileFile() = default;
    explicit ProfileFile(std::string_view text);

    // The value of a key, blanks around it removed; none when absent.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    // The value as a decimal integer, or `fallback` when absent or not a number.
    int GetInt(std::string_view section, std::string_view key, int fallback) const;
    // Sets a key, adding the key (and its section) when missing.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    // The file's text as it should be written.
    std::string Text() const;

private:
    struct Line {
        std::string text;    // without its line end
        std::string ending;  // "\r\n", "\n" or "" for a last line without one
    };
    // Index of the section's header line, or none.
    std::optional<std::size_t> FindSection(std::string_view section) const;
    // Index of the key's line within the section starting at `header`, or none.
    std::optional<std::size_t> FindKey(std::size_t header, std::string_view key) const;
    std::string NewLineEnding() const;

    std::vector<Line> lines_;
};

// A whole string as a decimal integer (an optional sign and digits, blanks
// around allowed) that fits an int; none otherwise.
std::optional<int> ParseDecimal(std::string_view text);

}  // namespace tilvaren
