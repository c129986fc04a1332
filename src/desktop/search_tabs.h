#pragma once

#include <QTabWidget>
#include <functional>

#include "app/search_window.h"
#include "desktop/control_bindings.h"

namespace lotwise {

// Fills `tabs` with the four search tabs ("Featured", "Category", "Completed",
// "Keyword") and their controls. Enter in a tab's text input runs that tab's search.
void AddSearchTabs(QTabWidget* tabs, SearchWindow& model, ControlBindings& controls,
                   const std::function<void(CommandButton&)>& run);

}  // namespace lotwise
