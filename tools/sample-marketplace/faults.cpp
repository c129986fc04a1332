#include "sample-marketplace/faults.h"

#include <algorithm>
#include <random>

namespace lotwise::sample {

std::optional<Fault> ParseFault(std::string_view name) {
  if (name == "stall") return Fault::kStall;
  if (name == "reset") return Fault::kReset;
  if (name == "500") return Fault::kServerError;
  if (name == "garbage") return Fault::kGarbage;
  return std::nullopt;
}

Fault FaultPlan::Next() {
  const std::uint64_t request = requests_.fetch_add(1);
  return request < faultAfter_ ? Fault::kNone : fault_;
}

std::string GarbageBody(std::uint32_t seed, std::size_t length) {
  std::mt19937 engine(seed);
  std::string body(std::max<std::size_t>(length, 16), '\0');
  for (std::size_t i = 0; i < body.size(); ++i) {
    body[i] = i % 16 == 7 ? '\0' : static_cast<char>(engine() & 0xFFU);
  }
  return body;
}

std::string ServerErrorBody() {
  return "<html>\r\n<head><title>500 Internal Server Error</title></head>\r\n<body>\r\n"
         "<h1>Internal Server Error</h1>\r\n<p>The server could not answer this request.</p>\r\n"
         "</body></html>\r\n";
}

}  // namespace lotwise::sample
