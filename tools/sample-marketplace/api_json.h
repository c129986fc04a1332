#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sample-marketplace/marketplace.h"

namespace lotwise::sample {

// The API's answers keep their members in the order they were added.
using Json = nlohmann::ordered_json;

// One entry of an answer's "errors" or "warnings".
struct ApiProblem {
  int errorId = 0;
  std::string message;
  std::vector<std::pair<std::string, std::string>> parameters;  // name, value
  std::string domain = "API_BROWSE";
  std::string category = "REQUEST";
};

// {"errorId", "domain", "category", "message", "longMessage", "parameters"}; the
// parameters only when there are any.
Json ProblemJson(const ApiProblem& problem);

// An answer with a JSON body.
Reply JsonReply(int status, const Json& body);

// An answer {"errors": [problem]}.
Reply ErrorReply(int status, const ApiProblem& problem);

// An answer of the token endpoint's own shape: {"error", "error_description"}.
Reply OAuthErrorReply(int status, std::string_view error, std::string_view description);

}  // namespace lotwise::sample
