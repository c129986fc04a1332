// The report of a search through the sample marketplace's mock of the API as a
// conforming parser and a browser read it: no parse error; a title's markup shown as
// text, its script never run; the table sorted by the address's fragment; light and dark
// colours, desktop and phone layouts.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>

#include "e2e/e2e_fixture.h"
#include "headless-chromium/headless_chromium.h"
#include "sample-marketplace/api_item.h"

namespace lotwise::e2e {
namespace {

constexpr std::chrono::seconds kBrowserLimit{40};
const std::string kRun = "document.title='ran'";

// The sample marketplace with one auction that the keyword search finds whose title
// holds markup that runs script.
std::vector<sample::Item> ItemsWithScriptInATitle() {
  std::vector<sample::Item> items = sample::GenerateItems(kSeed, kItems);
  for (sample::Item& item : items) {
    if (item.ended || sample::BidCount(item) < kMinimumBids + 10) continue;
    item.titleWords = {"vintage", "<script>" + kRun + "</script>",
                       "<img src=x onerror=\"" + kRun + "\">", "lamp"};
    break;
  }
  return items;
}

// The item numbers of the rows of a report or of the document a browser made of it.
std::vector<std::int64_t> Rows(const std::string& text) {
  static const std::regex row("<tr id=\"?[0-9]+[^\n]*?(?:item%3D|item=|/itm/)([0-9]+)");
  std::vector<std::int64_t> numbers;
  for (std::sregex_iterator it(text.begin(), text.end(), row), end; it != end; ++it) {
    numbers.push_back(std::stoll((*it)[1].str()));
  }
  return numbers;
}

class ItemReportTest : public EndToEndTest {
 protected:
  void SetUp() override {
    EndToEndTest::SetUp();
    port = withScript.Start();
    OpenWindow(port);
    SearchThroughApi();
    RunSearch(Case("Keyword"));
    ExpectFinished();
    report = ReadFile(window().ReportPath());
  }

  // The rows as written, ordered by `key` of their items, equal keys in the order written.
  template <typename Key>
  std::vector<std::int64_t> Sorted(Key key, bool down) const {
    std::vector<std::int64_t> rows = Rows(report);
    std::stable_sort(rows.begin(), rows.end(), [&](std::int64_t a, std::int64_t b) {
      const auto x = key(*sample::FindItem(scripted.items(), a));
      const auto y = key(*sample::FindItem(scripted.items(), b));
      return down ? y < x : x < y;
    });
    return rows;
  }
  // The document chromium makes of the report opened at `fragment`.
  std::string Loaded(const std::string& fragment = "") {
    const BrowserRun run =
        HeadlessChromium(*chromium, kBrowserLimit).Load(window().ReportPath(), fragment);
    EXPECT_TRUE(run.succeeded()) << "exit code " << run.exitCode << "\n" << run.errors;
    return run.output;
  }

  sample::Marketplace scripted{ItemsWithScriptInATitle()};
  ServedMarketplace withScript{scripted};
  std::optional<std::filesystem::path> chromium = FindChromium();
  std::string report;
};

TEST_F(ItemReportTest, AConformingParserReadsItWithoutAnError) {
  const ParserVerdict verdict = ReadByConformingParser(window().ReportPath());
  if (verdict.exitCode == 77) GTEST_SKIP() << verdict.said;
  EXPECT_EQ(verdict.exitCode, 0) << verdict.said;
  EXPECT_GT(Rows(report).size(), 200u) << "the search should need more than one page";
}

TEST_F(ItemReportTest, ATitlesMarkupShowsAsTextAndItsScriptNeverRuns) {
  if (!chromium) GTEST_SKIP() << "chromium is not installed (Debian package: chromium)";
  const std::string loaded = Loaded();
  const std::size_t title = loaded.find("<title>");
  ASSERT_NE(title, std::string::npos) << loaded;
  EXPECT_EQ(loaded.compare(title, 22, "<title>Search results:"), 0) << loaded.substr(title, 60);
  EXPECT_NE(loaded.find(">Vintage &lt;script&gt;" + kRun +
                        "&lt;/script&gt; &lt;img src=x onerror=\"" + kRun + "\"&gt; Lamp</a>"),
            std::string::npos);
  EXPECT_EQ(loaded.find("<img src=\"x\""), std::string::npos);
  // The report's own script did run (its policy allows it): the headers became buttons,
  // and with no fragment the rows stay most bids first.
  EXPECT_NE(loaded.find("aria-sort=\"descending\"><button type=\"button\">Bids</button>"),
            std::string::npos);
  EXPECT_EQ(Rows(loaded), Rows(report));
}

TEST_F(ItemReportTest, TheAddressFragmentSortsTheTableByPriceOrByEnd) {
  if (!chromium) GTEST_SKIP() << "chromium is not installed (Debian package: chromium)";
  const auto price = [](const sample::Item& item) { return item.priceCents; };
  const auto end = [](const sample::Item& item) { return sample::ApiEndDate(item); };
  const std::string byPrice = Loaded("sort=price");
  EXPECT_EQ(Rows(byPrice), Sorted(price, false));
  EXPECT_NE(byPrice.find("data-key=\"p\" aria-sort=\"ascending\""), std::string::npos);
  const std::string byEnd = Loaded("sort=-end");
  EXPECT_EQ(Rows(byEnd), Sorted(end, true));
  EXPECT_NE(byEnd.find("data-key=\"e\" aria-sort=\"descending\""), std::string::npos);
  EXPECT_NE(Sorted(end, true), Rows(report));
}

TEST_F(ItemReportTest, DarkAndPhonePicturesDifferFromTheLightDesktopOne) {
  if (!chromium) GTEST_SKIP() << "chromium is not installed (Debian package: chromium)";
  const HeadlessChromium browser(*chromium, kBrowserLimit);
  const std::vector<std::string> dark{"--force-dark-mode",
                                      "--blink-settings=preferredColorScheme=0"};
  std::map<std::string, std::string> pictures;
  for (const auto& [name, width, flags] :
       {std::tuple{"light", 1000, std::vector<std::string>{}}, std::tuple{"dark", 1000, dark},
        std::tuple{"phone", 390, std::vector<std::string>{}}}) {
    const std::filesystem::path picture = folder.path() / (std::string(name) + ".png");
    const BrowserRun run = browser.Screenshot(window().ReportPath(), picture, width, 800, flags);
    ASSERT_TRUE(run.succeeded()) << name << ": " << run.errors;
    pictures[name] = ReadFile(picture);
    EXPECT_EQ(pictures[name].compare(1, 3, "PNG"), 0) << name;
  }
  EXPECT_NE(pictures["dark"], pictures["light"]);
  EXPECT_NE(pictures["phone"], pictures["light"]);
}

}  // namespace
}  // namespace lotwise::e2e
