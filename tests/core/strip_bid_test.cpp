#include "report/strip_bid.h"

#include <gtest/gtest.h>

#include <string>

namespace lotwise {
namespace {

const std::string kBrowse = "</TD><TD ALIGN=CENTER WIDTH=\"10%\">";
const std::string kCompleted = "</td><td align=center valign=top width=10%><font size=3>";

std::int16_t Count(const std::string& line, std::int16_t kind = 2) { return StripBid(line, kind); }

TEST(StripBid, ReadsTheBidTextOfACell) {
  EXPECT_EQ(Count("<tr>" + kBrowse + "7<br></TD>"), 7);
  EXPECT_EQ(Count(kBrowse + " 12 <BR>"), 12);
  EXPECT_EQ(Count(kBrowse + "12 <BR>"), 12);
  EXPECT_EQ(Count(kBrowse + "-<br>"), 0);
  EXPECT_EQ(Count(kBrowse + "1000<br>"), 1000);
  EXPECT_EQ(Count(kBrowse + "$12.50<br>"), 0);
  EXPECT_EQ(Count(kCompleted + "3<BR><img src=x>", 4), 3);
  EXPECT_EQ(Count(kCompleted + "3<br><IMG src=x>", 4), 3);
  EXPECT_EQ(Count(kCompleted + "3<br>", 4), 0);
  EXPECT_EQ(Count("<tr><td>no cell</td></tr>"), 0);
  EXPECT_EQ(Count(kBrowse + "7<br>", 1), 0);  // keyword lines are not read here
  EXPECT_EQ(Count(kBrowse + "<br>"), 0);
  EXPECT_EQ(Count(kBrowse + "abc<br>"), 0);
  EXPECT_EQ(Count(kBrowse + "7"), 0);                         // no end marker
  EXPECT_EQ(Count(kBrowse + "5<br>..." + kBrowse + "7"), 0);  // the unfinished cell counts
}

TEST(StripBid, FirstMarkerInAnyCaseLaterOnlyInExactCase) {
  const std::string lower = "</td><td align=center width=\"10%\">";
  const std::string pad(40, '.');
  EXPECT_EQ(Count(lower + "4<br>"), 4);
  EXPECT_EQ(Count(kBrowse + "4<br>" + pad + lower + "6<br>"), 4);
  EXPECT_EQ(Count(kBrowse + "4<br>" + pad + kBrowse + "6<br>"), 6);
  EXPECT_EQ(Count(kBrowse + "4<br>" + pad + kBrowse + "-<br>"), 0);  // the last cell reached
}

TEST(StripBid, NextMarkerIsSearchedFromMarkerPlusEndPosition) {
  // Marker at 10, "<br>" at 45: the next marker counts only from position 55 on.
  const std::string first = std::string(9, '.') + kBrowse + "7<br>";
  ASSERT_EQ(first.size(), 48u);
  EXPECT_EQ(Count(first + std::string(5, '.') + kBrowse + "9<br>"), 7);  // at 54
  EXPECT_EQ(Count(first + std::string(6, '.') + kBrowse + "9<br>"), 9);  // at 55
}

TEST(StripBid, FeaturedCellStartingWithTagEndsTheLineUnlessItWrapsACount) {
  EXPECT_EQ(Count(kBrowse + "<img src=x><br>" + kBrowse + "8<br>", 3), 0);
  EXPECT_EQ(Count(std::string(40, '.') + kBrowse + "5<br>" + std::string(80, '.') + kBrowse +
                      "<i>8</i><br>",
                  3),
            5);
  EXPECT_EQ(Count(std::string(40, '.') + kBrowse + "5<br>" + std::string(80, '.') + kBrowse +
                      "<b>8</b><br>",
                  3),
            8);
  EXPECT_EQ(Count(kBrowse + "<img src=x><br>", 2), 0);  // category: unreadable, not a stop
}

TEST(StripBid, FeaturedLongBidTextGoesOnToTheNextCell) {
  const std::string line = kBrowse + "12345<BR>" + std::string(60, '.') + kBrowse + "6<br>";
  EXPECT_EQ(StripBid(line, 3), 6);
  EXPECT_EQ(StripBid(kBrowse + "1234<br>", 3), 1234);
}

}  // namespace
}  // namespace lotwise
