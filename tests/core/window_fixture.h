#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/search_window.h"
#include "support/fake_platform.h"
#include "support/search_commands.h"
#include "support/test_config.h"

namespace lotwise::testing {

// A window over a fake platform in a fresh application folder.
class WindowTest : public ::testing::Test {
 protected:
  TempFolder folder;
  FakePlatform platform;
  SearchWindow window{TestConfig(), folder.path(), platform};

  std::string PageFile() const { return ReadFile(window.PageFilePath()); }
  bool PageFileExists() const { return std::filesystem::exists(window.PageFilePath()); }
  bool ReportExists() const { return std::filesystem::exists(window.ReportPath()); }

  std::string SearchCommands() const { return SearchCommandStates(window); }

  void ExpectReady() const {
    EXPECT_EQ(SearchCommands(), "11111");
    EXPECT_FALSE(window.Command6.enabled);
    EXPECT_TRUE(window.Command1.enabled);
    EXPECT_EQ(window.Command1.caption, "Stop Search");
  }
};

}  // namespace lotwise::testing
