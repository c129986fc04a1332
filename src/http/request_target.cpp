#include "http/request_target.h"

#include "text/percent_encoding.h"

namespace lotwise {

std::string EncodeRequestTarget(std::string_view url) {
  static constexpr PercentEncoding kUnsafe = PercentEncoding::UnsafeAnd("\"<>\\^`{|}#");
  return PercentEncoded(url, kUnsafe);
}

}  // namespace lotwise
