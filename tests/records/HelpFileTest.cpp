#include <gtest/gtest.h>

#include "records/HelpFile.hpp"
#include "records/HelpMarkup.hpp"
#include "support/TempDir.hpp"

namespace tilvaren {
namespace {

// Each topic as "id@context title [keyword;keyword] body", one per line.
std::string Summary(const HelpFile& file) {
    std::string text;
    for (const HelpTopic& t : file.Topics()) {
        text += t.id + "@" + std::to_string(t.context) + " " + t.title + " [";
        for (const std::string& k : t.keywords) text += k + (&k == &t.keywords.back() ? "" : ";");
        text += "] " + t.body + "\n";
    }
    return text;
}

TEST(HelpFile, WhatIsATopic) {
    struct Case {
        const char* name;
        const char* text;
        const char* topics;
    };
    const Case cases[] = {
        {"the head is not a topic", "<p>head</p><h2 id=\"a\" data-context=\"7\">A</h2>x", "a@7 A [] x\n"},
        {"of two ids the first is kept, the second's body is dropped",
         "<h2 id=\"a\">A</h2>1<h2 id=\"a\">B</h2>2<h2 id=\"b\">C</h2>3", "a@0 A [] 1\nb@0 C [] 3\n"},
        {"a heading without an id is passed over", "<h2 title=\"x\">A</h2>1<h2 data-id=\"d\" id=\"b\">B</h2>2",
         "b@0 B [] 2\n"},
        {"attribute values may be bare or in single quotes", "<h2 data-context='7' id=a data-keywords=x;y>A</h2>",
         "a@7 A [x;y] \n"},
        {"a context that is not a number is none", "<h2 id=\"a\" data-context=\"35000x\">A</h2>",
         "a@0 A [] \n"},
        {"an unterminated heading ends the file", "<h2 id=\"a\">A</h2>1<h2 id=\"b\">B", "a@0 A [] 1\n"},
        {"keywords are trimmed and empties dropped; the title is plain text",
         "<h2 id=\"a\" data-keywords=\" one ;; two; \">\n <i>A</i> </h2>", "a@0 A [one;two] \n"},
        {"titles and keywords decode entities, repair UTF-8 and join blanks",
         "<h2 id=\"a\" data-keywords=\"x&#59;y;&lt;z&gt;;a\xff\">A &amp;\n\t<b>B</b>&#1;</h2>",
         "a@0 A & B\uFFFD [x;y;<z>;a\uFFFD] \n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Summary(HelpFile::Parse(c.text)), c.topics);
    }
}

TEST(HelpFile, LookupsFindTheFirstAndSurviveACopy) {
    const HelpFile parsed = HelpFile::Parse(
        "<h2 id=\"a\" data-context=\"5\">A</h2><h2 id=\"b\" data-context=\"5\">B</h2>"
        "<h2 id=\"b\" data-context=\"6\">dropped</h2><h2 id=\"c\" data-context=\"0\">C</h2>");
    const HelpFile file = parsed;  // the lookups must point into the copy
    ASSERT_EQ(file.Topics().size(), 3U);
    EXPECT_EQ(file.ById("a"), &file.Topics()[0]);
    EXPECT_EQ(file.ById("b"), &file.Topics()[1]);
    EXPECT_EQ(file.ById("B"), nullptr);
    EXPECT_EQ(file.ById(""), nullptr);
    EXPECT_EQ(file.ByContext(5), &file.Topics()[0]);
    EXPECT_EQ(file.ByContext(6), nullptr);
    EXPECT_EQ(file.ByContext(0), nullptr);
}

TEST(HelpFile, KeywordIndexListsEachTopicOnceInOrder) {
    struct Case {
        const char* name;
        const char* text;
        const char* index;
    };
    const Case cases[] = {
        {"by keyword, then by the topic's place; a topic's own repeat dropped",
         "<h2 id=\"a\" data-keywords=\"b;z;b\">A</h2><h2 id=\"b\" data-keywords=\"a;b\">B</h2>",
         "a@b b@a+ b@b+ z@a "},
        {"ASCII letters in either case together, keywords differing in case apart",
         "<h2 id=\"a\" data-keywords=\"Ctrl+C;undo;Zoom\">A</h2><h2 id=\"b\" data-keywords=\"click;Undo;zoom;元\">B</h2>",
         "click@b Ctrl+C@a Undo@b undo@a Zoom@a zoom@b 元@b "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const HelpFile file = HelpFile::Parse(c.text);  // the index points into it
        std::string index;
        for (const HelpKeyword& k : file.KeywordIndex()) {
            index += std::string(k.keyword) + "@" + k.topic->id + (k.shared ? "+ " : " ");
        }
        EXPECT_EQ(index, c.index);
    }
}

TEST(HelpFile, TitlesAndKeywordsAreCutToAListsWidth) {
    const std::string longWord(kHelpTitleLimit + 1, 'x');
    const HelpFile file = HelpFile::Parse("<h2 id=\"a\" data-keywords=\"" + longWord + "\">" + longWord + "</h2>");
    EXPECT_EQ(file.Topics()[0].title, longWord.substr(0, kHelpTitleLimit) + "…");
    EXPECT_EQ(file.Topics()[0].keywords[0], longWord.substr(0, kHelpKeywordLimit) + "…");
    // The blanks between words count too: 200 characters, then the mark.
    std::string words;
    for (std::size_t i = 0; i < kHelpTitleLimit; ++i) words += "w ";
    const HelpFile spaced = HelpFile::Parse("<h2 id=\"a\">" + words + "</h2>");
    EXPECT_EQ(spaced.Topics()[0].title, words.substr(0, kHelpTitleLimit - 1) + "…");
}

// Each topic as "id@context", one per line: what context help and links find.
std::string Outline(const HelpFile& file) {
    std::string text;
    for (const HelpTopic& t : file.Topics()) text += t.id + "@" + std::to_string(t.context) + "\n";
    return text;
}

// Whether the text holds kana, kanji, CJK punctuation or a full- or half-width
// form, as UTF-8: the lead bytes of U+3000 to U+9FFF and of U+FF00 and up.
bool HasJapanese(std::string_view text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const auto next = static_cast<unsigned char>(text[i + 1]);
        if ((lead >= 0xE3 && lead <= 0xE9) || (lead == 0xEF && next >= 0xBC)) return true;
    }
    return false;
}

// The help files as built. Each reads with no topic cut short and no tag shown
// as text, each link leads to a topic of its own file, and a translation has
// the original's topics in the original's order with the same context numbers,
// so F1 and the links open the same topic in either language.
TEST(HelpFile, TheShippedFilesReadCleanlyAndMatchTheOriginal) {
    struct Case {
        const char* name;
        const char* path;
        bool japanese;  // in Japanese, or with no Japanese character at all
    };
    const Case cases[] = {
        {"the original", TILVAREN_HELP_FILE, true},
        {"English", TILVAREN_HELP_FILE_EN, false},
    };
    const HelpFile original = HelpFile::Parse(testing::ReadAll(TILVAREN_HELP_FILE));
    ASSERT_GE(original.Topics().size(), 19U);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = testing::ReadAll(c.path);
        const HelpFile file = HelpFile::Parse(text);
        EXPECT_EQ(Outline(file), Outline(original));
        EXPECT_EQ(HasJapanese(text), c.japanese);
        EXPECT_EQ(text.find("@TILVAREN_"), std::string::npos);  // the version is filled in
        for (const HelpTopic& topic : file.Topics()) {
            SCOPED_TRACE(topic.id);
            EXPECT_FALSE(topic.title.empty());
            EXPECT_FALSE(topic.keywords.empty());
            const HelpPage page = MakeHelpPage(topic);
            EXPECT_FALSE(page.shortened);
            EXPECT_EQ(page.html.find("&lt;"), std::string::npos) << "a tag the viewer does not take";
            constexpr std::string_view kLink = "href=\"#";
            for (std::size_t at = topic.body.find(kLink); at != std::string::npos; at = topic.body.find(kLink, at)) {
                at += kLink.size();
                const std::string target = topic.body.substr(at, topic.body.find('"', at) - at);
                EXPECT_NE(file.ById(target), nullptr) << "a link to #" << target;
            }
        }
    }
}

std::string Repeat(std::string_view piece, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i) text += piece;
    return text;
}

// The body as MakeHelpPage gives it, without the heading.
std::string Page(const std::string& body) {
    HelpTopic topic;
    topic.body = body;
    const HelpPage page = MakeHelpPage(topic);
    EXPECT_FALSE(page.shortened);
    return page.html.substr(std::string("<h2></h2>").size());
}

TEST(HelpMarkup, KeepsWhatAHelpPageNeedsAndShowsTheRestAsText) {
    struct Case {
        const char* name;
        std::string body;
        std::string page;
    };
    const std::string real =
        "<p><b>x</b> <i>y</i><br><a href=\"#play\">z</a></p>\n<ul>\n<li>a<ol><li>b</li></ol></li>\n</ul>"
        "<h3>s</h3><table border=\"1\">\n<tr><th>h</th></tr>\n<tr><td>c</td></tr>\n</table>";
    const std::string word(450, 'x');
    const Case cases[] = {
        {"the real file's elements pass as they are", real, real},
        {"other elements are text", "<div>x</div><IMG src=a.png>", "&lt;div&gt;x&lt;/div&gt;&lt;IMG src=a.png&gt;"},
        {"the page's frame, comments and declarations go", "<!DOCTYPE html><HTML><body><!-- a > b -->x</body></html>",
         "x"},
        {"of attributes only a topic link and a border stay",
         "<p class=c style='x'>a</p><a href=\"http://e.org/#x\">b</a><a onclick=x href='#t'>c</a>"
         "<a href=\"#t&quot;\">d</a><table border=1px width=9></table><table border=2></table>",
         "<p>a</p><a>b</a><a href=\"#t\">c</a><a>d</a><table></table><table border=\"2\"></table>"},
        {"a link target with a quote in it is no link", "<a href='#t\"onclick=\"x'>e</a>", "<a>e</a>"},
        {"nesting stops at the depth limit", Repeat("<b>", kHelpDepthLimit + 1) + "x",
         Repeat("<b>", kHelpDepthLimit) + "&lt;b&gt;x" + Repeat("</b>", kHelpDepthLimit)},
        {"items, rows and cells only in their place; no table in a table",
         "<li>a<td>b<table><tr><td><table></table>",
         "&lt;li&gt;a&lt;td&gt;b<table><tr><td>&lt;table&gt;</td></tr></table>"},
        {"ends are implied as HTML implies them, stray ones dropped",
         "</b><ul><li>a<li>b</ul><table><tr><td>1<td>2<tr><td>3</table><p>x<p><b>y",
         "<ul><li>a</li><li>b</li></ul><table><tr><td>1</td><td>2</td></tr><tr><td>3</td></tr></table><p>x</p>"
         "<p><b>y</b></p>"},
        {"text in a table outside a cell gets one", "<table>a<tr>b</table>",
         "<table><tr><td>a</td></tr><tr><td>b</td></tr></table>"},
        {"lone angle brackets are text", "a < b, 3<4 <> <", "a &lt; b, 3&lt;4 &lt;&gt; &lt;"},
        {"entities are decoded, the bad ones shown or replaced",
         "&lt;&amp;&#12354;&#x41;&nbsp;&bogus; &#0;&#x110000;&#55296;&#8233;&#65;&#x &",
         "&lt;&amp;\u3042A\u00A0&amp;bogus; \uFFFD\uFFFD\uFFFD A&amp;#x &amp;"},
        {"invalid UTF-8, controls and the viewer's own characters are replaced",
         "a\xff" "b\xc3(c\xed\xa0\x80" "d\x01" "e\uFDD0\uFFFC\xf4\x90\x80\x80\u00e9",
         "a\uFFFDb\uFFFD(c\uFFFD\uFFFD\uFFFDd\uFFFDe\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\u00e9"},
        {"a long word gets break opportunities, words of the limit none",
         word + " " + word.substr(0, kHelpWordLimit - 1) + "\u200B" + word.substr(0, kHelpWordLimit - 1),
         word.substr(0, 200) + "\u200B" + word.substr(0, 200) + "\u200B" + word.substr(0, 50) + " " +
             word.substr(0, 199) + "\u200B" + word.substr(0, 199)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Page(c.body), c.page);
    }
}

TEST(HelpMarkup, ALongTopicIsCutWellFormed) {
    struct Case {
        const char* name;
        std::string body;
        std::string end;
        std::string_view element;  // and how many of it are kept
        std::size_t kept;
    };
    const Case cases[] = {
        {"text", "<ul><li><b>" + std::string(kHelpPageLimit, 'x'), "x</b></li></ul>", "<ul>", 1},
        {"elements", Repeat("<p>x</p>", kHelpElementLimit + 1), "x</p>", "<p>", kHelpElementLimit},
        {"cells", "<table>" + Repeat("<tr><td>x<td>x", kHelpCellLimit), "</tr></table>", "<td>", kHelpCellLimit},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HelpTopic topic;
        topic.title = "a<b&c";
        topic.body = c.body;
        const HelpPage page = MakeHelpPage(topic);
        EXPECT_TRUE(page.shortened);
        EXPECT_TRUE(page.html.starts_with("<h2>a&lt;b&amp;c</h2>"));
        EXPECT_TRUE(page.html.ends_with(c.end)) << page.html.substr(page.html.size() - 40);
        EXPECT_LE(page.html.size(), kHelpPageLimit + 20);
        std::size_t count = 0;
        for (std::size_t at = 0; (at = page.html.find(c.element, at)) != std::string::npos; ++at) ++count;
        EXPECT_EQ(count, c.kept);
    }
}

}  // namespace
}  // namespace tilvaren
