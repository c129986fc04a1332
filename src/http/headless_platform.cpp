#include "http/headless_platform.h"

#include <algorithm>
#include <thread>
#include <utility>

namespace lotwise {

HeadlessPlatform::HeadlessPlatform(Hooks hooks, CurlFetcher::Options fetchOptions)
    : FetchingPlatform([this] { DoEvents(); }, fetchOptions),
      hooks_(std::move(hooks)),
      yieldInterval_(std::max(fetchOptions.yieldInterval, std::chrono::milliseconds(1))) {}

void HeadlessPlatform::Pause(std::chrono::milliseconds duration) {
  const auto end = std::chrono::steady_clock::now() + duration;
  for (;;) {
    DoEvents();
    if (StopAsked()) return;
    const auto now = std::chrono::steady_clock::now();
    if (now >= end) return;
    std::this_thread::sleep_for(
        std::min<std::chrono::steady_clock::duration>(end - now, yieldInterval_));
  }
}

std::string HeadlessPlatform::OpenURL(const std::string& url) {
  if (hooks_.fetching) hooks_.fetching(url);
  struct CountEnd {
    std::size_t& ended;
    ~CountEnd() { ++ended; }
  } countEnd{fetchesEnded_};
  return fetcher().OpenURL(url);
}

HttpResponse HeadlessPlatform::Send(const HttpRequest& request) {
  if (hooks_.fetching) hooks_.fetching(request.url);
  struct CountEnd {
    std::size_t& ended;
    ~CountEnd() { ++ended; }
  } countEnd{fetchesEnded_};
  return fetcher().Send(request);
}

void HeadlessPlatform::DoEvents() {
  if (hooks_.doEvents) hooks_.doEvents();
}

void HeadlessPlatform::ShellOpen(const std::string& target, const std::string&,
                                 const std::string&) {
  if (hooks_.shellOpen) hooks_.shellOpen(target);
}

void HeadlessPlatform::MessageBox(const std::string& text) {
  if (hooks_.messageBox) hooks_.messageBox(text);
}

}  // namespace lotwise
