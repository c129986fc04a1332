#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <string_view>

#include "sample-marketplace/api_request.h"
#include "sample-marketplace/marketplace.h"

namespace lotwise::sample {

inline constexpr std::string_view kTokenPath = "/identity/v1/oauth2/token";

// The scope an application token is asked for, as the form carries it once decoded.
inline constexpr std::string_view kApiScope = "https://api.ebay.com/oauth/api_scope";

// The marketplace's token endpoint for applications (OAuth client credentials): gives a
// fresh access token, valid for `lifetime`, to every request that carries the client id
// and secret it was made with, and tells which of its tokens are still good. Safe to use
// from several threads.
class TokenIssuer {
 public:
  TokenIssuer(const std::string& clientId, const std::string& clientSecret,
              std::chrono::seconds lifetime);

  // The answer to a POST to kTokenPath: 200 with the token, or an error of the OAuth
  // shape (401 invalid_client, 400 invalid_request, unsupported_grant_type or
  // invalid_scope).
  Reply Answer(const ApiRequest& request);

  // Whether an Authorization header value is "Bearer <token>" with a token given here
  // that has not expired.
  bool Accepts(std::string_view authorization) const;

 private:
  std::string basic_;  // the Authorization header value a token request must carry
  std::chrono::seconds lifetime_;
  mutable std::mutex mutex_;
  std::map<std::string, std::chrono::steady_clock::time_point, std::less<>> expiries_;
  std::uint64_t issued_ = 0;
};

}  // namespace lotwise::sample
