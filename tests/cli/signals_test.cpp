// Ctrl+C as lotwise-search takes it: counted for the search to read, and the second one
// ending the program at once, without the files of the unfinished search.

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "cli/interrupt_signals.h"
#include "support/files.h"

namespace lotwise {
namespace {

TEST(InterruptSignalsDeathTest, FirstIsCountedAndTheSecondEndsTheProgramWithoutItsFiles) {
  testing::TempFolder folder;
  const std::filesystem::path pageFile = folder.path() / "Listinglist.txt";
  testing::WriteFile(pageFile, "collected so far");
  {
    InterruptSignals signals({pageFile});
    std::raise(SIGINT);
    EXPECT_EQ(signals.count().load(), 1);
  }
  EXPECT_TRUE(std::filesystem::exists(pageFile));

  EXPECT_EXIT(
      {
        InterruptSignals signals({pageFile});
        std::raise(SIGINT);
        std::raise(SIGINT);
        // Busy where nothing reads the count, as while the report is written.
        std::this_thread::sleep_for(std::chrono::seconds(30));
        std::exit(0);
      },
      ::testing::KilledBySignal(SIGINT), "");
  EXPECT_FALSE(std::filesystem::exists(pageFile));
}

}  // namespace
}  // namespace lotwise
