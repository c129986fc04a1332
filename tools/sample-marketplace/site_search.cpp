#include "sample-marketplace/site_search.h"

#include <algorithm>
#include <chrono>

#include "sample-marketplace/api_item.h"
#include "sample-marketplace/api_request.h"
#include "sample-marketplace/markup.h"
#include "sample-marketplace/result_page.h"
#include "sample-marketplace/site_query.h"

namespace lotwise::sample {
namespace {

constexpr std::int64_t kPlaceholderNumber = 123456;
constexpr int kPlaceholderPriceCents = 2000;
// Cards whose pictures load at once; the site defers the rest until they are scrolled to.
constexpr std::size_t kEagerCards = 4;
constexpr std::string_view kPlaceholderPicture = "/pict/placeholder.gif";

std::vector<const Item*> PageOf(const std::vector<const Item*>& matches, long long page,
                                std::size_t perPage) {
  const std::size_t first = std::min(static_cast<std::size_t>(page - 1) * perPage, matches.size());
  const std::size_t end = std::min(first + perPage, matches.size());
  return {matches.begin() + static_cast<std::ptrdiff_t>(first),
          matches.begin() + static_cast<std::ptrdiff_t>(end)};
}

// The address of a page of the same search but for its number: the target's parameters
// as they were sent, but _pgn, then "_pgn=".
std::string PageAddress(std::string_view ownHost, std::string_view path, std::string_view target) {
  std::string address = "http://" + std::string(ownHost) + std::string(path) + "?";
  const auto question = target.find('?');
  if (question != std::string_view::npos) {
    for (const std::string_view piece : Pieces(target.substr(question + 1), '&')) {
      if (!piece.empty() && piece.substr(0, piece.find('=')) != "_pgn") {
        address += piece;
        address += '&';
      }
    }
  }
  return address + "_pgn=";
}

// Whether a page leaves out the quotes it can: chosen by the words and the page, so that
// a search meets both kinds and the same page always comes the same.
bool Minified(const std::string& words, long long page) {
  // Unsigned, so that long words wrap around instead of overflowing.
  std::uint64_t key = static_cast<std::uint64_t>(page);
  for (const char c : words) key = key * 31 + static_cast<unsigned char>(c);
  return Variation(static_cast<std::int64_t>(key), 43) % 2 == 0;
}

// Makes the cards of one page.
class CardMaker {
 public:
  CardMaker(const SiteTimes& times, std::int64_t now, std::string_view itemHost,
            SiteLanguage language)
      : times_(times),
        now_(now),
        itemHost_(itemHost),
        language_(language),
        placeholder_("http://" + std::string(itemHost) + std::string(kPlaceholderPicture)) {}

  Card Placeholder() const {
    Card card;
    card.number = kPlaceholderNumber;
    card.link = Link(kPlaceholderNumber);
    card.title = PhrasesOf(language_).placeholder;
    card.price = SitePrice(kPlaceholderPriceCents, language_);
    card.delivery = SiteDelivery(kPlaceholderNumber, language_);
    card.picture = placeholder_;
    return card;
  }

  Card Of(const Item& item) {
    Card card;
    card.number = item.number;
    card.link = Link(item.number);
    card.title = Title(item);
    card.price = SitePrice(item.priceCents, language_);
    card.bids = SiteBids(BidCount(item), language_);
    const std::int64_t end = times_.EndOf(item);
    if (item.ended) {
      card.sold = SiteSoldDate(end, language_);
    } else {
      card.timeLeft = SiteTimeLeft(end - now_, language_);
    }
    card.delivery = SiteDelivery(item.number, language_);
    card.picture = PictureAddress(itemHost_, item);
    if (made_++ >= kEagerCards) card.placeholder = placeholder_;
    return card;
  }

 private:
  std::string Link(std::int64_t number) const {
    return "http://" + std::string(itemHost_) +
           (language_ == SiteLanguage::kGerman ? "/de/itm/" : "/itm/") + std::to_string(number);
  }

  const SiteTimes& times_;
  std::int64_t now_;
  std::string_view itemHost_;
  SiteLanguage language_;
  std::string placeholder_;
  std::size_t made_ = 0;
};

std::int64_t SystemSeconds() {
  using namespace std::chrono;
  return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

}  // namespace

SiteSearch::SiteSearch(const std::vector<Item>& items, SiteSettings settings)
    : items_(items),
      settings_(std::move(settings)),
      times_(items, settings_.clock ? settings_.clock() : SystemSeconds()) {}

bool SiteSearch::Serves(std::string_view path) {
  return path == kSiteSearchPath || path == kGermanSiteSearchPath;
}

std::int64_t SiteSearch::Now() const {
  return settings_.clock ? settings_.clock() : SystemSeconds();
}

Reply SiteSearch::Answer(std::string_view target, std::string_view itemHost,
                         std::string_view ownHost) const {
  const Target parsed = ParseApiTarget(target);
  const SiteLanguage language =
      parsed.path == kGermanSiteSearchPath ? SiteLanguage::kGerman : SiteLanguage::kEnglish;
  const SiteQuery query = ReadSiteQuery(parsed);
  const SiteResults results = FindSiteResults(items_, query.filter);

  ResultPage page;
  page.words = query.words;
  page.total = results.matches.size();
  page.pageCount = SitePageCount(results.matches.size(), query.perPage);
  page.page = std::min(query.page, page.pageCount);
  page.style = {settings_.layout, language, Minified(query.words, page.page)};
  page.pageAddress = PageAddress(ownHost, parsed.path, target);

  CardMaker cards(times_, Now(), itemHost, language);
  page.placeholders.assign(kPlaceholderCards, cards.Placeholder());
  for (const Item* item : PageOf(results.matches, page.page, query.perPage)) {
    page.found.push_back(cards.Of(*item));
  }
  if (page.page == page.pageCount) {
    const std::size_t shown = std::min(kFewerWordsCards, results.fewerWords.size());
    for (std::size_t i = 0; i < shown; ++i)
      page.fewerWords.push_back(cards.Of(*results.fewerWords[i]));
  }
  Reply reply;
  reply.body = WriteResultPage(page);
  return reply;
}

SiteCollection CollectedSiteItems(const std::vector<Item>& items, std::string_view target) {
  const SiteQuery query = ReadSiteQuery(ParseApiTarget(target));
  const SiteResults results = FindSiteResults(items, query.filter);
  SiteCollection collection;
  collection.pages = SitePageCount(results.matches.size(), query.perPage);
  for (long long page = 1; page <= collection.pages; ++page) {
    for (const Item* item : PageOf(results.matches, page, query.perPage)) {
      collection.items.push_back(*item);
    }
  }
  return collection;
}

}  // namespace lotwise::sample
