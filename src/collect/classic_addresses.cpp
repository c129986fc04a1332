#include "collect/classic_addresses.h"

#include "collect/keyword_query.h"
#include "search/categories.h"

namespace lotwise {

std::string CategoryIndexAddress(const Config& config, std::string_view typed) {
  return "http://" + config.listingsHost + "/aw/plistings/list/category" + std::string(typed) +
         "/index.html";
}

std::string CategoryPageAddress(const Config& config, std::string_view typed, std::int16_t n) {
  return "http://" + config.listingsHost + "/aw/plistings/list/category" + std::string(typed) +
         "/page" + std::to_string(n) + ".html";
}

std::string FeaturedIndexAddress(const Config& config) {
  return "http://" + config.listingsHost +
         "/pool1/plistings/list/auction/category0/index.html?featured";
}

std::string FeaturedPageAddress(const Config& config, std::int16_t n) {
  return "http://" + config.listingsHost + "/pool1/plistings/list/auction/category0/page" +
         std::to_string(n) + ".html?featured";
}

std::string CategoriesOverviewAddress(const Config& config) {
  return "http://" + config.listingsHost + "/aw/listings/list/categories.html";
}

SearchAddresses KeywordAddresses(const KeywordInputs& inputs, const Config& config) {
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

SearchAddresses CompletedAddresses(std::string_view keywords, const Config& config) {
  const std::string T = AddPlus(keywords);
  const std::string host = "http://" + config.completedSearchHost;
  return {host + "/search/search.dll?ht=1&query=" + T + "&SortProperty=MetaEndSort",
          host + "/search/search.dll?GetResult&query=" + T +
              "&ht=1&combine=y&SortProperty=MetaEndSort&st=2&skip="};
}

}  // namespace lotwise
