#include <gtest/gtest.h>

#include "records/HelpFile.hpp"

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
        {"a context that is not a number is none", "<h2 id=\"a\" data-context=\"35000x\">A</h2>",
         "a@0 A [] \n"},
        {"an unterminated heading ends the file", "<h2 id=\"a\">A</h2>1<h2 id=\"b\">B", "a@0 A [] 1\n"},
        {"keywords are trimmed and empties dropped; the title is plain text",
         "<h2 id=\"a\" data-keywords=\" one ;; two; \">\n <i>A</i> </h2>", "a@0 A [one;two] \n"},
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

}  // namespace
}  // namespace tilvaren
