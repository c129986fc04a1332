// The report of a source's items: the digest its policy names its script by, what it
// says of the search, and its rows, charts and figures against the CSV beside it.

#include "report/item_report.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "core/window_fixture.h"
#include "report/item_report_page.h"
#include "support/fake_listings.h"
#include "support/time_zone.h"
#include "text/sha256.h"

namespace lotwise {
namespace {

using Strings = std::vector<std::string>;
using testing::Item;
using testing::Page;

std::string Hex(const std::array<std::uint8_t, 32>& digest) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text;
  for (const std::uint8_t byte : digest) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 15];
  }
  return text;
}

TEST(Sha256, KnownDigestsAndBase64) {
  EXPECT_EQ(Hex(Sha256("")), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(Hex(Sha256("abc")), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  // 56 bytes: the length no longer fits the last block, and a second one follows.
  EXPECT_EQ(Hex(Sha256("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  EXPECT_EQ(Hex(Sha256(std::string(1000000, 'a'))),
            "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
  // A whole block, and the longest tail that still takes the length in its own block.
  EXPECT_EQ(Hex(Sha256(std::string(64, 'x'))),
            "7ce100971f64e7001e8fe5a51973ecdfe1ced42befe7ee8d5fd6219506b5393c");
  EXPECT_EQ(Hex(Sha256(std::string(55, 'x'))),
            "d5e285683cd4efc02d021a5c62014694958901005d6f71e89e0989fac77e4072");
  const Strings plain{"", "f", "fo", "foo", "foob", "fooba", "foobar"};
  const Strings coded{"", "Zg==", "Zm8=", "Zm9v", "Zm9vYg==", "Zm9vYmE=", "Zm9vYmFy"};
  for (std::size_t i = 0; i < plain.size(); ++i) EXPECT_EQ(Base64(plain[i]), coded[i]);
  EXPECT_EQ(HashSource("abc"), "sha256-ungWv48Bz+pBQUDeXa4iI7ADYaOWF3qctBD/YfIAFa0=");
}

// A search through a fake of the API, in Central European time, on 9 Dec 2026 at 18:30
// there.
class ItemReportTest : public testing::WindowTest {
 protected:
  void SetUp() override {
    window.UseListingSource(&listings);
    platform.now = std::chrono::sys_days{std::chrono::year{2026} / 12 / 9} +
                   std::chrono::hours{17} + std::chrono::minutes{30};
  }
  // An item ending `minutes` after the search ran.
  static ListedItem Ending(ListedItem item, int minutes, std::string price, std::string currency) {
    const long long at = 1796837400 + minutes * 60LL;  // 2026-12-09 17:30 UTC
    const long long day = at / 86400, second = at % 86400;
    const auto two = [](long long value) {
      return (value < 10 ? "0" : "") + std::to_string(value);
    };
    item.endDate = "2026-12-" + two(day - 20796 + 9) + "T" + two(second / 3600) + ":" +
                   two(second % 3600 / 60) + ":00.000Z";
    item.price = std::move(price);
    item.currency = std::move(currency);
    return item;
  }
  std::string Report() const { return testing::ReadFile(window.ReportPath()); }
  // The facts' entry of `term`.
  std::string Fact(const std::string& term) const {
    const std::string report = Report();
    const std::string start = "<dt>" + term + "</dt><dd>";
    const std::size_t at = report.find(start);
    if (at == std::string::npos) return "(none)";
    const std::size_t from = at + start.size();
    return report.substr(from, report.find("</dd>", from) - from);
  }

  const testing::TimeZoneForTest zone{"CET-1CEST,M3.5.0,M10.5.0/3", "CET-1CEST"};
  testing::FakeListings listings;
};

TEST_F(ItemReportTest, SaysWhatTheSearchWasWhenItRanWhatItReadAndWhyItEnded) {
  listings.answers.push_back(
      {Page({Item(1, 5, "Vintage lamp"), Item(2, 1, "Lamp with one bid"), Item(3, 9, "Brass lamp")},
            600, "https://api.test/2"),
       {}});
  listings.answers.push_back(
      {Page({Item(4, 7, "Lamp four"), Item(1, 5, "Vintage lamp")}, 600, "https://api.test/3"), {}});
  listings.whileNextWaits = [&] { window.click(window.Command6); };
  window.txtTitle.text = "vintage  lamp";
  window.cmbSearch.select(1);
  window.txtExcluded.text = "blue";
  window.txtBeginPrice.text = "5";
  window.txtEndPrice.text = "50";
  window.cmbCategories.select(1);
  window.Check1.value = 1;
  window.txtBids.text = "2";
  window.click(window.cmdSearch);

  ASSERT_EQ(window.Label1.caption, "Finished!!!");
  EXPECT_EQ(
      Report().rfind("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">", 0),
      0u);
  EXPECT_EQ(Fact("Search"),
            "Keyword search for \xE2\x80\x9Cvintage lamp\xE2\x80\x9D, any of the words, excluding "
            "\xE2\x80\x9C"
            "blue\xE2\x80\x9D, priced 5 to 50 USD, in Antiques &amp; Art (353), "
            "titles and descriptions");
  EXPECT_EQ(Fact("Minimum bids"), "2");
  EXPECT_EQ(Fact("Source"), "Marketplace API (EBAY_US)");
  const std::string zoneName = testing::ZoneName("CET", "UTC+01:00");
  EXPECT_EQ(Fact("Ran"),
            "<time datetime=\"2026-12-09T17:30Z\">9 Dec 2026 18:30 " + zoneName + "</time>");
  EXPECT_EQ(Fact("Read"), "2 of 3 pages: 5 items seen, 3 kept");
  EXPECT_EQ(Fact("Ended"),
            "Cut short by \xE2\x80\x9CSee Incomplete Results\xE2\x80\x9D after 2 of 3 pages");
  EXPECT_NE(Report().find("<th scope=\"col\" data-key=\"e\">Ends (" + zoneName + ")</th>"),
            std::string::npos);

  // A refusal of a later page: what was collected is reported, with the refusal.
  window.click(window.Command1);
  listings.whileNextWaits = nullptr;
  listings.answers.push_back({Page({Item(5, 3, "Lamp <five>")}, 400, "https://api.test/2"), {}});
  listings.answers.push_back(
      {{}, ListingError(ListingError::Kind::kRequest, 400, "The marketplace refused <this>")});
  window.Text1.text = " 353";
  window.click(window.Command3);
  ASSERT_EQ(window.Label1.caption, "Finished!!!");
  EXPECT_EQ(Fact("Search"), "Category search: Antiques &amp; Art (353)");
  EXPECT_EQ(Fact("Read"), "1 of 2 pages: 1 item seen, 1 kept");
  EXPECT_EQ(Fact("Ended"), "Early, after 1 of 2 pages: The marketplace refused &lt;this&gt;");
  EXPECT_EQ(Fact("Message"), "(none)");
}

TEST_F(ItemReportTest, RowsAreTheCsvRowsAndTheChartsAndFiguresTheirs) {
  listings.answers.push_back(
      {Page(
           {Ending(Item(11, 30, "<script>document.title='ran'</script>Lamp"), 120, "250.00", "USD"),
            Ending(Item(12, 3, "Clock"), 30 * 60, "8.00", "USD"),
            Ending(Item(13, 30, "Vase"), 5 * 60, "40.00", "EUR"),
            Ending(Item(14, 12, "Chair"), -60, "1.50", "USD"),
            Ending(Item(15, 12, "Desk"), 0, "", "USD"), Ending(Item(16, 2, "Low"), 60, "1", "USD")},
           6),
       {}});
  listings.answers.back().page.items[4].endDate = "2026-12-10";
  window.txtTitle.text = "lamp";
  window.txtBids.text = "3";
  window.click(window.cmdSearch);
  ASSERT_EQ(window.Label1.caption, "Finished!!!");
  const std::string report = Report();

  // The rows, most bids first, are the CSV's lines, in the same order.
  static const std::regex rowId("<tr id=[0-9]+ [^\n]*?/itm/([0-9]+)");
  Strings rows;
  for (std::sregex_iterator it(report.begin(), report.end(), rowId), end; it != end; ++it) {
    rows.push_back((*it)[1]);
  }
  Strings lines;
  const std::string csv = testing::ReadFile(window.context().csv);
  for (std::size_t at = csv.find("\r\n"); at + 2 < csv.size(); at = csv.find("\r\n", at + 2)) {
    lines.push_back(csv.substr(at + 2, csv.find(',', at) - at - 2));
  }
  EXPECT_EQ(rows, (Strings{"11", "13", "14", "15", "12"}));
  EXPECT_EQ(lines, rows);

  // Every point of the scatter plot links to a row: all but the one without a price.
  static const std::regex point("<a href=#([0-9]+)><circle");
  Strings points;
  for (std::sregex_iterator it(report.begin(), report.end(), point), end; it != end; ++it) {
    const std::size_t place = std::stoul((*it)[1]);
    ASSERT_GE(place, 1u);
    ASSERT_LE(place, rows.size());
    points.push_back(rows[place - 1]);
  }
  EXPECT_EQ(points, (Strings{"11", "13", "14", "12"}));
  EXPECT_NE(report.find("<desc>Bid counts from 3 to 30: 3 bids: 1 item; 12 bids: 2 items; 30 "
                        "bids: 2 items.</desc>"),
            std::string::npos);
  // Lowest, median and highest price, and the items ending within 24 hours, a currency each.
  EXPECT_NE(report.find("<tr><th scope=\"row\">USD</th><td>3</td><td>1.50</td><td>8.00</td>"
                        "<td>250.00</td><td>1</td></tr><tr><th scope=\"row\">EUR</th><td>1</td>"
                        "<td>40.00</td><td>40.00</td><td>40.00</td><td>1</td></tr>"),
            std::string::npos);
  EXPECT_NE(report.find("<td>11 Dec 00:30 (1 d 6 h)\n"), std::string::npos);
  EXPECT_NE(report.find("<td>2026-12-10\n"), std::string::npos);

  // The title's markup is text; the one script is the document's own, which the policy
  // names by its hash, as it does the style sheet.
  EXPECT_NE(report.find(">&lt;script&gt;document.title=&#39;ran&#39;&lt;/script&gt;Lamp</a>"),
            std::string::npos);
  const std::size_t script = report.find("<script>");
  ASSERT_NE(script, std::string::npos);
  EXPECT_EQ(report.find("<script", script + 1), std::string::npos);
  const std::size_t scriptEnd = report.find("</script>", script);
  const std::string scriptText = report.substr(script + 8, scriptEnd - script - 8);
  const std::size_t style = report.find("<style>") + 7;
  const std::string styleText = report.substr(style, report.find("</style>") - style);
  static const std::regex policy(
      "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; script-src "
      "'sha256-([A-Za-z0-9+/=]{44})'; style-src 'sha256-([A-Za-z0-9+/=]{44})'; img-src http: "
      "https:; [^\"]*\">");
  std::smatch found;
  ASSERT_TRUE(std::regex_search(report, found, policy));
  const auto base64Digest = [](const std::string& text) {
    const std::array<std::uint8_t, 32> digest = Sha256(text);
    return Base64(std::string(digest.begin(), digest.end()));
  };
  EXPECT_EQ(found[1], base64Digest(scriptText));
  EXPECT_EQ(found[2], base64Digest(styleText));
}

}  // namespace
}  // namespace lotwise
