// Today's result pages: the query options narrow the items as the site's do, the pages
// carry the whole collection and repeat the last one, and each layout and language shows
// what a reader takes where it looks for it. Pages are read here with plain string
// searches, not with the program's reader.

#include "sample-marketplace/site_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "sample-marketplace/site_query.h"

namespace {

using namespace lotwise::sample;

constexpr std::string_view kHost = "items.test:81";
constexpr std::string_view kOwnHost = "site.test:82";
constexpr std::int64_t kStart = 1772625600;  // 2026-03-04 12:00 UTC
constexpr std::int64_t kPlaceholder = 123456;

// A result card as the page holds it: the number of its first /itm/ link and its markup.
struct ReadCard {
  std::int64_t number = 0;
  std::string markup;
};

// The cards of a page before the "fewer words" divider and after it.
struct ReadPage {
  std::vector<ReadCard> before;
  std::vector<ReadCard> after;
};

ReadPage Read(const std::string& page) {
  ReadPage read;
  const std::size_t divider = page.find("srp-river-answer--REWRITE_START");
  for (std::size_t at = page.find("<li class=\"s-"); at != std::string::npos;
       at = page.find("<li class=\"s-", at + 1)) {
    if (page.compare(at, 17, "<li class=\"s-card") != 0 &&
        page.compare(at, 17, "<li class=\"s-item") != 0) {
      continue;
    }
    ReadCard card;
    card.markup = page.substr(at, page.find("</li>", at) - at);
    const std::size_t link = card.markup.find("/itm/");
    if (link != std::string::npos) card.number = std::stoll(card.markup.substr(link + 5, 15));
    (at > divider ? read.after : read.before).push_back(card);
  }
  return read;
}

std::vector<std::int64_t> Numbers(const std::vector<ReadCard>& cards) {
  std::vector<std::int64_t> numbers;
  for (const ReadCard& card : cards) {
    if (card.number != kPlaceholder) numbers.push_back(card.number);
  }
  return numbers;
}

std::vector<std::int64_t> Numbers(const std::vector<Item>& items) {
  std::vector<std::int64_t> numbers;
  for (const Item& item : items) numbers.push_back(item.number);
  return numbers;
}

// The tag that carries "pagination__next", empty without one.
std::string NextTag(const std::string& page) {
  const std::size_t at = page.find("pagination__next");
  if (at == std::string::npos) return {};
  const std::size_t start = page.rfind('<', at);
  return page.substr(start, page.find('>', at) - start + 1);
}

// Whether the markup holds the attribute with that value, quoted or not.
bool HasAttribute(const std::string& markup, const std::string& name, const std::string& value) {
  return markup.find(" " + name + "=\"" + value + "\"") != std::string::npos ||
         markup.find(" " + name + "=" + value + " ") != std::string::npos ||
         markup.find(" " + name + "=" + value + ">") != std::string::npos;
}

bool Has(const std::vector<std::string>& words, const std::string& word) {
  return std::find(words.begin(), words.end(), word) != words.end();
}

class SiteSearchTest : public ::testing::Test {
 protected:
  SiteSettings Settings(SiteLayout layout) {
    return {layout, [this] { return now_; }};
  }
  std::vector<Item> Collected(const std::string& query) const {
    return CollectedSiteItems(market_.items(), "/sch/i.html?" + query).items;
  }

