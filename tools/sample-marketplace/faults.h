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
  kRobotCheck,   // answers a result page of the site with the robot check; nothing else
};

// "stall", "reset", "500", "garbage", "robot-check"; nullopt for anything else.
std::optional<Fault> ParseFault(std::string_view name);

// Which fault each request meets: the first `faultAfter` requests are answered
// normally, every later one meets `fault`, or only the next one when `once` is set. A
// robot check counts and meets the requests of the site's result pages alone, as the
// site shows it after so many searches whatever else was asked. Safe to use from
// several threads.
class FaultPlan {
 public:
  FaultPlan(Fault fault, std::uint64_t faultAfter, bool once = false)
      : fault_(fault), faultAfter_(faultAfter), once_(once) {}
  // The fault of the next request; `resultPage` says whether it asks for a result page
  // of the site.
  Fault Next(bool resultPage);

 private:
  Fault fault_;
  std::uint64_t faultAfter_;
  bool once_;
  std::atomic<std::uint64_t> requests_{0};
};

// `length` bytes (at least 16) made from `seed`, at least every 16th of them a NUL.
std::string GarbageBody(std::uint32_t seed, std::size_t length);

// The HTML body of a 500 answer.
std::string ServerErrorBody();

// The site's robot check, which it shows instead of results: a page titled "Pardon Our
// Interruption..." that asks the visitor to show it is a person.
std::string RobotCheckBody();

}  // namespace lotwise::sample
