#include "collect/site_page.h"

#include <array>
#include <optional>

#include "collect/site_values.h"
#include "search/iso_time.h"
#include "text/blanks.h"
#include "text/character_references.h"
#include "text/marker.h"
#include "text/markup.h"

namespace lotwise {
namespace {

// Item number of the placeholder cards ("Shop on eBay") every page starts with.
constexpr std::string_view kPlaceholderItem = "123456";

// Elements without an end tag: they hold no text, so no field or hidden stretch starts at
// one (it would never end).
bool IsVoid(std::string_view name) {
  static constexpr std::array<std::string_view, 14> kVoid = {
      "area",  "base", "br",   "col",    "embed", "hr",  "img",
      "input", "link", "meta", "source", "track", "wbr", "param"};
  for (std::string_view element : kVoid) {
    if (SameName(name, element)) return true;
  }
  return false;
}

// The decoded value of the first attribute named `lower`, or nothing.
std::optional<std::string> Attribute(std::span<const MarkupAttribute> attributes,
                                     std::string_view lower) {
  for (const MarkupAttribute& attribute : attributes) {
    if (!SameName(attribute.name, lower)) continue;
    std::string value;
    AppendDecoded(attribute.value, value);
    return value;
  }
  return std::nullopt;
}

// The class names of a tag, split on blanks.
class Classes {
 public:
  explicit Classes(std::span<const MarkupAttribute> attributes) {
    for (const MarkupAttribute& attribute : attributes) {
      if (!SameName(attribute.name, "class")) continue;
      text_ = attribute.value;
      // Class names hardly ever hold a reference: decode only those that do.
      if (text_.find('&') != std::string_view::npos) {
        AppendDecoded(text_, decoded_);
        text_ = decoded_;
      }
      break;
    }
  }

  bool Has(std::string_view name) const {
    std::size_t i = 0;
    while (i < text_.size()) {
      while (i < text_.size() && IsMarkupBlank(text_[i])) ++i;
      const std::size_t start = i;
      while (i < text_.size() && !IsMarkupBlank(text_[i])) ++i;
      if (i > start && text_.substr(start, i - start) == name) return true;
    }
    return false;
  }
  bool empty() const { return text_.empty(); }
  Classes(const Classes&) = delete;  // text_ may point into decoded_
  Classes& operator=(const Classes&) = delete;

 private:
  std::string_view text_;
  std::string decoded_;
};

// An element followed to its end: the end tag that closes it, counting the tags of the
// same name inside it.
struct Extent {
  std::string_view name;
  int depth = 0;
  bool open() const { return depth > 0; }
  void Start(std::string_view tag) {
    if (open() && SameName(tag, name)) ++depth;
  }
  void End(std::string_view tag) {
    if (open() && SameName(tag, name)) --depth;
  }
};

// A card's text shown in one element: the first element of its class names.
struct Field {
  explicit Field(std::array<std::string_view, 2> names) : classes(names) {}
  std::array<std::string_view, 2> classes;
  Extent extent;
  bool used = false;
  std::string text;  // decoded, not yet folded
};

// The number of an item page address ("/itm/123456789012?..." or "/itm/title/123..."),
// or empty.
std::string ItemNumber(std::string_view address) {
  static const Marker itemPath("/itm/", Marker::Case::kExact);
  const std::size_t itm = itemPath.In(address);
  if (itm == 0) return {};
  std::string_view path = address.substr(itm - 1 + 5);
  path = path.substr(0, path.find_first_of("?#"));
  path = path.substr(path.rfind('/') + 1);  // npos + 1 is 0
  if (path.empty()) return {};
  for (char c : path) {
    if (c < '0' || c > '9') return {};
  }
  return std::string(path);
}

std::string Picture(std::span<const MarkupAttribute> attributes) {
  const std::string src = Attribute(attributes, "src").value_or(std::string());
  std::string deferred = Attribute(attributes, "data-defer-load").value_or(std::string());
  if (deferred.empty()) deferred = Attribute(attributes, "data-src").value_or(std::string());
  const auto isGif = [](std::string_view address) {
    if (address.size() < 4) return false;
    std::string_view end = address.substr(address.size() - 4);
    return SameName(end, ".gif");
  };
  // A placeholder gif stands in src until the page's script loads the deferred one.
  if (!src.empty() && !(isGif(src) && !deferred.empty())) return src;
  return deferred;
}

class CardReader : public MarkupVisitor {
 public:
  explicit CardReader(const SiteReading& reading) : reading_(reading) {}

  SitePage Finish() {
    EndCard();
    return std::move(page_);
  }

