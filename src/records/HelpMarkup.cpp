#include "records/HelpMarkup.hpp"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace tilvaren {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr std::string_view kZeroWidthSpace = "\u200B";

bool IsBlank(char32_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The character at `at`, moving past it; a malformed sequence gives U+FFFD and
// moves past its longest valid-looking start, so each bad byte costs one.
char32_t DecodeUtf8(std::string_view text, std::size_t& at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at++);
    if (lead < 0x80) return lead;
    int length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    char32_t c = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, c = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, c = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
    } else {
        return kReplacement;
    }
    for (int i = 1; i < length; ++i) {
        if (at >= text.size() || byte(at) < low || byte(at) > high) return kReplacement;
        c = (c << 6) | (byte(at++) & 0x3F);
        low = 0x80, high = 0xBF;
    }
    return c;
}

// A character as the viewer may be given it: controls, the characters the
// viewer keeps for its own structure, and noncharacters become U+FFFD; the
// line and paragraph separators, which would each start a line or a block,
// become spaces.
char32_t Tame(char32_t c) {
    if (IsBlank(c)) return c;
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return kReplacement;
    if ((c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE || c == 0xFFFC) return kReplacement;
    if (c == 0x2028 || c == 0x2029) return ' ';
    return c;
}

// The entity at `at` (which holds '&'), moving past it, or none when it is
// not one and the '&' stands for itself.
std::optional<char32_t> DecodeEntity(std::string_view text, std::size_t& at) {
    struct Named {
        std::string_view name;
        char32_t c;
    };
    static constexpr Named kNamed[] = {
        {"amp", '&'},     {"lt", '<'},        {"gt", '>'},       {"quot", '"'},     {"apos", '\''},   {"nbsp", 0xA0},
        {"copy", 0xA9},   {"reg", 0xAE},      {"trade", 0x2122}, {"times", 0xD7},   {"divide", 0xF7}, {"middot", 0xB7},
        {"bull", 0x2022}, {"hellip", 0x2026}, {"ndash", 0x2013}, {"mdash", 0x2014}, {"laquo", 0xAB},  {"raquo", 0xBB},
        {"larr", 0x2190}, {"rarr", 0x2192},   {"uarr", 0x2191},  {"darr", 0x2193},  {"yen", 0xA5},    {"deg", 0xB0},
    };
    std::size_t end = at + 1;
    if (end < text.size() && text[end] == '#') {
        const bool hex = end + 1 < text.size() && (text[end + 1] == 'x' || text[end + 1] == 'X');
        end += hex ? 2 : 1;
        const std::size_t digitsStart = end;
        char32_t c = 0;
        while (end < text.size() && end - digitsStart < 8) {
            const char d = Lower(text[end]);
            int value = -1;
            if (IsAsciiDigit(d)) value = d - '0';
            if (hex && d >= 'a' && d <= 'f') value = d - 'a' + 10;
            if (value < 0) break;
            c = c * (hex ? 16 : 10) + static_cast<char32_t>(value);
            ++end;
        }
        if (end == digitsStart || end >= text.size() || text[end] != ';') return std::nullopt;
        at = end + 1;
        return c == 0 ? kReplacement : c;  // Tame() deals with the rest
    }
    while (end < text.size() && end - at <= 8 && (IsAsciiLetter(text[end]) || IsAsciiDigit(text[end]))) ++end;
    if (end >= text.size() || text[end] != ';') return std::nullopt;
    const std::string_view name = text.substr(at + 1, end - at - 1);
    for (const Named& named : kNamed) {
        if (named.name == name) {
            at = end + 1;
            return named.c;
        }
    }
    return std::nullopt;
}

// Finds the next occurrence of a marker at or after a position, for positions
// that only grow. A place found is kept until passed, and once there is none
// no search is made again, so a text full of openers without a closer costs
// one pass, not one per opener.
class NextFinder {
public:
    NextFinder(std::string_view text, std::string_view marker) : text_(text), marker_(marker) {}
    std::size_t From(std::size_t at) {
        if (found_ != std::string_view::npos && (!searched_ || found_ < at)) {
            found_ = text_.find(marker_, at);
            searched_ = true;
        }
        return found_;
    }

private:
    std::string_view text_;
    std::string_view marker_;
    std::size_t found_ = 0;
    bool searched_ = false;
};

enum class Element { kP, kBr, kB, kI, kUl, kOl, kLi, kA, kTable, kTr, kTh, kTd, kH2, kH3 };
constexpr std::array<std::string_view, 14> kElementNames = {"p", "br",    "b",  "i",  "ul", "ol", "li",
                                                            "a", "table", "tr", "th", "td", "h2", "h3"};

std::string_view NameOf(Element e) { return kElementNames[static_cast<std::size_t>(e)]; }

std::optional<Element> ElementNamed(std::string_view name) {
    const auto found = std::find(kElementNames.begin(), kElementNames.end(), name);
    if (found == kElementNames.end()) return std::nullopt;
    return static_cast<Element>(found - kElementNames.begin());
}

bool IsInline(Element e) { return e == Element::kB || e == Element::kI || e == Element::kA; }
bool IsCell(Element e) { return e == Element::kTd || e == Element::kTh; }
bool IsTable(Element e) { return e == Element::kTable; }
bool Never(Element) { return false; }

// Calls `use(name, value)` for each attribute in a tag's text after its name;
// names are lower case, values unquoted.
template <typename Use>
void ForEachAttribute(std::string_view attributes, Use use) {
    std::size_t at = 0;
    const auto skipBlanks = [&] {
        while (at < attributes.size() &&
               (IsBlank(static_cast<unsigned char>(attributes[at])) || attributes[at] == '/')) {
            ++at;
        }
    };
    while (true) {
        skipBlanks();
        if (at >= attributes.size()) return;
        std::string name;
        while (at < attributes.size() && !IsBlank(static_cast<unsigned char>(attributes[at])) &&
               attributes[at] != '=' && attributes[at] != '/') {
            name += Lower(attributes[at++]);
        }
        while (at < attributes.size() && IsBlank(static_cast<unsigned char>(attributes[at]))) ++at;
        std::string_view value;
        if (at < attributes.size() && attributes[at] == '=') {
            ++at;
            while (at < attributes.size() && IsBlank(static_cast<unsigned char>(attributes[at]))) ++at;
            if (at < attributes.size() && (attributes[at] == '"' || attributes[at] == '\'')) {
                const char quote = attributes[at++];
                const std::size_t end = std::min(attributes.find(quote, at), attributes.size());
                value = attributes.substr(at, end - at);
                at = std::min(end + 1, attributes.size());
            } else {
                const std::size_t start = at;
                while (at < attributes.size() && !IsBlank(static_cast<unsigned char>(attributes[at]))) ++at;
                value = attributes.substr(start, at - start);
            }
        }
        if (name.empty()) {
            ++at;  // a stray '=' or the like
        } else {
            use(name, value);
        }
    }
}

// A link target the viewer may be given: "#" and a topic id of printable
// characters that need no escaping.
bool IsTopicLink(std::string_view href) {
    if (href.size() < 2 || href.size() > 256 || href[0] != '#') return false;
    for (std::size_t at = 1; at < href.size();) {
        const char32_t c = DecodeUtf8(href, at);
        if (c <= ' ' || Tame(c) != c || c == kReplacement || c == '"' || c == '\'' || c == '<' || c == '>' ||
            c == '&' || c == '\\') {
            return false;
        }
    }
    return true;
}

// One pass over a topic's body, writing the page as it goes.
class Cleaner {
public:
    Cleaner(std::string_view body, std::string& out)
        : body_(body), out_(out), tagEnd_(body, ">"), commentEnd_(body, "-->") {}

    // Returns whether the whole body fitted.
    bool Run() {
        std::size_t at = 0;
        while (at < body_.size() && !Full()) {
            const char c = body_[at];
            if (c == '<') {
                at = Tag(at);
            } else if (c == '&') {
                const std::optional<char32_t> entity = DecodeEntity(body_, at);
                Text(entity.value_or('&'));
                if (!entity) ++at;
            } else {
                Text(DecodeUtf8(body_, at));
            }
        }
        while (!open_.empty()) CloseTop();
        return !cut_ && at >= body_.size();
    }

private:
    bool Full() const { return stopped_ || out_.size() >= kHelpPageLimit; }

    void Text(char32_t c) {
        if (Full()) {
            cut_ = true;
            return;
        }
        c = Tame(c);
        if (IsBlank(c)) {
            out_ += static_cast<char>(c);
            run_ = 0;
            return;
        }
        if (c == 0x200B) {
            out_ += kZeroWidthSpace;
            run_ = 0;
            return;
        }
        if (!open_.empty() && (Top() == Element::kTable || Top() == Element::kTr)) StartCell();
        if (c == '<') {
            out_ += "&lt;";
        } else if (c == '>') {
            out_ += "&gt;";
        } else if (c == '&') {
            out_ += "&amp;";
        } else {
            AppendUtf8(out_, c);
        }
        if (++run_ >= kHelpWordLimit) {
            out_ += kZeroWidthSpace;
            run_ = 0;
        }
    }

    // Shows a piece of the body as the text it is.
    void AsText(std::string_view raw) {
        std::size_t at = 0;
        while (at < raw.size() && !cut_) Text(DecodeUtf8(raw, at));
    }

    // Handles whatever starts with '<' at `at`; returns where to go on.
    std::size_t Tag(std::size_t at) {
        if (body_.substr(at, 4) == "<!--") {
            const std::size_t end = commentEnd_.From(at + 4);
            if (end != std::string_view::npos) return end + 3;
        }
        const std::size_t end = tagEnd_.From(at + 1);
        const bool closing = at + 1 < body_.size() && body_[at + 1] == '/';
        const std::size_t nameStart = at + (closing ? 2 : 1);
        if (end == std::string_view::npos || nameStart >= body_.size()) {
            Text('<');
            return at + 1;
        }
        const std::string_view inner = body_.substr(at + 1, end - at - 1);
        if (!closing && !inner.empty() && (inner[0] == '!' || inner[0] == '?')) return end + 1;  // declarations
        if (!IsAsciiLetter(body_[nameStart])) {
            Text('<');
            return at + 1;
        }
        std::size_t nameEnd = nameStart;
        std::string name;
        while (nameEnd < end && (IsAsciiLetter(body_[nameEnd]) || IsAsciiDigit(body_[nameEnd]))) {
            name += Lower(body_[nameEnd++]);
        }
        if (name == "html" || name == "head" || name == "body") return end + 1;
        const std::optional<Element> element = ElementNamed(name);
        const bool done = element && (closing ? Close(*element) : Open(*element, body_.substr(nameEnd, end - nameEnd)));
        if (!done) AsText(body_.substr(at, end + 1 - at));
        return end + 1;
    }

    Element Top() const { return open_.back(); }

    void CloseTop() {
        out_ += "</";
        out_ += NameOf(open_.back());
        out_ += '>';
        if (!IsInline(open_.back())) run_ = 0;
        open_.pop_back();
    }

    // Closes the elements down to and with the innermost `e` not beyond a
    // `stop`, if there is one.
    void CloseDownTo(Element e, bool (*stop)(Element)) {
        for (std::size_t i = open_.size(); i-- > 0;) {
            if (open_[i] == e) {
                while (open_.size() > i) CloseTop();
                return;
            }
            if (stop(open_[i])) return;
        }
    }

    // Closes the elements above the innermost of `containers` not beyond a
    // `stop`; false when there is none.
    bool CloseDownToContainer(std::initializer_list<Element> containers, bool (*stop)(Element)) {
        for (std::size_t i = open_.size(); i-- > 0;) {
            if (std::find(containers.begin(), containers.end(), open_[i]) != containers.end()) {
                while (open_.size() > i + 1) CloseTop();
                return true;
            }
            if (stop(open_[i])) return false;
        }
        return false;
    }

    // Text in a table but outside its cells would not be shown; it goes into a
    // cell of its own, or after the table when no cell fits.
    void StartCell() {
        const bool inRow = Top() == Element::kTr || Open(Element::kTr, {});
        if (!inRow || Full() || !Open(Element::kTd, {}) || Full()) CloseDownTo(Element::kTable, Never);
    }

    // Whether one more element fits; when not, the page ends here.
    bool Room(Element e) {
        if (!Full() && ++elements_ <= kHelpElementLimit && (!IsCell(e) || ++cells_ <= kHelpCellLimit)) return true;
        stopped_ = cut_ = true;
        return false;
    }

    // Writes the start tag when `e` may open here; false when it is to be
    // shown as text instead.
    bool Open(Element e, std::string_view attributes) {
        std::string attribute;
        switch (e) {
            case Element::kBr:
                if (Room(e)) out_ += "<br>";
                run_ = 0;
                return true;
            case Element::kLi:
                if (!CloseDownToContainer({Element::kUl, Element::kOl}, IsCell)) return false;
                break;
            case Element::kTr:  // tables do not nest, so the innermost is the one
                if (!CloseDownToContainer({Element::kTable}, Never)) return false;
                break;
            case Element::kTd:
            case Element::kTh:
                if (!CloseDownToContainer({Element::kTr}, IsTable)) return false;
                break;
            case Element::kTable:
                if (std::any_of(open_.begin(), open_.end(), IsTable)) return false;
                ForEachAttribute(attributes, [&](const std::string& name, std::string_view value) {
                    if (name == "border" && !value.empty() && value.size() <= 2 &&
                        std::all_of(value.begin(), value.end(), IsAsciiDigit)) {
                        attribute = " border=\"" + std::string(value) + "\"";
                    }
                });
                break;
            case Element::kA:
                CloseDownTo(Element::kA, IsCell);  // links do not nest
                ForEachAttribute(attributes, [&](const std::string& name, std::string_view value) {
                    if (name == "href" && IsTopicLink(value)) attribute = " href=\"" + std::string(value) + "\"";
                });
                break;
            default:
                break;
        }
        if (!IsInline(e) && !open_.empty() && Top() == Element::kP) CloseTop();  // as HTML ends a paragraph
        if (open_.size() >= kHelpDepthLimit) return false;
        if (!Room(e)) return true;
        out_ += '<';
        out_ += NameOf(e);
        out_ += attribute;
        out_ += '>';
        if (!IsInline(e)) run_ = 0;
        open_.push_back(e);
        return true;
    }

    // Writes the end tags down to the innermost open `e`, within its table
    // cell or, for a table's own parts, within its table. A close tag with
    // nothing to close is dropped, as HTML does.
    bool Close(Element e) {
        if (IsCell(e) || e == Element::kTr || IsTable(e)) {
            CloseDownTo(e, IsTable);
        } else if (e != Element::kBr) {
            CloseDownTo(e, IsCell);
        }
        return true;
    }

    std::string_view body_;
    std::string& out_;
    NextFinder tagEnd_;
    NextFinder commentEnd_;
    std::vector<Element> open_;
    std::size_t run_ = 0;   // characters since the last break opportunity
    bool cut_ = false;      // some text did not fit
    bool stopped_ = false;  // no more elements fit
    std::size_t elements_ = 0;
    std::size_t cells_ = 0;
};

}  // namespace

