#include "http/curl_fetcher.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "http/fetch_error_of.h"
#include "http/loopback_server.h"
#include "http/request_target.h"
#include "platform/platform.h"

namespace lotwise {
namespace {

using namespace std::chrono_literals;
using test::CaughtFetchError;
using test::FetchErrorOf;
using test::LoopbackServer;
using test::ReceivedRequest;
using test::Reply;
using test::Respond;

struct Cancelled {};

TEST(CurlRequestTarget, EncodesBytesThatCannotStandInARequestTarget) {
  EXPECT_EQ(EncodeRequestTarget("http://h/a b\tc"), "http://h/a%20b%09c");
  EXPECT_EQ(EncodeRequestTarget("http://h/?q=x\r\nHost: y"), "http://h/?q=x%0D%0AHost:%20y");
  EXPECT_EQ(EncodeRequestTarget(std::string_view("/\0\x1f\x7f", 4)), "/%00%1F%7F");
  EXPECT_EQ(EncodeRequestTarget("/\x80\xe9\xff"), "/%80%E9%FF");
  EXPECT_EQ(EncodeRequestTarget("/\"<>\\^`{|}#"), "/%22%3C%3E%5C%5E%60%7B%7C%7D%23");
}

TEST(CurlRequestTarget, LeavesEverythingElseAlone) {
  const std::string url = "http://host:8080/a/b.dll?x=1&y=a+b%20c%zz(d),e;f~g*!'@$[]:=-_.%";
  EXPECT_EQ(EncodeRequestTarget(url), url);
  EXPECT_EQ(EncodeRequestTarget(""), "");
}

TEST(CurlFetcherTest, ReturnsEveryBodyByteUnchangedWhateverTheStatus) {
  std::string bytes;
  for (int i = 0; i < 512; ++i) bytes += static_cast<char>(i % 256);
  LoopbackServer server([&](const ReceivedRequest& request) {
    if (request.target == "/missing") return Respond(404, "no such page");
    if (request.target == "/broken") return Respond(500, "server fault");
    return Respond(200, bytes);
  });
  CurlFetcher fetcher(nullptr);
  EXPECT_EQ(fetcher.OpenURL(server.Url("/bytes")), bytes);
  EXPECT_EQ(fetcher.lastStatus(), 200);
  EXPECT_EQ(fetcher.OpenURL(server.Url("/missing")), "no such page");
  EXPECT_EQ(fetcher.lastStatus(), 404);
  EXPECT_EQ(fetcher.OpenURL(server.Url("/broken")), "server fault");
  EXPECT_EQ(fetcher.lastStatus(), 500);
  FetchErrorOf([&] { fetcher.OpenURL("http://"); });
  EXPECT_EQ(fetcher.lastStatus(), 0);  // a fetch that failed has no status
}

TEST(CurlFetcherTest, StalledServerTimesOutWhileYielding) {
  LoopbackServer server([](const ReceivedRequest&) { return Reply{"", true, false}; });
  int yields = 0;
  const auto start = std::chrono::steady_clock::now();
  CurlFetcher fetcher(
      [&] {
        ++yields;
        if (std::chrono::steady_clock::now() - start > 10s) throw Cancelled{};  // never timed out
      },
      {.timeout = 1s, .yieldInterval = 20ms});
  const FetchError failure = CaughtFetchError([&] { fetcher.OpenURL(server.Url("/slow")); });
  const std::string message = failure.what();
  // The window handles input while the fetch waits: at least once before libcurl
  // notices the time-out, however fast or slow the machine is.
  EXPECT_GE(yields, 1);
  EXPECT_NE(message.find(server.Url("/slow")), std::string::npos) << message;
  EXPECT_NE(message.find("in time"), std::string::npos) << message;
  EXPECT_EQ(failure.kind(), FetchFailure::kTimeout);
  EXPECT_EQ(failure.host(), "127.0.0.1:" + std::to_string(server.port()));
}

TEST(CurlFetcherTest, UnreachableOrUnusableAddressesAreFetchErrors) {
  const int probe = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ASSERT_EQ(bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length), 0);
  close(probe);  // nobody listens on this port any more
  const std::string refused = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/";

  CurlFetcher fetcher(nullptr, {.timeout = 2s});
  const FetchError failure = CaughtFetchError([&] { fetcher.OpenURL(refused); });
  const std::string message = failure.what();
  EXPECT_NE(message.find(refused), std::string::npos) << message;
  EXPECT_EQ(failure.kind(), FetchFailure::kUnreachable);
  EXPECT_EQ(failure.host(), "127.0.0.1:" + std::to_string(ntohs(address.sin_port)));
  FetchErrorOf([&] { fetcher.OpenURL("http://"); });
  FetchErrorOf([&] { fetcher.OpenURL("file:///etc/hostname"); });
}

TEST(CurlFetcherTest, LineBreaksInTheAddressCannotAddHeaders) {
  LoopbackServer server([](const ReceivedRequest&) { return Respond(200, "ok"); });
  CurlFetcher fetcher(nullptr);
  EXPECT_EQ(fetcher.OpenURL(server.Url("/find?q=a\r\nX-Injected: 1\r\n\r\nGET /b HTTP/1.1")), "ok");
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].target, "/find?q=a%0D%0AX-Injected:%201%0D%0A%0D%0AGET%20/b%20HTTP/1.1");
  EXPECT_EQ(requests[0].head.find("\nX-Injected"), std::string::npos) << requests[0].head;
}

