// The server over loopback HTTP: answers by path, logs every request, redirects, and
// misbehaves on request.

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <thread>

#include "sample-marketplace/marketplace.h"
#include "sample-marketplace/sample_server.h"

namespace {

using namespace lotwise::sample;
using namespace std::chrono_literals;

class ServerTest : public ::testing::Test {
 protected:
  void Start(ServerSettings settings = {}, AnswerLog* answers = nullptr) {
    server_ = std::make_unique<SampleServer>(market_, log_, std::move(settings));
    if (answers != nullptr) server_->LogAnswers(*answers);
    port_ = server_->Start(0);
  }
  // A client that sends targets as given, the way the program does.
  httplib::Client Client() const {
    httplib::Client client("127.0.0.1", port_);
    client.set_url_encode(false);
    client.set_read_timeout(60, 0);
    return client;
  }
  std::string OwnHost() const { return "127.0.0.1:" + std::to_string(port_); }

  Marketplace market_{GenerateItems(7, 600)};
  std::ostringstream logText_;
  RequestLog log_{logText_};
  std::unique_ptr<SampleServer> server_;
  int port_ = 0;
};

TEST_F(ServerTest, AnswersByPathWhateverTheHostAndLogsEveryRequest) {
  Start();
  const std::string browse = "/aw/plistings/list/category353/index.html";
  const std::string search =
      "/search/search.dll?MfcISAPICommand=GetResult&ht=1&query=%22red+car%22&category0=";
  auto client = Client();
  const auto first = client.Get(browse, {{"Host", "listings.example"}});
  const auto second = client.Get(search, {{"Host", "search.example"}});
  ASSERT_TRUE(first);
  ASSERT_TRUE(second);
  EXPECT_EQ(first->status, 200);
  EXPECT_EQ(first->body, market_.Answer(browse, OwnHost()).body);
  EXPECT_EQ(second->body, market_.Answer(search, OwnHost()).body);
  EXPECT_NE(first->body.find("http://" + OwnHost() + "/ws/eBayISAPI.dll?ViewItem&item="),
            std::string::npos);
  EXPECT_EQ(logText_.str(), "GET " + browse + "\nGET " + search + "\n");
}

TEST_F(ServerTest, ItemLinksPointAtTheChosenItemHost) {
  ServerSettings settings;
  settings.itemHost = "cgi.example";
  Start(settings);
  const auto reply = Client().Get("/pool1/plistings/list/auction/category0/index.html?featured");
  ASSERT_TRUE(reply);
  EXPECT_NE(reply->body.find("http://cgi.example/ws/eBayISAPI.dll?ViewItem&item="),
            std::string::npos);
  EXPECT_EQ(reply->body.find(OwnHost()), std::string::npos);
}

TEST_F(ServerTest, TheAffiliateRedirectAnswers302WithTheItemAddress) {
  Start();
  const auto reply = Client().Get("/click-7-9?loc=http%3A//" + OwnHost() +
                                  "/ws/eBayISAPI.dll%3FViewItem%26item%3D42");
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->status, 302);
  EXPECT_EQ(reply->get_header_value("Location"),
            "http://" + OwnHost() + "/ws/eBayISAPI.dll?ViewItem&item=42");
}

TEST_F(ServerTest, PicturesComeAsPngAndTheAnswerLogHasEveryStatusAndType) {
  AnswerLog answers;
  Start({}, &answers);
  auto client = Client();
  const auto sold = client.Get("/pict/sold.gif");
  const auto missing = client.Get("/pict/1.jpg");
  ASSERT_TRUE(sold);
  ASSERT_TRUE(missing);
  EXPECT_EQ(sold->status, 200);
  EXPECT_EQ(sold->get_header_value("Content-Type"), "image/png");
  EXPECT_EQ(sold->body, market_.Answer("/pict/sold.gif", OwnHost()).body);
  const auto logged = answers.answers();
  ASSERT_EQ(logged.size(), 2u);
  EXPECT_EQ(logged[0].target, "/pict/sold.gif");
  EXPECT_EQ(logged[0].status, 200);
  EXPECT_EQ(logged[0].contentType, "image/png");
  EXPECT_EQ(logged[1].target, "/pict/1.jpg");
  EXPECT_EQ(logged[1].status, 404);
  EXPECT_EQ(logged[1].contentType, "text/html");
}

