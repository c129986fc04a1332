#pragma once

#include <string>

#include "app/search_window.h"

namespace lotwise::testing {

// The five search commands' enabled states: cmdSearch, Command2..Command5, "1" each
// one enabled.
inline std::string SearchCommandStates(const SearchWindow& window) {
  std::string states;
  for (const CommandButton* c : {&window.cmdSearch, &window.Command2, &window.Command3,
                                 &window.Command4, &window.Command5}) {
    states += c->enabled ? '1' : '0';
  }
  return states;
}

}  // namespace lotwise::testing
