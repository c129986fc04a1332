#include "collect/keyword_query.h"

#include <algorithm>

#include "collect/search_results.h"
#include "search/categories.h"

namespace lotwise {
namespace {

std::string BlanksTo(std::string_view text, char with) {
  std::string out(text);
  std::replace(out.begin(), out.end(), ' ', with);
  return out;
}

}  // namespace

std::string AddPlus(std::string_view Terms) { return BlanksTo(Terms, '+'); }

std::string MakeQuery(std::string_view Search, std::string_view Excluded, int mode) {
  std::string query;
  switch (mode) {
    case 0:
      query = BlanksTo(Search, '+');
      break;
    case 1:
      query = "(" + BlanksTo(Search, ',') + ")";
      break;
    case 2:
      query = "\"" + BlanksTo(Search, '+') + "\"";
      break;
    default:
      return {};
  }
  if (!Excluded.empty()) query += "+-(" + BlanksTo(Excluded, ',') + ")";
  return query;
}

SearchAddresses KeywordAddresses(const SearchContext& search) {
  const KeywordInputs inputs = search.controls.KeywordTab();
  const Config& config = search.config;
  const std::string Q = MakeQuery(inputs.title, inputs.excluded, inputs.combine);
  const std::string T = AddPlus(inputs.title);
  const std::string X = AddPlus(inputs.excluded);
  const std::string M = std::to_string(inputs.combine + 1);
  const std::string C = getcatno(inputs.category);
  const std::string& L = inputs.lowestPrice;
  const std::string& H = inputs.highestPrice;

  if (!inputs.inDescription) {
    const std::string host = "http://" + config.searchHost;
    return {host + "/search/search.dll?MfcISAPICommand=GetResult&ht=1&query2=" + Q +
                "&search_option=" + M + "&submit=+Search+" + "&minPrice=" + L + "&maxPrice=" + H +
                "&category0=" + C + "&exclude=" + X +
                "&st=&SortProperty=MetaEndSort&maxRecordsPerPage=50&worldlocation=ebayavail&"
                "region=0&available_to=1&located_in=1&ebaycurr=&siteid=0&query=" +
                Q +
                "&shortcut=&ebaytag1code_tmp=&ebaytag1_tmp=&ebaytag1code=&ebaytag1=&ebaytag12="
                "ebayreg&from=R6",
            host + "/ws/search/SaleSearch?ebaytag1_tmp=&exclude=" + X +
                "&ht=1&ebaytag1code_tmp=&sosortproperty=1&satitle=" + Q +
                "&sorecordsperpage=50&from=R6&sorecordstoskip="};
  }
  const std::string host = "http://" + config.descriptionSearchHost;
  return {host + "/search/search.dll?MfcISAPICommand=GetResult&ht=1&ebaytag1=ebayreg&query=" + Q +
              "&query2=" + T + "&search_option=" + M + "&srchdesc=y&exclude=" + X +
              "&category0=" + C + "&minPrice=" + L + "&maxPrice=" + H + "&ebaytag1code=" + "0" +
              "&st=&SortProperty=MetaEndSort",
          host + "/search/search.dll?query=" + Q + "&minPrice=" + L + "&maxPrice=" + H +
              "&srchdesc=y&region=" + "0" + "&ebaytag1=ebayreg&ht=1&category0=" + C +
              "&combine=y&SortProperty=MetaEndSort&st=2&skip="};
}

void RunKeywordSearch(SearchContext& search) {
  if (search.state.StopRequested == 1) return;
  const SearchAddresses addresses = KeywordAddresses(search);
  GetTotalAuctions(search, addresses.first, addresses.next);
}

}  // namespace lotwise