TEST(CurlFetcherTest, ReusesTheConnectionAndSendsNoCookies) {
  LoopbackServer server([](const ReceivedRequest&) {
    return Respond(200, "page", "Set-Cookie: session=42; Path=/\r\n");
  });
  CurlFetcher fetcher(nullptr);
  fetcher.OpenURL(server.Url("/one"));
  fetcher.OpenURL(server.Url("/two"));
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].remotePort, requests[1].remotePort);
  EXPECT_EQ(requests[1].head.find("Cookie"), std::string::npos) << requests[1].head;
}

TEST(CurlFetcherTest, GivesTheAnswersHeadersAndAsksForCompressionOnlyWhenTold) {
  LoopbackServer server([](const ReceivedRequest& request) {
    if (request.target == "/moved")
      return Respond(302, "", "Set-Cookie: a=1\r\nLocation: /page\r\n");
    return Respond(200, "page", "Set-Cookie: b=2\r\nRetry-After:  7\r\n");
  });
  CurlFetcher fetcher(nullptr);
  HttpRequest compressed;
  compressed.url = server.Url("/moved");
  compressed.acceptCompressed = true;
  const HttpResponse answer = fetcher.Send(compressed);
  EXPECT_EQ(answer.body, "page");
  // Every answer's fields on the way, in order, the status lines left out.
  std::vector<std::pair<std::string, std::string>> cookies;
  for (const auto& field : answer.headers) {
    EXPECT_EQ(field.first.find_first_of(" \r\n"), std::string::npos) << field.first;
    if (field.first == "Set-Cookie" || field.first == "Retry-After") cookies.push_back(field);
  }
  EXPECT_EQ(cookies, (std::vector<std::pair<std::string, std::string>>{
                         {"Set-Cookie", "a=1"}, {"Set-Cookie", "b=2"}, {"Retry-After", "7"}}));
  HttpRequest plain;
  plain.url = server.Url("/page");
  EXPECT_EQ(fetcher.Send(plain).body, "page");

  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_NE(requests[0].head.find("\r\nAccept-Encoding: "), std::string::npos) << requests[0].head;
  EXPECT_NE(requests[1].head.find("\r\nAccept-Encoding: "), std::string::npos) << requests[1].head;
  EXPECT_EQ(requests[2].head.find("Accept-Encoding"), std::string::npos) << requests[2].head;
}

TEST(CurlFetcherTest, FollowsRedirectsAndRejectsALoop) {
  LoopbackServer server([](const ReceivedRequest& request) {
    if (request.target == "/start") return Respond(302, "moved", "Location: /middle\r\n");
    if (request.target == "/middle") return Respond(301, "moved", "Location: /end\r\n");
    if (request.target == "/loop") return Respond(302, "again", "Location: /loop\r\n");
    return Respond(200, "arrived");
  });
  CurlFetcher fetcher(nullptr);
  EXPECT_EQ(fetcher.OpenURL(server.Url("/start")), "arrived");
  const std::string message = FetchErrorOf([&] { fetcher.OpenURL(server.Url("/loop")); });
  EXPECT_NE(message.find("redirect"), std::string::npos) << message;
  EXPECT_LE(server.Requests().size(), 3u + 12u);
}

TEST(CurlFetcherTest, BodyOverTheLimitIsFetchError) {
  LoopbackServer server([](const ReceivedRequest& request) {
    if (request.target == "/exact") return Respond(200, std::string(1000, 'x'));
    if (request.target == "/sized") return Respond(200, std::string(1001, 'x'));
    // No length announced: the limit must hold while the body streams in.
    return Reply{"HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + std::string(5000, 'x'), false,
                 true};
  });
  CurlFetcher fetcher(nullptr, {.maxBodyBytes = 1000});
  EXPECT_EQ(fetcher.OpenURL(server.Url("/exact")).size(), 1000u);
  EXPECT_NE(FetchErrorOf([&] { fetcher.OpenURL(server.Url("/sized")); }).find("larger"),
            std::string::npos);
  EXPECT_NE(FetchErrorOf([&] { fetcher.OpenURL(server.Url("/unsized")); }).find("larger"),
            std::string::npos);
}

TEST(CurlFetcherTest, ThrowingYieldAbortsTheFetchAndLeavesTheFetcherUsable) {
  LoopbackServer server([](const ReceivedRequest& request) {
    return request.target == "/slow" ? Reply{"", true, false} : Respond(200, "fine");
  });
  bool cancel = true;
  CurlFetcher fetcher([&] {
    if (cancel) throw Cancelled{};
  });
  EXPECT_THROW(fetcher.OpenURL(server.Url("/slow")), Cancelled);
  cancel = false;
  EXPECT_EQ(fetcher.OpenURL(server.Url("/fast")), "fine");
}

}  // namespace
}  // namespace lotwise
