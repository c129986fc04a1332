#include "api/json_fields.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <system_error>

namespace lotwise::api {

std::string Text(const Json& object, const char* key) {
  const auto found = object.find(key);
  return found != object.end() && found->is_string() ? found->get<std::string>() : std::string();
}

std::optional<long long> WholeNumber(const Json& value) {
  if (value.is_number_unsigned()) {
    return static_cast<long long>(
        std::min<std::uint64_t>(value.get<std::uint64_t>(), static_cast<std::uint64_t>(LLONG_MAX)));
  }
  if (value.is_number_integer()) return value.get<long long>();
  if (!value.is_string()) return std::nullopt;
  const std::string& text = value.get_ref<const std::string&>();
  if (text.empty() ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  long long number = 0;
  const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (failure == std::errc::result_out_of_range) return LLONG_MAX;
  return number;
}

std::string AmountText(const Json& value) {
  if (value.is_string()) return value.get<std::string>();
  if (value.is_number()) return value.dump();
  return {};
}

}  // namespace lotwise::api
