#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "sample-marketplace/catalog.h"

namespace lotwise::sample {

inline constexpr std::string_view kCrLf = "\r\n";
inline constexpr std::string_view kLf = "\n";

// "&", "<", ">" and the double quote as entities.
std::string HtmlEscape(std::string_view text);

// "$12.50".
std::string Money(int cents);

// 1234567 as "1,234,567".
std::string WithGrouping(long long number);

// Deterministic bits for the choices a page makes about an item (letter case, link form,
// line breaks), so pages vary but stay the same from one request to the next.
std::uint32_t Variation(std::int64_t number, std::uint32_t salt);

// The same text with ASCII letters in upper case.
std::string Upper(std::string_view text);

// "http://host/ws/eBayISAPI.dll?ViewItem&item=<n>&category=<c>", the "&" written as
// `amp` ("&" or "&amp;").
std::string ItemAddress(std::string_view host, const Item& item, std::string_view amp);

std::string PictureAddress(std::string_view host, const Item& item);

// Line breaks of a page: a repeating pattern of CR LF and lone LF.
class LineBreaks {
 public:
  explicit LineBreaks(std::uint32_t pattern) : pattern_(pattern) {}
  std::string_view Next();

 private:
  std::uint32_t pattern_;
  int position_ = 0;
};

}  // namespace lotwise::sample
