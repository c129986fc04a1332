// The site's result pages as others saved them between 2021 and 2026 (../shared, gzipped):
// every page read item by item as the plain reading reads it, and every page that holds
// no results given its cause.

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "collect/diagnosis.h"
#include "collect/site_page.h"
#include "search/search_state.h"
#include "support/plain_site_reading.h"

namespace lotwise {
namespace {

namespace fs = std::filesystem;

const fs::path kShared = LOTWISE_SHARED_DIR;

std::string Gunzipped(const fs::path& file) {
  gzFile in = gzopen(file.string().c_str(), "rb");
  if (in == nullptr) return {};
  std::string bytes;
  char buffer[1 << 16];
  for (int got; (got = gzread(in, buffer, sizeof buffer)) > 0;) {
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  gzclose(in);
  return bytes;
}

struct SavedPage {
  std::string name;  // "scard/aryan-spiderman-comic", "modern/parsy-ebay-de-sitem"
  std::string bytes;
  SiteReading reading;
};

// The site each page came from, for its address and currency: the sources lists name it
// ("ebay.de"), the real pages' notes in their text.
SiteReading ReadingFor(const std::string& sourcesLine) {
  static const std::map<std::string, std::string> kCurrencies = {
      {"ebay.com", "USD"},    {"ebay.de", "EUR"}, {"ebay.co.uk", "GBP"},
      {"ebay.com.au", "AUD"}, {"ebay.fr", "EUR"}, {"ebay.ca", "CAD"}};
  std::string site = "ebay.com";
  for (const auto& [host, currency] : kCurrencies) {
    if (sourcesLine.find("| " + host + " ") != std::string::npos ||
        sourcesLine.find(" " + host + " /sch/") != std::string::npos) {
      site = host;
    }
  }
  // Pinned so that every run reads the same ends.
  return {"https://www." + site, kCurrencies.at(site), 1765000000};
}

// Every saved page of the kinds given, in both folders.
std::vector<SavedPage> SavedPages() {
  std::vector<SavedPage> pages;
  for (const fs::path& folder : {kShared / "todayspages", kShared / "realpages"}) {
    std::map<std::string, std::string> sources;  // file name to its line
    if (std::FILE* list = std::fopen((folder / "SOURCES.txt").string().c_str(), "rb")) {
      char line[4096];
      while (std::fgets(line, sizeof line, list) != nullptr) {
        const std::string text = line;
        const std::size_t slash = text.find('/');
        const std::size_t bar = text.find(" |");
        if (slash == std::string::npos || bar == std::string::npos || slash > bar) continue;
        std::string file = text.substr(slash + 1, bar - slash - 1);
        if (file.ends_with(".gz")) file.resize(file.size() - 3);
        sources[file] = text;
      }
      std::fclose(list);
    }
    const fs::path pagesFolder = fs::is_directory(folder / "pages") ? folder / "pages" : folder;
    for (const auto& entry : fs::recursive_directory_iterator(pagesFolder)) {
      const fs::path file = entry.path();
      if (file.extension() != ".gz") continue;
      const std::string stem = file.stem().string();  // "x.html"
      SavedPage page;
      page.name = file.parent_path().filename().string() + "/" + fs::path(stem).stem().string();
      page.bytes = Gunzipped(file);
      page.reading = ReadingFor(sources[stem]);
      pages.push_back(std::move(page));
    }
  }
  std::sort(pages.begin(), pages.end(),
            [](const SavedPage& a, const SavedPage& b) { return a.name < b.name; });
  return pages;
}

class SavedPagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::is_directory(kShared / "todayspages")) {
      GTEST_SKIP() << "The saved pages of the site are not beside this checkout (" << kShared
                   << "): they are third-party pages that only some checkouts have.";
    }
    pages = SavedPages();
    ASSERT_GE(pages.size(), 46u) << "a saved page could not be read";
  }

  const SavedPage& Page(const std::string& name) const {
    for (const SavedPage& page : pages) {
      if (page.name == name) return page;
    }
    ADD_FAILURE() << "no saved page " << name;
    static const SavedPage none;
    return none;
  }

  static bool IsResultKind(const std::string& name) {
    for (const char* kind : {"sitem/", "scard/", "sold/", "noresults/", "modern/"}) {
      if (name.starts_with(kind)) return true;
    }
    return false;
  }

  std::vector<SavedPage> pages;
};

TEST_F(SavedPagesTest, EveryPageReadsItemByItemAsThePlainReadingDoes) {
  std::size_t items = 0, withBids = 0, ending = 0, sold = 0, pictured = 0;
  for (const SavedPage& page : pages) {
    SCOPED_TRACE(page.name);
    const SitePage read = ReadSitePage(page.bytes, page.reading);
    EXPECT_EQ(testing::ReadingDifference(read, testing::PlainSiteReading(page.bytes, page.reading)),
              "");
    if (!IsResultKind(page.name)) {
      EXPECT_EQ(read.cards, 0u);
    }
    for (const ListedItem& item : read.items) {
      ++items;
      withBids += item.bidCount > 0;
      ending += item.endDate.size() == 20;
      sold += item.endDate.size() == 10;
      pictured += !item.imageUrl.empty();
      EXPECT_EQ(item.legacyItemId.find_first_not_of("0123456789"), std::string::npos);
      EXPECT_FALSE(item.title.empty()) << item.legacyItemId;
    }
  }
  // What both readings must find, or they fail alike: the pages hold auctions with bids,
  // time left and sold dates, and a picture on every card (a page saved by a browser names
  // its own copies of them).
  EXPECT_GT(items, 1500u);
  EXPECT_GT(withBids, 100u);
  EXPECT_GT(ending, 100u);
  EXPECT_GT(sold, 300u);
  EXPECT_EQ(pictured, items);
}

