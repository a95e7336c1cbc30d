#include "records/HelpFile.hpp"

#include <algorithm>

#include "records/HelpMarkup.hpp"
#include "records/ProfileFile.hpp"

namespace tilvaren {

namespace {

// Compares as std::string_view::compare does, but with ASCII capitals taken as
// small letters; other bytes, and so all of UTF-8 beyond ASCII, as they are.
int CompareFolded(std::string_view a, std::string_view b) {
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a')
                                                                 : static_cast<unsigned char>(c); };
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (fold(a[i]) != fold(b[i])) return fold(a[i]) < fold(b[i]) ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
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
        const std::string_view attributes = text.substr(at + kOpen.size(), tagEnd - at - kOpen.size());

        HelpTopic topic;
        topic.id = HelpAttribute(attributes, "id").value_or("");
        topic.context = ParseDecimal(HelpAttribute(attributes, "data-context").value_or("")).value_or(0);
        topic.keywords = HelpKeywords(HelpAttribute(attributes, "data-keywords").value_or(""));
        topic.title = HelpPlainText(text.substr(tagEnd + 1, close - tagEnd - 1), kHelpTitleLimit);
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

std::vector<HelpKeyword> HelpFile::KeywordIndex() const {
    std::vector<HelpKeyword> index;
    std::size_t count = 0;
    for (const HelpTopic& topic : topics_) count += topic.keywords.size();
    index.reserve(count);
    for (const HelpTopic& topic : topics_) {
        for (const std::string& keyword : topic.keywords) index.push_back({keyword, &topic});
    }
    // Topics lie in file order, so their addresses order them by place.
    const auto order = [](const HelpKeyword& a, const HelpKeyword& b) {
        int c = CompareFolded(a.keyword, b.keyword);
        if (c == 0) c = a.keyword.compare(b.keyword);
        return c != 0 ? c < 0 : a.topic < b.topic;
    };
    const auto same = [](const HelpKeyword& a, const HelpKeyword& b) {
        return a.keyword == b.keyword && a.topic == b.topic;
    };
    std::sort(index.begin(), index.end(), order);
    index.erase(std::unique(index.begin(), index.end(), same), index.end());  // named twice in one topic
    for (std::size_t i = 1; i < index.size(); ++i) {
        if (index[i].keyword == index[i - 1].keyword) index[i].shared = index[i - 1].shared = true;
    }
    return index;
}

}  // namespace tilvaren
