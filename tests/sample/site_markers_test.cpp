// The markers a reader of the site relies on, as the sample's result pages write them,
// are the ones the real site's pages carry: real pages others saved are read from
// ../shared at run time, where it is there.

#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "sample-marketplace/faults.h"
#include "sample-marketplace/site_search.h"

namespace {

using namespace lotwise::sample;
namespace fs = std::filesystem;

std::string Gunzipped(const fs::path& file) {
  std::string text;
  gzFile in = gzopen(file.string().c_str(), "rb");
  if (in == nullptr) return text;
  char buffer[1 << 16];
  for (int read = 0; (read = gzread(in, buffer, sizeof buffer)) > 0;) {
    text.append(buffer, static_cast<std::size_t>(read));
  }
  gzclose(in);
  return text;
}

// Every real page in the folders given (under ../shared), one text each.
std::vector<std::string> RealPages(const std::vector<std::string>& folders) {
  std::vector<std::string> pages;
  for (const std::string& folder : folders) {
    const fs::path dir = fs::path(LOTWISE_SHARED_DIR) / folder;
    if (!fs::is_directory(dir)) continue;
    for (const auto& entry : fs::directory_iterator(dir)) {
      if (entry.path().extension() == ".gz") pages.push_back(Gunzipped(entry.path()));
    }
  }
  return pages;
}

// Every kind of page the sample writes: both layouts, both languages, current and sold
// items, the last page of a search with fewer-words cards, a page that finds nothing, and
// the robot check.
std::string SamplePages(const std::vector<Item>& items) {
  std::string pages = RobotCheckBody();
  for (const SiteLayout layout : {SiteLayout::kCard, SiteLayout::kItem}) {
    const SiteSearch site(items, {layout, [] { return std::int64_t{1772625600}; }});
    for (const std::string path : {"/sch/i.html", "/de/sch/i.html"}) {
      for (const std::string query :
           {"_nkw=clock", "_nkw=clock&LH_Complete=1", "_nkw=red+lamp&_pgn=9", "_nkw=red+qqq"}) {
        pages += site.Answer(path + "?" + query, "items.test", "site.test").body;
      }
    }
  }
  return pages;
}

class SiteMarkersTest : public ::testing::Test {
 protected:
  std::map<std::string, std::vector<std::string>> real_;  // the real pages of each folder
};

TEST_F(SiteMarkersTest, TheSamplesResultPagesCarryTheRealSitesMarkers) {
  const std::string tree = "todayspages/pages/";
  struct Marker {
    std::string text;
    std::vector<std::string> realFolders;
  };
  const std::vector<std::string> cards{tree + "scard", "realpages/modern"};
  const std::vector<std::string> items{tree + "sitem", "realpages/modern"};
  const std::vector<std::string> any{tree + "scard", tree + "sitem", tree + "sold",
                                     tree + "noresults", "realpages/modern"};
  const std::vector<Marker> markers{
      {"<li class=\"s-card s-card--", cards},
      {"s-card__title", cards},
      {"s-card__price", cards},
      {"s-card__attribute-row", cards},
      {"s-card__time-left", cards},
      {"s-card__image", cards},
      {"<li class=\"s-item s-item__pl-on-bottom\"", items},
      {"s-item__title", items},
      {"s-item__price", items},
      {"s-item__bidCount", items},
      {"s-item__time-left", items},
      {"s-card__caption", {tree + "sold"}},
      {"Sold  ", {tree + "sold"}},
      {"data-defer-load", any},
      {"/itm/123456", any},
      {"Shop on eBay", any},
      {"srp-controls__count-heading", any},
      {"pagination__next", any},
      {"srp-river-answer--REWRITE_START", any},
      {"Results matching fewer words", any},
      {"No exact matches found", any},
      {"Ergebnisse f\xC3\xBC"
       "r weniger Suchbegriffe",
       any},
      {" bids<", any},
      {" Gebote<", any},
      {" Gebot<", any},
      {"h left<", any},
      {">Noch ", any},
      {">EUR ", any},
      {"Pardon Our Interruption", {tree + "botcheck", "realpages/botcheck"}},
  };
  if (RealPages({tree + "scard"}).empty()) {
    GTEST_SKIP() << "No real result pages in " << LOTWISE_SHARED_DIR
                 << ", so the sample's markers cannot be compared with the site's.";
  }
  const std::string sample = SamplePages(GenerateItems(7, 3000));
  for (const Marker& marker : markers) {
    EXPECT_NE(sample.find(marker.text), std::string::npos) << marker.text;
    bool real = false;
    for (const std::string& folder : marker.realFolders) {
      if (!real_.contains(folder)) real_[folder] = RealPages({folder});
      for (const std::string& page : real_[folder]) {
        real = real || page.find(marker.text) != std::string::npos;
      }
    }
    EXPECT_TRUE(real) << marker.text << " is on no real page";
  }
}

}  // namespace
