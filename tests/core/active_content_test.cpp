#include "report/active_content.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/pages.h"

namespace lotwise {
namespace {

using Cases = std::vector<std::pair<std::string, std::string>>;  // row, what stays of it

void ExpectCleaned(const Cases& cases) {
  for (const auto& [row, expected] : cases) {
    std::string cleaned = row;
    EXPECT_TRUE(RemoveActiveContent(cleaned)) << row;
    EXPECT_EQ(cleaned, expected) << row;
  }
}

TEST(RemoveActiveContent, RowsWithoutActiveContentStayAsTheyAre) {
  for (const std::string& row : {
           testing::BrowseRow("1", "3"),
           testing::CompletedRow("2", "<b>4</b>"),
           testing::kOffsetStart + testing::KeywordRowCells("3", "5") + "</table>",
           std::string(""),
           std::string("Learn javascript: basics, a < b, c <= d, <3, x < y & z"),
           std::string("<meta-data content=\"x\" condition=1 tone=\"javascript:x\">"),
           std::string("<a href=\"http://h.test/javascript:x\" title='onclick=x'>"),
           std::string("<img src=\"data:image/gif;base64,R0lG\" alt=\"data:\">"),
           std::string("<a href=\"#\" data-x=\"vbscript:x\"><b/><br/></a></>"),
           std::string("<title>Brass clock</title><style>td{color:red}</style><textarea>a "
                       "&lt;b&gt; < c</TEXTAREA >"),
           std::string("<!-- <script>x</script> --><!--!> <img onerror=x> --><!DOCTYPE html>"),
           std::string("</a title=\"x>\" <img src=x onerror=y><? <iframe> ?>"),
       }) {
    std::string cleaned = row;
    EXPECT_FALSE(RemoveActiveContent(cleaned)) << row;
    EXPECT_EQ(cleaned, row);
  }
}

TEST(RemoveActiveContent, ScriptsAndEmbeddingTagsGo) {
  ExpectCleaned({
      {"a<script>x()</script>b", "ab"},
      {"a<SCRIPT type=\"x>y\">if (a</b) x();</scripts></script >b", "ab"},
      {"a<script src=x.js>never closed", "a"},
      {"<iframe src=\"http://x.test/\">t</iframe>", "t</iframe>"},
      {"<META http-equiv=refresh content=\"0;url=javascript:x()\"><base href=x><link "
       "rel=import href=x><form action=x><object data=x><embed src=x><applet code=x><frame "
       "src=x><svg><math><plaintext>b",
       "b"},
  });
}

TEST(RemoveActiveContent, EventAttributesAndScriptAddressesGo) {
  ExpectCleaned({
      {"<img src=x onerror=alert(1)>", "<img src=x >"},
      {"<a href=\"h\"onclick=\"x\"title=t>", "<a href=\"h\"title=t>"},
      {"<br/onclick=x>", "<br/>"},
      {"<a ONMouseOver = 'x' id=1>", "<a  id=1>"},
      {"<body onload>", "<body >"},
      {"<a href=\"javascript:x\">", "<a href=\"#\">"},
      {"<a href=\" java&#115;cript:x\">", "<a href=\"#\">"},
      {"<a href=\"&#x20;JaVa&Tab;Script&colon;x\">", "<a href=\"#\">"},
      {"<a href='jav\tasc&#0010;ript&#58x'>", "<a href='#'>"},
      {"<img src=vbscript:x><x action=\"data:text/html,x\">", "<img src=#><x action=\"#\">"},
      {"<A HREF=\"DATA:text/html,x\">", "<A HREF=\"#\">"},
  });
}

TEST(RemoveActiveContent, ReadsTheRowAsTheBrowserDoes) {
  ExpectCleaned({
      // A ">" within quotes does not end the tag.
      {"<a title=\"x>y\" onclick=z>", "<a title=\"x>y\" >"},
      // After an attribute without a value, "=" gives it one.
      {"<a href onclick=1 =javascript:x>", "<a href  =#>"},
      // What a removal joins is read again.
      {"<<script></script>img src=x onerror=y>", "<img src=x >"},
      // A comment ends only at "-->" or "--!>", and "<!-->" is one.
      {"<!-- a > <b title=\"--><img src=x onerror=y>\">", "<!-- a > <b title=\"--><img src=x >\">"},
      {"<!--><img src=x onerror=y>", "<!--><img src=x >"},
      // Text elements holding markup lose their start tag, and the markup is read as such.
      {"<title><b onclick=x></title>", "<b ></title>"},
      {"<style><a title=\"</style><img src=x onerror=y>\"></style>",
       "<a title=\"</style><img src=x onerror=y>\"></style>"},
      {"<noscript><img src=x></noscript>", "<img src=x></noscript>"},
  });
}

TEST(RemoveActiveContent, NoRowEndsInsideMarkup) {
  ExpectCleaned({
      {"a<b title=\"x>", "a"},
      {"a<", "a"},
      {"a<<", "a"},
      {"a</b", "a"},
      {"a<!-- x -", "a"},
      {"a<!x", "a"},
      {"<textarea>x", "x"},
      {"<title>x</title ", "x"},
      {"<a href=\"javascript:x", ""},
  });
}

}  // namespace
}  // namespace lotwise
