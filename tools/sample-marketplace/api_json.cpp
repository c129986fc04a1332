#include "sample-marketplace/api_json.h"

namespace lotwise::sample {

Json ProblemJson(const ApiProblem& problem) {
  Json json = {{"errorId", problem.errorId},
               {"domain", problem.domain},
               {"category", problem.category},
               {"message", problem.message},
               {"longMessage", problem.message}};
  if (!problem.parameters.empty()) {
    Json parameters = Json::array();
    for (const auto& [name, value] : problem.parameters) {
      parameters.push_back({{"name", name}, {"value", value}});
    }
    json["parameters"] = std::move(parameters);
  }
  return json;
}

Reply JsonReply(int status, const Json& body) {
  Reply reply;
  reply.status = status;
  reply.contentType = "application/json";
  reply.body = body.dump();
  return reply;
}

Reply ErrorReply(int status, const ApiProblem& problem) {
  return JsonReply(status, {{"errors", Json::array({ProblemJson(problem)})}});
}

Reply OAuthErrorReply(int status, std::string_view error, std::string_view description) {
  return JsonReply(status, {{"error", error}, {"error_description", description}});
}

}  // namespace lotwise::sample
