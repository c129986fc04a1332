#include "http/headless_platform.h"

#include <gtest/gtest.h>

#include <chrono>

namespace lotwise {
namespace {

TEST(HeadlessPlatformTest, PauseHandlesInputAndEndsOnceTheSearchIsStopped) {
  int doEvents = 0;
  HeadlessPlatform::Hooks hooks;
  hooks.doEvents = [&] { ++doEvents; };
  HeadlessPlatform platform(hooks);
  platform.cutFetchesShortWhen([&] { return doEvents == 3; });  // stopped at the third
  // Were the stop not seen, the test would wait out the hour.
  platform.Pause(std::chrono::hours(1));
  EXPECT_EQ(doEvents, 3);
}

}  // namespace
}  // namespace lotwise
