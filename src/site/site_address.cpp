#include "site/site_address.h"

#include <string>
#include <utility>

#include "search/search_state.h"
#include "text/percent_encoding.h"

namespace lotwise {
namespace {

// The site's _in_kw for ListingQuery::combine.
const char* CombineParameter(int combine) {
  switch (combine) {
    case 1:
      return "2";
    case 2:
      return "3";
    default:
      return "1";
  }
}

class Parameters {
 public:
  explicit Parameters(std::string address) : address_(std::move(address)) {}
  void Add(const char* name, const std::string& value) {
    if (value.empty()) return;
    address_ += first_ ? '?' : '&';
    first_ = false;
    address_ += name;
    address_ += '=';
    address_ += PercentEncoded(value);
  }
  std::string Address() && { return std::move(address_); }

 private:
  std::string address_;
  bool first_ = true;
};

}  // namespace

std::string SiteSearchAddress(const std::string& site, const ListingQuery& query, int page) {
  Parameters parameters(site + "/sch/i.html");
  const std::string category = query.categoryId.empty() ? "0" : query.categoryId;
  switch (query.kind) {
    case kCategorySearch:
      parameters.Add("_sacat", category);
      break;
    case kCompletedSearch:
      parameters.Add("_nkw", query.words);
      parameters.Add("_sacat", category);
      parameters.Add("LH_Complete", "1");
      break;
    default:
      parameters.Add("_nkw", query.words);
      parameters.Add("_in_kw", CombineParameter(query.combine));
      parameters.Add("_ex_kw", query.excluded);
      parameters.Add("_sacat", category);
      parameters.Add("_udlo", query.lowestPrice);
      parameters.Add("_udhi", query.highestPrice);
      if (query.inDescription) parameters.Add("LH_TitleDesc", "1");
      break;
  }
  parameters.Add("LH_Auction", "1");
  parameters.Add("_ipg", std::to_string(kSitePageSize));
  parameters.Add("_pgn", std::to_string(page));
  return std::move(parameters).Address();
}

}  // namespace lotwise