  void StartTag(std::string_view name, std::span<const MarkupAttribute> attributes) override {
    const Classes classes(attributes);
    if (!classes.empty()) {
      if (classes.Has("srp-river-answer--REWRITE_START")) afterDivider_ = true;
      if (classes.Has("pagination__next") && !Disabled(attributes)) page_.nextPage = true;
      if (SameName(name, "li") && (classes.Has("s-item") || classes.Has("s-card"))) {
        StartCard();
        return;
      }
    }
    if (!inCard_) return;
    if (itemNumber_.empty()) {
      if (auto href = Attribute(attributes, "href")) itemNumber_ = ItemNumber(*href);
    }
    if (SameName(name, "img") && !pictureSeen_) {
      pictureSeen_ = true;
      picture_ = Picture(attributes);
    }
    if (IsVoid(name)) return;
    for (Field* field : Fields()) field->extent.Start(name);
    excluded_.Start(name);
    bidRegion_.Start(name);
    for (Field* field : Fields()) {
      if (field->used) continue;
      for (std::string_view wanted : field->classes) {
        if (!classes.Has(wanted)) continue;
        field->used = true;
        field->extent = {name, 1};
        break;
      }
    }
    // Text a browser does not show, and the "New Listing" tag before a title.
    if (!excluded_.open() && (classes.Has("clipped") || classes.Has("LIGHT_HIGHLIGHT"))) {
      excluded_ = {name, 1};
    }
    if (!bidRegion_.open() && (classes.Has("s-card__attribute-row") ||
                               classes.Has("s-item__bidCount") || classes.Has("s-item__bids"))) {
      bidRegion_ = {name, 1};
    }
    if (SameName(name, "li")) ++liDepth_;
  }

  void EndTag(std::string_view name) override {
    if (!inCard_) return;
    for (Field* field : Fields()) field->extent.End(name);
    excluded_.End(name);
    bidRegion_.End(name);
    if (SameName(name, "li") && --liDepth_ == 0) EndCard();
  }

  void Text(std::string_view text) override {
    if (!inCard_ || excluded_.open()) return;
    for (Field* field : Fields()) {
      if (field->extent.open()) AppendDecoded(text, field->text);
    }
    if (bidRegion_.open() && !bids_) {
      std::string decoded;
      AppendDecoded(text, decoded);
      bids_ = ReadBidCount(FoldBlanks(decoded));
    }
  }

 private:
  static bool Disabled(std::span<const MarkupAttribute> attributes) {
    if (Attribute(attributes, "disabled")) return true;
    const auto ariaDisabled = Attribute(attributes, "aria-disabled");
    return ariaDisabled && SameName(*ariaDisabled, "true");
  }

  std::array<Field*, 4> Fields() { return {&title_, &price_, &timeLeft_, &caption_}; }

  void StartCard() {
    EndCard();
    inCard_ = true;
    cardBeforeDivider_ = !afterDivider_;
    liDepth_ = 1;
  }

  void EndCard() {
    if (!inCard_) return;
    inCard_ = false;
    if (!itemNumber_.empty() && itemNumber_ != kPlaceholderItem) {
      ++page_.cards;
      if (cardBeforeDivider_) page_.items.push_back(Item());
    }
    itemNumber_.clear();
    picture_.clear();
    pictureSeen_ = false;
    for (Field* field : Fields()) {
      field->extent = {};
      field->used = false;
      field->text.clear();
    }
    excluded_ = {};
    bidRegion_ = {};
    bids_.reset();
  }

  ListedItem Item() const {
    ListedItem item;
    item.legacyItemId = itemNumber_;
    item.itemWebUrl = reading_.site + "/itm/" + itemNumber_;
    item.title = FoldBlanks(title_.text);
    item.imageUrl = picture_;
    SitePrice price = ReadSitePrice(FoldBlanks(price_.text), reading_.currency);
    item.price = std::move(price.amount);
    item.currency = std::move(price.currency);
    item.bidCount = bids_.value_or(0);
    item.endDate = ReadSoldDate(FoldBlanks(caption_.text));
    if (item.endDate.empty()) {
      if (const auto left = ReadTimeLeft(FoldBlanks(timeLeft_.text))) {
        item.endDate = IsoText(reading_.arrivedAt + *left);
      }
    }
    return item;
  }

  const SiteReading& reading_;
  SitePage page_;
  bool afterDivider_ = false;

  // The card being read.
  bool inCard_ = false;
  bool cardBeforeDivider_ = false;
  int liDepth_ = 0;
  std::string itemNumber_;
  bool pictureSeen_ = false;
  std::string picture_;
  Field title_{{"s-card__title", "s-item__title"}};
  Field price_{{"s-card__price", "s-item__price"}};
  Field timeLeft_{{"s-card__time-left", "s-item__time-left"}};
  Field caption_{{"s-card__caption", "s-item__caption"}};
  Extent excluded_;
  Extent bidRegion_;
  std::optional<int> bids_;
};

}  // namespace

SitePage ReadSitePage(std::string_view page, const SiteReading& reading) {
  CardReader reader(reading);
  ReadMarkup(page, reader);
  return reader.Finish();
}

}  // namespace lotwise
