// Saves pictures of the report of a search through the marketplace's API as a browser
// shows it, for the README (docs/report-desktop.png, report-dark.png, report-phone.png,
// report-phone-dark.png): serves the sample marketplace and its mock of the API
// in-process on a free loopback port, runs the walk-through's searches through the API
// two hours before the first of the auctions it lists ends, and has headless chromium take the
// keyword report at a desktop's and a phone's width, in light and dark colours. The times are shown
// in the time zone TZ names. Usage: lotwise-item-report-pictures <folder>

#include <chrono>
#include <iostream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "headless-chromium/headless_chromium.h"
#include "headless-chromium/scratch_folder.h"
#include "report/utc_time.h"
#include "sample-marketplace/api_item.h"
#include "sample-marketplace/catalog.h"
#include "sample-marketplace/marketplace.h"
#include "sample-marketplace/options.h"
#include "sample-marketplace/request_log.h"
#include "sample-marketplace/sample_server.h"
#include "walkthrough/sample_hosts.h"
#include "walkthrough/walkthrough.h"

namespace {

struct Picture {
  std::string name;
  int width;
  int height;
  bool dark;
};

const std::vector<Picture> kPictures{{"report-desktop.png", 1100, 1500, false},
                                     {"report-dark.png", 1100, 1500, true},
                                     {"report-phone.png", 390, 1400, false},
                                     {"report-phone-dark.png", 390, 1400, true}};

}  // namespace

int main(int argc, char** argv) {
  using namespace lotwise;
  if (argc != 2) {
    std::cerr << "usage: " << argv[0] << " <folder>\n";
    return 2;
  }
  const auto chromium = FindChromium();
  if (!chromium) {
    std::cerr << "chromium is not installed (Debian package: chromium)\n";
    return 1;
  }
  const std::filesystem::path out = argv[1];
  std::error_code failed;
  std::filesystem::create_directories(out, failed);

  const sample::Options defaults;
  const sample::Marketplace market(sample::GenerateItems(defaults.seed, defaults.items));
  std::ostringstream requests;
  sample::RequestLog log(requests);
  sample::SampleServer server(market, log, defaults.server);
  const int port = server.Start(0);

  WalkthroughPlan plan;
  plan.api = MockApiAt(port);
  // Two hours before the first auction the API lists ends.
  for (const sample::Item& item : market.items()) {
    if (item.ended) continue;
    if (const std::optional<std::int64_t> end = UtcSeconds(sample::ApiEndDate(item))) {
      plan.now = std::chrono::system_clock::time_point(std::chrono::seconds(*end - 2 * 3600));
    }
    break;
  }

  const ScratchFolder folder("lotwise-item-report-pictures");
  std::ostringstream shown;
  Walkthrough walkthrough(HostsAt(port), folder.path(), shown, plan);
  const std::vector<std::filesystem::path> reports = walkthrough.Run();
  if (reports.size() != 2) {
    std::cerr << "the searches through the API did not each write a report:\n" << shown.str();
    return 1;
  }
  const std::filesystem::path& report = reports[1];  // the keyword search's
  const HeadlessChromium browser(*chromium);
  for (const Picture& picture : kPictures) {
    const std::filesystem::path file = out / picture.name;
    std::filesystem::remove(file, failed);  // so that an old picture is not taken for new
    std::vector<std::string> flags;
    if (picture.dark) flags = {"--force-dark-mode", "--blink-settings=preferredColorScheme=0"};
    const BrowserRun run = browser.Screenshot(report, file, picture.width, picture.height, flags);
    if (!run.succeeded() || !std::filesystem::exists(file)) {
      std::cerr << "chromium took no picture of " << report.string() << ":\n" << run.errors;
      return 1;
    }
    std::cout << file.string() << '\n';
  }
  return 0;
}
