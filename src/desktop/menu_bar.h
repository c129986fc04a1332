#pragma once

#include <QMenuBar>
#include <functional>

#include "app/search_window.h"

namespace lotwise {

// Fills `bar` with the window model's menu: the "Help" drop-down menu and the two
// commands on the bar itself. Every action is named after its menu item and runs
// `choose` with it; none is ever disabled. F1 opens the instructions.
void BuildMenuBar(QMenuBar* bar, SearchWindow& model, const std::function<void(MenuItem&)>& choose);

}  // namespace lotwise
