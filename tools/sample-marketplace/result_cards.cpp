#include "sample-marketplace/result_cards.h"

#include <cstdio>

#include "sample-marketplace/markup.h"

namespace lotwise::sample {
namespace {

std::string ElementId(std::int64_t number) {
  char id[24];
  std::snprintf(id, sizeof id, "item%010x", static_cast<unsigned>(Variation(number, 42)));
  return id;
}

// The picture's src, and data-defer-load when it waits.
std::string PictureAttributes(const Card& card, const PageStyle& style) {
  if (card.placeholder.empty()) return Attribute("src", card.picture, style);
  return Attribute("src", card.placeholder, style) +
         Attribute("data-defer-load", card.picture, style);
}

std::string Span(std::string_view classes, std::string_view text, const PageStyle& style) {
  return "<span" + Attribute("class", classes, style) + ">" + HtmlEscape(text) + "</span>";
}

std::string Div(std::string_view classes, const PageStyle& style) {
  return "<div" + Attribute("class", classes, style) + ">";
}

std::string SCard(const Card& card, const PageStyle& style) {
  const SitePhrases& words = PhrasesOf(style.language);
  const std::string a =
      "<a" + Attribute("class", "s-card__link", style) + Attribute("href", card.link, style);
  std::string html = "<li" + Attribute("class", "s-card s-card--horizontal", style) +
                     Attribute("id", ElementId(card.number), style) +
                     Attribute("data-listingid", std::to_string(card.number), style) + ">";
  html += Div("su-card-container su-card-container--horizontal", style);
  html += Div("su-card-container__media", style) + Div("su-media su-media--image", style);
  html += "<a" + Attribute("class", "s-card__link image-treatment", style) +
          Attribute("href", card.link, style) + Attribute("tabindex", "-1", style) + ">";
  html += "<img" + Attribute("class", "s-card__image", style) + PictureAttributes(card, style) +
          Attribute("alt", card.title, style) + "></a></div></div>";
  html += Div("su-card-container__content", style) + Div("su-card-container__header", style);
  if (!card.sold.empty()) {
    html += Div("s-card__caption", style) +
            Span("su-styled-text positive default", card.sold, style) + "</div>";
  }
  html += a + ">" + "<div" + Attribute("role", "heading", style) +
          Attribute("aria-level", "3", style) + Attribute("class", "s-card__title", style) + ">" +
          Span("su-styled-text primary default", card.title, style) + "</div>" +
          Span("clipped", words.newWindow, style) + "</a>";
  html += Div("s-card__subtitle-row", style) + Div("s-card__subtitle", style) +
          Span("su-styled-text secondary default", words.condition, style) + "</div></div></div>";
  html += Div("su-card-container__attributes", style) +
          Div("su-card-container__attributes__primary", style);
  const std::string row = Div("s-card__attribute-row", style);
  html +=
      row + Span("su-styled-text primary bold large-1 s-card__price", card.price, style) + "</div>";
  if (!card.bids.empty() || !card.timeLeft.empty()) {
    html += row;
    if (!card.bids.empty()) html += Span("su-styled-text secondary large", card.bids, style);
    if (!card.bids.empty() && !card.timeLeft.empty()) {
      html += Span("su-styled-text secondary small", " \xC2\xB7 ", style);
    }
    if (!card.timeLeft.empty()) {
      html += "<span" + Attribute("class", "s-card__time", style) + ">" +
              Span("clipped", words.timeLeft, style) +
              Span("s-card__time-left", card.timeLeft, style) + "</span>";
    }
    html += "</div>";
  }
  html += row + Span("su-styled-text secondary large", card.delivery, style) + "</div>";
  return html + "</div></div></div></div></li>";
}

std::string SItem(const Card& card, const PageStyle& style) {
  const SitePhrases& words = PhrasesOf(style.language);
  const std::string detail = Div("s-item__detail s-item__detail--primary", style);
  std::string html = "<li" + Attribute("class", "s-item s-item__pl-on-bottom", style) +
                     Attribute("id", ElementId(card.number), style) + ">";
  html += Div("s-item__wrapper clearfix", style);
  html += Div("s-item__image-section", style) + Div("s-item__image", style);
  html += "<a" + Attribute("href", card.link, style) + Attribute("tabindex", "-1", style) +
          Attribute("aria-hidden", "true", style) + ">" +
          Div("s-item__image-wrapper image-treatment", style);
  html += "<img" + Attribute("alt", card.title, style) + PictureAttributes(card, style) +
          "></div></a></div></div>";
  html += Div("s-item__info clearfix", style);
  if (!card.sold.empty()) {
    html += Div("s-item__caption", style) + Div("s-item__caption--row", style) + "<span" +
            Attribute("class", "s-item__caption--signal POSITIVE", style) + "><span>" +
            HtmlEscape(card.sold) + "</span></span></div></div>";
  }
  html += "<a" + Attribute("class", "s-item__link", style) + Attribute("href", card.link, style) +
          ">" + Div("s-item__title", style) + "<span" + Attribute("role", "heading", style) +
          Attribute("aria-level", "3", style) + ">" + HtmlEscape(card.title) + "</span></div>" +
          Span("clipped", words.newWindow, style) + "</a>";
  html +=
      Div("s-item__subtitle", style) + Span("SECONDARY_INFO", words.condition, style) + "</div>";
  html += Div("s-item__details clearfix", style);
  html += detail + Span("s-item__price", card.price, style) + "</div>";
  if (!card.bids.empty()) {
    html += detail + Span("s-item__bids s-item__bidCount", card.bids, style) + "</div>";
  }
  if (!card.timeLeft.empty()) {
    html += detail + "<span" + Attribute("class", "s-item__time", style) + ">" +
            Span("clipped", words.timeLeft, style) +
            Span("s-item__time-left", card.timeLeft, style) + "</span></div>";
  }
  html += detail + Span("s-item__shipping s-item__logisticsCost", card.delivery, style) + "</div>";
  return html + "</div></div></div></li>";
}

bool NeedsQuotes(std::string_view value) {
  return value.empty() || value.find_first_of(" \t\r\n\f\"'<>`") != std::string_view::npos;
}

}  // namespace

std::optional<SiteLayout> ParseSiteLayout(std::string_view name) {
  if (name == "card") return SiteLayout::kCard;
  if (name == "item") return SiteLayout::kItem;
  return std::nullopt;
}

std::string Attribute(std::string_view name, std::string_view value, const PageStyle& style) {
  std::string attribute = " " + std::string(name) + "=";
  if (style.minified && !NeedsQuotes(value)) return attribute + std::string(value);
  return attribute + "\"" + HtmlEscape(value) + "\"";
}

std::string CardMarkup(const Card& card, const PageStyle& style) {
  return style.layout == SiteLayout::kCard ? SCard(card, style) : SItem(card, style);
}

}  // namespace lotwise::sample
