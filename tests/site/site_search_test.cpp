// Whole searches through the site's source against the sample marketplace served on a
// free loopback port: every page asked for in turn, the items kept as the sample says a
// whole search lists them, in both layouts and on the German pages, and the robot check
// on the first page and on a later one.

#include "sample-marketplace/site_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/search_window.h"
#include "e2e/served_marketplace.h"
#include "sample-marketplace/site_query.h"
#include "site/site_platform.h"
#include "site/site_source.h"
#include "support/files.h"
#include "support/test_config.h"

namespace lotwise {
namespace {

using Strings = std::vector<std::string>;

constexpr int kAnyOfTheWords = 1;
constexpr int kMinimumBids = 2;
const char kWords[] = "vintage lamp";
// The first page's parameters as the source writes them for that search.
const char kQuery[] = "_nkw=vintage%20lamp&_in_kw=2&_sacat=0&LH_Auction=1&_ipg=240";

// What a reader of the items compares: number, title, price and bids.
std::string Described(const ListedItem& item) {
  return item.legacyItemId + " " + item.title + " " + item.price + " " + item.currency + " " +
         std::to_string(item.bidCount);
}
std::string Described(const sample::Item& item, const std::string& currency) {
  char price[32];
  std::snprintf(price, sizeof price, "%d.%02d", item.priceCents / 100, item.priceCents % 100);
  return std::to_string(item.number) + " " + sample::Title(item) + " " + price + " " + currency +
         " " + std::to_string(sample::BidCount(item));
}

class SiteSearchTest : public ::testing::Test {
 protected:
  // Serves the sample marketplace and makes the source for its site at `path` ("" or
  // "/de"), read as `marketplace`'s.
  void Serve(sample::ServerSettings settings, const std::string& path = "",
             const std::string& marketplace = "EBAY_US") {
    settings.site.clock = [] { return testing::FixedClock().SecondsSince1970(); };
    const int port = served.Start(settings);
    SiteSourceSettings site;
    site.marketplace = marketplace;
    site.baseUrl = "http://127.0.0.1:" + std::to_string(port) + path;
    source = std::make_unique<SiteSource>(site, platform, platform, clock);
    window.UseListingSource(source.get());
  }

  void SearchKeywords() {
    window.txtTitle.text = kWords;
    window.cmbSearch.select(kAnyOfTheWords);
    window.txtBids.text = std::to_string(kMinimumBids);
    window.click(window.cmdSearch);
  }

  // What the whole search at `path` lists with enough bids on its first `pages` pages
  // (all when 0), and the targets of all its pages.
  Strings Expected(const std::string& path, const std::string& currency, Strings* targets,
                   std::size_t pages = 0) const {
    const std::string first = path + "/sch/i.html?" + kQuery;
    const sample::SiteCollection whole = sample::CollectedSiteItems(market.items(), first);
    for (long long page = 1; page <= whole.pages; ++page) {
      targets->push_back(first + "&_pgn=" + std::to_string(page));
    }
    const std::size_t listed = pages == 0
                                   ? whole.items.size()
                                   : std::min(whole.items.size(), pages * sample::kSitePageLimit);
    Strings items;
    for (std::size_t i = 0; i < listed; ++i) {
      const sample::Item& item = whole.items[i];
      if (sample::BidCount(item) >= kMinimumBids) items.push_back(Described(item, currency));
    }
    return items;
  }

  Strings Kept() {
    Strings kept;
    for (const ListedItem& item : window.context().items) {
      kept.push_back(Described(item));
    }
    return kept;
  }

  sample::Marketplace market{sample::GenerateItems(11, 3000)};
  e2e::ServedMarketplace served{market};
  testing::TempFolder folder;
  testing::SitePlatform platform;
  testing::FixedClock clock;
  SearchWindow window{testing::TestConfig(), folder.path(), platform};
  std::unique_ptr<SiteSource> source;
};

struct Variant {
  const char* name;
  sample::SiteLayout layout;
  const char* path;
  const char* marketplace;
  const char* currency;
};

void PrintTo(const Variant& variant, std::ostream* out) { *out << variant.name; }

class SiteVariantTest : public SiteSearchTest, public ::testing::WithParamInterface<Variant> {};

TEST_P(SiteVariantTest, ReadsEveryPageOnceAndKeepsWhatTheWholeSearchLists) {
  const Variant& variant = GetParam();
  sample::ServerSettings settings;
  settings.site.layout = variant.layout;
  Serve(settings, variant.path, variant.marketplace);
  Strings targets;
  const Strings expected = Expected(variant.path, variant.currency, &targets);
  ASSERT_GE(targets.size(), 3u);
  ASSERT_GT(expected.size(), 30u);

  SearchKeywords();

  EXPECT_EQ(served.Requests(), targets);
  EXPECT_EQ(Kept(), expected);
  EXPECT_TRUE(platform.messages.empty()) << platform.messages.front();
  EXPECT_EQ(window.Label1.caption, "Finished!!!");
  // One pause before every request but the first, none shorter than a second.
  ASSERT_EQ(platform.pausedFor.size(), targets.size() - 1);
  for (const auto pause : platform.pausedFor) EXPECT_EQ(pause, kShortestSitePause);
}

INSTANTIATE_TEST_SUITE_P(
    Sample, SiteVariantTest,
    ::testing::Values(Variant{"Cards", sample::SiteLayout::kCard, "", "EBAY_US", "USD"},
                      Variant{"Items", sample::SiteLayout::kItem, "", "EBAY_US", "USD"},
                      Variant{"German", sample::SiteLayout::kCard, "/de", "EBAY_DE", "EUR"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(SiteSearchTest, ARobotCheckOnTheFirstPageEndsTheSearchSayingSo) {
  sample::ServerSettings settings;
  settings.fault = sample::Fault::kRobotCheck;
  Serve(settings);

  SearchKeywords();

  EXPECT_EQ(served.Requests().size(), 1u);
  EXPECT_TRUE(Kept().empty());
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_NE(platform.messages[0].find("robot check"), std::string::npos) << platform.messages[0];
  EXPECT_FALSE(std::filesystem::exists(window.ReportPath()));
}

TEST_F(SiteSearchTest, ARobotCheckOnALaterPageKeepsWhatWasCollectedAndSaysWhy) {
  sample::ServerSettings settings;
  settings.fault = sample::Fault::kRobotCheck;
  settings.faultAfter = 2;
  Serve(settings);
  Strings targets;
  const Strings firstTwoPages = Expected("", "USD", &targets, 2);
  ASSERT_GE(targets.size(), 3u);

  SearchKeywords();

  EXPECT_EQ(served.Requests(), Strings(targets.begin(), targets.begin() + 3));
  EXPECT_EQ(Kept(), firstTwoPages);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_NE(platform.messages[0].find("robot check"), std::string::npos) << platform.messages[0];
  EXPECT_EQ(window.summary().message, platform.messages[0]);
  EXPECT_TRUE(std::filesystem::exists(window.ReportPath()));
}

}  // namespace
}  // namespace lotwise
