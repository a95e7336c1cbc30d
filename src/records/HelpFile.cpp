#include "records/HelpFile.hpp"

#include <algorithm>
#include <map>

#include "records/ProfileFile.hpp"

namespace tilvaren {

namespace {

// The value of attribute `name` inside a tag's text, or none.
std::optional<std::string> Attribute(std::string_view tag, std::string_view name) {
    const std::string key = std::string(name) + "=\"";
    std::size_t at = 0;
    while ((at = tag.find(key, at)) != std::string_view::npos) {
        // Must start an attribute, not end another one's name.
        if (at == 0 || tag[at - 1] == ' ' || tag[at - 1] == '\t' || tag[at - 1] == '\n') {
            const std::size_t start = at + key.size();
            const std::size_t end = tag.find('"', start);
            if (end == std::string_view::npos) return std::nullopt;
            return std::string(tag.substr(start, end - start));
        }
        at += key.size();
    }
    return std::nullopt;
}

std::string StripTags(std::string_view html) {
    std::string text;
    bool inTag = false;
    for (const char c : html) {
        if (c == '<') inTag = true;
        if (!inTag) text += c;
        if (c == '>') inTag = false;
    }
    const auto blank = [](char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; };
    while (!text.empty() && blank(text.back())) text.pop_back();
    std::size_t first = 0;
    while (first < text.size() && blank(text[first])) ++first;
    return text.substr(first);
}

std::vector<std::string> SplitKeywords(const std::string& list) {
    std::vector<std::string> keywords;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(';', start), list.size());
        std::string keyword = StripTags(std::string_view(list).substr(start, end - start));
        if (!keyword.empty()) keywords.push_back(std::move(keyword));
        start = end + 1;
    }
    return keywords;
}

}  // namespace

HelpFile HelpFile::Parse(std::string_view text) {
    HelpFile file;
    constexpr std::string_view kOpen = "<h2 ";
    std::size_t at = text.find(kOpen);
    while (at != std::string_view::npos) {
        const std::size_t tagEnd = text.find('>', at);
        const std::size_t close = tagEnd == std::string_view::npos ? tagEnd : text.find("</h2>", tagEnd);
        if (close == std::string_view::npos) break;
        const std::size_t next = text.find(kOpen, close);
        const std::string_view tag = text.substr(at, tagEnd - at);

        HelpTopic topic;
        topic.id = Attribute(tag, "id").value_or("");
        topic.context = ParseDecimal(Attribute(tag, "data-context").value_or("")).value_or(0);
        topic.keywords = SplitKeywords(Attribute(tag, "data-keywords").value_or(""));
        topic.title = StripTags(text.substr(tagEnd + 1, close - tagEnd - 1));
        const std::size_t bodyStart = close + 5;
        topic.body = std::string(text.substr(bodyStart, next == std::string_view::npos ? std::string_view::npos
                                                                                       : next - bodyStart));
        if (!topic.id.empty() && file.byId_.try_emplace(topic.id, file.topics_.size()).second) {
            if (topic.context != 0) file.byContext_.try_emplace(topic.context, file.topics_.size());
            file.topics_.push_back(std::move(topic));
        }
        at = next;
    }
    return file;
}

const HelpTopic* HelpFile::ById(std::string_view id) const {
    const auto found = byId_.find(id);
    return found == byId_.end() ? nullptr : &topics_[found->second];
}

const HelpTopic* HelpFile::ByContext(int context) const {
    const auto found = byContext_.find(context);
    return found == byContext_.end() ? nullptr : &topics_[found->second];
}

std::vector<std::pair<std::string, std::vector<const HelpTopic*>>> HelpFile::KeywordIndex() const {
    std::map<std::string, std::vector<const HelpTopic*>> index;
    for (const HelpTopic& topic : topics_) {
        for (const std::string& keyword : topic.keywords) index[keyword].push_back(&topic);
    }
    return {index.begin(), index.end()};
}

}  // namespace tilvaren
