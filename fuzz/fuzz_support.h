#pragma once

// Shared pieces of the fuzz targets: a check that stops the fuzzer like a crash, the
// application folder of the process and a platform that serves the fuzzed bytes as pages.

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "app/search_window.h"
#include "platform/platform.h"
#include "support/test_config.h"

namespace lotwise::fuzz {

// A broken expectation is a finding like a crash: report it and abort.
[[noreturn]] inline void Broken(const char* what, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: expectation broken: %s\n", file, line, what);
  std::abort();
}
#define FUZZ_EXPECT(condition) \
  ((condition) ? (void)0 : ::lotwise::fuzz::Broken(#condition, __FILE__, __LINE__))

// The application folder of this process, on a memory file system when there is one.
// Created once; removed when the process ends normally, or by the next fuzzing process
// once this one is gone.
inline const std::filesystem::path& AppFolder() {
  static const std::filesystem::path folder = [] {
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                           ? "/dev/shm"
                                           : std::filesystem::temp_directory_path();
    // libFuzzer may end the process without running atexit handlers: remove the folders
    // of fuzzing processes that are gone.
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(base, ignored)) {
      const std::string name = entry.path().filename().string();
      if (!name.starts_with("lotwise-fuzz-")) continue;
      const long pid = std::strtol(name.c_str() + 13, nullptr, 10);
      if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
        std::filesystem::remove_all(entry.path(), ignored);
      }
    }
    std::filesystem::path path = base / ("lotwise-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(path);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(AppFolder(), ignored);
    });
    return path;
  }();
  return folder;
}

// Removes the files a run may leave in the application folder.
inline void ClearAppFolder() {
  for (const char* name :
       {"Listinglist.txt", "Finalsearch.htm", "Finalsearch.htm.part", "lines.txt"}) {
    ::unlink((AppFolder() / name).c_str());
  }
}

inline std::string ReadWholeFile(const std::filesystem::path& file) {
  std::string bytes;
  if (std::FILE* in = std::fopen(file.c_str(), "rb")) {
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, in)) > 0;) {
      bytes.append(buffer, got);
    }
    std::fclose(in);
  }
  return bytes;
}

// The input cut at every occurrence of `separator`.
inline std::vector<std::string_view> Split(std::string_view data, std::string_view separator) {
  std::vector<std::string_view> parts;
  for (std::size_t at; (at = data.find(separator)) != std::string_view::npos;) {
    parts.push_back(data.substr(0, at));
    data.remove_prefix(at + separator.size());
  }
  parts.push_back(data);
  return parts;
}

// Serves pages in the order they are fetched, whatever the address. Once the pages run
// out it serves the last one again (or fails, with failWhenOut). A hook may run inside
// every fetch and every DoEvents, as a person clicks while the window waits.
class PagePlatform : public Platform {
 public:
  std::vector<std::string> pages;
  bool failWhenOut = false;
  int failingFetch = 0;  // 1-based number of a fetch that fails; 0 for none
  std::function<void(int fetch)> duringFetch;
  std::function<void(int doEvents)> duringDoEvents;
  int fetches = 0;
  int doEvents = 0;
  int messages = 0;
  int shellOpens = 0;

  std::string OpenURL(const std::string&) override {
    const int fetch = ++fetches;
    if (duringFetch) duringFetch(fetch);
    if (fetch == failingFetch) throw FetchError("the connection broke off");
    const auto index = static_cast<std::size_t>(fetch - 1);
    if (index < pages.size()) return pages[index];
    if (failWhenOut || pages.empty()) throw FetchError("the server could not be reached");
    return pages.back();
  }
  void DoEvents() override {
    const int count = ++doEvents;
    if (duringDoEvents) duringDoEvents(count);
  }
  void ShellOpen(const std::string&, const std::string&, const std::string&) override {
    ++shellOpens;
  }
  void MessageBox(const std::string&) override { ++messages; }
};

// A fresh window whose platform serves `page` for every fetch, with "Stop Search"
// clicked in fetch 2, 3, 4 or 5 (bits 1 and 2 of `control`) and no fetch after that.
struct OnePageSearch {
  OnePageSearch(std::string page, std::uint8_t control)
      // The folder is cleared before the window is made.
      : window((ClearAppFolder(), testing::TestConfig()), AppFolder(), platform) {
    platform.pages = {std::move(page)};
    const int stopAt = 2 + ((control >> 1) & 3);
    platform.duringFetch = [this, stopAt](int fetch) {
      if (fetch == stopAt) window.click(window.Command1);
      FUZZ_EXPECT(fetch <= stopAt);
    };
  }
  PagePlatform platform;
  SearchWindow window;
};

}  // namespace lotwise::fuzz
