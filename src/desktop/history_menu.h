#pragma once

#include <QMenu>
#include <QMessageBox>
#include <QString>
#include <functional>

#include "platform/search_history.h"

namespace lotwise {

// How many searches the History menu lists.
inline constexpr std::size_t kHistoryMenuLength = 20;

// The "History" menu: filled each time it opens with the searches run last, most recent
// first, each as what it searched, when it last ran (in the user's time zone) and the
// items it kept; choosing one hands it to `chosen`. A history that fails says why in a
// line that cannot be chosen.
QMenu* HistoryMenu(SearchHistory& history, std::function<void(const RecentSearch&)> chosen,
                   QWidget* parent);

// The menu's line of a search: "Keywords “lamp” · at least 10 bids · Classic pages ·
// 9 Dec 2026 18:30 · 35 items".
QString HistoryMenuText(const RecentSearch& search);

// The question "Clear history…" asks first, not yet shown (its No is the default); the
// history is cleared only when Yes is chosen.
QMessageBox* ClearHistoryQuestion(QWidget* parent);

}  // namespace lotwise
