#include "sample-marketplace/api_request.h"

#include <algorithm>
#include <cctype>

namespace lotwise::sample {

std::string ApiRequest::Header(std::string_view name) const {
  const auto sameName = [&](const std::pair<std::string, std::string>& header) {
    return std::equal(header.first.begin(), header.first.end(), name.begin(), name.end(),
                      [](char a, char b) {
                        return std::tolower(static_cast<unsigned char>(a)) ==
                               std::tolower(static_cast<unsigned char>(b));
                      });
  };
  const auto found = std::find_if(headers.begin(), headers.end(), sameName);
  return found == headers.end() ? std::string() : found->second;
}

Target ParseApiTarget(std::string_view target) {
  std::string plain;
  plain.reserve(target.size());
  for (const char c : target) {
    if (c == '+') {
      plain += "%20";
    } else {
      plain += c;
    }
  }
  return ParseTarget(plain);
}

std::vector<std::string_view> Pieces(std::string_view text, char separator) {
  std::vector<std::string_view> pieces;
  while (!text.empty()) {
    const auto end = text.find(separator);
    pieces.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return pieces;
}

}  // namespace lotwise::sample
