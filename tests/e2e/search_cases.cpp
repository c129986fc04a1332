#include "e2e/search_cases.h"

#include <regex>
#include <stdexcept>

#include "sample-marketplace/listing.h"
#include "sample-marketplace/target.h"

namespace lotwise::e2e {

const std::vector<SearchCase>& SearchCases() {
  static const std::vector<SearchCase> cases{
      {"Featured", &SearchWindow::Command4, [](SearchWindow&) {},
       "/pool1/plistings/list/auction/category0/index.html?featured", "", true},
      {"Category", &SearchWindow::Command3, [](SearchWindow& w) { w.Text1.text = "353"; },
       "/aw/plistings/list/category353/index.html", "", true},
      {"Completed", &SearchWindow::Command5, [](SearchWindow& w) { w.Text2.text = "clock"; },
       "/search/search.dll?ht=1&query=clock&SortProperty=MetaEndSort",
       "/search/search.dll?GetResult&query=clock&ht=1&combine=y&SortProperty=MetaEndSort&st=2"
       "&skip="},
      {"Keyword", &SearchWindow::cmdSearch,
       [](SearchWindow& w) {
         w.txtTitle.text = "vintage lamp";
         w.cmbSearch.select(1);  // any of these words
       },
       "/search/search.dll?MfcISAPICommand=GetResult&ht=1&query2=(vintage,lamp)&search_option=2"
       "&submit=+Search+&minPrice=&maxPrice=&category0=&exclude=&st=&SortProperty=MetaEndSort"
       "&maxRecordsPerPage=50&worldlocation=ebayavail&region=0&available_to=1&located_in=1"
       "&ebaycurr=&siteid=0&query=(vintage,lamp)&shortcut=&ebaytag1code_tmp=&ebaytag1_tmp="
       "&ebaytag1code=&ebaytag1=&ebaytag12=ebayreg&from=R6",
       "/ws/search/SaleSearch?ebaytag1_tmp=&exclude=&ht=1&ebaytag1code_tmp=&sosortproperty=1"
       "&satitle=(vintage,lamp)&sorecordsperpage=50&from=R6&sorecordstoskip="},
      {"KeywordInDescriptions", &SearchWindow::cmdSearch,
       [](SearchWindow& w) {
         w.txtTitle.text = "brass";
         w.Check1.value = 1;
       },
       "/search/search.dll?MfcISAPICommand=GetResult&ht=1&ebaytag1=ebayreg&query=brass"
       "&query2=brass&search_option=1&srchdesc=y&exclude=&category0=&minPrice=&maxPrice="
       "&ebaytag1code=0&st=&SortProperty=MetaEndSort",
       "/search/search.dll?query=brass&minPrice=&maxPrice=&srchdesc=y&region=0&ebaytag1=ebayreg"
       "&ht=1&category0=&combine=y&SortProperty=MetaEndSort&st=2&skip="},
  };
  return cases;
}

const SearchCase& Case(const std::string& name) {
  for (const SearchCase& c : SearchCases()) {
    if (c.name == name) return c;
  }
  throw std::invalid_argument("no search case " + name);
}

std::vector<std::string> ExpectedRequests(const sample::Marketplace& market, const SearchCase& c) {
  const auto listing = sample::FindListing(market.items(), sample::ParseTarget(c.first));
  if (!listing) throw std::invalid_argument("the sample marketplace lists nothing at " + c.first);
  std::vector<std::string> targets{c.first, c.first};
  if (c.browse) {
    for (int page = 2; page <= listing->PageCount(); ++page) {
      targets.push_back(sample::BrowsePageTarget(*listing, page));
    }
    return targets;
  }
  const std::size_t total = listing->matches.size();
  for (std::size_t offset = 0; offset < total;) {
    offset += sample::kResultsPerPage;
    targets.push_back(c.nextPrefix + std::to_string(offset));
  }
  return targets;
}

std::vector<std::int64_t> RowNumbers(const std::string& text) {
  static const std::regex number("#([0-9]+)</font>");
  std::vector<std::int64_t> numbers;
  for (std::sregex_iterator it(text.begin(), text.end(), number), end; it != end; ++it) {
    numbers.push_back(std::stoll((*it)[1].str()));
  }
  return numbers;
}

std::vector<std::int64_t> Numbers(const std::vector<sample::Item>& items) {
  std::vector<std::int64_t> numbers;
  for (const sample::Item& item : items) numbers.push_back(item.number);
  return numbers;
}

}  // namespace lotwise::e2e
