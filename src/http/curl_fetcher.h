#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "platform/http_sender.h"

namespace lotwise {

// Settings of a CurlFetcher (also reachable as CurlFetcher::Options).
struct CurlFetcherOptions {
  // Longest time one fetch may take, redirects included.
  std::chrono::milliseconds timeout{60000};
  // Largest response body accepted; a larger one fails the fetch.
  std::size_t maxBodyBytes = 64u << 20;
  // Longest wait between two calls of the yield function while a fetch waits.
  std::chrono::milliseconds yieldInterval{50};
};

// Fetches pages with libcurl, one at a time, keeping the connection alive from one fetch
// to the next. Follows redirects, sends no cookies and adds no headers of its own (a
// request that accepts compressed answers names the encodings it can decode). HTTPS
// addresses are fetched with the peer's certificate and host name checked.
class CurlFetcher : public HttpSender {
 public:
  using Options = CurlFetcherOptions;

  // `yield` is called at least every options.yieldInterval while a fetch waits (the window
  // handles user input there). It must not call this fetcher. Whatever it throws aborts
  // the fetch and comes out of OpenURL; the fetcher stays usable.
  explicit CurlFetcher(std::function<void()> yield, Options options = {});
  ~CurlFetcher();
  CurlFetcher(const CurlFetcher&) = delete;
  CurlFetcher& operator=(const CurlFetcher&) = delete;

  // Asked at every wait of a fetch, after the yield function: once it says the search was
  // stopped, the fetch ends there, OpenURL giving an empty page (which a stopped search
  // does not read) and Send HttpResponse::Stopped.
  void StopWhen(std::function<bool()> stopped);

  // The whole response body, bytes unchanged, whatever the status code. The address is
  // percent-encoded where needed first (see EncodeRequestTarget). Throws FetchError.
  std::string OpenURL(const std::string& url);

  // The HTTP status of the answer the last OpenURL returned; 0 after a fetch that failed.
  int lastStatus() const;

  // A request of a source of items, with its headers and form, as OpenURL fetches: the
  // status, the answer's headers and the whole body, whatever the status. Throws
  // FetchError.
  HttpResponse Send(const HttpRequest& request) override;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace lotwise
