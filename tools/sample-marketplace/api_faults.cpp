#include "sample-marketplace/api_faults.h"

namespace lotwise::sample {

std::optional<ApiFault> ParseApiFault(std::string_view name) {
  if (name == "expired-token") return ApiFault::kExpiredToken;
  if (name == "rate-limit") return ApiFault::kRateLimit;
  if (name == "server-error") return ApiFault::kServerError;
  return std::nullopt;
}

ApiFault ApiFaultPlan::Next() {
  const std::uint64_t search = searches_.fetch_add(1);
  if (search < after_ || (once_ && search > after_)) return ApiFault::kNone;
  return fault_;
}

}  // namespace lotwise::sample
