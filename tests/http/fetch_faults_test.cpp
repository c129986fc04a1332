// Faults of the network and of the server met by the real fetcher: a host that does not
// resolve, a connection reset or closed in the middle of a body, answers that are not
// HTTP, bodies of binary bytes and NULs however their length is given, and whole searches
// over a server that fails in each of these ways.

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sched.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "app/search_window.h"
#include "http/curl_fetcher.h"
#include "http/fetch_error_of.h"
#include "http/loopback_server.h"
#include "platform/platform.h"
#include "support/fake_platform.h"
#include "support/pages.h"
#include "support/test_config.h"

namespace lotwise {
namespace {

using namespace std::chrono_literals;
using test::FetchErrorOf;
using test::LoopbackServer;
using test::ReceivedRequest;
using test::Reply;
using test::Respond;

// Answers one connection on 127.0.0.1: reads the request head, sends `bytes`, then closes
// the connection, with a reset (RST) instead of an orderly close when `reset` is set.
class OneShotServer {
 public:
  OneShotServer(std::string bytes, bool reset) {
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(listener_, Raw(&address), sizeof address) != 0 || listen(listener_, 1) != 0 ||
        getsockname(listener_, Raw(&address), &length) != 0) {
      throw std::runtime_error("one-shot server: cannot listen on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this, bytes = std::move(bytes), reset] { Serve(bytes, reset); });
  }
  ~OneShotServer() {
    shutdown(listener_, SHUT_RDWR);  // ends a wait in accept() if no fetch came
    thread_.join();
    close(listener_);
  }
  OneShotServer(const OneShotServer&) = delete;
  OneShotServer& operator=(const OneShotServer&) = delete;

  std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/page"; }

 private:
  static sockaddr* Raw(sockaddr_in* address) { return reinterpret_cast<sockaddr*>(address); }

  void Serve(const std::string& bytes, bool reset) {
    const int fd = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) return;
    std::string head;
    char buffer[1024];
    while (head.find("\r\n\r\n") == std::string::npos) {
      const ssize_t got = recv(fd, buffer, sizeof buffer, 0);
      if (got <= 0) break;
      head.append(buffer, static_cast<std::size_t>(got));
    }
    for (std::size_t sent = 0; sent < bytes.size();) {
      const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) break;
      sent += static_cast<std::size_t>(n);
    }
    if (reset) {
      const linger abortive{1, 0};
      setsockopt(fd, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
    }
    close(fd);
  }

