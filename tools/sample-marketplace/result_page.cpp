#include "sample-marketplace/result_page.h"

#include <algorithm>

#include "sample-marketplace/markup.h"

namespace lotwise::sample {
namespace {

constexpr long long kPageLinksAround = 4;

std::string Grouped(std::size_t count, SiteLanguage language) {
  std::string text = WithGrouping(static_cast<long long>(count));
  if (language == SiteLanguage::kGerman) std::replace(text.begin(), text.end(), ',', '.');
  return text;
}

std::string Heading(const ResultPage& page) {
  const SitePhrases& words = PhrasesOf(page.style.language);
  std::string heading = "<div" + Attribute("class", "srp-controls", page.style) + "><h1" +
                        Attribute("class", "srp-controls__count-heading", page.style) + ">";
  const std::string bold = "<span" + Attribute("class", "BOLD", page.style) + ">";
  heading += bold + Grouped(page.total, page.style.language) + "</span>";
  heading += HtmlEscape(page.total == 0 ? words.resultsFoundFor : words.resultsFor);
  heading += bold + HtmlEscape(page.words) + "</span></h1></div>\n";
  if (page.total == 0) {
    heading += "<div" + Attribute("class", "srp-save-null-search", page.style) + "><h3" +
               Attribute("class", "srp-save-null-search__heading", page.style) + ">" +
               HtmlEscape(words.noExactMatches) + "</h3></div>\n";
  }
  return heading;
}

std::string Divider(const PageStyle& style) {
  return "<li" + Attribute("class", "srp-river-answer srp-river-answer--REWRITE_START", style) +
         "><div" + Attribute("class", "section-notice", style) + "><p><span" +
         Attribute("class", "BOLD", style) + ">" +
         HtmlEscape(PhrasesOf(style.language).fewerWords) + "</span></p></div></li>\n";
}

std::string Cards(const std::vector<Card>& cards, const PageStyle& style) {
  std::string html;
  for (const Card& card : cards) html += CardMarkup(card, style) + "\n";
  return html;
}

// The link or, where there is no such page, the disabled button of the previous or next
// page.
std::string Step(const ResultPage& page, std::string_view kind, long long to, bool exists) {
  const PageStyle& style = page.style;
  const SitePhrases& words = PhrasesOf(style.language);
  const std::string_view label = kind == "next" ? words.nextPage : words.previousPage;
  const std::string_view arrow = kind == "next" ? "&rsaquo;" : "&lsaquo;";
  const std::string classes = "pagination__" + std::string(kind == "next" ? "next" : "previous");
  if (exists) {
    return "<a" + Attribute("class", classes + " icon-link", style) +
           Attribute("type", kind, style) +
           Attribute("href", page.pageAddress + std::to_string(to), style) +
           Attribute("aria-label", label, style) + ">" + std::string(arrow) + "</a>";
  }
  return "<button" + Attribute("class", classes + " icon-btn", style) +
         Attribute("type", kind, style) + Attribute("aria-disabled", "true", style) +
         Attribute("aria-label", label, style) + ">" + std::string(arrow) + "</button>";
}

std::string Pagination(const ResultPage& page) {
  const PageStyle& style = page.style;
  std::string html =
      "<nav" + Attribute("class", "pagination", style) + Attribute("role", "navigation", style) +
      "><h2" + Attribute("class", "clipped", style) + ">" +
      HtmlEscape(PhrasesOf(style.language).pagination) + std::to_string(page.page) + "</h2>";
  html += Step(page, "previous", page.page - 1, page.page > 1);
  html += "<ol" + Attribute("class", "pagination__items", style) + ">";
  const long long first = std::max(1LL, page.page - kPageLinksAround);
  const long long last = std::min(page.pageCount, page.page + kPageLinksAround);
  for (long long k = first; k <= last; ++k) {
    html += "<li><a" + Attribute("class", "pagination__item", style) +
            Attribute("href", page.pageAddress + std::to_string(k), style) +
            (k == page.page ? Attribute("aria-current", "page", style) : "") + ">" +
            std::to_string(k) + "</a></li>";
  }
  html += "</ol>";
  const bool next = page.page < page.pageCount;
  if (next || style.layout == SiteLayout::kCard) html += Step(page, "next", page.page + 1, next);
  return html + "</nav>\n";
}

}  // namespace

std::string WriteResultPage(const ResultPage& page) {
  const PageStyle& style = page.style;
  const SitePhrases& words = PhrasesOf(style.language);
  std::string html = "<!DOCTYPE html>\n<html" + Attribute("lang", words.lang, style) +
                     "><head><meta charset=utf-8><title>" + HtmlEscape(page.words) + " - " +
                     HtmlEscape(words.searchResults) + "</title></head>\n<body>\n";
  html += Heading(page);
  html += "<ul" + Attribute("class", "srp-results srp-list clearfix", style) + ">\n";
  html += Cards(page.placeholders, style);
  html += Cards(page.found, style);
  if (!page.fewerWords.empty()) html += Divider(style) + Cards(page.fewerWords, style);
  html += "</ul>\n";
  html += Pagination(page);
  return html + "</body></html>\n";
}

}  // namespace lotwise::sample