  Marketplace market_{GenerateItems(7, 3000)};
  std::int64_t now_ = kStart;
};

TEST_F(SiteSearchTest, WordOptionsNarrowAsTheSitesDo) {
  const auto all = Collected("_nkw=red+car");
  const auto any = Collected("_nkw=red+car&_in_kw=2");
  const auto phrase = Collected("_nkw=red+car&_in_kw=3&_ipg=240");
  ASSERT_GT(all.size(), phrase.size());
  ASSERT_FALSE(phrase.empty());
  EXPECT_GT(any.size(), all.size() * 5);
  for (const Item& item : all) {
    EXPECT_TRUE(Has(item.titleWords, "red") && Has(item.titleWords, "car")) << Title(item);
  }
  for (const Item& item : any) {
    EXPECT_TRUE(Has(item.titleWords, "red") || Has(item.titleWords, "car")) << Title(item);
    EXPECT_FALSE(item.ended);
  }
  for (const Item& item : phrase) {
    const auto red = std::find(item.titleWords.begin(), item.titleWords.end(), "red");
    EXPECT_TRUE(red != item.titleWords.end() && red + 1 != item.titleWords.end() && red[1] == "car")
        << Title(item);
  }

  std::vector<Item> redWithoutCar;
  for (const Item& item : Collected("_nkw=RED")) {
    if (!Has(item.titleWords, "car")) redWithoutCar.push_back(item);
  }
  EXPECT_EQ(Numbers(Collected("_nkw=red&_ex_kw=car")), Numbers(redWithoutCar));

  const auto titles = Collected("_nkw=lamp");
  const auto descriptions = Collected("_nkw=lamp&LH_TitleDesc=1");
  EXPECT_GT(descriptions.size(), titles.size());
  for (const Item& item : descriptions) {
    EXPECT_TRUE(Has(item.titleWords, "lamp") || Has(item.descriptionWords, "lamp"));
  }
}

TEST_F(SiteSearchTest, PriceCategoryAndCompletedItemsNarrowAsTheSitesDo) {
  std::vector<Item> priced;
  for (const Item& item : Collected("_nkw=lamp")) {
    if (item.priceCents >= 1000 && item.priceCents <= 2050) priced.push_back(item);
  }
  ASSERT_FALSE(priced.empty());
  EXPECT_EQ(Numbers(Collected("_nkw=lamp&_udlo=10&_udhi=20.50")), Numbers(priced));

  const auto category = Collected("_nkw=lamp&_sacat=353&LH_Auction=1");
  ASSERT_FALSE(category.empty());
  for (const Item& item : category) EXPECT_EQ(item.category, 353);
  EXPECT_EQ(Numbers(Collected("_nkw=lamp&_sacat=0")), Numbers(Collected("_nkw=lamp")));
  EXPECT_TRUE(Collected("_nkw=lamp&_sacat=12345").empty());

  const auto sold = Collected("_nkw=lamp&LH_Complete=1");
  ASSERT_FALSE(sold.empty());
  for (const Item& item : sold) EXPECT_TRUE(item.ended);
}

class SiteLayoutTest : public SiteSearchTest, public ::testing::WithParamInterface<SiteLayout> {};

TEST_P(SiteLayoutTest, PagesCarryTheCollectionAndRepeatTheLastPage) {
  const SiteSearch site(market_.items(), Settings(GetParam()));
  const std::string first = "/sch/i.html?_nkw=vintage+lamp&_in_kw=2&_ipg=240";
  const SiteCollection collection = CollectedSiteItems(market_.items(), first);
  ASSERT_GE(collection.pages, 3);

  std::vector<std::int64_t> listed;
  std::string last;
  for (long long page = 1; page <= collection.pages; ++page) {
    const std::string body =
        site.Answer(first + "&_pgn=" + std::to_string(page), kHost, kOwnHost).body;
    const ReadPage read = Read(body);
    ASSERT_GE(read.before.size(), kPlaceholderCards);
    for (std::size_t i = 0; i < kPlaceholderCards; ++i) {
      EXPECT_EQ(read.before[i].number, kPlaceholder);
      EXPECT_NE(read.before[i].markup.find("Shop on eBay"), std::string::npos);
    }
    const auto numbers = Numbers(read.before);
    EXPECT_LE(numbers.size(), kSitePageLimit);
    listed.insert(listed.end(), numbers.begin(), numbers.end());
    // Any-word searches have no cards that match fewer words.
    EXPECT_TRUE(read.after.empty());

    const std::string next = NextTag(body);
    if (page < collection.pages) {
      EXPECT_EQ(next.rfind("<a", 0), 0u) << next;
      EXPECT_NE(next.find("_pgn=" + std::to_string(page + 1)), std::string::npos) << next;
      EXPECT_EQ(next.find("aria-disabled"), std::string::npos) << next;
    } else if (GetParam() == SiteLayout::kCard) {
      EXPECT_TRUE(HasAttribute(next, "aria-disabled", "true")) << next;
    } else {
      EXPECT_EQ(next, "");
    }
    last = body;
  }
  EXPECT_EQ(listed, Numbers(collection.items));
  for (const long long past : {collection.pages + 1, collection.pages + 40}) {
    EXPECT_EQ(site.Answer(first + "&_pgn=" + std::to_string(past), kHost, kOwnHost).body, last);
  }

  // The first cards show their pictures at once, the later ones defer them.
  const ReadPage page1 = Read(site.Answer(first, kHost, kOwnHost).body);
  const auto picture = [](const ReadCard& card) {
    return "http://" + std::string(kHost) + "/pict/" + std::to_string(card.number) + ".jpg";
  };
  const ReadCard& eager = page1.before[kPlaceholderCards];
  const ReadCard& deferred = page1.before.back();
  EXPECT_TRUE(HasAttribute(eager.markup, "src", picture(eager))) << eager.markup;
  EXPECT_EQ(eager.markup.find("data-defer-load"), std::string::npos);
  EXPECT_TRUE(HasAttribute(deferred.markup, "data-defer-load", picture(deferred)))
      << deferred.markup;
  EXPECT_TRUE(HasAttribute(deferred.markup, "src",
                           "http://" + std::string(kHost) + "/pict/placeholder.gif"))
      << deferred.markup;
  EXPECT_EQ(market_.Answer("/pict/placeholder.gif", kHost).contentType, "image/png");
}

TEST_P(SiteLayoutTest, FewerWordsCardsFollowTheDividerOnTheLastPageOnly) {
  const SiteSearch site(market_.items(), Settings(GetParam()));
  const std::string first = "/sch/i.html?_nkw=red+vintage&_ipg=5";
  const SiteCollection collection = CollectedSiteItems(market_.items(), first);
  ASSERT_GE(collection.pages, 2);
  EXPECT_TRUE(Read(site.Answer(first, kHost, kOwnHost).body).after.empty());
  const ReadPage last =
      Read(site.Answer(first + "&_pgn=" + std::to_string(collection.pages), kHost, kOwnHost).body);
  ASSERT_EQ(last.after.size(), kFewerWordsCards);
  for (const ReadCard& card : last.after) {
    const Item* item = FindItem(market_.items(), card.number);
    ASSERT_NE(item, nullptr);
    EXPECT_NE(Has(item->titleWords, "red"), Has(item->titleWords, "vintage")) << Title(*item);
  }

  const std::string none = site.Answer("/sch/i.html?_nkw=red+qqq", kHost, kOwnHost).body;
  EXPECT_NE(none.find(">0</span> results found for <"), std::string::npos);
  EXPECT_NE(none.find("No exact matches found"), std::string::npos);
  const ReadPage read = Read(none);
  EXPECT_TRUE(Numbers(read.before).empty());
  EXPECT_EQ(read.after.size(), kFewerWordsCards);
  EXPECT_EQ(NextTag(none).find("<a"), std::string::npos);
  EXPECT_TRUE(Read(site.Answer("/sch/i.html?_nkw=qqq", kHost, kOwnHost).body).after.empty());
}

// Four auctions with the bid cells, prices and end times that test what cards show, in
// order of end time as a catalog is.
std::vector<Item> Auctions() {
  const auto item = [](std::int64_t number, std::string word, int cents, std::string bids,
                       std::string end, bool ended) {
    Item made;
    made.number = number;
    made.titleWords = {"brass", std::move(word)};
    made.priceCents = cents;
    made.category = 353;
    made.bidText = std::move(bids);
    made.endTime = std::move(end);
    made.ended = ended;
    return made;
  };
  return {item(3100000001, "clock", 123450, "1250", "Mar-01 10:00", true),
          item(3100000002, "lamp", 1250, "<b>12</b>", "Mar-01 10:30", false),
          item(3100000003, "ring", 500, "-", "Mar-01 10:44", false),
          item(3100000004, "vase", 99, "1", "Mar-02 14:15", false)};
}

TEST_P(SiteLayoutTest, CardsShowWhatAReaderTakesInEitherLanguage) {
  const std::vector<Item> auctions = Auctions();
  const SiteSearch site(auctions, Settings(GetParam()));
  now_ = kStart + 50 * 60;  // the first current auction ends an hour after the start
  struct Expected {
    std::string_view path;
    std::string_view itemPath;
    std::map<std::int64_t, std::vector<std::string_view>> shown;
  };
  const std::vector<Expected> languages{
      {"/sch/i.html",
       "/itm/",
       {{3100000001, {"Brass Clock", "$1,234.50", "1,250 bids", "Sold  Mar 4, 2026"}},
        {3100000002, {"Brass Lamp", "$12.50", "12 bids", "10m left"}},
        {3100000003, {"Brass Ring", "$5.00", "24m left"}},
        {3100000004, {"Brass Vase", "$0.99", "1 bid<", "1d 3h left"}}}},
      {"/de/sch/i.html",
       "/de/itm/",
       {{3100000001, {"EUR 1.234,50", "1.250 Gebote", "Verkauft  4. M\xC3\xA4r 2026"}},
        {3100000002, {"EUR 12,50", "12 Gebote", "Noch 10 Min"}},
        {3100000003, {"EUR 5,00", "Noch 24 Min"}},
        {3100000004, {"EUR 0,99", "1 Gebot<", "Noch 1 T 3 Std"}}}},
  };
  const std::string_view priceClass =
      GetParam() == SiteLayout::kCard ? "s-card__price" : "s-item__price";
  const std::string_view timeClass =
      GetParam() == SiteLayout::kCard ? "s-card__time-left" : "s-item__time-left";
  for (const Expected& language : languages) {
    const std::string path(language.path);
    std::vector<ReadCard> cards =
        Read(site.Answer(path + "?_nkw=brass", kHost, kOwnHost).body).before;
    const auto sold =
        Read(site.Answer(path + "?_nkw=brass&LH_Complete=1", kHost, kOwnHost).body).before;
    cards.insert(cards.end(), sold.begin(), sold.end());
    ASSERT_EQ(Numbers(cards).size(), 4u) << path;
    for (const ReadCard& card : cards) {
      if (card.number == kPlaceholder) continue;
      for (const std::string_view text : language.shown.at(card.number)) {
        EXPECT_NE(card.markup.find(text), std::string::npos) << text << " in " << card.markup;
      }
      EXPECT_NE(card.markup.find(priceClass), std::string::npos);
      EXPECT_NE(card.markup.find(std::string(kHost) + std::string(language.itemPath) +
                                 std::to_string(card.number)),
                std::string::npos);
      // A sold card shows no time left; no bids shows no bid count.
      EXPECT_EQ(card.markup.find(timeClass) == std::string::npos, card.number == 3100000001);
      if (card.number == 3100000003) {
        EXPECT_EQ(card.markup.find("bid"), std::string::npos);
        EXPECT_EQ(card.markup.find("Gebot"), std::string::npos);
      }
    }
  }
  const Marketplace market(auctions);
  EXPECT_NE(market.Answer("/itm/3100000002", kHost).body.find("Brass Lamp"), std::string::npos);
  EXPECT_EQ(market.Answer("/de/itm/3100000004?hash=1", kHost).status, 200);
}

INSTANTIATE_TEST_SUITE_P(Layouts, SiteLayoutTest,
                         ::testing::Values(SiteLayout::kCard, SiteLayout::kItem),
                         [](const auto& p) {
                           return p.param == SiteLayout::kCard ? "SCard" : "SItem";
                         });

}  // namespace
