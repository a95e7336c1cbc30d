#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tilvaren {

// An INI file that behaves like the profile-file service settings files are
// written for: "[Section]" headers and "key=value" lines, section and key
// names matched without regard to case or surrounding blanks, the first match
// winning. A line ends at "\r\n", "\n" or a lone "\r"; a UTF-8 byte-order mark
// at the start is kept and otherwise ignored. Setting a value rewrites only
// that key's line (or adds one); every other line, comments and unknown keys
// included, stays byte for byte, line ends too.
class ProfileFile {
public:
    ProfileFile() = default;
    // Reads any bytes; whether they are text this class understands is IsProfileText's to say.
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
        std::string text;         // without its line end
        std::string_view ending;  // "\r\n", "\n", "\r" or "" for a last line without one; a literal
    };
    // Index of the section's header line, or none.
    std::optional<std::size_t> FindSection(std::string_view section) const;
    // Index of the key's line within the section starting at `header`, or none.
    std::optional<std::size_t> FindKey(std::size_t header, std::string_view key) const;
    // The line end for a line added before line `end`: that of the nearest
    // line before it that has one, so that each part of a file with mixed line
    // ends keeps its own and a "\r" never comes right before a blank "\n"
    // line (the two would read back as one "\r\n"); CR LF in a file with none.
    std::string_view LineEndBefore(std::size_t end) const;

    bool utf8Mark_ = false;
    std::vector<Line> lines_;
};

// Whether `text` is something ProfileFile can read as lines of single bytes:
// no NUL byte and no UTF-16 or UTF-32 byte-order mark. Any other bytes, in
// UTF-8 or an 8-bit code page, pass; they are kept as they are.
bool IsProfileText(std::string_view text);

// A whole string as a decimal integer (an optional sign and digits, blanks
// around allowed) that fits an int; none otherwise.
std::optional<int> ParseDecimal(std::string_view text);

}  // namespace tilvaren
