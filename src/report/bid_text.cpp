#include "report/bid_text.h"

#include "text/numbers.h"

namespace lotwise {

std::int16_t BidTextCount(std::string_view bidText) {
  if (bidText == "-" || bidText.size() > 3) return 0;
  return ToInt16(bidText).value_or(0);
}

}  // namespace lotwise
