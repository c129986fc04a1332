#include "sample-marketplace/faults.h"

#include <algorithm>
#include <random>

namespace lotwise::sample {

std::optional<Fault> ParseFault(std::string_view name) {
  if (name == "stall") return Fault::kStall;
  if (name == "reset") return Fault::kReset;
  if (name == "500") return Fault::kServerError;
  if (name == "garbage") return Fault::kGarbage;
  if (name == "robot-check") return Fault::kRobotCheck;
  return std::nullopt;
}

Fault FaultPlan::Next(bool resultPage) {
  if (fault_ == Fault::kRobotCheck && !resultPage) return Fault::kNone;
  const std::uint64_t request = requests_.fetch_add(1);
  if (request < faultAfter_ || (once_ && request > faultAfter_)) return Fault::kNone;
  return fault_;
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

std::string RobotCheckBody() {
  return "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
         "<title>Pardon Our Interruption...</title></head>\n<body>\n"
         "<div class=\"pgHeading\"><h1>Pardon Our Interruption...</h1>\n"
         "<p>So many pages were asked for so quickly that we took this browser for a "
         "program. Before we show more results, please tick the box below.</p>\n"
         "<p>Letting pages load their scripts and keeping cookies on helps us tell that it is "
         "you.</p></div>\n"
         "<form method=\"post\" action=\"/splashui/challenge\">"
         "<label><input type=\"checkbox\" name=\"person\"> I am a person</label> "
         "<button type=\"submit\">Continue</button></form>\n"
         "</body></html>\n";
}

}  // namespace lotwise::sample
