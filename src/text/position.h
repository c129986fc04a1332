#pragma once

#include <cstddef>
#include <string_view>

namespace lotwise {

// Position searches over page text, for a text known only at the time of the search;
// a marker searched for again and again is prepared once as a Marker (text/marker.h).
// Positions count from 1; 0 means "not found". A search that starts beyond the end of
// the text finds nothing. Both run in time linear in the text and in `find`.

// First occurrence of `find` at or after position `start`, matching case exactly.
std::size_t InStr(std::string_view text, std::string_view find, std::size_t start = 1);

// The same, ignoring the case of ASCII letters.
std::size_t InStrCI(std::string_view text, std::string_view find, std::size_t start = 1);

// Length `count` from position `start` (1-based), clipped to the text; empty when
// `start` lies beyond the end or `count` is not positive.
std::string_view Mid(std::string_view text, std::size_t start, std::ptrdiff_t count);

}  // namespace lotwise
