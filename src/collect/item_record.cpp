#include "collect/item_record.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "text/numbers.h"

namespace lotwise {
namespace {

constexpr std::string_view kStart = "lotwise-item";
constexpr std::size_t kFields = 10;

void AppendEscaped(std::string& out, std::string_view field) {
  for (char c : field) {
    switch (c) {
      case '%':
        out += "%25";
        break;
      case '\t':
        out += "%09";
        break;
      case '\r':
        out += "%0D";
        break;
      case '\n':
        out += "%0A";
        break;
      default:
        out += c;
    }
  }
}

std::string Unescaped(std::string_view field) {
  std::string out;
  out.reserve(field.size());
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '%' && i + 2 < field.size()) {
      const std::string_view code = field.substr(i + 1, 2);
      const char c = code == "25"   ? '%'
                     : code == "09" ? '\t'
                     : code == "0D" ? '\r'
                     : code == "0A" ? '\n'
                                    : '\0';
      if (c != '\0') {
        out += c;
        i += 2;
        continue;
      }
    }
    out += field[i];
  }
  return out;
}

}  // namespace

std::string ItemRecord(const ListedItem& item) {
  std::string line(kStart);
  const std::string bids = std::to_string(item.bidCount);
  for (const std::string_view field :
       {std::string_view(bids), std::string_view(item.legacyItemId), std::string_view(item.itemId),
        std::string_view(item.title), std::string_view(item.itemWebUrl),
        std::string_view(item.itemAffiliateWebUrl), std::string_view(item.imageUrl),
        std::string_view(item.price), std::string_view(item.currency),
        std::string_view(item.endDate)}) {
    line += '\t';
    AppendEscaped(line, field);
  }
  return line;
}

std::optional<int> ItemRecordBids(std::string_view line) {
  if (line.substr(0, kStart.size()) != kStart || line.size() <= kStart.size() ||
      line[kStart.size()] != '\t') {
    return std::nullopt;
  }
  const std::size_t from = kStart.size() + 1;
  const std::size_t end = std::min(line.find('\t', from), line.size());
  const auto bids = ToInt32(line.substr(from, end - from));
  if (!bids || *bids < 0) return std::nullopt;
  return *bids;
}

std::optional<ListedItem> ReadItemRecord(std::string_view line) {
  if (line.substr(0, kStart.size()) != kStart) return std::nullopt;
  std::array<std::string_view, kFields> fields;
  std::size_t from = kStart.size();
  for (std::size_t f = 0; f < kFields; ++f) {
    if (from >= line.size() || line[from] != '\t') return std::nullopt;
    ++from;
    const std::size_t end = std::min(line.find('\t', from), line.size());
    fields[f] = line.substr(from, end - from);
    from = end;
  }
  if (from != line.size()) return std::nullopt;
  const auto bids = ToInt32(fields[0]);
  if (!bids || *bids < 0) return std::nullopt;
  ListedItem item;
  item.bidCount = *bids;
  item.legacyItemId = Unescaped(fields[1]);
  item.itemId = Unescaped(fields[2]);
  item.title = Unescaped(fields[3]);
  item.itemWebUrl = Unescaped(fields[4]);
  item.itemAffiliateWebUrl = Unescaped(fields[5]);
  item.imageUrl = Unescaped(fields[6]);
  item.price = Unescaped(fields[7]);
  item.currency = Unescaped(fields[8]);
  item.endDate = Unescaped(fields[9]);
  return item;
}

}  // namespace lotwise