  int listener_ = -1;
  int port_ = 0;
  std::thread thread_;
};

std::string ReadWholeFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string BinaryBytes() {
  std::string bytes;
  for (int i = 0; i < 1024; ++i) bytes += static_cast<char>(i % 3 == 0 ? 0 : (i * 7) % 256);
  return bytes;
}

TEST(FetchFaults, AHostThatDoesNotResolveIsAFetchError) {
  // In a network namespace of its own the name server cannot be reached, so the name
  // fails to resolve on this machine without any query leaving it.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (unshare(CLONE_NEWNET) != 0) _exit(77);
    try {
      CurlFetcher fetcher(nullptr, {.timeout = 20s});
      fetcher.OpenURL("http://lotwise-unknown-host.invalid/page");
    } catch (const FetchError& error) {
      const std::string message = error.what();
      _exit(message.find("the host was not found") != std::string::npos &&
                    message.find("lotwise-unknown-host.invalid") != std::string::npos
                ? 0
                : 1);
    } catch (...) {
    }
    _exit(2);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "no network namespace can be made here";
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: other message, 2: no FetchError";
}

TEST(FetchFaults, ABodyCutShortIsAFetchErrorAndTheFetcherGoesOn) {
  const std::string head = "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n";
  const std::string chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
  struct Case {
    const char* what;
    std::string bytes;
    bool reset;
  };
  const Case cases[] = {
      {"reset in the middle of a body", head + std::string(400, 'x'), true},
      {"closed in the middle of a body", head + std::string(400, 'x'), false},
      {"closed in the middle of a chunk", chunked + "3e8\r\n" + std::string(400, 'x'), false},
      {"reset in the middle of a chunk", chunked + "3e8\r\n" + std::string(400, 'x'), true},
      {"reset before any answer", "", true},
      {"closed before any answer", "", false},
      {"answer that is not HTTP", BinaryBytes(), false},
  };
  LoopbackServer good([](const ReceivedRequest&) { return Respond(200, "good page"); });
  CurlFetcher fetcher(nullptr, {.timeout = 20s});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string message;
    {
      OneShotServer server(c.bytes, c.reset);
      message = FetchErrorOf([&] { fetcher.OpenURL(server.Url()); });
      EXPECT_NE(message.find(server.Url()), std::string::npos) << message;
    }
    EXPECT_EQ(fetcher.OpenURL(good.Url("/next")), "good page");
  }
}

TEST(FetchFaults, BinaryBodiesWithNulsArriveUnchangedHoweverTheirLengthIsGiven) {
  const std::string bytes = BinaryBytes();
  std::string chunks;
  for (std::size_t at = 0; at < bytes.size(); at += 300) {
    const std::string piece = bytes.substr(at, 300);
    char size[16];
    std::snprintf(size, sizeof size, "%zx\r\n", piece.size());
    chunks += size + piece + "\r\n";
  }
  LoopbackServer server([&](const ReceivedRequest& request) {
    if (request.target == "/chunked") {
      return Reply{"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n" + chunks + "0\r\n\r\n",
                   false, false};
    }
    if (request.target == "/until-close") {
      return Reply{"HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + bytes, false, true};
    }
    return Respond(200, bytes);
  });
  CurlFetcher fetcher(nullptr, {.timeout = 20s});
  EXPECT_EQ(fetcher.OpenURL(server.Url("/sized")), bytes);
  EXPECT_EQ(fetcher.OpenURL(server.Url("/chunked")), bytes);
  EXPECT_EQ(fetcher.OpenURL(server.Url("/until-close")), bytes);
}

// ---- Whole searches over the real fetcher ------------------------------------------------

// The window's platform over the real fetcher; nothing else is needed here.
class HttpPlatform : public Platform {
 public:
  HttpPlatform() : fetcher_(nullptr, {.timeout = 1s, .maxBodyBytes = 4096}) {}
  std::string OpenURL(const std::string& url) override { return fetcher_.OpenURL(url); }
  void DoEvents() override {}
  void ShellOpen(const std::string& target, const std::string&, const std::string&) override {
    opened.push_back(target);
  }
  void MessageBox(const std::string& text) override { messages.push_back(text); }

  std::vector<std::string> opened;
  std::vector<std::string> messages;

 private:
  CurlFetcher fetcher_;
};

std::string BrowseTable(int item) { return testing::BrowseTable(std::to_string(item), "4"); }

TEST(FetchFaults, CategorySearchesOverAFailingServerEndWithTheWindowSettled) {
  const std::string index = "<font>Page 1 of <b>3</b></font>" + BrowseTable(1);
  struct Case {
    const char* what;
    Reply page2;
  };
  const Case cases[] = {
      {"404 answer", Respond(404, "<html><body>Not Found</body></html>")},
      {"500 answer", Respond(500, "<html><body>Internal Server Error</body></html>")},
      {"redirect loop", Respond(302, "", "Location: /aw/plistings/list/category7/page2.html\r\n")},
      {"body over the size limit", Respond(200, std::string(5000, 'x'))},
      {"binary body", Respond(200, BinaryBytes())},
      {"closed in the middle of a body",
       Reply{"HTTP/1.1 200 OK\r\nContent-Length: 900\r\n\r\n" + BrowseTable(2), false, true}},
      {"time-out", Reply{"", true, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LoopbackServer server([&](const ReceivedRequest& request) {
      if (request.target.ends_with("/index.html")) return Respond(200, index);
      if (request.target.ends_with("/page2.html")) return c.page2;
      return Respond(200, BrowseTable(3));
    });
    testing::TempFolder folder;
    HttpPlatform platform;
    Config config = testing::TestConfig();
    config.listingsHost = "127.0.0.1:" + std::to_string(server.port());
    SearchWindow window(config, folder.path(), platform);
    window.Text1.text = "7";
    EXPECT_TRUE(window.click(window.Command3));
    EXPECT_FALSE(window.searching());
    // A failed page makes the collection run again from the index page, then go on: the
    // report holds the rows of every page that could be read.
    EXPECT_EQ(window.Label1.caption, "Finished!!!");
    ASSERT_EQ(platform.opened.size(), 1u);
    const std::string report = ReadWholeFile(window.ReportPath());
    EXPECT_NE(report.find("Item 1"), std::string::npos);
    EXPECT_NE(report.find("Item 3"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(window.PageFilePath()));
    EXPECT_TRUE(window.click(window.Command1));
    EXPECT_EQ(window.Command1.caption, "Stop Search");
    EXPECT_TRUE(window.Command3.enabled);
  }
}

}  // namespace
}  // namespace lotwise
