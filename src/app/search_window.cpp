#include "app/search_window.h"

#include <exception>
#include <system_error>
#include <utility>

#include "collect/api_search.h"
#include "collect/classic_addresses.h"
#include "collect/page_file.h"
#include "collect/page_loop.h"
#include "collect/search_results.h"
#include "report/report_writer.h"
#include "report/scan.h"
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
               {},
               false,
               {},
               nullptr} {
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

void SearchWindow::EndWithMessage(const std::string& text) {
  context_.summary.end = SearchEnd::kMessage;
  context_.summary.message = text;
  platform_.MessageBox(text);
  StopRequested = 1;
  EnableSearchCommands(true);
  Command1.caption = "Stop Search";
  Label1.caption = "Ready for another search";
}

void SearchWindow::ShowFinished() {
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
  StopRequested = 1;
  EnableSearchCommands(true);
  Command6.enabled = false;
  Command1.caption = "Stop Search";
  Label1.caption = "Search ended: " + why;
  statusDetail = detail;
}

void SearchWindow::RemoveTempFile() {
  Label1.caption = "Deleting Temporary Files.......";
  std::error_code ignored;
  std::filesystem::remove(PageFilePath(), ignored);
  std::filesystem::remove(ReportPath(), ignored);
}

bool SearchWindow::click(CommandButton& command) {
  if (!command.enabled) return false;
  if (&command == &cmdSearch || &command == &Command3 || &command == &Command4 ||
      &command == &Command5) {
    RunSearch(command);
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

void SearchWindow::RunSearch(CommandButton& command) {
  if (searchDepth_ > 0) {
    // A stopped search is still unwinding below this click: run this one after it.
    pendingSearch_ = &command;
    return;
  }
  for (CommandButton* next = &command; next != nullptr;) {
    pendingSearch_ = nullptr;
    ++searchDepth_;
    // An early end asked for in an earlier search must not cut this one short.
    SeeIncomplete = 0;
    context_.lastPage = {};
    context_.foundNone = false;
    context_.summary = {};
    statusDetail.clear();
    try {
      if (next == &cmdSearch) {
        KeywordSearch();
      } else if (next == &Command3) {
        CategorySearch();
      } else if (next == &Command4) {
        FeaturedSearch();
      } else {
        CompletedSearch();
      }
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

void SearchWindow::KeywordSearch() {
  StopRequested = 0;
  ListOffset = 0;
  EnableSearchCommands(false);
  RemoveTempFile();
  SearchKind = kKeywordSearch;
  if (context_.listings != nullptr) {
    CollectApiPages(context_);
    ScanApiItems(context_);
    return;
  }
  RunKeywordSearch(context_);
  ScanSearchPages(context_);
}

void SearchWindow::UseListingSource(ListingSource* source) { context_.listings = source; }

std::string SearchWindow::SourceName() const {
  return context_.listings != nullptr ? context_.listings->Name() : "Classic pages";
}

void SearchWindow::StartPagedSearch(const char* status, std::int16_t kind) {
  EnableSearchCommands(false);
  PageStart = 2;
  RemoveTempFile();
  Label1.caption = status;
  SearchKind = kind;
}

void SearchWindow::CategorySearch() {
  StopRequested = 0;
  StartPagedSearch("Finding # of Auctions in Category.......", kCategorySearch);
  if (context_.listings != nullptr) {
    ListOffset = 0;
    CollectApiPages(context_);
    ScanApiItems(context_);
    return;
  }
  CollectCategoryPages(context_);
  ScanListingPages(context_);
}

void SearchWindow::FeaturedSearch() {
  if (context_.listings != nullptr) {
    EndWithMessage(
        "The marketplace's API offers no search for featured auctions: choose \"Classic "
        "pages\" in Settings for it.");
    return;
  }
  StopRequested = 0;
  StartPagedSearch("Finding # of featured auctions.......", kFeaturedSearch);
  FeaturedMode = 0;
  CollectFeaturedPages(context_);
  ScanListingPages(context_);
}

void SearchWindow::CompletedSearch() {
  if (context_.listings != nullptr) {
    EndWithMessage(
        "The marketplace's API offers no search for completed items: they are only in its "
        "Marketplace Insights API, which is closed to new applications.");
    return;
  }
  StopRequested = 0;
  ListOffset = 0;
  StartPagedSearch("Finding # of completed auctions.......", kCompletedSearch);
  CollectCompletedPages(context_);
  ScanListingPages(context_);
}

void SearchWindow::StopSearch() {
  statusDetail.clear();
  SeeIncomplete = 0;
  StopRequested = 1;
  for (CommandButton* command : {&Command2, &Command3, &Command4, &Command5}) {
    command->enabled = true;
  }
  Command6.enabled = false;
  cmdSearch.enabled = true;
  Command1.caption = "Stop Search";
  Label1.caption = "Ready for another search";
}

void SearchWindow::close() {
  pendingSearch_ = nullptr;
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
  const ProgramVersion version = programVersion();
  frmAbout.caption = "About Lotwise";
  frmAbout.lblVersion.caption = "Version " + std::to_string(version.major) + "." +
                                std::to_string(version.minor) + "." +
                                std::to_string(version.revision);
  frmAbout.loaded = true;
}

}  // namespace lotwise
