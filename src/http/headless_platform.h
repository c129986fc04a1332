#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <utility>

#include "http/curl_fetcher.h"
#include "platform/platform.h"

namespace lotwise {

// A platform without a desktop: pages come through libcurl, and whatever a person would
// see or do while the window works is left to the hooks. Nothing is opened or shown.
// A fetch is cut short once the search is stopped, as on the desktop.
class HeadlessPlatform : public Platform, public HttpSender {
 public:
  struct Hooks {
    // As a fetch begins.
    std::function<void(const std::string& url)> fetching;
    // Each time the window handles input: before a record is appended and while a
    // fetch waits. May click the window's commands.
    std::function<void()> doEvents;
    std::function<void(const std::string& text)> messageBox;
    std::function<void(const std::string& target)> shellOpen;
  };

  explicit HeadlessPlatform(Hooks hooks, CurlFetcher::Options fetchOptions = {});

  // Asked at every wait of a fetch: once it says the search was stopped, the fetch ends
  // there (CurlFetcher::StopWhen).
  void cutFetchesShortWhen(std::function<bool()> stopped) { fetcher_.StopWhen(std::move(stopped)); }

  std::string OpenURL(const std::string& url) override;
  void DoEvents() override;
  void ShellOpen(const std::string& target, const std::string& parameters,
                 const std::string& directory) override;
  void MessageBox(const std::string& text) override;
  int LastHttpStatus() override { return fetcher_.lastStatus(); }
  HttpResponse Send(const HttpRequest& request) override;

  // Fetches that have ended, with a page or with a failure.
  std::size_t fetchesEnded() const { return fetchesEnded_; }

 private:
  Hooks hooks_;
  std::size_t fetchesEnded_ = 0;
  CurlFetcher fetcher_;
};

}  // namespace lotwise
