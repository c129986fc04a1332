#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "api/api_settings.h"
#include "api/api_source.h"
#include "api/clock.h"
#include "app/config.h"
#include "app/search_window.h"
#include "http/headless_platform.h"
#include "site/site_clock.h"
#include "site/site_source.h"
#include "walkthrough/clocked_platform.h"

namespace lotwise {

// The inputs of the walk-through's searches.
struct WalkthroughPlan {
  std::string minimumBids = "10";
  std::string category = "353";  // "Antiques & Art"
  std::string completedWords = "clock";
  std::string keywordWords = "vintage lamp";
  int keywordMode = 1;  // "Any of these words"
  // A search that starts more fetches than this is stopped, so that a marketplace that
  // never stops answering cannot keep the walk-through going.
  std::size_t fetchLimit = 300;
  // Searches through the marketplace's API with these settings; the classic pages
  // when nothing.
  std::optional<ApiSettings> api;
  // Searches through the marketplace's site (the settings' marketplace and site address);
  // not with `api`.
  std::optional<ApiSettings> site;
  // The moment the reports say they ran at; the machine's clock when nothing.
  std::optional<std::chrono::system_clock::time_point> now;
};

// Runs the four searches one after another through the window model, as a person would
// with the window: fills in the inputs, clicks the search, and after a finished search
// "Begin New Search". Prints every status text the window shows, every message and
// every report handed to the desktop.
class Walkthrough {
 public:
  Walkthrough(Config config, std::filesystem::path folder, std::ostream& out,
              WalkthroughPlan plan = {}, CurlFetcher::Options fetchOptions = {});

  // The featured, category, completed-items and keyword searches. Each report is copied
  // to report-<search>.htm in the folder before the next search deletes it. Gives the
  // copies, in search order; a search that wrote no report adds none. Through the API
  // the featured and completed-items searches only show their message.
  std::vector<std::filesystem::path> Run();

  // The window, left in the state the last search ended in.
  SearchWindow& window() { return window_; }

 private:
  void Search(const std::string& name, const std::string& heading, CommandButton& command,
              std::vector<std::filesystem::path>& copies);
  // What the window shows goes to the output as it changes.
  HeadlessPlatform::Hooks Hooks();
  void ShowStatus();
  void KeepFetchesBounded();

  std::filesystem::path folder_;
  std::ostream& out_;
  WalkthroughPlan plan_;
  std::string shownStatus_;
  std::size_t fetchesBefore_ = 0;
  ClockedPlatform platform_;
  SteadyClock clock_;
  std::optional<ApiSource> api_;
  SystemSiteClock siteClock_;
  std::optional<SiteSource> site_;
  SearchWindow window_;
};

// Item rows of a report: the rows end with "</tr>", as does the column-header table; in
// the report of a source's items each is a "<tr id=item-...>".
std::size_t CountItemRows(const std::string& report);

}  // namespace lotwise