HelpPage MakeHelpPage(const HelpTopic& topic) {
    HelpPage page;
    page.html = "<h2>";
    for (const char c : topic.title) {
        if (c == '<') {
            page.html += "&lt;";
        } else if (c == '>') {
            page.html += "&gt;";
        } else if (c == '&') {
            page.html += "&amp;";
        } else {
            page.html += c;
        }
    }
    page.html += "</h2>";
    page.shortened = !Cleaner(topic.body, page.html).Run();
    return page;
}

std::string HelpPlainText(std::string_view html, std::size_t limit) {
    std::string text;
    NextFinder tagEnd(html, ">");
    std::size_t count = 0;
    bool blank = false;
    std::size_t at = 0;
    while (at < html.size()) {
        char32_t c = 0;
        if (html[at] == '<') {
            const std::size_t end = tagEnd.From(at + 1);
            if (end == std::string_view::npos) break;  // an unfinished tag ends the text
            at = end + 1;
            continue;
        }
        if (html[at] == '&') {
            const std::optional<char32_t> entity = DecodeEntity(html, at);
            c = entity.value_or('&');
            if (!entity) ++at;
        } else {
            c = DecodeUtf8(html, at);
        }
        c = Tame(c);
        if (IsBlank(c)) {
            blank = !text.empty();
            continue;
        }
        // The blank joining two words counts as one of the limit's characters.
        if (count + (blank ? 2 : 1) > limit) {
            text += "…";
            break;
        }
        if (blank) {
            text += ' ';
            ++count;
        }
        blank = false;
        AppendUtf8(text, c);
        ++count;
    }
    return text;
}

std::optional<std::string> HelpAttribute(std::string_view attributes, std::string_view name) {
    std::optional<std::string> found;
    ForEachAttribute(attributes, [&](const std::string& each, std::string_view value) {
        if (!found && each == name) found = std::string(value);
    });
    return found;
}

std::vector<std::string> HelpKeywords(std::string_view list) {
    std::vector<std::string> keywords;
    keywords.reserve(static_cast<std::size_t>(std::count(list.begin(), list.end(), ';')) + 1);
    std::size_t start = 0;
    std::size_t at = 0;
    while (at <= list.size()) {
        std::size_t entityEnd = at;
        if (at < list.size() && list[at] == '&' && DecodeEntity(list, entityEnd)) {
            at = entityEnd;  // its ';' ends the entity, not the keyword
            continue;
        }
        if (at == list.size() || list[at] == ';') {
            std::string keyword = HelpPlainText(list.substr(start, at - start), kHelpKeywordLimit);
            if (!keyword.empty()) keywords.push_back(std::move(keyword));
            start = at + 1;
        }
        ++at;
    }
    return keywords;
}

}  // namespace tilvaren
