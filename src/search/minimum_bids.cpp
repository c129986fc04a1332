#include "search/minimum_bids.h"

#include <limits>
#include <string>

#include "text/numbers.h"

namespace lotwise {

std::int16_t MinimumBidCount(std::string_view typed) {
  if (const auto minimum = RoundToInt16(typed)) return *minimum;
  // With every digit made 0 the text keeps its form but no longer overflows, so it
  // reads now only when it is a number that did not fit.
  std::string zeroed(typed);
  for (char& c : zeroed) {
    if (c >= '1' && c <= '9') c = '0';
  }
  if (!RoundToInt16(zeroed)) return 0;
  const bool negative = zeroed.find('-') != std::string::npos;
  return negative ? std::numeric_limits<std::int16_t>::min()
                  : std::numeric_limits<std::int16_t>::max();
}

}  // namespace lotwise
