#include "score_pages.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ScorePages, HtmlEscapingLeavesNoMarkupBehind) {
    EXPECT_EQ(EscapeHtml("<script>alert(\"x\" & 'y')</script>"),
              "&lt;script&gt;alert(&quot;x&quot; &amp; &#39;y&#39;)&lt;/script&gt;");
    EXPECT_EQ(EscapeHtml("Ace 7"), "Ace 7");
    EXPECT_EQ(EscapeHtml(std::string("a\0b\x1F\x7F", 5)), "a&#xFFFD;b&#xFFFD;&#xFFFD;");
    EXPECT_EQ(EscapeHtml("\xE9\xFF"), "&#xE9;&#xFF;");
}

TEST(ScorePages, JsonEscapingGivesValidStrings) {
    EXPECT_EQ(EscapeJson("say \"hi\"\\"), "say \\\"hi\\\"\\\\");
    EXPECT_EQ(EscapeJson(std::string("\n\0\x7F\xE9", 4)), "\\u000A\\u0000\\u007F\\u00E9");
    EXPECT_EQ(EscapeJson("</script>&"), "\\u003C/script\\u003E\\u0026");
}

TEST(ScorePages, DatesAreUtcDays) {
    EXPECT_EQ(FormatDate(0), "1970-01-01");
    EXPECT_EQ(FormatDate(1715903999), "2024-05-16");
    EXPECT_EQ(FormatDate(1715904000), "2024-05-17");
}

TEST(ScorePages, EveryStoredTextIsEscapedOnBothPages) {
    const std::vector<TStoredScore> rows = {
        {"<img src=x onerror=alert(1)>", 500, "</td></table><h1>x</h1>", 0},
        {"Plain", 400, "_______", 0},
    };
    const std::string page = RenderTablePage(rows);
    EXPECT_EQ(page.find("<img"), std::string::npos);
    EXPECT_EQ(page.find("<h1>x</h1>"), std::string::npos);
    EXPECT_NE(page.find("&lt;img src=x onerror=alert(1)&gt;"), std::string::npos);
    EXPECT_NE(page.find("<td class=\"rank\">2</td><td class=\"name\">Plain</td>"),
              std::string::npos);
    const std::string json = RenderTableJson(rows);
    EXPECT_EQ(json.find('<'), std::string::npos);
    EXPECT_NE(json.find("\"country\":\"_______\""), std::string::npos);
}

}  // namespace
