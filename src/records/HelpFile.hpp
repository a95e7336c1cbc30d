#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tilvaren {

// One topic of the help file.
struct HelpTopic {
    std::string id;                     // anchor name, unique in the file
    int context = 0;                    // context number, 0 when none
    std::vector<std::string> keywords;  // index entries, plain text (HelpPlainText)
    std::string title;                  // plain text (HelpPlainText)
    std::string body;                   // HTML as in the file, up to the next topic
};

// One entry of the keyword index; it points into the file it came from.
struct HelpKeyword {
    std::string_view keyword;
    const HelpTopic* topic = nullptr;
    bool shared = false;  // other topics carry the keyword too
};

// The help file: an HTML page whose topics each begin with a heading
//   <h2 id="play" data-context="35000" data-keywords="click;cell">Title</h2>
// and run to the next such heading. Anything before the first heading is the
// page's head and is not a topic. Attribute values may be quoted either way or
// bare, as in HTML. The file is read as untrusted text: headings
// without an id are skipped, a bad context number counts as none, and of two
// topics with one id only the first is kept.
class HelpFile {
public:
    // One pass over the text, linear in its length.
    static HelpFile Parse(std::string_view text);

    const std::vector<HelpTopic>& Topics() const { return topics_; }
    // The topic with this id, or null; constant time.
    const HelpTopic* ById(std::string_view id) const;
    // The first topic with this context number, or null (always for 0); constant time.
    const HelpTopic* ByContext(int context) const;
    // Each keyword once for each topic that carries it, sorted by keyword and
    // then by the topic's place in the file; O(n log n) in their number.
    // Keywords sort as a reader looks them up, ASCII letters without regard
    // to case ("click" before "Ctrl+C"), and those that differ only in case
    // as written ("B" before "b").
    std::vector<HelpKeyword> KeywordIndex() const;

private:
    // Looks an id up without making a string of it.
    struct IdHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view id) const { return std::hash<std::string_view>{}(id); }
    };

    std::vector<HelpTopic> topics_;
    // Positions in topics_, so a copied or moved file stays right.
    std::unordered_map<std::string, std::size_t, IdHash, std::equal_to<>> byId_;
    std::unordered_map<int, std::size_t> byContext_;
};

}  // namespace tilvaren
