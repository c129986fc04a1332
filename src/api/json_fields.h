#pragma once

// The fields of the API's answers as Lotwise reads them. The published schema types them,
// but answers recorded over the years give some numbers as text and leave out almost any
// field: each reading gives what the field plainly holds, or nothing.

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace lotwise::api {

using Json = nlohmann::json;

// A text field of an object; empty when it is missing or not a text.
std::string Text(const Json& object, const char* key);

// A whole number given as a JSON number or as a text of digits ("12"), numbers past the
// largest long long held there; nothing for anything else (a fraction, a sign, a word).
std::optional<long long> WholeNumber(const Json& value);

// An amount's decimal text: the text the API gives ("12.50"), or the number written out
// where an answer gives a number; empty for anything else.
std::string AmountText(const Json& value);

}  // namespace lotwise::api
