#include "walkthrough/walkthrough.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <string_view>
#include <system_error>
#include <utility>

#include "app/window_tabs.h"
#include "report/csv.h"
#include "search/summary.h"

namespace lotwise {
namespace {

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

std::size_t CountItemRows(const std::string& report) {
  // The report of a source's items names each row; its other tables hold no items.
  constexpr std::string_view kNamedRow = "<tr id=item-";
  std::size_t named = 0;
  for (std::size_t at = report.find(kNamedRow); at != std::string::npos;
       at = report.find(kNamedRow, at + 1)) {
    ++named;
  }
  if (named > 0) return named;
  std::string lower(report);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  std::size_t ends = 0;
  for (std::size_t at = lower.find("</tr>"); at != std::string::npos;
       at = lower.find("</tr>", at + 1)) {
    ++ends;
  }
  return ends > 0 ? ends - 1 : 0;
}

Walkthrough::Walkthrough(Config config, std::filesystem::path folder, std::ostream& out,
                         WalkthroughPlan plan, CurlFetcher::Options fetchOptions)
    : folder_(std::move(folder)),
      out_(out),
      plan_(std::move(plan)),
      platform_(Hooks(), fetchOptions, plan_.now),
      window_(std::move(config), folder_, platform_) {
  platform_.cutFetchesShortWhen([this] { return window_.StopRequested == 1; });
  if (plan_.api) {
    api_.emplace(*plan_.api, platform_, clock_);
    window_.UseListingSource(&*api_);
  } else if (plan_.site) {
    SiteSourceSettings site;
    site.marketplace = plan_.site->marketplace;
    site.baseUrl = plan_.site->siteBaseUrl;
    site_.emplace(site, platform_, platform_, siteClock_);
    window_.UseListingSource(&*site_);
  }
}

HeadlessPlatform::Hooks Walkthrough::Hooks() {
  HeadlessPlatform::Hooks hooks;
  hooks.fetching = [this](const std::string&) {
    ShowStatus();
    KeepFetchesBounded();
  };
  hooks.doEvents = [this] { ShowStatus(); };
  hooks.messageBox = [this](const std::string& text) {
    ShowStatus();
    out_ << "  [message box] " << text << " [OK]\n";
  };
  hooks.shellOpen = [this](const std::string& target) {
    ShowStatus();
    out_ << "  [handed to the desktop] " << target << '\n';
  };
  return hooks;
}

void Walkthrough::ShowStatus() {
  if (window_.Label1.caption == shownStatus_) return;
  shownStatus_ = window_.Label1.caption;
  out_ << "  " << shownStatus_ << '\n' << std::flush;
}

void Walkthrough::KeepFetchesBounded() {
  if (platform_.fetchesEnded() - fetchesBefore_ < plan_.fetchLimit || window_.StopRequested == 1) {
    return;
  }
  out_ << "  [more than " << plan_.fetchLimit << " pages: Stop Search]\n";
  window_.click(window_.Command1);
}

std::vector<std::filesystem::path> Walkthrough::Run() {
  std::vector<std::filesystem::path> copies;
  window_.txtBids.text = plan_.minimumBids;

  window_.SSTab1.tab = kFeaturedTab;
  Search("featured", "Featured auctions", window_.Command4, copies);

  window_.SSTab1.tab = kCategoryTab;
  window_.Text1.text = plan_.category;
  Search("category", "Category " + plan_.category, window_.Command3, copies);

  window_.SSTab1.tab = kCompletedTab;
  window_.Text2.text = plan_.completedWords;
  Search("completed", "Completed items: " + plan_.completedWords, window_.Command5, copies);

  window_.SSTab1.tab = kKeywordTab;
  window_.txtTitle.text = plan_.keywordWords;
  window_.cmbSearch.select(plan_.keywordMode);
  Search("keyword", "Keyword search: " + plan_.keywordWords + " (" + window_.cmbSearch.text + ")",
         window_.cmdSearch, copies);
  return copies;
}

void Walkthrough::Search(const std::string& name, const std::string& heading,
                         CommandButton& command, std::vector<std::filesystem::path>& copies) {
  out_ << '\n' << heading << ", at least " << window_.txtBids.text << " bids\n";
  if (!command.enabled) {
    // The last search finished: back to the ready window first.
    out_ << "  [" << window_.Command1.caption << "]\n";
    window_.click(window_.Command1);
    ShowStatus();
  }
  // A search that writes no report leaves none behind from an earlier one.
  const std::filesystem::path report = window_.ReportPath();
  const std::filesystem::path copy = folder_ / ("report-" + name + ".htm");
  const std::filesystem::path csv = window_.ReportPath().parent_path() / kCsvFileName;
  const std::filesystem::path csvCopy = folder_ / ("report-" + name + ".csv");
  std::error_code failed;
  std::filesystem::remove(report, failed);
  std::filesystem::remove(copy, failed);
  std::filesystem::remove(csvCopy, failed);
  fetchesBefore_ = platform_.fetchesEnded();
  window_.click(command);
  ShowStatus();
  out_ << "  " << SummaryText(window_.summary()) << '\n';

  if (!std::filesystem::exists(report)) {
    out_ << "  no report\n";
    return;
  }
  std::filesystem::copy_file(report, copy, std::filesystem::copy_options::overwrite_existing,
                             failed);
  if (failed) {
    out_ << "  could not copy the report to " << copy.string() << ": " << failed.message() << '\n';
    return;
  }
  std::filesystem::copy_file(csv, csvCopy, std::filesystem::copy_options::overwrite_existing,
                             failed);
  out_ << "  " << CountItemRows(ReadFile(copy)) << " item rows, kept as " << copy.string()
       << (failed ? "" : " and " + csvCopy.string()) << '\n';
  copies.push_back(copy);
}

}  // namespace lotwise
