#pragma once

// A recorded exchange with the marketplace's API: the answers given in turn, the requests
// kept, and a clock the tests move.

#include <chrono>
#include <cstddef>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "api/clock.h"
#include "platform/http_sender.h"

namespace lotwise::testing {

class MovableClock : public Clock {
 public:
  std::chrono::steady_clock::time_point Now() const override { return now; }
  std::chrono::steady_clock::time_point now{};
};

// Answers each request with the next answer given, and keeps the requests; once the
// answers run out, a failure of the server's own.
class RecordedSender : public HttpSender {
 public:
  std::deque<HttpResponse> answers;
  std::vector<HttpRequest> requests;

  HttpResponse Send(const HttpRequest& request) override {
    requests.push_back(request);
    if (answers.empty()) return {500, "{}"};
    HttpResponse answer = std::move(answers.front());
    answers.pop_front();
    return answer;
  }
  std::string Header(std::size_t request, const std::string& name) const {
    for (const auto& [key, value] : requests.at(request).headers) {
      if (key == name) return value;
    }
    return {};
  }
};

}  // namespace lotwise::testing
