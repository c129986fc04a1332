// Saves a picture of a report as a browser shows it, for the README (docs/report.png):
// serves the sample marketplace in-process on a free loopback port, runs the
// walk-through's four searches against it and has headless chromium take a screenshot
// of one of their reports.
// Usage: lotwise-report-picture <picture.png> [featured|category|completed|keyword]
// (default: keyword)

#include <algorithm>
#include <iostream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "headless-chromium/headless_chromium.h"
#include "headless-chromium/scratch_folder.h"
#include "sample-marketplace/catalog.h"
#include "sample-marketplace/marketplace.h"
#include "sample-marketplace/options.h"
#include "sample-marketplace/request_log.h"
#include "sample-marketplace/sample_server.h"
#include "walkthrough/sample_hosts.h"
#include "walkthrough/walkthrough.h"

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 752;
// In the order the walk-through runs them.
const std::vector<std::string> kSearches{"featured", "category", "completed", "keyword"};

}  // namespace

int main(int argc, char** argv) {
  using namespace lotwise;
  const std::string search = argc == 3 ? argv[2] : "keyword";
  const auto chosen = std::find(kSearches.begin(), kSearches.end(), search);
  if (argc < 2 || argc > 3 || chosen == kSearches.end()) {
    std::cerr << "usage: " << argv[0] << " <picture.png> [featured|category|completed|keyword]\n";
    return 2;
  }
  const auto chromium = FindChromium();
  if (!chromium) {
    std::cerr << "chromium is not installed (Debian package: chromium)\n";
    return 1;
  }

  // The sample marketplace as scripts/run.sh starts it.
  const sample::Options defaults;
  const sample::Marketplace market(sample::GenerateItems(defaults.seed, defaults.items));
  std::ostringstream requests;
  sample::RequestLog log(requests);
  sample::SampleServer server(market, log, defaults.server);
  const int port = server.Start(0);

  const ScratchFolder folder("lotwise-report-picture");
  std::ostringstream shown;
  Walkthrough walkthrough(HostsAt(port), folder.path(), shown);
  const std::vector<std::filesystem::path> reports = walkthrough.Run();
  if (reports.size() != kSearches.size()) {
    std::cerr << "the searches did not each write a report:\n" << shown.str();
    return 1;
  }

  const std::filesystem::path picture = argv[1];
  std::error_code ignored;
  std::filesystem::remove(picture, ignored);  // so that an old picture is not taken for new
  const std::filesystem::path& report = reports[chosen - kSearches.begin()];
  const BrowserRun run = HeadlessChromium(*chromium).Screenshot(report, picture, kWidth, kHeight);
  if (!run.succeeded() || !std::filesystem::exists(picture)) {
    std::cerr << "chromium took no picture of " << report.string() << ":\n" << run.errors;
    return 1;
  }
  std::cout << "The " << search << " report as a browser shows it: " << picture.string() << '\n';
  return 0;
}
