#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lotwise::sample {

// How the server misbehaves, for testing a client's failure handling.
enum class Fault {
  kNone,
  kStall,        // never answers (until the server stops)
  kReset,        // closes the connection in the middle of the body
  kServerError,  // answers 500 with an HTML body
  kGarbage,      // answers 200 with random bytes, NULs among them
};

// "stall", "reset", "500", "garbage"; nullopt for anything else.
std::optional<Fault> ParseFault(std::string_view name);

// Which fault each request meets: the first `faultAfter` requests are answered
// normally, every later one meets `fault`. Safe to use from several threads.
class FaultPlan {
 public:
  FaultPlan(Fault fault, std::uint64_t faultAfter) : fault_(fault), faultAfter_(faultAfter) {}
  Fault Next();

 private:
  Fault fault_;
  std::uint64_t faultAfter_;
  std::atomic<std::uint64_t> requests_{0};
};

// `length` bytes (at least 16) made from `seed`, at least every 16th of them a NUL.
std::string GarbageBody(std::uint32_t seed, std::size_t length);

// The HTML body of a 500 answer.
std::string ServerErrorBody();

}  // namespace lotwise::sample
