// Page collection over the loopback network: the pages of a featured search collected
// through the libcurl fetcher against the same addresses fetched by the curl program,
// and the longest time a whole search leaves the window without handling input.

#include <benchmark/benchmark.h>

#include <chrono>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/search_window.h"
#include "collect/page_loop.h"
#include "curl_program.h"
#include "http/curl_fetcher.h"
#include "page_file_maker.h"
#include "sample-marketplace/catalog.h"
#include "sample-marketplace/listing.h"
#include "sample-marketplace/marketplace.h"
#include "sample-marketplace/request_log.h"
#include "sample-marketplace/sample_server.h"
#include "sample-marketplace/target.h"
#include "timing.h"

namespace lotwise::bench {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFeaturedPages = 199;  // fetched: the index page twice, then pages 2 to 199
constexpr std::chrono::milliseconds kDelay{20};
const std::string kFeaturedIndex = "/pool1/plistings/list/auction/category0/index.html?featured";

// The fewest items whose featured listing has exactly `pages` pages.
std::size_t ItemsForFeaturedPages(int pages) {
  const auto pageCount = [](std::size_t items) {
    return sample::FindListing(sample::GenerateItems(1, items), sample::ParseTarget(kFeaturedIndex))
        ->PageCount();
  };
  std::size_t low = 1;
  std::size_t high = 1'000'000;
  while (low < high) {
    const std::size_t middle = (low + high) / 2;
    if (pageCount(middle) < pages) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  while (pageCount(low) != pages) ++low;
  return low;
}

sample::ServerSettings Settings() {
  sample::ServerSettings settings;
  settings.delay = kDelay;
  return settings;
}

// The sample marketplace on a free loopback port, answering after 20 ms.
struct Marketplace {
  Marketplace()
      : items(ItemsForFeaturedPages(kFeaturedPages)),
        marketplace(sample::GenerateItems(1, items)),
        server(marketplace, log, Settings()) {
    port = server.Start(0);
    config.listingsHost = "127.0.0.1:" + std::to_string(port);
  }
  ~Marketplace() { server.Stop(); }

  std::size_t items;
  std::ostringstream requests;
  sample::RequestLog log{requests};
  sample::Marketplace marketplace;
  sample::SampleServer server;
  int port = 0;
  Config config = BenchConfig();
};

Marketplace& SampleMarketplace() {
  static Marketplace marketplace;
  return marketplace;
}

// The desktop's platform as far as searches need it: pages through the libcurl fetcher,
// and a note of the time whenever the window would handle input (each DoEvents and
// each yield of a waiting fetch), keeping the longest stretch between two such times.
class TimedPlatform : public Platform {
 public:
  TimedPlatform() : fetcher_([this] { Handled(); }) {}

  std::string OpenURL(const std::string& url) override {
    fetched.push_back(url);
    return fetcher_.OpenURL(url);
  }
  void DoEvents() override { Handled(); }
  void ShellOpen(const std::string&, const std::string&, const std::string&) override { ++opened; }
  void MessageBox(const std::string& text) override { messages.push_back(text); }
  void Pause(std::chrono::milliseconds duration) override {
    const Clock::time_point end = Clock::now() + duration;
    while (Clock::now() < end) {
      std::this_thread::sleep_for(
          std::min<Clock::duration>(std::chrono::milliseconds(10), end - Clock::now()));
      Handled();
    }
  }

  // The window starts or stops being busy with a command.
  void Begin() {
    last_ = Clock::now();
    longest = Clock::duration::zero();
  }
  void End() {
    Handled();
    lastStretch = stretch_;
  }

  std::vector<std::string> fetched;
  std::vector<std::string> messages;
  int opened = 0;
  long handled = 0;
  Clock::duration longest{};
  Clock::duration lastStretch{};

 private:
  void Handled() {
    const Clock::time_point now = Clock::now();
    stretch_ = now - last_;
    longest = std::max(longest, stretch_);
    last_ = now;
    ++handled;
  }

  CurlFetcher fetcher_;
  Clock::time_point last_ = Clock::now();
  Clock::duration stretch_{};
};

double Milliseconds(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

// Each repetition collects the pages of a featured search (GetData, as the featured
// search runs it: the index page twice, then pages 2 to 199, every result table
// appended to the page file), then has curl fetch the same addresses in the same order.
void BM_Collect200Pages_VersusCurl(benchmark::State& state) {
  Marketplace& market = SampleMarketplace();
  for (auto _ : state) {
    ScratchFolder folder("collect");
    TimedPlatform platform;
    SearchWindow window(market.config, folder.path(), platform);
    window.SearchKind = 3;
    window.PageStart = 2;
    const double collect = Seconds([&] {
      GetData(window.context(), "http://" + market.config.listingsHost + kFeaturedIndex, "");
    });
    std::vector<std::string> gets;
    for (const std::string& url : platform.fetched) gets.push_back(CurlGet(url));
    if (!VersusCurl(
            state, collect, gets, [&] { return market.log.count(); }, folder.path(),
            window.PageFilePath(), "pages")) {
      break;
    }
  }
}
BENCHMARK(BM_Collect200Pages_VersusCurl)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// Each repetition runs a whole featured search from the click to the opened report
// (collection, scan and report writing) and keeps the longest stretch without input
// handling, and the last one: from the last page's records to the opened report.
void BM_WholeSearch200Pages_LongestStretchWithoutInput(benchmark::State& state) {
  Marketplace& market = SampleMarketplace();
  for (auto _ : state) {
    ScratchFolder folder("search");
    TimedPlatform platform;
    SearchWindow window(market.config, folder.path(), platform);
    window.txtBids.text = "0";
    platform.Begin();
    const double search = Seconds([&] { window.click(window.Command4); });
    platform.End();
    if (window.Label1.caption != "Finished!!!" || platform.opened != 1) {
      state.SkipWithError(("the search did not finish: " + window.Label1.caption).c_str());
      break;
    }
    state.SetIterationTime(search);
    state.counters["pages"] = static_cast<double>(platform.fetched.size());
    state.counters["longest_ms"] = Milliseconds(platform.longest);
    state.counters["scan_and_report_ms"] = Milliseconds(platform.lastStretch);
    state.counters["input_checks"] = static_cast<double>(platform.handled);
    state.counters["report_MiB"] =
        static_cast<double>(std::filesystem::file_size(window.ReportPath())) / (1 << 20);
  }
}
BENCHMARK(BM_WholeSearch200Pages_LongestStretchWithoutInput)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lotwise::bench

BENCHMARK_MAIN();