TEST_F(ServerTest, FaultsBeginAfterTheRequestsAnsweredNormally) {
  ServerSettings settings;
  settings.fault = Fault::kServerError;
  settings.faultAfter = 2;
  Start(settings);
  auto client = Client();
  for (int i = 0; i < 2; ++i) {
    const auto reply = client.Get("/aw/listings/list/categories.html");
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->status, 200);
  }
  const auto failed = client.Get("/aw/listings/list/categories.html");
  ASSERT_TRUE(failed);
  EXPECT_EQ(failed->status, 500);
  EXPECT_NE(failed->body.find("<html>"), std::string::npos);
}

TEST_F(ServerTest, ServesTheSitesResultPagesAndItsRobotCheckAfterSoManyOfThem) {
  ServerSettings settings;
  settings.fault = Fault::kRobotCheck;
  settings.faultAfter = 1;
  settings.faultOnce = true;
  settings.site.clock = [] { return std::int64_t{1772625600}; };
  const SiteSearch site(market_.items(), settings.site);
  Start(settings);
  auto client = Client();
  const std::string search = "/sch/i.html?_nkw=red&_ipg=240";
  const auto first = client.Get(search);
  const auto picture = client.Get("/pict/sold.gif");
  const auto checked = client.Get("/de/sch/i.html?_nkw=red&_pgn=2");
  const auto again = client.Get(search);
  ASSERT_TRUE(first && picture && checked && again);
  EXPECT_EQ(first->body, site.Answer(search, OwnHost(), OwnHost()).body);
  EXPECT_EQ(picture->status, 200);
  EXPECT_EQ(checked->status, 200);
  EXPECT_NE(checked->body.find("<title>Pardon Our Interruption"), std::string::npos);
  EXPECT_EQ(checked->body.find("s-card"), std::string::npos);
  EXPECT_EQ(again->body, first->body);

  settings.faultOnce = false;
  Start(settings);
  auto always = Client();
  ASSERT_TRUE(always.Get(search));
  for (int i = 0; i < 2; ++i) {
    const auto reply = always.Get(search);
    ASSERT_TRUE(reply);
    EXPECT_NE(reply->body.find("Pardon Our Interruption"), std::string::npos);
  }
}

TEST_F(ServerTest, GarbageIsBinaryWithNuls) {
  ServerSettings settings;
  settings.fault = Fault::kGarbage;
  Start(settings);
  const auto reply = Client().Get("/aw/plistings/list/category353/index.html");
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->status, 200);
  EXPECT_GE(reply->body.size(), 1000u);
  EXPECT_NE(reply->body.find('\0'), std::string::npos);
  EXPECT_EQ(reply->body.find("<table"), std::string::npos);
}

TEST_F(ServerTest, ResetCutsTheBodyShort) {
  ServerSettings settings;
  settings.fault = Fault::kReset;
  Start(settings);
  const auto reply = Client().Get("/aw/plistings/list/category353/index.html");
  EXPECT_FALSE(reply);
  EXPECT_EQ(log_.count(), 1u);
}

TEST_F(ServerTest, AStalledRequestGetsNoAnswerAndDoesNotHoldUpStopping) {
  ServerSettings settings;
  settings.fault = Fault::kStall;
  Start(settings);
  bool answered = true;
  std::thread request([&] {
    auto client = Client();
    answered = static_cast<bool>(client.Get("/aw/listings/list/categories.html"));
  });
  ASSERT_TRUE(log_.WaitForCount(1, 30s));
  server_->Stop();
  request.join();
  EXPECT_FALSE(answered);
}

