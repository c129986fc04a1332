#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "desktop/desktop_platform.h"

namespace lotwise::testing {

// The desktop platform with its pages served from memory and its message boxes recorded
// instead of shown. Events, the view refresh and the shell are the real ones.
class PagePlatform : public DesktopPlatform {
 public:
  explicit PagePlatform(Shell& shell) : DesktopPlatform(shell) {}

  // Bodies by address; an address with no body fails like a refused connection.
  std::map<std::string, std::string> pages;
  // Runs inside every fetch, after the window has handled its events, as a person acts
  // while a page loads.
  std::function<void(const std::string& url)> duringFetch;

  std::vector<std::string> fetched;
  std::vector<std::string> messages;

  std::string OpenURL(const std::string& url) override {
    fetched.push_back(url);
    DoEvents();
    if (duringFetch) duringFetch(url);
    const auto page = pages.find(url);
    if (page == pages.end()) throw FetchError("no page at " + url);
    return page->second;
  }
  void MessageBox(const std::string& text) override { messages.push_back(text); }
};

}  // namespace lotwise::testing
