// The reading of the site's result pages on pages made to hold what real pages hold at
// their edges: placeholder cards, the divider, ranges, every language's bids and time
// left, markup that never ends, and pages that are not result pages.

#include "collect/site_page.h"

#include <gtest/gtest.h>

#include <string>

#include "collect/site_values.h"
#include "search/iso_time.h"

namespace lotwise {
namespace {

const SiteReading kUs{"https://www.ebay.com", "USD", 1765000000};  // 2025-12-06T05:46:40Z

std::string Card(const std::string& number, const std::string& inside) {
  return "<li class=\"s-card s-card--vertical\"><a class=s-card__link "
         "href=\"https://www.ebay.com/itm/" +
         number + "?_skw=lamp&amp;hash=item1\">" + inside + "</a></li>";
}

TEST(SitePage, PlaceholdersAndCardsAfterTheDividerAreNoItems) {
  const std::string page =
      "<ul class=srp-results>" + Card("123456", "<span class=s-card__title>Shop on eBay</span>") +
      Card("111", "<span class=s-card__title>Lamp</span>") +
      "<li class=\"srp-river-answer srp-river-answer--REWRITE_START\">Results matching fewer "
      "words</li>" +
      Card("222", "<span class=s-card__title>Other lamp</span>") + "</ul>";
  const SitePage read = ReadSitePage(page, kUs);
  ASSERT_EQ(read.items.size(), 1u);
  EXPECT_EQ(read.items[0].legacyItemId, "111");
  EXPECT_EQ(read.items[0].itemWebUrl, "https://www.ebay.com/itm/111");
  EXPECT_EQ(read.cards, 2u);  // the placeholder not counted, the card after the divider counted
  EXPECT_FALSE(read.nextPage);
}

TEST(SitePage, ReadsEveryFieldOfACardInEitherLayout) {
  const std::string scard =
      Card("204512345678",
           "<img class=s-card__image src=https://ir.test/s_1x2.gif "
           "data-defer-load=https://i.test/a.webp>"
           "<div class=s-card__title><span>Brass &amp; glass\n   lamp&nbsp;&#x2013; 1920s</span>"
           "<span class=clipped>Opens in a new window or tab</span></div>"
           "<div class=s-card__attribute-row><span class=s-card__price>$1,234.50</span><span> to "
           "</span><span class=s-card__price>$2,000.00</span></div>"
           "<div class=s-card__attribute-row><span>3 bids</span><span class=s-card__time>"
           "<span class=clipped>Time left</span><span class=s-card__time-left>1d "
           "19h</span></span></div>");
  const std::string sitem =
      "<li class=s-item><a href=https://www.ebay.com/itm/Brass-lamp/174412345678?hash=1>"
      "<h3 class=s-item__title><span class=LIGHT_HIGHLIGHT>New Listing</span>Old lamp</h3></a>"
      "<img src=https://i.test/b.jpg><span class=s-item__price>C $5.00</span>"
      "<span class=\"s-item__bids s-item__bidCount\">1,024 bids</span>"
      "<div class=s-item__caption><span>Sold  Mar 4, 2026</span></div></li>";
  const SitePage read = ReadSitePage("<ul>" + scard + sitem + "</ul>", kUs);
  ASSERT_EQ(read.items.size(), 2u);
  const ListedItem& card = read.items[0];
  EXPECT_EQ(card.title, "Brass & glass lamp \xE2\x80\x93 1920s");
  EXPECT_EQ(card.price, "1234.50");  // the first of the range
  EXPECT_EQ(card.currency, "USD");
  EXPECT_EQ(card.bidCount, 3);
  EXPECT_EQ(card.endDate, "2025-12-08T00:46:40Z");
  EXPECT_EQ(card.imageUrl, "https://i.test/a.webp");  // the deferred picture, not the gif
  const ListedItem& item = read.items[1];
  EXPECT_EQ(item.legacyItemId, "174412345678");
  EXPECT_EQ(item.title, "Old lamp");
  EXPECT_EQ(item.currency, "CAD");
  EXPECT_EQ(item.bidCount, 1024);
  EXPECT_EQ(item.endDate, "2026-03-04");
  EXPECT_EQ(item.imageUrl, "https://i.test/b.jpg");
}

TEST(SitePage, ACardWithoutBidsOrEndShowsNone) {
  const SitePage read =
      ReadSitePage(Card("5",
                        "<span class=s-card__title>3 bids</span><span class=s-card__price>$9</span>"
                        "<div class=s-card__attribute-row>Buy It Now</div>"),
                   kUs);
  ASSERT_EQ(read.items.size(), 1u);
  EXPECT_EQ(read.items[0].bidCount, 0);  // a title's words are no bid count
  EXPECT_EQ(read.items[0].endDate, "");
  EXPECT_EQ(read.items[0].imageUrl, "");
}

TEST(SitePage, PricesInEverySitesWriting) {
  struct Case {
    const char* text;
    const char* site;
    const char* amount;
    const char* currency;
  };
  for (const Case& c :
       {Case{"$1,234.50", "USD", "1234.50", "USD"}, Case{"$5.00", "CAD", "5.00", "CAD"},
        Case{"$5.00", "EUR", "5.00", "USD"}, Case{"EUR 12,50", "EUR", "12.50", "EUR"},
        Case{"12,50 EUR", "USD", "12.50", "EUR"}, Case{"EUR 1.234,50", "EUR", "1234.50", "EUR"},
        Case{"\xC2\xA3"
             "9.99",
             "GBP", "9.99", "GBP"},
        Case{"AU $5.00", "USD", "5.00", "AUD"}, Case{"C $5.00", "USD", "5.00", "CAD"},
        Case{"3,858 \xE5\x86\x86", "USD", "3858", "JPY"},
        Case{"IDR1,614,898.07", "USD", "1614898.07", "IDR"},
        Case{"S/. 44.38", "USD", "44.38", "PEN"}, Case{"$10.44 to $15.96", "USD", "10.44", "USD"},
        Case{"See price", "USD", "", ""}}) {
    const SitePrice price = ReadSitePrice(c.text, c.site);
    EXPECT_EQ(price.amount, c.amount) << c.text;
    EXPECT_EQ(price.currency, c.currency) << c.text;
  }
}

TEST(SitePage, BidCountsInEveryLanguageWithTheirGrouping) {
  struct Case {
    const char* text;
    std::optional<int> bids;
  };
  for (const Case& c : {Case{"1 bid", 1}, Case{"12 bids", 12}, Case{"1,234 bids", 1234},
                        Case{"3 Gebote", 3}, Case{"1 Gebot", 1}, Case{"1.234 Gebote", 1234},
                        Case{"5 ench\xC3\xA8res", 5}, Case{"2 offerte", 2}, Case{"4 pujas", 4},
                        Case{"1 oferta de subasta", 1}, Case{"37 ofertas de subasta", 37},
                        Case{"28\xE4\xBB\xB6\xE3\x81\xAE\xE5\x85\xA5\xE6\x9C\xAD", 28},
                        Case{"2,147,483,647 bids", 2147483647}, Case{"2147483648 bids", {}},
                        Case{"12 bids left", {}}, Case{"bids", {}}, Case{"or Best Offer", {}}}) {
    EXPECT_EQ(ReadBidCount(c.text), c.bids) << c.text;
  }
}

TEST(SitePage, TimeLeftInEveryLanguage) {
  struct Case {
    const char* text;
    std::optional<std::int64_t> seconds;
  };
  constexpr std::int64_t kH = 3600, kD = 86400;
  for (const Case& c :
       {Case{"1d 19h", kD + 19 * kH}, Case{"2h 5m", 2 * kH + 300}, Case{"1d 6h left", kD + 6 * kH},
        Case{"Noch 1 T 1 Std", kD + kH}, Case{"Noch 6T 23Std", 6 * kD + 23 * kH},
        Case{"Noch 13 Std 38 Min", 13 * kH + 38 * 60},
        Case{"Quedan 10 h 24 min", 10 * kH + 24 * 60}, Case{"Quedan 1 d 8 h", kD + 8 * kH},
        Case{"3g 4h", 3 * kD + 4 * kH}, Case{"2j 3h", 2 * kD + 3 * kH},
        Case{"1\xE6\x97\xA5 2\xE6\x99\x82\xE9\x96\x93", kD + 2 * kH}, Case{"45s", 45},
        Case{"Ended", {}}, Case{"(Heute 05:54)", {}}}) {
    EXPECT_EQ(ReadTimeLeft(c.text), c.seconds) << c.text;
  }
  EXPECT_EQ(IsoText(1765000000 + kD + 19 * kH), "2025-12-08T00:46:40Z");
  EXPECT_EQ(IsoText(951782400), "2000-02-29T00:00:00Z");
}

TEST(SitePage, SoldDatesInEveryLanguage) {
  for (const char* text : {"Sold  Mar 4, 2026", "Verkauft 4. M\xC3\xA4r 2026", "Vendido 4 mar 2026",
                           "Vendu le 4 mars 2026", "Venduto il 4 mar 2026",
                           "\xE8\xB2\xA9\xE5\xA3\xB2\xE6\xB8\x88\xE3\x81\xBF Mar 4, 2026"}) {
    EXPECT_EQ(ReadSoldDate(text), "2026-03-04") << text;
  }
  EXPECT_EQ(ReadSoldDate("Vendido 30 ene 2026"), "2026-01-30");
  EXPECT_EQ(ReadSoldDate("NEW LOW PRICE"), "");
  EXPECT_EQ(ReadSoldDate("Sold Mar 2026"), "");
}

TEST(SitePage, MarkupThatNeverEndsEndsTheReading) {
  const std::string first = Card("111", "<span class=s-card__title>Lamp</span>");
  // An attribute whose quote never closes: the card it opens is not read, whatever follows.
  const SitePage unclosed =
      ReadSitePage(first + "<li class=s-card><a href='/itm/222>" + Card("333", ""), kUs);
  ASSERT_EQ(unclosed.items.size(), 1u);
  EXPECT_EQ(unclosed.items[0].legacyItemId, "111");
  // A card whose end the page never reaches is read as far as it goes.
  const SitePage cut =
      ReadSitePage("<li class=s-card><a href=/itm/9><b class=s-card__price>£2", kUs);
  ASSERT_EQ(cut.items.size(), 1u);
  EXPECT_EQ(cut.items[0].price, "2");
  EXPECT_EQ(cut.items[0].currency, "GBP");
  // Cards written by a script are no cards.
  EXPECT_EQ(ReadSitePage("<script>x = '<li class=s-card><a href=/itm/7>';</script>", kUs).cards,
            0u);
}

TEST(SitePage, APageThatIsNoResultPageHoldsNoCards) {
  const SitePage robot = ReadSitePage(
      "<html><head><title>Pardon Our Interruption...</title></head><body><ul><li "
      "class=item><a href=/itm/55>x</a></li></ul><a class=pagination__next "
      "aria-disabled=true>next</a></body></html>",
      kUs);
  EXPECT_EQ(robot.cards, 0u);
  EXPECT_TRUE(robot.items.empty());
  EXPECT_FALSE(robot.nextPage);
  EXPECT_TRUE(ReadSitePage("<a class=\"pagination__next icon-link\" href=?_pgn=2>", kUs).nextPage);
  EXPECT_FALSE(ReadSitePage("<button class=pagination__next disabled>", kUs).nextPage);
}

}  // namespace
}  // namespace lotwise
