#include "app/search_window.h"

#include <exception>
#include <system_error>
#include <utility>

#include "collect/classic_addresses.h"
#include "collect/page_file.h"
#include "collect/page_loop.h"
#include "collect/search_results.h"
#include "collect/source_search.h"
#include "report/csv.h"
#include "report/item_rows.h"
#include "report/line_rows.h"
#include "report/report_file.h"
#include "report/write_report.h"
#include "search/categories.h"

namespace lotwise {
namespace {

// A short account of a failed fetch for the status line: what happened, and to which host.
std::string ShortReason(const FetchError& failure) {
  const std::string at = failure.host().empty() ? "" : " (" + failure.host() + ")";
  switch (failure.kind()) {
    case FetchFailure::kUnreachable:
      return "the marketplace could not be reached" + at;
    case FetchFailure::kHostNotFound:
      return "the marketplace's host was not found" + at;
    case FetchFailure::kTimeout:
      return "the marketplace did not answer in time" + at;
    case FetchFailure::kTooLarge:
      return "the marketplace sent more than " + std::to_string(failure.limit() >> 20) + " MiB" +
             at;
    case FetchFailure::kBrokenOff:
      return "the connection to the marketplace broke off" + at;
    case FetchFailure::kRedirectLoop:
      return "the marketplace redirected in a loop" + at;
    case FetchFailure::kOther:
      break;
  }
  return failure.host().empty() ? failure.what() : "the page could not be loaded" + at;
}

// How a price label shows a currency: its sign, or its code when it has none of its own.
std::string CurrencySign(const std::string& code) {
  if (code == "USD") return "$";
  if (code == "GBP") return "\xC2\xA3";      // pound sign
  if (code == "EUR") return "\xE2\x82\xAC";  // euro sign
  if (code == "AUD") return "AU $";
  if (code == "CAD") return "C $";
  return code;
}

bool IsFile(const std::filesystem::path& file) {
  std::error_code unknown;
  return std::filesystem::is_regular_file(file, unknown);
}

}  // namespace

SearchWindow::SearchWindow(Config config, std::filesystem::path appFolder, Platform& platform)
    : caption("Lotwise -- Your Key to the Online Auction Market"),
      Label1{
          "Enter the minimum amount of bids you want the search to find and then choose a "
          "search."},
      Label2{"Enter Category #"},
      Label3{"Search for items that have at least"},
      Label4{"Title"},
      Label5{"Words to exclude"},
      Label6{"Price Range"},
      Label7{"Between  $"},
      Label8{"and  $"},
      Label9{"Search in Categories"},
      Label11{"bids."},
      Label12{"Enter Keywords"},
      txtBids{"0"},
      Check1{"Title and Description", 0},
      SSTab1{{"Featured", "Category", "Completed", "Keyword"}, 3},
      cmdSearch{"Search", true},
      Command1{"Stop Search", true},
      Command2{"Show Categories", true},
      Command3{"Search", true},
      Command4{"Search Featured Auctions", true},
      Command5{"Search", true},
      Command6{"See Incomplete Results", false},
      hlpHelp{"Help"},
      hlpInstruct{"Instructions"},
      bar1{"-"},
      hlpEmail{"Email Author"},
      mnuDiscuss{"Discussion Group"},
      hlpWebsite{"Visit Website"},
      bar2{"-"},
      hlpAbout{"About"},
      mnuOpen{"Open last Results"},
      mnuUpdate{"Check for Update"},
      config_(std::move(config)),
      appFolder_(std::move(appFolder)),
      platform_(platform),
      context_{*this,
               *this,
               platform_,
               config_,
               appFolder_ / kPageFileName,
               appFolder_ / kReportFileName,
               appFolder_ / kCsvFileName,
               {},
               false,
               {},
               nullptr,
               {},
               nullptr,
               {}} {
  cmbSearch.items = {"All of these Words", "Any of these words", "Exact phrase"};
  frmAbout.lblDescription.caption =
      "Lotwise finds the auctions that already draw bids. Published by the Lotwise authors; "
      "provided as is, without warranty of any kind.";
  frmAbout.Label1.caption = config_.contactAddress;
  frmAbout.cmdOK.caption = "OK";
  StartUp();
}

void SearchWindow::StartUp() {
  StopRequested = 0;
  FillCategories();
  cmbSearch.select(0);
  cmbCategories.select(0);
}

void SearchWindow::FillCategories() {
  for (const Category& category : CategoryTable()) cmbCategories.items.emplace_back(category.name);
}

void SearchWindow::EnableSearchCommands(bool enabled) {
  for (CommandButton* command : {&Command2, &Command3, &Command4, &Command5, &cmdSearch}) {
    command->enabled = enabled;
  }
}

void SearchWindow::ShowStatus(std::string text) { Label1.caption = std::move(text); }

void SearchWindow::OfferIncompleteResults() { Command6.enabled = true; }

void SearchWindow::ReadyForAnotherSearch(std::string status) {
  StopRequested = 1;
  EnableSearchCommands(true);
  Command1.caption = "Stop Search";
  Label1.caption = std::move(status);
}

void SearchWindow::EndWithMessage(const std::string& text) {
  context_.summary.end = SearchEnd::kMessage;
  context_.summary.message = text;
  platform_.MessageBox(text);
  // Once a search has ended there is nothing left to cut short.
  Command6.enabled = false;
  ReadyForAnotherSearch("Ready for another search");
}

void SearchWindow::EndWithReason(const std::string& text) {
  context_.summary.end = SearchEnd::kMessage;
  context_.summary.message = text;
  Command6.enabled = false;
  ReadyForAnotherSearch(text);
}

void SearchWindow::ShowFinished() {
  Command6.enabled = false;
  Label1.caption = "Finished!!!";
  Command1.caption = "Begin New Search";
}

std::string SearchWindow::CategoryTyped() const { return Text1.text; }

std::string SearchWindow::CompletedKeywordsTyped() const { return Text2.text; }

std::string SearchWindow::MinimumBidsTyped() const { return txtBids.text; }

KeywordInputs SearchWindow::KeywordTab() const {
  return {txtTitle.text,      txtExcluded.text, cmbSearch.position, cmbCategories.position,
          txtBeginPrice.text, txtEndPrice.text, Check1.value != 0};
}

void SearchWindow::EndSearch(const std::string& why, const std::string& detail) {
  context_.summary.end = SearchEnd::kFailure;
  context_.summary.message = why;
  context_.summary.detail = detail;
  ReadyForAnotherSearch("Search ended: " + why);
  Command6.enabled = false;
  statusDetail = detail;
}

void SearchWindow::RemoveTempFile() {
  Label1.caption = "Deleting Temporary Files.......";
  std::error_code ignored;
  std::filesystem::remove(PageFilePath(), ignored);
  std::filesystem::remove(ReportPath(), ignored);
  std::filesystem::remove(context_.csv, ignored);
}

std::optional<std::int16_t> SearchWindow::KindOf(const CommandButton& command) const {
  if (&command == &cmdSearch) return kKeywordSearch;
  if (&command == &Command3) return kCategorySearch;
  if (&command == &Command4) return kFeaturedSearch;
  if (&command == &Command5) return kCompletedSearch;
  return std::nullopt;
}

bool SearchWindow::click(CommandButton& command) {
  if (!command.enabled) return false;
  if (const std::optional<std::int16_t> kind = KindOf(command)) {
    RunSearch(*kind);
  } else if (&command == &Command1) {
    StopSearch();
  } else if (&command == &Command6) {
    SeeIncomplete = 1;
    Command6.enabled = false;
  } else if (&command == &Command2) {
    platform_.ShellOpen(CategoriesOverviewAddress(config_), "0", "0");
  } else if (&command == &frmAbout.cmdOK) {
    frmAbout.loaded = false;
  } else {
    return false;
  }
  return true;
}

void SearchWindow::RunSearch(std::int16_t kind) {
  if (searchDepth_ > 0) {
    // A stopped search is still unwinding below this click: run this one after it.
    pendingSearch_ = kind;
    return;
  }
  for (std::optional<std::int16_t> next = kind; next;) {
    pendingSearch_.reset();
    ++searchDepth_;
    // An early end asked for in an earlier search must not cut this one short.
    SeeIncomplete = 0;
    context_.lastPage = {};
    context_.foundNone = false;
    context_.summary = {};
    context_.items.clear();
    statusDetail.clear();
    try {
      Search(*next);
    } catch (const FetchError& failure) {
      EndSearch(ShortReason(failure), failure.what());
    } catch (const std::exception& failure) {
      EndSearch(failure.what(), failure.what());
    }
    context_.summary.kind = SearchKind;
    if (context_.summary.end == SearchEnd::kRunning && StopRequested == 1) {
      context_.summary.end = SearchEnd::kStopped;
    }
    --searchDepth_;
    next = pendingSearch_;
  }
}

void SearchWindow::Search(std::int16_t kind) {
  ListingSource* const source = context_.listings;
  if (source != nullptr) {
    if (std::optional<std::string> lacking = source->Lacks(kind)) {
      EndWithMessage(*lacking);
      return;
    }
  }
  BeginSearch(kind);
  // The one place that picks the stages of a search: a source's items, or the classic
  // pages of the search's kind.
  if (source != nullptr) {
    CollectItems(context_);
    WriteReport(context_, ListedItemRows());
  } else if (kind == kKeywordSearch) {
    RunKeywordSearch(context_);
    WriteReport(context_, ItemLinkRows());
  } else {
    if (kind == kCategorySearch) CollectCategoryPages(context_);
    if (kind == kFeaturedSearch) CollectFeaturedPages(context_);
    if (kind == kCompletedSearch) CollectCompletedPages(context_);
    WriteReport(context_, AffiliateRows());
  }
}

void SearchWindow::BeginSearch(std::int16_t kind) {
  StopRequested = 0;
  if (PagesByOffset(kind) || context_.listings != nullptr) ListOffset = 0;
  EnableSearchCommands(false);
  // Page 1 is the index page, fetched first (the keyword search has none).
  if (kind != kKeywordSearch) PageStart = 2;
  RemoveTempFile();
  switch (kind) {
    case kCategorySearch:
      Label1.caption = "Finding # of Auctions in Category.......";
      break;
    case kFeaturedSearch:
      Label1.caption = "Finding # of featured auctions.......";
      FeaturedMode = 0;
      break;
    case kCompletedSearch:
      Label1.caption = "Finding # of completed auctions.......";
      break;
    default:
      break;  // the keyword search shows what its collection says
  }
  SearchKind = kind;
}

void SearchWindow::UseListingSource(ListingSource* source) {
  context_.listings = source;
  // The price range is in the currency of the source's marketplace; the classic pages'
  // is the dollar.
  const std::string sign = source != nullptr ? CurrencySign(source->Currency()) : "$";
  Label7.caption = "Between  " + sign;
  Label8.caption = "and  " + sign;
}

std::string SearchWindow::SourceName() const {
  return context_.listings != nullptr ? context_.listings->Name() : "Classic pages";
}

void SearchWindow::StopSearch() {
  statusDetail.clear();
  SeeIncomplete = 0;
  ReadyForAnotherSearch("Ready for another search");
  Command6.enabled = false;
}

void SearchWindow::close() {
  pendingSearch_.reset();
  if (searching()) StopSearch();
  frmAbout.loaded = false;
}

void SearchWindow::choose(MenuItem& item) {
  if (&item == &hlpInstruct) {
    platform_.ShellOpen((appFolder_ / "instructions.htm").string(), "0", "0");
  } else if (&item == &hlpEmail) {
    platform_.ShellOpen("mailto:" + config_.contactAddress, "0", "0");
  } else if (&item == &mnuDiscuss) {
    platform_.ShellOpen("http://" + config_.discussionGroup, "0", "0");
  } else if (&item == &hlpWebsite) {
    platform_.ShellOpen("http://" + config_.publisherWebsiteHost, "0", "0");
  } else if (&item == &hlpAbout) {
    if (!frmAbout.loaded) LoadAbout();
  } else if (&item == &mnuOpen) {
    // Every search deletes the report of the one before, so after a stopped search there
    // is none: the user is told so rather than left with nothing happening.
    if (!IsFile(context_.report)) {
      platform_.MessageBox("There is no report to open yet: run a search first.");
      return;
    }
    platform_.ShellOpen(context_.report.string(), "0", "0");
  } else if (&item == &mnuUpdate) {
#ifdef _WIN32
    const std::filesystem::path updater = appFolder_ / "Update.exe";
    if (!IsFile(updater)) {
      platform_.MessageBox("No updater is installed: " + updater.string() + " was not found.");
      return;
    }
    platform_.ShellOpen(updater.string(), "0", appFolder_.string());
#else
    // Outside Windows the program comes in a package, kept up to date with the system.
    platform_.MessageBox(
        "Lotwise is updated by the system's package manager, with the rest of the system "
        "(on Debian: sudo apt update, then sudo apt upgrade).");
#endif
  }
}

void SearchWindow::LoadAbout() {
  frmAbout.caption = "About Lotwise";
  frmAbout.lblVersion.caption = "Version " + VersionNumber();
  frmAbout.loaded = true;
}

}  // namespace lotwise
