// A search through the marketplace's site over the loopback network, against the sample
// marketplace's result pages: a five-page keyword search collected through the site's
// source (a second's pause before every page but the first, waited by the platform of
// programs without a desktop) against the curl program fetching the same five pages
// with the same headers, at most one transfer a second.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <sstream>
#include <string>
#include <vector>

#include "app/search_window.h"
#include "collect/source_search.h"
#include "curl_program.h"
#include "http/headless_platform.h"
#include "page_file_maker.h"
#include "sample-marketplace/catalog.h"
#include "sample-marketplace/marketplace.h"
#include "sample-marketplace/request_log.h"
#include "sample-marketplace/sample_server.h"
#include "sample-marketplace/site_search.h"
#include "search/search_state.h"
#include "site/site_source.h"
#include "timing.h"

namespace lotwise::bench {
namespace {

constexpr long long kPages = 5;
constexpr std::chrono::milliseconds kDelay{20};
const std::string kWords = "lamp";
// The first page as the source asks for it.
const std::string kFirstPage = "/sch/i.html?_nkw=lamp&_in_kw=1&_sacat=0&LH_Auction=1&_ipg=240";

// The fewest items of which the search finds five pages.
std::size_t ItemsForPages(long long pages) {
  std::size_t items = 100;
  while (sample::CollectedSiteItems(sample::GenerateItems(1, items), kFirstPage).pages < pages) {
    items += 20;
  }
  return items;
}

sample::ServerSettings Settings() {
  sample::ServerSettings settings;
  settings.delay = kDelay;
  return settings;
}

// The sample marketplace on a free loopback port, answering after 20 ms.
struct Marketplace {
  Marketplace()
      : marketplace(sample::GenerateItems(1, ItemsForPages(kPages))),
        server(marketplace, log, Settings()) {
    site.baseUrl = "http://127.0.0.1:" + std::to_string(server.Start(0));
  }
  ~Marketplace() { server.Stop(); }

  std::ostringstream requests;
  sample::RequestLog log{requests};
  sample::Marketplace marketplace;
  sample::SampleServer server;
  SiteSourceSettings site;
};

Marketplace& SampleMarketplace() {
  static Marketplace marketplace;
  return marketplace;
}

// The platform's requests, each one kept on its way.
class RecordingSender : public HttpSender {
 public:
  explicit RecordingSender(HttpSender& sender) : sender_(sender) {}
  HttpResponse Send(const HttpRequest& request) override {
    sent.push_back(request);
    return sender_.Send(request);
  }
  std::vector<HttpRequest> sent;

 private:
  HttpSender& sender_;
};

// The curl block of the same request: its headers, and compression when it takes it.
std::string CurlBlock(const HttpRequest& request) {
  std::string block = CurlGet(request.url);
  for (const auto& [name, value] : request.headers) {
    block += "header = \"" + name + ": " + value + "\"\n";
  }
  if (request.acceptCompressed) block += "compressed\n";
  return block;
}

// Each repetition collects the five-page search through a new site source on the
// platform of programs without a desktop (its pauses really wait), then has curl make the
// same requests in one run, at most one a second (--rate, which counts from the start of
// one transfer to the start of the next, as the source does).
void BM_SiteSearch5Pages_PausedAsCurl(benchmark::State& state) {
  Marketplace& market = SampleMarketplace();
  for (auto _ : state) {
    ScratchFolder folder("site");
    std::vector<std::string> messages;
    HeadlessPlatform::Hooks hooks;
    hooks.messageBox = [&](const std::string& text) { messages.push_back(text); };
    HeadlessPlatform platform(hooks);
    RecordingSender sender(platform);
    SystemSiteClock clock;
    SiteSource source(market.site, sender, platform, clock);
    SearchWindow window(BenchConfig(), folder.path(), platform);
    platform.cutFetchesShortWhen([&] { return window.StopRequested == 1; });
    window.UseListingSource(&source);
    window.txtTitle.text = kWords;
    window.txtBids.text = "0";
    window.StopRequested = 0;
    window.SearchKind = kKeywordSearch;
    const double collect = Seconds([&] { CollectItems(window.context()); });
    if (sender.sent.size() != kPages || !messages.empty() || window.context().items.empty()) {
      state.SkipWithError(
          ("the search did not read five pages: " + std::to_string(sender.sent.size()) +
           " requests; " + (messages.empty() ? window.Label1.caption : messages.front()))
              .c_str());
      break;
    }
    std::vector<std::string> blocks;
    for (const HttpRequest& request : sender.sent) blocks.push_back(CurlBlock(request));
    const long pauseMs = static_cast<long>(std::max(market.site.pause, kShortestSitePause).count());
    blocks.front() = "rate = \"" + std::to_string(60'000 / pauseMs) + "/m\"\n" + blocks.front();
    const std::size_t before = market.log.count();
    bool curlRan = false;
    const double curl = Seconds([&] { curlRan = RunCurl(CurlTransfers(blocks), folder.path()); });
    if (!curlRan || market.log.count() - before != blocks.size()) {
      state.SkipWithError("curl did not make every transfer");
      break;
    }
    state.SetIterationTime(collect);
    state.counters["requests"] = static_cast<double>(blocks.size());
    state.counters["items"] = static_cast<double>(window.context().items.size());
    state.counters["lotwise_s"] = collect;
    state.counters["curl_s"] = curl;
    state.counters["lotwise_per_curl"] = collect / curl;
  }
}
BENCHMARK(BM_SiteSearch5Pages_PausedAsCurl)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lotwise::bench

BENCHMARK_MAIN();
