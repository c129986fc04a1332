#include "sample-marketplace/api_token.h"

#include <httplib.h>

#include <algorithm>

#include "sample-marketplace/api_json.h"

namespace lotwise::sample {
namespace {

constexpr std::string_view kFormType = "application/x-www-form-urlencoded";
constexpr std::string_view kBearer = "Bearer ";

}  // namespace

TokenIssuer::TokenIssuer(const std::string& clientId, const std::string& clientSecret,
                         std::chrono::seconds lifetime)
    : basic_(httplib::make_basic_authentication_header(clientId, clientSecret).second),
      lifetime_(lifetime) {}

Reply TokenIssuer::Answer(const ApiRequest& request) {
  if (request.Header("Authorization") != basic_) {
    return OAuthErrorReply(401, "invalid_client", "client authentication failed");
  }
  if (request.Header("Content-Type").substr(0, kFormType.size()) != kFormType) {
    return OAuthErrorReply(400, "invalid_request",
                           "request is missing a required parameter or malformed");
  }
  const Target form = ParseApiTarget("?" + request.body);
  if (form.Param("grant_type") != "client_credentials") {
    return OAuthErrorReply(400, "unsupported_grant_type",
                           "grant type in request is not supported by the authorization server");
  }
  const std::string scope = form.Param("scope");
  const auto scopes = Pieces(scope, ' ');
  if (std::find(scopes.begin(), scopes.end(), kApiScope) == scopes.end()) {
    return OAuthErrorReply(400, "invalid_scope",
                           "the requested scope is invalid, unknown, malformed, or exceeds the "
                           "scope granted to the client");
  }
  std::string token;
  {
    std::lock_guard lock(mutex_);
    token = "sample-token-" + std::to_string(++issued_);
    expiries_[token] = std::chrono::steady_clock::now() + lifetime_;
  }
  return JsonReply(200, {{"access_token", token},
                         {"expires_in", lifetime_.count()},
                         {"token_type", "Application Access Token"}});
}

bool TokenIssuer::Accepts(std::string_view authorization) const {
  if (authorization.substr(0, kBearer.size()) != kBearer) return false;
  std::lock_guard lock(mutex_);
  const auto found = expiries_.find(authorization.substr(kBearer.size()));
  return found != expiries_.end() && std::chrono::steady_clock::now() < found->second;
}

}  // namespace lotwise::sample
