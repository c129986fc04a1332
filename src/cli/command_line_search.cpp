#include "cli/command_line_search.h"

#include <system_error>
#include <utility>

#include "cli/run_outcome.h"
#include "cli/window_inputs.h"
#include "collect/page_file.h"
#include "report/csv.h"
#include "report/report_file.h"
#include "search/summary.h"

namespace lotwise {

std::vector<std::filesystem::path> UnfinishedSearchFiles(const std::filesystem::path& folder) {
  return {folder / kPageFileName, PartFile(folder / kReportFileName),
          PartFile(folder / kCsvFileName)};
}

CommandLineSearch::CommandLineSearch(Config config, SearchOptions options, StatusLines& lines,
                                     const std::atomic<int>& interrupts, Opener opener,
                                     CurlFetcher::Options fetchOptions, SearchHistory* history)
    : options_(std::move(options)),
      lines_(lines),
      interrupts_(interrupts),
      opener_(std::move(opener)),
      platform_(Hooks(), fetchOptions),
      window_(std::move(config), options_.folder, platform_) {
  platform_.cutFetchesShortWhen([this] { return window_.StopRequested == 1; });
  window_.UseHistory(history);
}

HeadlessPlatform::Hooks CommandLineSearch::Hooks() {
  HeadlessPlatform::Hooks hooks;
  hooks.doEvents = [this] {
    StopWhenInterrupted();
    ShowStatus();
  };
  // A modal box repaints the window behind it first.
  hooks.messageBox = [this](const std::string& text) {
    ShowStatus();
    lines_.Message(text);
  };
  hooks.shellOpen = [this](const std::string& target) {
    if (!options_.open || !opener_) return;
    if (const std::string failure = opener_(target); !failure.empty()) lines_.Message(failure);
  };
  return hooks;
}

void CommandLineSearch::ShowStatus() {
  if (window_.Label1.caption == shownStatus_) return;
  shownStatus_ = window_.Label1.caption;
  lines_.Status(shownStatus_);
}

void CommandLineSearch::StopWhenInterrupted() {
  if (stopped_ || interrupts_.load() == 0 || !window_.searching()) return;
  stopped_ = true;
  window_.click(window_.Command1);
}

int CommandLineSearch::Run() {
  CommandButton& command = TypeIn(window_, TypedOptions(options_));
  // The window's first caption is no status of this search.
  shownStatus_ = window_.Label1.caption;
  if (interrupts_.load() > 0) {
    lines_.Message("lotwise-search: stopped (Ctrl+C) before the search began");
    return kExitNoReport;
  }
  window_.click(command);
  ShowStatus();
  if (stopped_) {
    for (const std::filesystem::path& file : UnfinishedSearchFiles(options_.folder)) {
      std::error_code ignored;
      std::filesystem::remove(file, ignored);
    }
  }
  const SearchSummary& summary = window_.summary();
  if (const std::string line = SummaryText(summary); !line.empty()) lines_.Summary(line);
  if (const std::string reason = NoReportReason(summary); !reason.empty()) lines_.Message(reason);
  return ExitStatusOf(summary);
}

}  // namespace lotwise
