#pragma once

#include <functional>
#include <string>
#include <utility>

#include "http/curl_fetcher.h"
#include "platform/http_sender.h"
#include "platform/platform.h"

namespace lotwise {

// What the desktop's platform and the one of programs without a desktop share: pages and
// requests through libcurl, cut short once the search is stopped.
class FetchingPlatform : public Platform, public HttpSender {
 public:
  // Asked at every wait of a fetch or a pause: once it says the search was stopped, the
  // fetch ends there (CurlFetcher::StopWhen), and so does the pause.
  void cutFetchesShortWhen(std::function<bool()> stopped) {
    stopped_ = stopped;
    fetcher_.StopWhen(std::move(stopped));
  }

  int LastHttpStatus() override { return fetcher_.lastStatus(); }

 protected:
  // `yield` runs at every wait of a fetch (see CurlFetcher).
  FetchingPlatform(std::function<void()> yield, CurlFetcher::Options options)
      : fetcher_(std::move(yield), options) {}

  bool StopAsked() const { return stopped_ && stopped_(); }
  CurlFetcher& fetcher() { return fetcher_; }

 private:
  std::function<bool()> stopped_;
  CurlFetcher fetcher_;
};

}  // namespace lotwise
