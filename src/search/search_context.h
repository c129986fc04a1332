#pragma once

#include <filesystem>

#include "app/config.h"
#include "platform/platform.h"
#include "search/search_controls.h"
#include "search/search_state.h"

namespace lotwise {

// A search as its stages see it: the shared state, the window's controls, the machine,
// the build's values, and the page file and report of the application folder. The
// window makes one and hands it to every stage; nothing else of the window is in reach.
struct SearchContext {
  SearchState& state;
  SearchControls& controls;
  Platform& platform;
  const Config& config;
  std::filesystem::path pageFile;
  std::filesystem::path report;
};

}  // namespace lotwise
