#include "app/controls.h"

#include <utility>

namespace lotwise {

void ComboBox::select(int p) {
  if (p < 0 || static_cast<std::size_t>(p) >= items.size()) {
    position = -1;
    return;
  }
  position = p;
  text = items[static_cast<std::size_t>(p)];
}

void ComboBox::type(std::string t) {
  text = std::move(t);
  position = -1;
}

}  // namespace lotwise
