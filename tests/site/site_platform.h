#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "http/curl_fetcher.h"
#include "site/site_clock.h"
#include "support/fake_platform.h"

namespace lotwise::testing {

// The window's platform as a search through the site meets it: requests go through the
// libcurl fetcher (each one kept, input handled while it waits), pauses are counted and
// never waited, and the rest is the fake platform's.
class SitePlatform : public FakePlatform, public HttpSender {
 public:
  SitePlatform() : fetcher_([this] { DoEvents(); }) {}

  HttpResponse Send(const HttpRequest& request) override {
    sent.push_back(request);
    return fetcher_.Send(request);
  }
  void StopWhen(std::function<bool()> stopped) { fetcher_.StopWhen(std::move(stopped)); }

  std::vector<HttpRequest> sent;

 private:
  CurlFetcher fetcher_;
};

// A moment fixed for every page (the times left of its cards count from it), and a
// steady time that moves only when a test moves it (from any thread).
class FixedClock : public SiteClock {
 public:
  std::int64_t SecondsSince1970() const override { return 1765000000; }
  std::chrono::steady_clock::time_point Steady() const override {
    return std::chrono::steady_clock::time_point(std::chrono::milliseconds(steadyMs_.load()));
  }
  void Advance(std::chrono::milliseconds time) { steadyMs_ += time.count(); }

 private:
  std::atomic<std::int64_t> steadyMs_{0};
};

}  // namespace lotwise::testing
