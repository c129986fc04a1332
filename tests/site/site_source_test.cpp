// The site's source on its own: the address each search asks for, and against loopback
// servers what it sends (its name, compression, the cookies the site set), the answers
// it waits out, the repeated last page and a stop while a request waits.

#include "site/site_source.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/config.h"
#include "app/search_window.h"
#include "http/loopback_server.h"
#include "sample-marketplace/site_query.h"
#include "sample-marketplace/site_search.h"
#include "search/search_state.h"
#include "search/summary.h"
#include "site/site_platform.h"
#include "support/files.h"
#include "support/test_config.h"

namespace lotwise {
namespace {

using namespace std::chrono_literals;
using Strings = std::vector<std::string>;
using test::LoopbackServer;
using test::ReceivedRequest;
using test::Reply;
using test::Respond;

ListingQuery Keywords(const std::string& words, int combine = 0) {
  ListingQuery query;
  query.kind = kKeywordSearch;
  query.words = words;
  query.combine = combine;
  return query;
}

SiteSourceSettings Settings(const std::string& marketplace, const std::string& base = "") {
  SiteSourceSettings settings;
  settings.marketplace = marketplace;
  settings.baseUrl = base;
  return settings;
}

TEST(SiteRequests, EachSearchAsksForItsAuctionsAsTheSitesAdvancedSearchDoes) {
  testing::SitePlatform platform;
  testing::FixedClock clock;
  const SiteSource us({}, platform, platform, clock);
  const std::string search = "https://www.ebay.com/sch/i.html?";
  const std::string tail = "LH_Auction=1&_ipg=240&_pgn=1";

  EXPECT_EQ(us.SearchAddress(Keywords("red car")),
            search + "_nkw=red%20car&_in_kw=1&_sacat=0&" + tail);
  ListingQuery every = Keywords("red car", 1);
  every.excluded = "broken parts";
  every.lowestPrice = "12.50";
  every.highestPrice = "100";
  every.inDescription = true;
  every.categoryId = "353";
  EXPECT_EQ(us.SearchAddress(every, 3),
            search +
                "_nkw=red%20car&_in_kw=2&_ex_kw=broken%20parts&_sacat=353&_udlo=12.50&_udhi=100&"
                "LH_TitleDesc=1&LH_Auction=1&_ipg=240&_pgn=3");
  EXPECT_EQ(us.SearchAddress(Keywords("caf\xC3\xA9 & bar=1", 2)),
            search + "_nkw=caf%C3%A9%20%26%20bar%3D1&_in_kw=3&_sacat=0&" + tail);

  ListingQuery category;
  category.kind = kCategorySearch;
  category.categoryId = "353";
  EXPECT_EQ(us.SearchAddress(category), search + "_sacat=353&" + tail);
  ListingQuery completed;
  completed.kind = kCompletedSearch;
  completed.words = "clock";
  EXPECT_EQ(us.SearchAddress(completed), search + "_nkw=clock&_sacat=0&LH_Complete=1&" + tail);

  // Each marketplace's own site and currency; a base address in place of the site.
  const SiteSource uk(Settings("EBAY_GB"), platform, platform, clock);
  EXPECT_EQ(uk.SearchAddress(category), "https://www.ebay.co.uk/sch/i.html?_sacat=353&" + tail);
  EXPECT_EQ(uk.Currency(), "GBP");
  const SiteSource australia(Settings("EBAY_AU"), platform, platform, clock);
  EXPECT_EQ(australia.SearchAddress(category).rfind("https://www.ebay.com.au/sch/", 0), 0u);
  EXPECT_EQ(australia.Currency(), "AUD");
  const SiteSource sample(Settings("EBAY_DE", "http://127.0.0.1:8642/de"), platform, platform,
                          clock);
  EXPECT_EQ(sample.SearchAddress(category),
            "http://127.0.0.1:8642/de/sch/i.html?_sacat=353&" + tail);
  EXPECT_EQ(sample.Currency(), "EUR");
  EXPECT_EQ(sample.Name(), "Marketplace site (EBAY_DE)");

  EXPECT_EQ(us.PageSize(), 240);
  EXPECT_TRUE(us.MatchesWords());
  for (const std::int16_t kind : {kKeywordSearch, kCategorySearch, kCompletedSearch}) {
    EXPECT_FALSE(us.Lacks(kind)) << kind;
  }
  ASSERT_TRUE(us.Lacks(kFeaturedSearch));
  EXPECT_TRUE(platform.sent.empty());
}

TEST(SiteRequests, TheFeaturedSearchSaysTheSiteHasNoneAndAsksForNothing) {
  testing::TempFolder folder;
  testing::SitePlatform platform;
  testing::FixedClock clock;
  SiteSource source({}, platform, platform, clock);
  SearchWindow window(testing::TestConfig(), folder.path(), platform);
  window.UseListingSource(&source);
  window.txtBids.text = "1";
  window.click(window.Command4);
  EXPECT_TRUE(platform.sent.empty());
  EXPECT_EQ(platform.messages, Strings{*source.Lacks(kFeaturedSearch)});
}

std::string Gzipped(const std::string& bytes) {
  z_stream stream{};
  deflateInit2_(&stream, Z_BEST_SPEED, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY, ZLIB_VERSION,
                static_cast<int>(sizeof(z_stream)));
  std::string out(deflateBound(&stream, static_cast<uLong>(bytes.size())), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  stream.avail_in = static_cast<uInt>(bytes.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

// The value of a request's header field; "-" when it has none.
std::string Field(const ReceivedRequest& request, const std::string& name) {
  const std::size_t at = request.head.find("\r\n" + name + ": ");
  if (at == std::string::npos) return "-";
  const std::size_t from = at + name.size() + 4;
  return request.head.substr(from, request.head.find("\r\n", from) - from);
}

// The sample's result pages, answered by a server that the tests make misbehave.
class SiteSourceTest : public ::testing::Test {
 protected:
  SiteSource& Source(const LoopbackServer& server) {
    SiteSourceSettings settings;
    settings.baseUrl = "http://127.0.0.1:" + std::to_string(server.port());
    source = std::make_unique<SiteSource>(settings, platform, platform, clock);
    return *source;
  }
  // The sample's page at `target` (a search's parameters are the source's own).
  std::string SamplePage(const std::string& target) const {
    return site.Answer(target, "items.test", "127.0.0.1:1").body;
  }
  // Every page of a search, followed as the core follows them.
  std::vector<ListedItem> AllPages(const ListingQuery& query) {
    ListingPage page = source->Search(query);
    std::vector<ListedItem> items = page.items;
    while (!page.next.empty()) {
      page = source->Next(page.next);
      items.insert(items.end(), page.items.begin(), page.items.end());
    }
    return items;
  }
  static Strings Numbers(const std::vector<ListedItem>& items) {
    Strings numbers;
    for (const ListedItem& item : items) numbers.push_back(item.legacyItemId);
    return numbers;
  }
  Strings Numbers(const std::string& firstTarget) const {
    Strings numbers;
    for (const sample::Item& item : sample::CollectedSiteItems(market, firstTarget).items) {
      numbers.push_back(std::to_string(item.number));
    }
    return numbers;
  }

  std::vector<sample::Item> market = sample::GenerateItems(5, 1500);
  sample::SiteSearch site{market, {}};
  testing::SitePlatform platform;
  testing::FixedClock clock;
  std::unique_ptr<SiteSource> source;
};

TEST_F(SiteSourceTest, NamesItselfTakesCompressedPagesAndSendsTheSitesCookiesBack) {
  std::atomic<int> throttled{0};
  LoopbackServer server([&](const ReceivedRequest& request) {
    clock.Advance(300ms);  // each answer takes that long
    const std::string page = SamplePage(request.target);
    if (request.target.ends_with("_pgn=1")) {
      const std::string encoding = Field(request, "Accept-Encoding");
      if (encoding.find("gzip") == std::string::npos) return Respond(406, "gzip only");
      return Respond(200, Gzipped(page),
                     "Content-Encoding: gzip\r\nSet-Cookie: session=abc; Path=/; HttpOnly\r\n"
                     "Set-Cookie: region=us\r\n");
    }
    if (request.target.ends_with("_pgn=2") && throttled++ == 0) {
      return Respond(429, "slow down", "Retry-After: 7\r\n");
    }
    return Respond(200, page, "Set-Cookie: region=gone; Max-Age=0\r\n");
  });
  Source(server);
  const ListingQuery query = Keywords("lamp");
  const std::string first = source->SearchAddress(query).substr(server.Url("").size());
  const Strings expected = Numbers(first);
  const long long pages = sample::CollectedSiteItems(market, first).pages;
  ASSERT_GE(pages, 3);

  EXPECT_EQ(Numbers(AllPages(query)), expected);

  const std::vector<ReceivedRequest> requests = server.Requests();
  ASSERT_EQ(requests.size(), static_cast<std::size_t>(pages + 1));  // page 2 asked twice
  Strings cookies;
  for (const ReceivedRequest& request : requests) {
    EXPECT_EQ(Field(request, "User-Agent"), "Lotwise/" + VersionNumber());
    EXPECT_NE(Field(request, "Accept-Encoding").find("gzip"), std::string::npos);
    cookies.push_back(Field(request, "Cookie"));
  }
  EXPECT_EQ(Strings(cookies.begin(), cookies.begin() + 4),
            (Strings{"-", "session=abc; region=us", "session=abc; region=us", "session=abc"}));
  // A second from one request to the next, of which the answer took 300 ms, and the
  // seconds the 429 asked for before the retry.
  std::vector<std::chrono::milliseconds> pauses(requests.size() - 1, 700ms);
  pauses[1] = 7000ms;
  EXPECT_EQ(platform.pausedFor, pauses);
}

TEST_F(SiteSourceTest, ABusySiteIsWaitedOutOnceThenTheSearchEndsSayingWhy) {
  std::mutex mutex;
  std::deque<Reply> replies;
  LoopbackServer server([&](const ReceivedRequest& request) {
    std::lock_guard lock(mutex);
    if (replies.empty()) return Respond(200, SamplePage(request.target));
    Reply reply = replies.front();
    replies.pop_front();
    return reply;
  });
  Source(server);
  const auto status = [&](const ListingQuery& query) {
    try {
      source->Search(query);
    } catch (const ListingError& error) {
      EXPECT_EQ(error.kind(), ListingError::Kind::kRequest);
      EXPECT_NE(std::string(error.what()).find("(HTTP " + std::to_string(error.status()) + ")"),
                std::string::npos)
          << error.what();
      return error.status();
    }
    return 200;
  };

  // An hour asked for is waited a minute at the most; a second 429 ends the search.
  replies = {Respond(429, "", "Retry-After: 3600\r\n"), Respond(429, "", "Retry-After: 1\r\n")};
  EXPECT_EQ(status(Keywords("lamp")), 429);
  // A 503 that says no number of seconds is waited a few; once waited out, the search goes on.
  replies = {Respond(503, "", "Retry-After: Fri, 31 Dec 2100 23:59:59 GMT\r\n")};
  EXPECT_EQ(status(Keywords("lamp")), 200);
  replies = {Respond(503, "busy"), Respond(503, "still busy")};
  EXPECT_EQ(status(Keywords("lamp")), 503);

  EXPECT_EQ(server.Requests().size(), 6u);
  EXPECT_EQ(platform.pausedFor,
            (std::vector<std::chrono::milliseconds>{60000ms, 1000ms, 5000ms, 1000ms, 5000ms}));
}

TEST_F(SiteSourceTest, TheRepeatedLastPageEndsThePaging) {
  // As the site does past its last page: the same page, its next-page link still there.
  const std::string last = SamplePage("/sch/i.html?_nkw=lamp&_pgn=1");
  LoopbackServer server([&](const ReceivedRequest&) { return Respond(200, last); });
  Source(server);
  const ListingPage first = source->Search(Keywords("lamp"));
  ASSERT_FALSE(first.items.empty());
  ASSERT_FALSE(first.next.empty());
  EXPECT_EQ(first.total, -1);
  const ListingPage again = source->Next(first.next);
  EXPECT_EQ(Numbers(again.items), Numbers(first.items));
  EXPECT_TRUE(again.next.empty());
  EXPECT_EQ(server.Requests().size(), 2u);
}

// The page whose request is under way when "Stop Search" is clicked.
class SiteStopTest : public SiteSourceTest, public ::testing::WithParamInterface<int> {};

TEST_P(SiteStopTest, AStopWhileARequestWaitsEndsTheSearchWithWhatWasCollected) {
  const int awaited = GetParam();
  const std::string stalled = "_pgn=" + std::to_string(awaited);
  LoopbackServer server([&](const ReceivedRequest& request) {
    if (request.target.ends_with(stalled)) return Reply{"", true, false};  // never answers
    return Respond(200, SamplePage(request.target));
  });
  Source(server);
  testing::TempFolder folder;
  SearchWindow window(testing::TestConfig(), folder.path(), platform);
  window.UseListingSource(source.get());
  platform.StopWhen([&] { return window.StopRequested == 1; });
  platform.duringDoEvents = [&] {
    // Once the server holds the request, so that it is the one cut short.
    if (server.Requests().size() == static_cast<std::size_t>(awaited) &&
        window.StopRequested == 0) {
      window.click(window.Command1);
    }
  };
  window.txtTitle.text = "lamp";
  window.txtBids.text = "0";
  window.click(window.cmdSearch);

  const std::string first = source->SearchAddress(Keywords("lamp")).substr(server.Url("").size());
  const Strings whole = Numbers(first);
  ASSERT_GT(whole.size(), sample::kSitePageLimit);
  const Strings before(whole.begin(), whole.begin() + (awaited - 1) * sample::kSitePageLimit);
  EXPECT_EQ(Numbers(window.context().items), before);
  EXPECT_EQ(server.Requests().size(), static_cast<std::size_t>(awaited));
  EXPECT_EQ(window.summary().end, SearchEnd::kStopped);
  EXPECT_TRUE(platform.messages.empty()) << platform.messages.front();
}

INSTANTIATE_TEST_SUITE_P(FirstOrSecondPage, SiteStopTest, ::testing::Values(1, 2));

}  // namespace
}  // namespace lotwise
