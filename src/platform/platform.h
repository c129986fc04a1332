#pragma once

#include <chrono>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <utility>

namespace lotwise {

// What kind of failure ended a fetch, for a short account of it.
enum class FetchFailure {
  kOther,         // the page could not be loaded
  kUnreachable,   // no connection to the host
  kHostNotFound,  // the host's name did not resolve
  kTimeout,       // no answer in time
  kTooLarge,      // the page passed the size limit
  kBrokenOff,     // the connection broke off, or the answer was not HTTP
  kRedirectLoop,  // too many redirects
};

// A fetch that could not complete (no connection, time-out, malformed address, ...).
// what() gives the whole account, the network library's own words included.
class FetchError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  // `host` is the host (and port) of the address; `limit` the size limit of kTooLarge.
  FetchError(const std::string& message, FetchFailure kind, std::string host, std::size_t limit = 0)
      : std::runtime_error(message), kind_(kind), host_(std::move(host)), limit_(limit) {}

  FetchFailure kind() const { return kind_; }
  const std::string& host() const { return host_; }
  std::size_t limit() const { return limit_; }

 private:
  FetchFailure kind_ = FetchFailure::kOther;
  std::string host_;
  std::size_t limit_ = 0;
};

// What the window model needs from the machine it runs on.
class Platform {
 public:
  virtual ~Platform() = default;
  // The whole response body of an "http://" address, bytes unchanged, whatever the
  // status code. Keeps handling user input while it waits. Throws FetchError.
  virtual std::string OpenURL(const std::string& url) = 0;
  // Handles the pending user input, then returns.
  virtual void DoEvents() = 0;
  // Hands a target to the desktop with the operation "Open"; the result is not reported.
  virtual void ShellOpen(const std::string& target, const std::string& parameters,
                         const std::string& directory) = 0;
  // A modal message box with one OK button; returns when it is closed.
  virtual void MessageBox(const std::string& text) = 0;
  // The HTTP status code of the answer the last OpenURL returned; 0 when unknown.
  virtual int LastHttpStatus() { return 0; }
  // Waits about `duration` while handling user input. A platform that does not
  // override it does not wait at all.
  virtual void Pause(std::chrono::milliseconds duration) { (void)duration; }
  // The moment as the machine's clock tells it, which the reports say they ran at.
  virtual std::chrono::system_clock::time_point Now() { return std::chrono::system_clock::now(); }
};

}  // namespace lotwise
