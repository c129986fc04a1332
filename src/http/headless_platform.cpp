#include "http/headless_platform.h"

#include <utility>

namespace lotwise {

HeadlessPlatform::HeadlessPlatform(Hooks hooks, CurlFetcher::Options fetchOptions)
    : hooks_(std::move(hooks)), fetcher_([this] { DoEvents(); }, fetchOptions) {}

std::string HeadlessPlatform::OpenURL(const std::string& url) {
  if (hooks_.fetching) hooks_.fetching(url);
  struct CountEnd {
    std::size_t& ended;
    ~CountEnd() { ++ended; }
  } countEnd{fetchesEnded_};
  return fetcher_.OpenURL(url);
}

HttpResponse HeadlessPlatform::Send(const HttpRequest& request) {
  if (hooks_.fetching) hooks_.fetching(request.url);
  struct CountEnd {
    std::size_t& ended;
    ~CountEnd() { ++ended; }
  } countEnd{fetchesEnded_};
  return fetcher_.Send(request);
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
