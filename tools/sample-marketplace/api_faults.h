#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string_view>

namespace lotwise::sample {

// How the API's search misbehaves, for testing a client's handling of the API's
// failures. Apart from the page faults: API requests never meet those, nor pages these.
enum class ApiFault {
  kNone,
  kExpiredToken,  // 401 with error 1001 for a token that is still good, once
  kRateLimit,     // 429 with error 2001: the application's daily call limit is reached
  kServerError,   // 500 with error 12000
};

// "expired-token", "rate-limit", "server-error"; nullopt for anything else.
std::optional<ApiFault> ParseApiFault(std::string_view name);

// Which fault each search with a good token meets: the first `after` are answered
// normally; from then on every one meets `fault`, or only the next one when `once` is
// set. An expired token is always met once. Safe to use from several threads.
class ApiFaultPlan {
 public:
  ApiFaultPlan(ApiFault fault, std::uint64_t after, bool once)
      : fault_(fault), after_(after), once_(once || fault == ApiFault::kExpiredToken) {}
  ApiFault Next();

 private:
  ApiFault fault_;
  std::uint64_t after_;
  bool once_;
  std::atomic<std::uint64_t> searches_{0};
};

}  // namespace lotwise::sample
