// Feeds arbitrary bytes to the help-file parser: every topic it keeps must be
// found again by its id and its context, the keyword index must lead back to
// topics that carry the keyword, and every page made of a topic must be one
// the viewer can be given: valid UTF-8, only the elements and attributes
// allowed, well nested, within the limits.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "records/HelpFile.hpp"
#include "records/HelpMarkup.hpp"

namespace {

using namespace tilvaren;

void Check(bool ok) {
    if (!ok) std::abort();
}

// The number of characters in valid UTF-8 text with no control character but
// blanks; aborts on anything else.
std::size_t CheckText(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++count) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        Check(lead < 0x80 || (lead >= 0xC2 && lead <= 0xF4));
        Check(lead >= 0x20 || lead == '\t' || lead == '\n' || lead == '\r' || lead == '\f');
        Check(lead != 0x7F && at + length <= text.size());
        for (std::size_t i = 1; i < length; ++i) Check((static_cast<unsigned char>(text[at + i]) & 0xC0) == 0x80);
        at += length;
    }
    return count;
}

void CheckPage(const HelpPage& page) {
    const std::string& html = page.html;
    Check(html.size() <= kHelpPageLimit + 512);
    CheckText(html);
    constexpr std::string_view kElements[] = {"p", "br",    "b",  "i",  "ul", "ol", "li",
                                              "a", "table", "tr", "th", "td", "h2", "h3"};
    std::vector<std::string_view> open;
    std::size_t elements = 0;
    std::size_t cells = 0;
    for (std::size_t at = 0; at < html.size(); ++at) {
        if (html[at] == '&') {
            const std::string_view rest = std::string_view(html).substr(at);
            Check(rest.starts_with("&lt;") || rest.starts_with("&gt;") || rest.starts_with("&amp;"));
        }
        Check(html[at] != '>');  // in text it is "&gt;"; a tag's own is passed over below
        if (html[at] != '<') continue;
        const std::size_t end = html.find('>', at);
        Check(end != std::string::npos);
        std::string_view tag = std::string_view(html).substr(at + 1, end - at - 1);
        const bool closing = tag.starts_with('/');
        if (closing) tag.remove_prefix(1);
        const std::string_view name = tag.substr(0, tag.find(' '));
        const std::string_view attributes = tag.substr(name.size());
        Check(std::find(std::begin(kElements), std::end(kElements), name) != std::end(kElements));
        if (closing) {
            Check(!open.empty() && open.back() == name && attributes.empty());
            open.pop_back();
        } else {
            ++elements;
            cells += name == "td" || name == "th";
            if (name == "a" && !attributes.empty()) {
                Check(attributes.starts_with(" href=\"#") && attributes.ends_with('"'));
                Check(attributes.find_first_of("<>&'\" ", 8) == attributes.size() - 1);
            } else if (name == "table" && !attributes.empty()) {
                Check(attributes.starts_with(" border=\"") && attributes.ends_with('"') && attributes.size() <= 12);
            } else {
                Check(attributes.empty());
            }
            if (name != "br") open.push_back(name);
            Check(open.size() <= kHelpDepthLimit);
        }
        at = end;
    }
    Check(open.empty());
    Check(elements <= kHelpElementLimit + 1 && cells <= kHelpCellLimit);  // the heading is one more
}

void CheckPlain(std::string_view text, std::size_t limit) {
    Check(!text.empty() || limit == kHelpTitleLimit);
    Check(text.empty() || (text.front() != ' ' && text.back() != ' '));
    Check(CheckText(text) <= limit + 1);  // a cut one ends in "…"
}

std::string Folded(std::string_view text) {
    std::string folded(text);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const HelpFile file = HelpFile::Parse(text);
    const auto& topics = file.Topics();
    Check(file.ByContext(0) == nullptr);
    for (const HelpTopic& topic : topics) {
        Check(!topic.id.empty() && file.ById(topic.id) == &topic);  // ids are unique
        CheckPlain(topic.title, kHelpTitleLimit);
        for (const std::string& keyword : topic.keywords) CheckPlain(keyword, kHelpKeywordLimit);
        CheckPage(MakeHelpPage(topic));
        if (topic.context == 0) continue;
        const HelpTopic* first = file.ByContext(topic.context);
        Check(first != nullptr && first->context == topic.context && first <= &topic);
    }
    const std::vector<HelpKeyword> index = file.KeywordIndex();
    const auto sameKeyword = [&index](std::size_t i, std::size_t j) {
        return j < index.size() && index[i].keyword == index[j].keyword;
    };
    for (std::size_t i = 0; i < index.size(); ++i) {
        const HelpKeyword& entry = index[i];
        Check(!entry.keyword.empty() && entry.topic != nullptr);
        Check(std::find(entry.topic->keywords.begin(), entry.topic->keywords.end(), entry.keyword) !=
              entry.topic->keywords.end());
        Check(entry.shared == ((i > 0 && sameKeyword(i, i - 1)) || sameKeyword(i, i + 1)));
        if (i > 0) {
            // A to Z count as a to z first, so "undo" and "Undo" stand together.
            const HelpKeyword& before = index[i - 1];
            const std::string a = Folded(before.keyword);
            const std::string b = Folded(entry.keyword);
            Check(a < b || (a == b && (before.keyword < entry.keyword ||
                                       (before.keyword == entry.keyword && before.topic < entry.topic))));
        }
    }
    return 0;
}
