// Whole searches of every kind on a platform that serves the fuzzed bytes as pages. Each
// search must end with the window responsive: ready (search commands enabled, "Stop
// Search") or finished ("Finished!!!", "Begin New Search", the report complete and the
// page file gone), never a half-written report.
//
// Input: a header line, then the pages in fetch order, separated by "\n====\n".
// Header bytes:
//   0  the command: cmdSearch, Command3, Command4 or Command5 (value mod 4)
//   1  bits 0-3: the fetch that fails (0 none); bit 4: fetches fail once the pages run
//      out (else the last page is served again); bit 5: a second search of the next
//      kind follows
//   2  bits 0-3: the DoEvents in which "Stop Search" is clicked (0 never); bits 4-7: the
//      DoEvents in which "See Incomplete Results" is clicked (0 never)
//   3  bits 0-3: the fetch in which "Stop Search" is clicked (0 never); bits 4-7: the
//      fetch in which "See Incomplete Results" is clicked (0 never)
//   4… the minimum typed in txtBids, up to the end of the line
// Whatever the input says, "Stop Search" is clicked in the 8th fetch of a search, so
// that a first keyword page without a result table is not asked for forever.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "app/search_window.h"
#include "fuzz_support.h"
#include "support/search_commands.h"
#include "support/test_config.h"

namespace {

using lotwise::CommandButton;
using lotwise::SearchWindow;

constexpr int kLastFetch = 8;

std::uint8_t HeaderByte(std::string_view header, std::size_t i) {
  return i < header.size() ? static_cast<std::uint8_t>(header[i]) : 0;
}

void ExpectSettled(const SearchWindow& window, int messagesBefore, int messagesAfter) {
  FUZZ_EXPECT(!window.searching());
  FUZZ_EXPECT(window.Command1.enabled);
  std::filesystem::path part = window.ReportPath();
  part += ".part";
  FUZZ_EXPECT(!std::filesystem::exists(part));
  if (window.Label1.caption == "Finished!!!") {
    FUZZ_EXPECT(window.Command1.caption == "Begin New Search");
    FUZZ_EXPECT(lotwise::testing::SearchCommandStates(window) == "00000");
    FUZZ_EXPECT(!std::filesystem::exists(window.PageFilePath()));
    const std::string report = lotwise::fuzz::ReadWholeFile(window.ReportPath());
    FUZZ_EXPECT(report.starts_with("<HTML>\r\n"));
    FUZZ_EXPECT(report.ends_with("</body>\r\n</html>"));
  } else {
    FUZZ_EXPECT(window.Command1.caption == "Stop Search");
    FUZZ_EXPECT(lotwise::testing::SearchCommandStates(window) == "11111");
    FUZZ_EXPECT(window.StopRequested == 1);
    FUZZ_EXPECT(!std::filesystem::exists(window.ReportPath()));
    // The too-many-listings reset leaves "See Incomplete Results" as it was.
    if (messagesAfter == messagesBefore) FUZZ_EXPECT(!window.Command6.enabled);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lotwise;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t headerEnd = input.find('\n');
  const std::string_view header = input.substr(0, headerEnd);
  const std::uint8_t command = HeaderByte(header, 0);
  const std::uint8_t faults = HeaderByte(header, 1);
  const std::uint8_t doEventClicks = HeaderByte(header, 2);
  const std::uint8_t fetchClicks = HeaderByte(header, 3);

  fuzz::ClearAppFolder();
  fuzz::PagePlatform platform;
  if (headerEnd != std::string_view::npos) {
    for (std::string_view page : fuzz::Split(input.substr(headerEnd + 1), "\n====\n")) {
      platform.pages.emplace_back(page);
    }
  }
  platform.failingFetch = faults & 15;
  platform.failWhenOut = (faults & 16) != 0;

  SearchWindow window(testing::TestConfig(), fuzz::AppFolder(), platform);
  window.txtBids.text = header.size() > 4 ? std::string(header.substr(4)) : "0";
  window.Text1.text = "7";
  window.Text2.text = "old clock";
  window.txtTitle.text = "red vase";

  int fetchesBefore = 0;
  int doEventsBefore = 0;
  platform.duringFetch = [&](int fetch) {
    const int n = fetch - fetchesBefore;
    FUZZ_EXPECT(n <= kLastFetch);
    if (n == (fetchClicks & 15) || n == kLastFetch) window.click(window.Command1);
    if (n == (fetchClicks >> 4)) window.click(window.Command6);
  };
  platform.duringDoEvents = [&](int count) {
    const int n = count - doEventsBefore;
    if (n == (doEventClicks & 15)) window.click(window.Command1);
    if (n == (doEventClicks >> 4)) window.click(window.Command6);
  };

  CommandButton* const commands[] = {&window.cmdSearch, &window.Command3, &window.Command4,
                                     &window.Command5};
  const int searches = (faults & 32) ? 2 : 1;
  for (int i = 0; i < searches; ++i) {
    if (i > 0) window.click(window.Command1);
    fetchesBefore = platform.fetches;
    doEventsBefore = platform.doEvents;
    const int messagesBefore = platform.messages;
    FUZZ_EXPECT(window.click(*commands[(command + i) % 4]));
    ExpectSettled(window, messagesBefore, platform.messages);
  }
  return 0;
}
