#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/search_window.h"
#include "core/fake_platform.h"
#include "core/test_config.h"

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

  // The five search commands' enabled states: cmdSearch, Command2..Command5.
  std::string SearchCommands() const {
    std::string states;
    for (const CommandButton* c : {&window.cmdSearch, &window.Command2, &window.Command3,
                                   &window.Command4, &window.Command5}) {
      states += c->enabled ? '1' : '0';
    }
    return states;
  }

  void ExpectReady() const {
    EXPECT_EQ(SearchCommands(), "11111");
    EXPECT_FALSE(window.Command6.enabled);
    EXPECT_TRUE(window.Command1.enabled);
    EXPECT_EQ(window.Command1.caption, "Stop Search");
  }
};

}  // namespace lotwise::testing
