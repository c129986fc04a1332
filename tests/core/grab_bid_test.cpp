#include "report/grab_bid.h"

#include <gtest/gtest.h>

#include <string>

namespace lotwise {
namespace {

const std::string kCell =
    "</td><td align=\"center\" valign=\"top\" width=\"10%\"><font size=\"3\">";
const std::string kCellUpper =
    "</TD><TD ALIGN=\"CENTER\" VALIGN=\"TOP\" WIDTH=\"10%\"><FONT SIZE=\"3\">";

TEST(GrabBid, ReadsTheBidTextOfACell) {
  EXPECT_EQ(GrabBid("<tr>" + kCell + "12<br></font></td>"), 12);
  EXPECT_EQ(GrabBid(kCell + "12<BR>"), 12);
  EXPECT_EQ(GrabBid(kCell + "-<br>"), 0);
  EXPECT_EQ(GrabBid(kCell + "1000<br>"), 1000);
  EXPECT_EQ(GrabBid(kCell + "<b>12</b><br>"), 12);
  EXPECT_EQ(GrabBid("<tr><td>no bids</td></tr>"), 0);
  EXPECT_EQ(GrabBid(kCell + "12<br>", 1), 0);
  EXPECT_EQ(GrabBid(kCell + "<br>"), 0);
  EXPECT_EQ(GrabBid(kCell + "ab<br>"), 0);
  EXPECT_EQ(GrabBid(kCell + "12"), 0);
  EXPECT_EQ(GrabBid(kCell + "5<br>" + std::string(80, '.') + kCell + "12"), 0);
}

TEST(GrabBid, FirstMarkerInAnyCaseLaterOnlyInExactCase) {
  const std::string pad(80, '.');
  EXPECT_EQ(GrabBid(kCellUpper + "3<br>"), 3);
  EXPECT_EQ(GrabBid(kCell + "3<br>" + pad + kCellUpper + "8<br>"), 3);
  EXPECT_EQ(GrabBid(kCell + "3<br>" + pad + kCell + "8<br>"), 8);
  EXPECT_EQ(GrabBid(kCell + "3<br>" + pad + kCell + "-<br>"), 0);
}

TEST(GrabBid, NextMarkerIsSearchedFromMarkerPlusEndPosition) {
  // Marker at 10, "<br>" at 76: the next marker counts only from position 86 on.
  const std::string first = std::string(9, '.') + kCell + "12<br>";
  ASSERT_EQ(first.size(), 79u);
  EXPECT_EQ(GrabBid(first + std::string(5, '.') + kCell + "9<br>"), 12);  // at 85
  EXPECT_EQ(GrabBid(first + std::string(6, '.') + kCell + "9<br>"), 9);   // at 86
}

}  // namespace
}  // namespace lotwise