TEST_F(ServerTest, ServesTheApiByHeadersAndBodyApartFromThePageFaults) {
  ServerSettings settings;
  settings.fault = Fault::kServerError;
  settings.itemHost = "cgi.example";
  settings.api.clientSecret = "s3cret";
  Start(settings);
  auto client = Client();
  client.set_basic_auth("sample-client-id", "s3cret");
  const auto token = client.Post(
      "/identity/v1/oauth2/token",
      "grant_type=client_credentials&scope=https%3A%2F%2Fapi.ebay.com%2Foauth%2Fapi_scope",
      "application/x-www-form-urlencoded");
  ASSERT_TRUE(token);
  ASSERT_EQ(token->status, 200) << token->body;
  const std::string search = "/buy/browse/v1/item_summary/search?q=red&limit=3";
  const auto found = Client().Get(
      search, {{"Authorization",
                "Bearer " + nlohmann::json::parse(token->body)["access_token"].get<std::string>()},
               {"X-EBAY-C-MARKETPLACE-ID", "EBAY_DE"}});
  ASSERT_TRUE(found);
  ASSERT_EQ(found->status, 200) << found->body;
  EXPECT_EQ(found->get_header_value("Content-Type"), "application/json");
  const auto page = nlohmann::json::parse(found->body);
  EXPECT_EQ(page["next"], "http://" + OwnHost() + search + "&offset=3");
  const auto& item = page["itemSummaries"][0];
  EXPECT_EQ(item["price"]["currency"], "EUR");
  EXPECT_EQ(item["itemWebUrl"], "http://cgi.example/ws/eBayISAPI.dll?ViewItem&item=" +
                                    item["legacyItemId"].get<std::string>());
  const auto listing = Client().Get("/aw/listings/list/categories.html");
  ASSERT_TRUE(listing);
  EXPECT_EQ(listing->status, 500);
  EXPECT_EQ(logText_.str(), "POST /identity/v1/oauth2/token\nGET " + search +
                                "\nGET /aw/listings/list/categories.html\n");
}

// A socket of another program listening on `address`:`port` (0: a free one), as servers
// that share their port with others open it; closed at the end.
class OtherListener {
 public:
  OtherListener(const char* address, int port) : socket_(::socket(AF_INET, SOCK_STREAM, 0)) {
    const int yes = 1;
    setsockopt(socket_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
    setsockopt(socket_, SOL_SOCKET, SO_REUSEPORT, &yes, sizeof(yes));
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_port = htons(static_cast<std::uint16_t>(port));
    inet_pton(AF_INET, address, &where.sin_addr);
    listening_ = bind(socket_, reinterpret_cast<sockaddr*>(&where), sizeof(where)) == 0 &&
                 listen(socket_, 1) == 0;
    socklen_t length = sizeof(where);
    getsockname(socket_, reinterpret_cast<sockaddr*>(&where), &length);
    port_ = ntohs(where.sin_port);
  }
  ~OtherListener() { close(socket_); }
  OtherListener(const OtherListener&) = delete;
  OtherListener& operator=(const OtherListener&) = delete;

  bool listening() const { return listening_; }
  int port() const { return port_; }

 private:
  int socket_;
  bool listening_ = false;
  int port_ = 0;
};

// What a server started on `port` says when it cannot start; empty when it started.
std::string StartFailure(SampleServer& server, int port) {
  try {
    server.Start(port);
  } catch (const std::runtime_error& failure) {
    return failure.what();
  }
  return {};
}

TEST_F(ServerTest, APortAlreadyTakenIsRefusedWhoeverHoldsIt) {
  Start();
  SampleServer second(market_, log_, {});
  EXPECT_EQ(StartFailure(second, port_),
            "cannot bind 127.0.0.1:" + std::to_string(port_) + ": the port is taken");
  // The first one still answers every request.
  for (int i = 0; i < 3; ++i) {
    const auto reply = Client().Get("/aw/plistings/list/category353/index.html");
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->status, 200);
  }
  const std::string logged = logText_.str();
  EXPECT_EQ(std::count(logged.begin(), logged.end(), '\n'), 3);

  // Another program, on the loopback address or on every address, even one that would
  // share its port.
  for (const char* address : {"127.0.0.1", "0.0.0.0"}) {
    const OtherListener other(address, 0);
    ASSERT_TRUE(other.listening()) << address;
    SampleServer third(market_, log_, {});
    EXPECT_NE(StartFailure(third, other.port()).find("the port is taken"), std::string::npos)
        << address;
  }

  // Once the first one has stopped, its port can be taken again at once.
  server_->Stop();
  SampleServer again(market_, log_, {});
  EXPECT_EQ(again.Start(port_), port_);
}

}  // namespace
