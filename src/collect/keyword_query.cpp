#include "collect/keyword_query.h"

#include <algorithm>

#include "app/categories.h"
#include "app/search_window.h"
#include "collect/search_results.h"

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

SearchAddresses KeywordAddresses(const SearchWindow& window) {
  const std::string Q =
      MakeQuery(window.txtTitle.text, window.txtExcluded.text, window.cmbSearch.position);
  const std::string T = AddPlus(window.txtTitle.text);
  const std::string X = AddPlus(window.txtExcluded.text);
  const std::string M = std::to_string(window.cmbSearch.position + 1);
  const std::string C = getcatno(window.cmbCategories);
  const std::string& L = window.txtBeginPrice.text;
  const std::string& H = window.txtEndPrice.text;
  const Config& config = window.config();

  if (window.Check1.value == 0) {
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

void RunKeywordSearch(SearchWindow& window) {
  if (window.StopRequested == 1) return;
  const SearchAddresses addresses = KeywordAddresses(window);
  GetTotalAuctions(window, addresses.first, addresses.next);
}

}  // namespace lotwise
