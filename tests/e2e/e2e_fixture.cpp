#include "e2e/e2e_fixture.h"

#include <sys/wait.h>

#include <cstdio>

namespace lotwise::e2e {
namespace {

// No search of the sample marketplace needs more; a search that goes on is a fault.
constexpr std::size_t kFetchLimit = 200;

}  // namespace

CurlFetcher::Options ShortTimeOut() {
  CurlFetcher::Options options;
  options.timeout = std::chrono::seconds(2);
  return options;
}

ParserVerdict ReadByConformingParser(const std::filesystem::path& document) {
  const std::string python = LOTWISE_PYTHON3;
  if (python.empty()) return {77, "python3 is not installed"};
  const std::string command =
      python + " " + LOTWISE_HTML5_CHECK + " '" + document.string() + "' 2>&1";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return {-1, "the parser could not be started"};
  ParserVerdict verdict;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) verdict.said += buffer;
  const int status = pclose(pipe);
  verdict.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return verdict;
}

void EndToEndTest::SetUp() {
  port = served.Start();
  OpenWindow(port);
}

void EndToEndTest::OpenWindow(int windowPort) {
  window_.reset();
  api_.reset();
  site_.reset();
  platform_ = std::make_unique<ClockedPlatform>(
      HeadlessPlatform::Hooks{
          .fetching =
              [this](const std::string& url) {
                if (platform_->fetchesEnded() < kFetchLimit || window_->StopRequested == 1) return;
                ADD_FAILURE() << "more than " << kFetchLimit << " fetches; stopped at " << url;
                window_->click(window_->Command1);
              },
          .doEvents =
              [this] {
                if (onDoEvents) onDoEvents();
              },
          .messageBox = [this](const std::string& text) { messages.push_back(text); },
          .shellOpen = [this](const std::string& target) { opened.push_back(target); }},
      fetchOptions, now);
  window_ = std::make_unique<SearchWindow>(HostsAt(windowPort), folder.path(), *platform_);
  platform_->cutFetchesShortWhen([this] { return window_->StopRequested == 1; });
}

ApiSettings EndToEndTest::MockApi() const { return MockApiAt(port); }

void EndToEndTest::SearchThroughApi() {
  api_.emplace(MockApi(), *platform_, clock_);
  window_->UseListingSource(&*api_);
}

void EndToEndTest::SearchThroughSite() {
  SiteSourceSettings settings;
  settings.baseUrl = "http://127.0.0.1:" + std::to_string(port);
  site_.emplace(settings, *platform_, *platform_, siteClock_);
  window_->UseListingSource(&*site_);
}

void EndToEndTest::RunSearch(const SearchCase& search) {
  search.fillIn(window());
  window().txtBids.text = std::to_string(kMinimumBids);
  ASSERT_TRUE(window().click(window().*search.command));
}

std::vector<sample::Item> EndToEndTest::Collected(const SearchCase& search) const {
  return market.CollectedItems(search.first, search.nextPrefix);
}

std::vector<std::int64_t> EndToEndTest::ExpectedRows(
    const std::vector<sample::Item>& collected) const {
  return Numbers(sample::ReportOrder(collected, kMinimumBids));
}

std::vector<sample::Item> EndToEndTest::ItemsOn(const std::vector<std::string>& targets) const {
  std::vector<sample::Item> items;
  for (const std::string& target : targets) {
    const std::vector<sample::Item> page = market.PageItems(target);
    items.insert(items.end(), page.begin(), page.end());
  }
  return items;
}

void EndToEndTest::ExpectReady() {
  EXPECT_EQ(SearchCommands(), "11111");
  EXPECT_FALSE(window().Command6.enabled);
  EXPECT_EQ(window().Command1.caption, "Stop Search");
  EXPECT_EQ(window().StopRequested, 1);
  EXPECT_FALSE(window().searching());
}

void EndToEndTest::ExpectFinished() {
  EXPECT_EQ(window().Label1.caption, "Finished!!!");
  EXPECT_EQ(window().Command1.caption, "Begin New Search");
  EXPECT_EQ(SearchCommands(), "00000");
  EXPECT_FALSE(std::filesystem::exists(window().PageFilePath()));
  EXPECT_EQ(opened, std::vector<std::string>{window().ReportPath().string()});
  EXPECT_TRUE(messages.empty());
}

void EndToEndTest::ExpectWholeSearchWorks(const SearchCase& search) {
  if (window().Command1.caption == "Begin New Search") window().click(window().Command1);
  opened.clear();
  onDoEvents = nullptr;
  const std::vector<std::string> before = served.Requests();
  RunSearch(search);
  const std::vector<std::string> all = served.Requests();
  EXPECT_EQ(
      std::vector<std::string>(all.begin() + static_cast<std::ptrdiff_t>(before.size()), all.end()),
      ExpectedRequests(market, search));
  EXPECT_EQ(ReportRows(), ExpectedRows(Collected(search)));
  ExpectFinished();
}

}  // namespace lotwise::e2e
