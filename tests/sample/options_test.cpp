// The server's command line.

#include "sample-marketplace/options.h"

#include <gtest/gtest.h>

namespace {

using lotwise::sample::ApiFault;
using lotwise::sample::Fault;
using lotwise::sample::ParseOptions;
using lotwise::sample::SiteLayout;

TEST(OptionsTest, ReadsEveryOptionInBothForms) {
  const auto parsed = ParseOptions({"--port", "0", "--seed=42", "--items", "150", "--delay-ms",
                                    "25", "--fault", "garbage", "--fault-after=3", "--log",
                                    "/tmp/requests.log", "--item-host", "cgi.example:8081"});
  ASSERT_EQ(parsed.error, "");
  const auto& options = parsed.options;
  EXPECT_EQ(options.port, 0);
  EXPECT_EQ(options.seed, 42u);
  EXPECT_EQ(options.server.seed, 42u);
  EXPECT_EQ(options.items, 150u);
  EXPECT_EQ(options.server.delay.count(), 25);
  EXPECT_EQ(options.server.fault, Fault::kGarbage);
  EXPECT_EQ(options.server.faultAfter, 3u);
  EXPECT_EQ(options.logPath, "/tmp/requests.log");
  EXPECT_EQ(options.server.itemHost, "cgi.example:8081");
}

TEST(OptionsTest, ReadsTheApiOptions) {
  const auto defaults = ParseOptions({}).options.server.api;
  EXPECT_EQ(defaults.clientId, "sample-client-id");
  EXPECT_EQ(defaults.clientSecret, "sample-client-secret");
  EXPECT_EQ(defaults.tokenLifetime.count(), 7200);
  EXPECT_EQ(defaults.fault, ApiFault::kNone);
  EXPECT_FALSE(defaults.faultOnce);
  const auto parsed =
      ParseOptions({"--api-client-id", "id", "--api-client-secret=secret", "--api-token-lifetime",
                    "60", "--api-fault", "server-error", "--api-fault-after", "4",
                    "--api-fault-once", "--fault", "stall"});
  ASSERT_EQ(parsed.error, "");
  const auto& api = parsed.options.server.api;
  EXPECT_EQ(api.clientId, "id");
  EXPECT_EQ(api.clientSecret, "secret");
  EXPECT_EQ(api.tokenLifetime.count(), 60);
  EXPECT_EQ(api.fault, ApiFault::kServerError);
  EXPECT_EQ(api.faultAfter, 4u);
  EXPECT_TRUE(api.faultOnce);
  EXPECT_EQ(parsed.options.server.fault, Fault::kStall);
  EXPECT_EQ(ParseOptions({"--api-fault", "expired-token"}).options.server.api.fault,
            ApiFault::kExpiredToken);
  EXPECT_EQ(ParseOptions({"--api-fault=rate-limit"}).options.server.api.fault,
            ApiFault::kRateLimit);
}

TEST(OptionsTest, ReadsTheSitesLayoutAndTheRobotCheck) {
  EXPECT_EQ(ParseOptions({}).options.server.site.layout, SiteLayout::kCard);
  EXPECT_FALSE(ParseOptions({}).options.server.faultOnce);
  const auto parsed = ParseOptions(
      {"--site-layout", "item", "--fault=robot-check", "--fault-after", "3", "--fault-once"});
  ASSERT_EQ(parsed.error, "");
  EXPECT_EQ(parsed.options.server.site.layout, SiteLayout::kItem);
  EXPECT_EQ(parsed.options.server.fault, Fault::kRobotCheck);
  EXPECT_EQ(parsed.options.server.faultAfter, 3u);
  EXPECT_TRUE(parsed.options.server.faultOnce);
  EXPECT_NE(ParseOptions({"--site-layout", "grid"}).error, "");
}

TEST(OptionsTest, RejectsWhatItDoesNotUnderstand) {
  EXPECT_NE(ParseOptions({"--port", "65536"}).error, "");
  EXPECT_NE(ParseOptions({"--port", "-1"}).error, "");
  EXPECT_NE(ParseOptions({"--items", "many"}).error, "");
  EXPECT_NE(ParseOptions({"--fault", "slow"}).error, "");
  EXPECT_NE(ParseOptions({"--fault", "stalled"}).error, "");
  EXPECT_NE(ParseOptions({"--seed"}).error, "");
  EXPECT_NE(ParseOptions({"--colour", "red"}).error, "");
  EXPECT_NE(ParseOptions({"8080"}).error, "");
  EXPECT_NE(ParseOptions({"--log="}).error, "");
  EXPECT_NE(ParseOptions({"--api-fault", "500"}).error, "");
  EXPECT_NE(ParseOptions({"--api-client-id="}).error, "");
}

}  // namespace
