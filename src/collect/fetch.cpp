#include "collect/fetch.h"

namespace lotwise {

std::string FetchPage(SearchContext& search, const std::string& url) {
  search.lastPage = {};
  std::string page = search.platform.OpenURL(url);
  search.lastPage.body = page;
  search.lastPage.status = search.platform.LastHttpStatus();
  return page;
}

}  // namespace lotwise
