#include "collect/fetch.h"

#include "collect/diagnosis.h"

namespace lotwise {

const std::string& FetchPage(SearchContext& search, const std::string& url) {
  search.lastPage = {};
  search.lastPage.body = search.platform.OpenURL(url);
  search.lastPage.status = search.platform.LastHttpStatus();
  return search.lastPage.body;
}

std::string NoResultsMessage(const SearchContext& search) {
  return NoResultsMessage({search.lastPage.body, search.lastPage.status}, search.state.SearchKind,
                          search.foundNone);
}

}  // namespace lotwise
