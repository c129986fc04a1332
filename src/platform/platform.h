#pragma once

#include <chrono>
#include <stdexcept>
#include <string>

namespace lotwise {

// A fetch that could not complete (no connection, time-out, malformed address, ...).
class FetchError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
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
  // Waits about `duration` while handling user input. A platform that does not
  // override it does not wait at all.
  virtual void Pause(std::chrono::milliseconds duration) { (void)duration; }
};

}  // namespace lotwise
