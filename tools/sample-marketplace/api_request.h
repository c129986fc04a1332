#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sample-marketplace/target.h"

namespace lotwise::sample {

// One request to the marketplace's API as the server received it.
struct ApiRequest {
  std::string method;  // "GET", "POST"
  std::string target;  // "/path?query", as sent
  std::vector<std::pair<std::string, std::string>> headers;
  std::string body;

  // The value of the first header of that name, whatever the case of either; "" when
  // there is none.
  std::string Header(std::string_view name) const;
};

// A target ("/path?query") or a form body ("?name=value&...") cut into its path and
// parameters as the API reads them: a "+" is a blank, as in any form.
Target ParseApiTarget(std::string_view target);

// The pieces of `text` between separators, as they stand, empty ones too; none for an
// empty text.
std::vector<std::string_view> Pieces(std::string_view text, char separator);

}  // namespace lotwise::sample
