#pragma once

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/config.h"
#include "app/search_window.h"
#include "cli/search_options.h"
#include "cli/status_lines.h"
#include "http/headless_platform.h"
#include "platform/http_sender.h"
#include "platform/search_history.h"

namespace lotwise {

// One search run from the command line through the window model, as a person would run
// it in the window: the options typed in, the search command clicked. Every status the
// window shows is printed where the window would repaint (each DoEvents, behind a message
// box, after the command), each message box's text goes to standard error, then the
// summary line. An interruption (Ctrl+C) clicks "Stop Search" at the next DoEvents, also
// while a fetch waits, and the files the stopped search leaves are removed.
class CommandLineSearch {
 public:
  // Hands a file to the desktop; gives what went wrong, nothing when it was handed over.
  using Opener = std::function<std::string(const std::string& file)>;

  // `interrupts` counts the interruptions so far; `opener` gets the report with --open;
  // the search is recorded in `history`, when one is given.
  CommandLineSearch(Config config, SearchOptions options, StatusLines& lines,
                    const std::atomic<int>& interrupts, Opener opener,
                    CurlFetcher::Options fetchOptions = {}, SearchHistory* history = nullptr);

  // For the source of the searches to be chosen before Run.
  SearchWindow& window() { return window_; }
  HttpSender& http() { return platform_; }
  Platform& platform() { return platform_; }

  // Runs the search; gives the exit status (run_outcome.h).
  int Run();

 private:
  HeadlessPlatform::Hooks Hooks();
  void ShowStatus();
  void StopWhenInterrupted();

  SearchOptions options_;
  StatusLines& lines_;
  const std::atomic<int>& interrupts_;
  Opener opener_;
  std::string shownStatus_;
  bool stopped_ = false;
  HeadlessPlatform platform_;
  SearchWindow window_;
};

// The files a search in `folder` that does not end leaves behind: the page file and the
// report while it is written.
std::vector<std::filesystem::path> UnfinishedSearchFiles(const std::filesystem::path& folder);

}  // namespace lotwise
