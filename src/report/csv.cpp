#include "report/csv.h"

#include <array>
#include <vector>

#include "text/blanks.h"
#include "text/character_references.h"
#include "text/characters.h"
#include "text/markup.h"

namespace lotwise {
namespace {

bool StartsFormula(std::string_view field) {
  if (field.empty()) return false;
  const char c = field.front();
  return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r';
}

void AppendField(std::string& out, std::string_view field) {
  std::string guarded;
  if (StartsFormula(field)) {
    guarded = "'";
    guarded.append(field);
    field = guarded;
  }
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
    out.append(field);
    return;
  }
  out += '"';
  for (const char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

// The characters windows-1252 puts at 0x80 to 0x9F, as Unicode code points; 0 for its
// five unused places.
constexpr std::array<char16_t, 32> kWindows1252High{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Text of the classic pages, windows-1252, in UTF-8.
std::string FromWindows1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out += c;
    } else if (byte < 0xA0) {
      const char16_t mapped = kWindows1252High[byte - 0x80];
      AppendUtf8(out, mapped == 0 ? char32_t{0xFFFD} : char32_t{mapped});
    } else {
      AppendUtf8(out, byte);
    }
  }
  return out;
}

// The plain text of markup in UTF-8: character references decoded, blanks folded.
std::string Plain(std::string_view text) {
  std::string decoded;
  AppendDecoded(text, decoded);
  return FoldBlanks(decoded);
}

// A price as the classic rows show it ("$1,234.50", "12.50"), as a decimal number with a
// point; empty when the text is none.
std::string PriceIn(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (IsMarkupBlank(text[i]) || text[i] == '$')) ++i;
  std::string price;
  bool point = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      price += c;
    } else if (c == ',' && !point && !price.empty()) {
      continue;
    } else if (c == '.' && !point && !price.empty()) {
      point = true;
      price += c;
    } else {
      break;
    }
  }
  while (i < text.size() && IsMarkupBlank(text[i])) ++i;
  if (i != text.size() || !point || price.back() == '.') return {};
  return price;
}

// The digits that follow the item parameter of an address, plain ("item=123") or carried
// through the redirect ("item%3D123"); empty when there are none.
std::string ItemNumberIn(std::string_view address) {
  for (const std::string_view parameter :
       {std::string_view("item="), std::string_view("item%3D")}) {
    const std::size_t at = address.find(parameter);
    if (at == std::string_view::npos) continue;
    std::string digits;
    for (std::size_t i = at + parameter.size(); i < address.size() && IsDigit(address[i]); ++i) {
      digits += address[i];
    }
    if (!digits.empty()) return digits;
  }
  return {};
}

// Reads a classic row's links, the text of its first text link and its first price.
class RowFields : public MarkupVisitor {
 public:
  void StartTag(std::string_view name, std::span<const MarkupAttribute> attributes) override {
    if (!SameName(name, "a")) return;
    for (const MarkupAttribute& attribute : attributes) {
      if (!SameName(attribute.name, "href")) continue;
      std::string address;
      AppendDecoded(FromWindows1252(attribute.value), address);
      if (url.empty()) url = address;
      if (itemId.empty()) itemId = ItemNumberIn(address);
    }
    inLink_ = true;
    linkText_.clear();
  }
  void EndTag(std::string_view name) override {
    if (!SameName(name, "a") || !inLink_) return;
    inLink_ = false;
    if (title.empty()) title = Plain(linkText_);
  }
  void Text(std::string_view text) override {
    if (inLink_) linkText_.append(FromWindows1252(text));
    if (price.empty()) price = PriceIn(Plain(text));
  }

  std::string url, itemId, title, price;

 private:
  bool inLink_ = false;
  std::string linkText_;
};

// The text on one line: line breaks and tabs as blanks.
std::string OneLine(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    if (c == '\r' || c == '\n' || c == '\t') c = ' ';
  }
  return FoldBlanks(line);
}

// "2026-03-06T02:30:00.000Z" as "2026-03-06T02:30:00Z"; a date alone as it is; anything
// else empty.
std::string IsoEnd(std::string_view endDate) {
  if (endDate.size() == 10 && endDate[4] == '-' && endDate[7] == '-') return std::string(endDate);
  if (endDate.size() < 19 || endDate[10] != 'T' || endDate.back() != 'Z') return {};
  return std::string(endDate.substr(0, 19)) + "Z";
}

}  // namespace

std::string CsvBeginning() {
  return "\xEF\xBB\xBF"
         "item_id,title,price,currency,bids,end_time,url,first_seen,bids_last_run\r\n";
}

std::string CsvLine(const CsvRecord& record) {
  std::string line;
  const std::string bids = std::to_string(record.bids);
  const std::string_view fields[] = {
      record.itemId,  record.title, record.price,     record.currency,   bids,
      record.endTime, record.url,   record.firstSeen, record.bidsLastRun};
  for (std::size_t i = 0; i < std::size(fields); ++i) {
    if (i > 0) line += ',';
    AppendField(line, fields[i]);
  }
  line += "\r\n";
  return line;
}

CsvRecord CsvRecordOfItem(const ListedItem& item, const std::string& link) {
  CsvRecord record;
  record.itemId = item.legacyItemId;
  if (record.itemId.empty()) {
    // The API's "v1|123456789012|0": the number between the bars.
    const std::size_t first = item.itemId.find('|');
    const std::size_t second = item.itemId.find('|', first + 1);
    if (first != std::string::npos && second != std::string::npos) {
      record.itemId = item.itemId.substr(first + 1, second - first - 1);
    }
  }
  record.title = OneLine(item.title);
  record.price = item.price;
  record.currency = item.currency;
  record.bids = item.bidCount;
  record.endTime = IsoEnd(item.endDate);
  record.url = link;
  return record;
}

CsvRecord CsvRecordOfRow(std::string_view row, int bids) {
  RowFields fields;
  ReadMarkup(row, fields);
  CsvRecord record;
  record.itemId = fields.itemId;
  record.title = fields.title;
  record.price = fields.price;
  record.bids = bids;
  record.url = fields.url;
  return record;
}

}  // namespace lotwise
