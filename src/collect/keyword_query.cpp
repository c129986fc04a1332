#include "collect/keyword_query.h"

#include <algorithm>

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

}  // namespace lotwise
