// Report rows as a browser runs them: headless chromium loads a page of marketplace lines
// that carry script, once as the lines stand and once as the report's rows, and the
// script, which renames the page, must run only in the first.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "headless-chromium/headless_chromium.h"
#include "report/line_rows.h"
#include "support/files.h"
#include "support/test_config.h"

namespace lotwise {
namespace {

constexpr std::chrono::seconds kBrowserLimit{40};
const std::string kRun = "document.title='ran'";

// Lines whose script runs as soon as the page loads, each with an item link first (a
// browse row holds one). The last but one ends inside a tag that the next line closes.
std::vector<std::string> Lines() {
  std::vector<std::string> lines = {
      "<script>" + kRun + "</script>",
      "<img src=missing.gif onerror=\"" + kRun + "\">",
      "<IMG SRC=\"missing.gif\"/ONERROR=" + kRun + ">",
      "<svg><style><img src=missing.gif onerror=\"" + kRun + "\"></style></svg>",
      "<!-- a > <b title=\"--><img src=missing.gif onerror=\"" + kRun + "\">\">",
      "<textarea><b title=\"</textarea><img src=missing.gif onerror=\"" + kRun +
          "\">\"></textarea>",
      "<details open ontoggle=\"" + kRun + "\">x</details>",
      "<body onload=\"" + kRun + "\">",
      "<iframe src=\"javascript:parent." + kRun + "\"></iframe>",
      "<img src=missing.gif onerror=\"" + kRun + "\"",
      "",
  };
  for (std::size_t i = 0; i < lines.size(); ++i) {
    lines[i] = "<a href=\"http://items.test/" + std::to_string(i) + "\">Item</a>" + lines[i];
  }
  return lines;
}

// The page's title as chromium leaves it once the page has loaded.
std::string TitleAfterLoading(const std::filesystem::path& chromium, const std::string& rows) {
  testing::TempFolder folder;
  const std::filesystem::path page = folder.path() / "report.htm";
  testing::WriteFile(
      page, "<HTML><head><title>Search Results</title></head><body>" + rows + "</body></html>");
  const BrowserRun run = HeadlessChromium(chromium, kBrowserLimit).Load(page);
  EXPECT_TRUE(run.succeeded()) << "exit code " << run.exitCode << "\n" << run.errors;
  const std::size_t start = run.output.find("<title>");
  const std::size_t end = run.output.find("</title>");
  if (start == std::string::npos || end == std::string::npos || end < start) return run.output;
  return run.output.substr(start + 7, end - start - 7);
}

TEST(ReportScripts, RowsRunNoScriptThatTheLinesRun) {
  const std::optional<std::filesystem::path> chromium = FindChromium();
  if (!chromium) GTEST_SKIP() << "chromium is not installed (Debian package: chromium)";
  const Config config = testing::TestConfig();
  std::string lines;
  std::string listingRows;
  std::string searchRows;
  for (const std::string& line : Lines()) {
    lines += line;
    listingRows += AffiliateRow(line, config);
    searchRows += ItemLinkRow(line, config);
  }
  EXPECT_EQ(TitleAfterLoading(*chromium, lines), "ran");
  EXPECT_EQ(TitleAfterLoading(*chromium, listingRows), "Search Results");
  EXPECT_EQ(TitleAfterLoading(*chromium, searchRows), "Search Results");
}

}  // namespace
}  // namespace lotwise
