#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lotwise::sample {

// A request target cut into its path and its query parameters. Values are
// percent-decoded and a "+" stays a "+": the marketplace's queries join words with it.
struct Target {
  std::string path;
  std::vector<std::pair<std::string, std::string>> params;  // in order; a bare name has ""

  bool Has(std::string_view name) const;
  // The value of the first parameter of that name (matching case), or "".
  std::string Param(std::string_view name) const;
};

// Accepts a target ("/path?query") or a whole address ("http://host/path?query").
Target ParseTarget(std::string_view target);

// Every %XX replaced by its byte; a "%" not followed by two hex digits stays.
std::string PercentDecode(std::string_view text);

}  // namespace lotwise::sample
