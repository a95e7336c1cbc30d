#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/HelpFile.hpp"

namespace tilvaren {

// Bounds on what a topic hands to a rich-text viewer. Its parser and layout
// slow down badly on deep nesting and on long unbroken words, so the page is
// rebuilt within these, and the viewer's work stays well under a tenth of a
// second whatever the file holds. The real topics stay far inside them.
inline constexpr std::size_t kHelpPageLimit = 32 * 1024;  // bytes of HTML
inline constexpr std::size_t kHelpElementLimit = 400;     // elements in a page
inline constexpr std::size_t kHelpCellLimit = 200;        // table cells in a page
inline constexpr std::size_t kHelpDepthLimit = 12;        // elements open at once
inline constexpr std::size_t kHelpWordLimit = 200;        // characters without a break opportunity
inline constexpr std::size_t kHelpTitleLimit = 200;       // characters of a title
inline constexpr std::size_t kHelpKeywordLimit = 100;     // characters of a keyword

// A topic rebuilt for the viewer.
struct HelpPage {
    std::string html;
    bool shortened = false;  // the topic was longer than a page; its end is left out
};

// The topic as a page: its title as a heading, then its body rebuilt in the
// few elements a help page needs (p, br, b, i, ul, ol, li, a href="#id",
// table border, tr, th, td, h2, h3), at most kHelpDepthLimit deep, with no
// other attribute. A list item, row or cell outside its list, table or row, a
// table inside a table and any other tag are shown as the text they are; the
// page's own html, head and body tags, comments and declarations are dropped.
// Entities are decoded, invalid UTF-8 and control characters become U+FFFD,
// and a word longer than kHelpWordLimit gets a zero-width space. The result is
// valid UTF-8, well nested, and within kHelpPageLimit plus its closing tags.
// Linear in the topic's length.
HelpPage MakeHelpPage(const HelpTopic& topic);

// The text of a piece of the file without its markup: tags dropped, entities
// decoded, invalid UTF-8 and control characters made U+FFFD, each run of
// blanks one space, none at either end; longer than `limit` characters, it is
// cut and ends in "…". Linear in the piece's length.
std::string HelpPlainText(std::string_view html, std::size_t limit);

// The value of attribute `name` in a tag's text after its name, written as
// HTML allows: in double or single quotes or bare. The first one counts; none
// when there is none.
std::optional<std::string> HelpAttribute(std::string_view attributes, std::string_view name);

// The keywords of a data-keywords list: split at each ';' that does not end an
// entity, each as HelpPlainText of at most kHelpKeywordLimit characters, the
// empty ones left out.
std::vector<std::string> HelpKeywords(std::string_view list);

}  // namespace tilvaren
