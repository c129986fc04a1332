// The total readers of the keyword and completed-items searches: GetTotalAuctions and
// GetSearchListing on a page served for every fetch. The total must be read exactly as
// a plain reading of the page gives, a total that is not a number must give the
// too-many-listings message once and a ready window, and the collection must end (the
// user stops it after a few fetches).
//
// Input: one control byte (bit 0: completed items instead of keyword; bits 1-2: the
// fetch in which the user clicks "Stop Search", 2-5), then the page.

#include <cstdint>
#include <string>
#include <string_view>

#include "app/search_window.h"
#include "collect/search_results.h"
#include "fuzz_support.h"
#include "support/plain_rewrite.h"
#include "text/numbers.h"

namespace {

using lotwise::testing::PlainFind;

enum class Total { Read, NotANumber, Unreadable };

Total PlainTotal(std::string_view page, std::string_view start, std::string_view end,
                 std::int32_t& value) {
  const std::size_t s = PlainFind(page, start, 1, true);
  const std::size_t from = s + start.size();
  const std::size_t e = PlainFind(page, end, from, true);
  if (e == 0) return Total::Unreadable;
  const std::string_view text = from <= page.size() ? page.substr(from - 1, e - from) : "";
  if (const auto number = lotwise::ToInt32(text)) {
    value = *number;
    return Total::Read;
  }
  return lotwise::IsWholeNumber(text) ? Total::Unreadable : Total::NotANumber;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lotwise;
  if (size < 1) return 0;
  const std::uint8_t control = data[0];
  const bool completed = (control & 1) != 0;
  const std::string page(reinterpret_cast<const char*>(data) + 1, size - 1);

  fuzz::OnePageSearch search(page, control);
  SearchWindow& window = search.window;
  fuzz::PagePlatform& platform = search.platform;
  window.EnableSearchCommands(false);
  window.SearchKind = completed ? 4 : 1;
  window.TotalFound = -7;  // a value no readable total leaves

  if (completed) {
    GetSearchListing(window.context(), "http://completed.fuzz/first",
                     "http://completed.fuzz/next?skip=");
  } else {
    GetTotalAuctions(window.context(), "http://search.fuzz/first", "http://search.fuzz/next?skip=");
  }

  std::int32_t expected = -7;
  const Total total =
      completed ? PlainTotal(page, "<tr><td><font size=2 face=\"Arial, Helvetica, sans-serif\"><b>",
                             "</b>", expected)
                : PlainTotal(page, "var searchResultTotal = \"", "\";", expected);
  FUZZ_EXPECT(window.TotalFound == expected);
  // A total that is not a number gives a message; so may a keyword search's first page
  // that holds no result table, when it says why (a robot check, nothing found, ...).
  const bool noFirstTable =
      PlainFind(page, "<table width=\"100%\" cellpadding=\"3\"", 1, true) == 0;
  if (total == Total::NotANumber) {
    FUZZ_EXPECT(platform.messages == 1);
  } else if (!completed && total == Total::Read && noFirstTable) {
    FUZZ_EXPECT(platform.messages <= 1);
  } else {
    FUZZ_EXPECT(platform.messages == 0);
  }
  if (platform.messages == 1) {
    FUZZ_EXPECT(window.cmdSearch.enabled && window.Command5.enabled);
    FUZZ_EXPECT(window.Command1.caption == "Stop Search");
    FUZZ_EXPECT(window.StopRequested == 1);
  }
  return 0;
}
