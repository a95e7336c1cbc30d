#include "core/Translatable.hpp"

namespace tilvaren {

std::string FillIn(std::string_view form, const std::vector<std::string>& args) {
    std::string text;
    text.reserve(form.size());
    for (std::size_t i = 0; i < form.size(); ++i) {
        const char next = i + 1 < form.size() ? form[i + 1] : '\0';
        const std::size_t n = static_cast<std::size_t>(next - '1');
        if (form[i] == '%' && next >= '1' && next <= '9' && n < args.size()) {
            text += args[n];
            ++i;
        } else {
            text += form[i];
        }
    }
    return text;
}

}  // namespace tilvaren
