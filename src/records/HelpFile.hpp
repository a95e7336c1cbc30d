#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tilvaren {

// One topic of the help file.
struct HelpTopic {
    std::string id;                     // anchor name, unique in the file
    int context = 0;                    // context number, 0 when none
    std::vector<std::string> keywords;  // index entries
    std::string title;                  // plain text
    std::string body;                   // HTML, up to the next topic
};

// The help file: an HTML page whose topics each begin with a heading
//   <h2 id="play" data-context="35000" data-keywords="click;cell">Title</h2>
// and run to the next such heading. Anything before the first heading is the
// page's head and is not a topic. The file is read as untrusted text: headings
// without an id are skipped, a bad context number counts as none.
class HelpFile {
public:
    static HelpFile Parse(std::string_view text);

    const std::vector<HelpTopic>& Topics() const { return topics_; }
    const HelpTopic* ById(std::string_view id) const;
    const HelpTopic* ByContext(int context) const;
    // Every keyword with the topics it leads to, sorted by keyword.
    std::vector<std::pair<std::string, std::vector<const HelpTopic*>>> KeywordIndex() const;

private:
    std::vector<HelpTopic> topics_;
};

}  // namespace tilvaren
