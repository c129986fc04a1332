// The table-cutting loop of every page: the records it appends must be exactly those
// that a plain reading of the page gives, whatever the page holds and wherever the user
// clicks "Stop Search" or "See Incomplete Results".
//
// Input: one control byte, then the page.
//   bits 0-1  table start: 0 offset kinds, 1 browse kinds, 2 first keyword page
//   bit 2     "</table>" dropped from the records (as on the first keyword page)
//   bits 3-5  "Stop Search" clicked in this DoEvents (1-7; 0 never)
//   bits 6-7  "See Incomplete Results" clicked in this DoEvents (1-3; 0 never)

#include <cstdint>
#include <string>
#include <string_view>

#include "app/search_window.h"
#include "collect/collect_error.h"
#include "collect/tables.h"
#include "fuzz_support.h"
#include "support/plain_rewrite.h"
#include "support/test_config.h"
#include "text/position.h"

namespace {

using lotwise::testing::PlainFind;

struct Expected {
  std::string file;
  bool failed = false;    // a table start without "</table>"
  bool completed = true;  // false when "See Incomplete Results" ended the loop
};

Expected ReadPlainly(std::string_view page, std::string_view start, bool keepEnd, int stopAt,
                     int seeIncompleteAt) {
  Expected expected;
  bool stopped = false;
  bool seeIncomplete = false;
  int doEvents = 0;
  std::size_t p = PlainFind(page, start, 1, true);
  while (p > 0 && !stopped) {
    const std::size_t e = PlainFind(page, "</table>", p + start.size(), true);
    if (e == 0) {
      expected.failed = true;
      return expected;
    }
    ++doEvents;
    if (doEvents == stopAt) stopped = true;
    if (doEvents == seeIncompleteAt && !stopped) seeIncomplete = true;
    expected.file += std::string(page.substr(p - 1, e - p + (keepEnd ? 8 : 0))) + "\r\n";
    if (seeIncomplete) {
      expected.completed = false;
      return expected;
    }
    p = PlainFind(page, start, e + 1, false);
  }
  return expected;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lotwise;
  if (size < 1) return 0;
  const std::uint8_t control = data[0];
  const std::string_view page(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string_view starts[] = {kOffsetTableStart, kBrowseTableStart, kFirstKeywordTableStart,
                                     kOffsetTableStart};
  const std::string_view start = starts[control & 3];
  const bool keepEnd = (control & 4) == 0;
  const int stopAt = (control >> 3) & 7;
  const int seeIncompleteAt = control >> 6;

  fuzz::ClearAppFolder();
  fuzz::PagePlatform platform;
  SearchWindow window(testing::TestConfig(), fuzz::AppFolder(), platform);
  window.Command6.enabled = true;
  platform.duringDoEvents = [&](int count) {
    if (count == stopAt) window.click(window.Command1);
    if (count == seeIncompleteAt) window.click(window.Command6);
  };

  const std::size_t first = InStrCI(page, start);
  FUZZ_EXPECT(first == PlainFind(page, start, 1, true));
  bool failed = false;
  bool completed = true;
  try {
    completed = CutTables(window.context(), page, first, start,
                          keepEnd ? TableEnd::Kept : TableEnd::Dropped);
  } catch (const CollectError&) {
    failed = true;
  }
  const Expected expected = ReadPlainly(page, start, keepEnd, stopAt, seeIncompleteAt);
  FUZZ_EXPECT(failed == expected.failed);
  if (!failed) FUZZ_EXPECT(completed == expected.completed);
  FUZZ_EXPECT(fuzz::ReadWholeFile(window.PageFilePath()) == expected.file);
  return 0;
}
