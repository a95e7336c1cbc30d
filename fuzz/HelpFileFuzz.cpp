// Feeds arbitrary bytes to the help-file parser: every topic it keeps must be
// found again by its id and its context, and the keyword index must lead back
// to topics that carry the keyword.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "records/HelpFile.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const tilvaren::HelpFile file = tilvaren::HelpFile::Parse(text);
    const auto& topics = file.Topics();
    if (file.ByContext(0) != nullptr) std::abort();
    for (const tilvaren::HelpTopic& topic : topics) {
        if (topic.id.empty() || file.ById(topic.id) != &topic) std::abort();  // ids are unique
        if (topic.context == 0) continue;
        const tilvaren::HelpTopic* first = file.ByContext(topic.context);
        if (first == nullptr || first->context != topic.context || first > &topic) std::abort();
    }
    for (const auto& [keyword, leads] : file.KeywordIndex()) {
        if (keyword.empty() || leads.empty()) std::abort();
        for (const tilvaren::HelpTopic* topic : leads) {
            if (std::find(topic->keywords.begin(), topic->keywords.end(), keyword) == topic->keywords.end()) {
                std::abort();
            }
        }
    }
    return 0;
}