TEST_F(SavedPagesTest, TheCardsOfPagesWithFewResultsStopAtTheDivider) {
  struct Expected {
    const char* page;
    std::size_t items;
    bool nextPage;
  };
  for (const Expected& expected :
       {Expected{"scard/bescraper-de-lego7075-1result", 1, false},
        Expected{"sold/vehparts-jetta-sold-1result", 1, false},
        Expected{"sold/mandarake-yurakano-sold-3results", 3, false},
        Expected{"sold/mandarake-pokemonsold-sold-bids", 35, false},
        Expected{"noresults/tiktokfinder-peanutbutter-0results", 0, false},
        Expected{"modern/raiansar-bluray-scard", 0, false},
        Expected{"scard/brandguardian-chanel-bids", 60, true}}) {
    SCOPED_TRACE(expected.page);
    const SavedPage& page = Page(expected.page);
    const SitePage read = ReadSitePage(page.bytes, page.reading);
    EXPECT_EQ(read.items.size(), expected.items);
    EXPECT_EQ(read.nextPage, expected.nextPage);
    if (expected.items < 60) {
      EXPECT_GT(read.cards, read.items.size()) << "cards after the divider";
    }
  }
  // One card as the page shows it: a German auction with its bids and time left.
  const SavedPage& page = Page("scard/flavio-de-xbox360-auctions-TRIMMED");
  const ListedItem item = ReadSitePage(page.bytes, page.reading).items.at(3);
  EXPECT_EQ(item.itemWebUrl, "https://www.ebay.de/itm/298689575398");
  EXPECT_EQ(item.price, "2.50");
  EXPECT_EQ(item.currency, "EUR");
  EXPECT_EQ(item.bidCount, 3);
  EXPECT_EQ(item.endDate, "2025-12-07T06:46:40Z");  // "Noch 1 T 1 Std"
}

TEST_F(SavedPagesTest, EveryPageWithoutResultsGetsItsCause) {
  const std::string robot =
      "The marketplace showed a robot check instead of results. Open the marketplace in your "
      "browser, wait a while, then try again.";
  const std::string error =
      "The marketplace's server answered with an error page instead of results. Try again later.";
  const std::string nothing = "The marketplace found no items for this search.";
  const std::map<std::string, std::optional<std::string>> causes = {
      {"botcheck/arbitrage-fr-desoles", robot},
      {"botcheck/auction-etl-pardon", robot},
      {"botcheck/ebay-card-scraper-pardon", robot},
      {"botcheck/lot-genius-akamai-503", error},
      {"botcheck/pandota-uk-securitymeasure", robot},
      {"botcheck/rideradar-au-pardon-lowercase", robot},
      {"botcheck/trustbuy-pardon", robot},
      {"modern/buy-records-switch-sitem", nothing},
      {"modern/precios1-zapatillas-prettified", nothing},
      {"modern/raiansar-bluray-scard", nothing},
      {"noresults/mandarake-yurakano-highcolored-0results", nothing},
      {"noresults/tiktokfinder-peanutbutter-0results", nothing},
      {"noresults/vehparts-bmwx5-0results", nothing},
      {"old/wwwsearch-2008-stores-noresults", nothing},
      {"other/aitools-errorpage", error},
      {"other/ebayscraper-uk-jellycat-problem",
       "The marketplace could not complete the search just now. Try again later."},
      // A shop's own page, not a search's: nothing Lotwise knows to say of it.
      {"other/pandota-uk-store", std::nullopt},
      {"synthetic/mcp-ebay-watchlist-signin-AUTHORED",
       "The marketplace asked to sign in instead of showing results."}};
  std::size_t judged = 0;
  for (const SavedPage& page : pages) {
    if (!ReadSitePage(page.bytes, page.reading).items.empty()) continue;
    SCOPED_TRACE(page.name);
    ++judged;
    const auto cause = causes.find(page.name);
    ASSERT_NE(cause, causes.end()) << "a page without results whose cause is not known";
    EXPECT_EQ(SiteDiagnosis({page.bytes, 200}), cause->second);
    // The classic searches know the same robot checks, sign-in and error pages.
    if (cause->second == robot || cause->second == error) {
      EXPECT_EQ(Diagnosis({page.bytes, 200}, kKeywordSearch, false), cause->second);
    }
  }
  EXPECT_EQ(judged, causes.size());
}

}  // namespace
}  // namespace lotwise
