#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "support/files.h"

namespace lotwise::testing {

// A platform that serves pages from memory and records what the window asks of it.
class FakePlatform : public Platform {
 public:
  struct ShellCall {
    std::string target, parameters, directory;
  };

  // Bodies by address; an address with no body fails like a refused connection.
  std::map<std::string, std::string> pages;
  // HTTP statuses by address; an address not listed answers with an unknown status (0).
  std::map<std::string, int> statuses;
  // Called inside every fetch with its address, before the body is returned, as a
  // person clicks while a fetch waits. May throw FetchError to fail the fetch.
  std::function<void(const std::string& url)> duringFetch;
  // Called inside every DoEvents.
  std::function<void()> duringDoEvents;
  // Called inside every MessageBox, before it returns.
  std::function<void(const std::string& text)> duringMessageBox;

  std::vector<std::string> fetched;  // every address requested, in order
  std::vector<ShellCall> shellCalls;
  std::vector<std::string> messages;
  int doEvents = 0;
  int pauses = 0;

  std::string OpenURL(const std::string& url) override {
    fetched.push_back(url);
    lastStatus_ = 0;
    if (duringFetch) duringFetch(url);
    const auto page = pages.find(url);
    if (page == pages.end()) throw FetchError("no page at " + url);
    const auto status = statuses.find(url);
    lastStatus_ = status == statuses.end() ? 0 : status->second;
    return page->second;
  }
  int LastHttpStatus() override { return lastStatus_; }
  void DoEvents() override {
    ++doEvents;
    if (duringDoEvents) duringDoEvents();
  }
  void ShellOpen(const std::string& target, const std::string& parameters,
                 const std::string& directory) override {
    shellCalls.push_back({target, parameters, directory});
  }
  void MessageBox(const std::string& text) override {
    messages.push_back(text);
    if (duringMessageBox) duringMessageBox(text);
  }
  void Pause(std::chrono::milliseconds duration) override {
    ++pauses;
    pausedFor.push_back(duration);
  }
  std::vector<std::chrono::milliseconds> pausedFor;
  // The machine's clock: 2026-03-05 12:00 UTC unless a test sets it.
  std::chrono::system_clock::time_point now =
      std::chrono::sys_days{std::chrono::year{2026} / 3 / 5} + std::chrono::hours{12};
  std::chrono::system_clock::time_point Now() override { return now; }

 private:
  int lastStatus_ = 0;
};

}  // namespace lotwise::testing
