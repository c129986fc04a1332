// A report as a person's browser shows it: headless chromium loads one report of each
// kind of search, and every picture the report names (the banner, the items' pictures,
// the "sold" markers) must have been served with status 200 as an image.

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>

#include "e2e/e2e_fixture.h"
#include "headless-chromium/headless_chromium.h"

namespace lotwise::e2e {
namespace {

// Well inside the test's own time limit, so that a browser that hangs fails with a message.
constexpr std::chrono::seconds kBrowserLimit{40};

// The address of every <img> of a page, once each.
std::set<std::string> PictureAddresses(const std::string& page) {
  static const std::regex picture(R"re(<img[^>]*\ssrc="([^"]*)")re", std::regex::icase);
  std::set<std::string> addresses;
  for (std::sregex_iterator it(page.begin(), page.end(), picture), end; it != end; ++it) {
    addresses.insert((*it)[1].str());
  }
  return addresses;
}

class ReportPicturesTest : public EndToEndTest,
                           public ::testing::WithParamInterface<std::string> {};

TEST_P(ReportPicturesTest, EveryPictureOfTheReportIsServedAsAnImage) {
  const std::optional<std::filesystem::path> chromium = FindChromium();
  if (!chromium) GTEST_SKIP() << "chromium is not installed (Debian package: chromium)";
  RunSearch(Case(GetParam()));
  ExpectFinished();
  const std::string report = ReadFile(window().ReportPath());
  const std::set<std::string> addresses = PictureAddresses(report);
  const std::string server = "http://127.0.0.1:" + std::to_string(port);
  ASSERT_TRUE(addresses.contains(server + "/adware/zadadorud.gif"));
  ASSERT_GT(addresses.size(), 10u);

  const BrowserRun run = HeadlessChromium(*chromium, kBrowserLimit).Load(window().ReportPath());

  ASSERT_TRUE(run.succeeded()) << "exit code " << run.exitCode << "\n" << run.errors;
  EXPECT_NE(run.output.find("Search Results"), std::string::npos) << run.output;
  std::map<std::string, std::vector<sample::Answer>> answered;
  for (sample::Answer& answer : served.Answers()) {
    answered[server + answer.target].push_back(std::move(answer));
  }
  for (const std::string& address : addresses) {
    const auto found = answered.find(address);
    if (found == answered.end()) {
      ADD_FAILURE() << "the browser did not request " << address;
      continue;
    }
    for (const sample::Answer& answer : found->second) {
      EXPECT_EQ(answer.status, 200) << address;
      EXPECT_TRUE(answer.contentType.starts_with("image/"))
          << address << ": " << answer.contentType;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Searches, ReportPicturesTest,
                         ::testing::Values("Featured", "Category", "Completed", "Keyword"),
                         [](const auto& p) { return p.param; });

}  // namespace
}  // namespace lotwise::e2e
