#pragma once

#include <string>
#include <string_view>
#include <vector>

// Marks a Japanese text below the window for the translation tools, which
// read it as QT_TRANSLATE_NOOP; here it is the text itself. The window
// translates it in the same context.
#define TILVAREN_TR_NOOP(context, text) text

namespace tilvaren {

// The translators' context of every text marked below the window.
inline constexpr const char* kEngineTexts = "Engine";

// Fills "%1" to "%9" in `form` with `args` in one pass, so that an argument
// holding "%1" stays as it is; a marker without an argument stays as written.
std::string FillIn(std::string_view form, const std::vector<std::string>& args);

// A text told from below the window: a marked form in kEngineTexts and what
// fills it in. The window translates the form and fills it in itself.
struct MarkedText {
    const char* form = "";
    std::vector<std::string> args;

    // The Japanese text, filled in.
    std::string Plain() const { return FillIn(form, args); }
    bool Empty() const { return *form == '\0'; }
};

}  // namespace tilvaren
