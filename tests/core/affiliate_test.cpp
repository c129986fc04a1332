#include "report/affiliate.h"

#include <gtest/gtest.h>

#include <string>

#include "support/test_config.h"

namespace lotwise {
namespace {

const Config kConfig = testing::TestConfig();
const std::string kRedirect = "<a href=\"http://aff.test/click-111-999?loc=http%3A";
const std::string kBlank = " target=\"_blank\"";

std::string Row(const std::string& line) { return AddAffliate(line, kConfig); }

TEST(AddAffliate, RedirectsAndEscapesAbsoluteLinks) {
  EXPECT_EQ(Row("<td><a href=\"http://cgi.test/ws/x.dll?ViewItem&item=123\">T</a></td>"),
            "<td>" + kRedirect + "//cgi.test/ws/x.dll%3FViewItem%26item%3D123\"" + kBlank +
                ">T</a></td>");
  EXPECT_EQ(Row("<A HREF=\"http://h.test/a:b\">T</A>"),
            kRedirect + "//h.test/a%3Ab\"" + kBlank + ">T</A>");
}

TEST(AddAffliate, WithoutARedirectHostLinksStayAsTheyAre) {
  Config config = kConfig;
  config.affiliateHost = "affiliate.placeholder.invalid";
  EXPECT_EQ(AddAffliate("<a href=\"http://h.test/?a=1&category=77\">T</a>", config),
            "<a href=\"http://h.test/?a=1\"" + kBlank + ">T</a>");
  EXPECT_EQ(AddAffliate("<td>7 bids</td>", config), "");
}

TEST(AddAffliate, RowWithoutRedirectedLinkIsEmpty) {
  EXPECT_EQ(Row("<td>7 bids</td>"), "");
  EXPECT_EQ(Row("<a href=\"https://h.test/a?b\">T</a>"), "");
  EXPECT_EQ(Row("<A href=\"http://h.test/a?b\">T</a>"), "");
  EXPECT_EQ(Row("<a href=http://h.test/a?b>T</a>"), "");
}

TEST(AddAffliate, RemovesOnlyAShortFirstCategoryParameter) {
  const std::string link = "<a href=\"http://h.test/a\">A</a>";
  const std::string out = kRedirect + "//h.test/a\"" + kBlank + ">A</a>";
  EXPECT_EQ(Row(link + "<a href=\"/b?x&category=1234\">B</a><a href=\"/c?y&category=1234\">"),
            out + "<a href=\"/b?x\"" + kBlank + ">B</a><a href=\"/c?y\"" + kBlank + ">");
  EXPECT_EQ(Row(link + "<a href=\"/b?x&category=123456\">B</a>"),
            out + "<a href=\"/b?x&category=123456\"" + kBlank + ">B</a>");
  EXPECT_EQ(Row(link + "<i x=\"&category=12\"><i y=\"&category=34\">"),
            out + "<i x=\"\"><i y=\"&category=34\">");
  EXPECT_EQ(Row(link + " &category=12"), out + " &category=12");  // no ">" after it
}

TEST(AddAffliate, EveryLinkAttributeGetsTheNewWindowAttribute) {
  EXPECT_EQ(Row("<a href=\"http://h.test/a\" target=\"_top\">A</a><a href=\"rel\">"
                "<A HREF=\"rel\"><img src=x>"),
            kRedirect + "//h.test/a\"" + kBlank + " target=\"_top\">A</a><a href=\"rel\"" + kBlank +
                "><A HREF=\"rel\"><img src=x>");
  EXPECT_EQ(Row("<a href=\"http://h.test/a\"><a href=\"rel"),
            kRedirect + "//h.test/a\"" + kBlank + "><a href=\"rel");
}

TEST(CgiConvert, EscapesEveryCopyOfEachCarriedAddress) {
  EXPECT_EQ(CgiConvert(kRedirect + "//h.test/?a=1\">see //h.test/?a=1</a>", kConfig),
            kRedirect + "//h.test/%3Fa%3D1\">see //h.test/%3Fa%3D1</a>");
  EXPECT_EQ(CgiConvert(kRedirect + "\">x?=</a>", kConfig), kRedirect + "\">x?=</a>");
  EXPECT_EQ(CgiConvert(kRedirect + "//h.test/?a=1", kConfig), kRedirect + "//h.test/?a=1");
  EXPECT_EQ(CgiConvert("<a href=\"http://h.test/?a=1\">", kConfig), "");
}

TEST(CgiConvert, NextAnchorIsSearchedFromAnchorPlusQuotePosition) {
  // Anchor at 11, address of 5 characters, closing quote at 66: next anchor from 77.
  const std::string first = std::string(10, '.') + kRedirect + "//a?b\"";
  ASSERT_EQ(first.size(), 66u);
  const std::string second = kRedirect + "//c?d\"";
  EXPECT_EQ(CgiConvert(first + std::string(9, '.') + second, kConfig),
            std::string(10, '.') + kRedirect + "//a%3Fb\"" + std::string(9, '.') + second);
  EXPECT_EQ(CgiConvert(first + std::string(10, '.') + second, kConfig),
            std::string(10, '.') + kRedirect + "//a%3Fb\"" + std::string(10, '.') + kRedirect +
                "//c%3Fd\"");
}

}  // namespace
}  // namespace lotwise
