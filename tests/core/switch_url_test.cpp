#include "report/switch_url.h"

#include <gtest/gtest.h>

#include <string>

#include "support/test_config.h"

namespace lotwise {
namespace {

const Config kConfig = testing::TestConfig();
const std::string kItemLink =
    "http://aff.test/click-222-999?loc=http%3A//items.test/ws/eBayISAPI.dll%3FViewItem%26item%3D";
const std::string kNew = "\"target=\"_new\"";

std::string Switch(const std::string& line) { return SwitchUrl(line, kConfig); }

TEST(SwitchUrl, CreateHyperlinkAppendsTheItemNumberUnchanged) {
  EXPECT_EQ(CreateHyperlink("123", kConfig), kItemLink + "123");
  EXPECT_EQ(CreateHyperlink("a b&c", kConfig), kItemLink + "a b&c");
  Config straight = kConfig;
  straight.affiliateHost = "";  // no redirect: the item page itself
  EXPECT_EQ(CreateHyperlink("123", straight),
            "http://items.test/ws/eBayISAPI.dll?ViewItem&item=123");
}

TEST(SwitchUrl, RewritesItemLinksOnly) {
  EXPECT_EQ(Switch("<a href=\"http://i.test/ws/x.dll?ViewItem&item=123&amp;category=5\">T</a>"),
            "<a href=\"" + kItemLink + "123" + kNew + ">T</a>");
  EXPECT_EQ(Switch("<img src=\"http://p.test/1.jpg\"><a href=\"http://i.test/?item=7&amp;c=1\">"),
            "<img src=\"http://p.test/1.jpg\"><a href=\"" + kItemLink + "7" + kNew + ">");
  EXPECT_EQ(Switch("<A HREF=\"HTTP://i.test/?ITEM=1&AMP;C\">x</A><a href=\"http://i.test/"
                   "?item=2&amp;c\">y</a>"),
            "<A HREF=\"" + kItemLink + "1" + kNew + ">x</A><a href=\"" + kItemLink + "2" + kNew +
                ">y</a>");
  EXPECT_EQ(Switch("<a href=http://i.test/?item=9&amp;c=1>T</a><img src=\"y\">"),
            "<a href=" + kItemLink + "9" + kNew + "y\">");
}

TEST(SwitchUrl, LeavesLinesWithoutRewritableLinksUnchanged) {
  for (const std::string line : {"<td>no links</td>", "<a href=\"http://i.test/?item=5\">",
                                 "<a href=\"http://i.test/"
                                 "?x&amp;c&item=5\">",
                                 "<a href=\"http://i.test/?item=5&amp;c"}) {
    EXPECT_EQ(Switch(line), line);
  }
  EXPECT_EQ(SwitchUrl("<a href=\"http://i.test/?item=1&amp;c\">", kConfig, 1),
            "<a href=\"http://i.test/?item=1&amp;c\">");
}

TEST(SwitchUrl, ItemNumberEndsAtTheFirstMarkerAfterItem) {
  EXPECT_EQ(Switch("\"http://i.test/?x&amp;c&item=5&amp;c\" http://rest"),
            "\"" + kItemLink + "5" + kNew + " http://rest");
  EXPECT_EQ(Switch("\"http://a/?item=http://b&amp;c\""), "\"" + kItemLink + "http://b" + kNew);
}

TEST(SwitchUrl, SearchGoesOnFromTheOldQuotePositionInTheNewLine) {
  // The rewritten link is shorter than the old one, so the search goes on that many
  // characters into what followed it.
  const std::string longLink = "\"http://i.test/?item=1&amp;c" + std::string(200, 'x') + "\"";
  const std::string next = "<a href=\"http://i.test/?item=2&amp;c\">";
  const std::string shortened = "\"" + kItemLink + "1" + kNew;
  const std::size_t skipped = longLink.size() - shortened.size();
  ASSERT_GT(skipped, next.size());
  EXPECT_EQ(Switch(longLink + next), shortened + next);
  const std::string pad(skipped, '.');
  EXPECT_EQ(Switch(longLink + pad + next),
            shortened + pad + "<a href=\"" + kItemLink + "2" + kNew + ">");
}

}  // namespace
}  // namespace lotwise
