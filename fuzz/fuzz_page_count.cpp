// The page-count reader of a category or featured browse: GetData on a page served for
// every fetch. The count must be the last one cut, a bad count must leave the page
// total as it was, and the page loop must end (the user stops it after a few fetches).
//
// Input: one control byte (bit 0: featured instead of category; bits 1-2: the fetch in
// which the user clicks "Stop Search", 2-5), then the page.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/search_window.h"
#include "collect/collect_error.h"
#include "collect/page_loop.h"
#include "fuzz_support.h"
#include "support/plain_rewrite.h"
#include "text/numbers.h"

namespace {

using lotwise::testing::PlainFind;

// The page total GetData must leave: the last cut value read as a number; nothing
// when the count is missing its end or is not a number that fits.
std::optional<std::int16_t> PlainPageTotal(std::string_view page) {
  constexpr std::string_view kStart = "of <b>";
  constexpr std::string_view kEnd = "</b></font>";
  std::optional<std::string_view> value;
  for (std::size_t s = PlainFind(page, kStart, 1, true); s > 0;) {
    const std::size_t e = PlainFind(page, kEnd, s + kStart.size(), true);
    if (e == 0) return std::nullopt;
    value = page.substr(s - 1 + kStart.size(), e - s - kStart.size());
    s = PlainFind(page, kStart, e + 1, true);
  }
  if (!value) return 0;
  return lotwise::ToInt16(*value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lotwise;
  if (size < 1) return 0;
  const std::uint8_t control = data[0];
  const std::string page(reinterpret_cast<const char*>(data) + 1, size - 1);

  fuzz::OnePageSearch search(page, control);
  SearchWindow& window = search.window;
  window.SearchKind = (control & 1) ? 3 : 2;
  window.PageStart = 2;
  window.PageTotal = -7;  // a value no page gives with a count that fails

  try {
    GetData(window.context(), "http://listings.fuzz/index.html", "");
  } catch (const CollectError&) {
    // A failure of the page loop's second run is the caller's to handle.
  }
  const std::optional<std::int16_t> total = PlainPageTotal(page);
  FUZZ_EXPECT(window.PageTotal == total.value_or(-7));
  FUZZ_EXPECT(window.PageStart >= 2);
  return 0;
}
