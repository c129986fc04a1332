#pragma once

#include <string>

#include "app/controls.h"

namespace lotwise {

// Appends the names of the marketplace's top-level categories to `list`, in table order.
void FillCategories(ComboBox& list);

// The category number of the row chosen in `list`; the empty text when no row is chosen.
std::string getcatno(const ComboBox& list);

}  // namespace lotwise
