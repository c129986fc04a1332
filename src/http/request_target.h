#pragma once

#include <string>
#include <string_view>

namespace lotwise {

// The address with every byte that cannot stand in an HTTP request target percent-encoded
// (%XX, upper-case hex): blanks, control characters (CR and LF included), bytes above 127
// and " < > \ ^ ` { | } #. Everything else, existing %XX sequences included, is kept as it
// is, so typed text can neither split the request line nor add a header.
std::string EncodeRequestTarget(std::string_view url);

}  // namespace lotwise
