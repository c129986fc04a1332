#include "desktop/history_menu.h"

#include <QAction>
#include <QDateTime>
#include <QLocale>
#include <memory>
#include <vector>

#include "search/history_search.h"

namespace lotwise {
namespace {

const QString kDot = QStringLiteral(" \u00B7 ");

// A line of a menu shows "&" as the access key's mark unless it is doubled.
QString MenuLine(const QString& text) {
  return QString(text).replace(QLatin1Char('&'), QLatin1String("&&"));
}

void Fill(QMenu* menu, SearchHistory& history,
          const std::function<void(const RecentSearch&)>& chosen) {
  menu->clear();
  std::vector<RecentSearch> recent;
  try {
    recent = history.Recent(kHistoryMenuLength);
  } catch (const HistoryError& failure) {
    menu->addAction(MenuLine(QStringLiteral("The history is off: ") +
                             QString::fromStdString(failure.what())))
        ->setEnabled(false);
    return;
  }
  if (recent.empty()) {
    menu->addAction(QStringLiteral("No search yet"))->setEnabled(false);
    return;
  }
  for (std::size_t i = 0; i < recent.size(); ++i) {
    QAction* action = menu->addAction(MenuLine(HistoryMenuText(recent[i])));
    action->setObjectName(QStringLiteral("mnuHistory%1").arg(i + 1));
    // The action lives until the menu is filled again; the search goes with it.
    auto search = std::make_shared<RecentSearch>(recent[i]);
    QObject::connect(action, &QAction::triggered, menu, [search, chosen] { chosen(*search); });
  }
}

}  // namespace

QString HistoryMenuText(const RecentSearch& search) {
  const HistoryRun& last = search.last;
  const QDateTime ran = QDateTime::fromSecsSinceEpoch(last.ranAt).toLocalTime();
  return QString::fromStdString(DescribeSearch(last.search, last.minimumBids)) + kDot +
         QLocale().toString(ran, QStringLiteral("d MMM yyyy HH:mm")) + kDot +
         (last.itemsKept == 1 ? QStringLiteral("1 item")
                              : QStringLiteral("%1 items").arg(last.itemsKept));
}

QMenu* HistoryMenu(SearchHistory& history, std::function<void(const RecentSearch&)> chosen,
                   QWidget* parent) {
  auto* menu = new QMenu(QStringLiteral("Hi&story"), parent);
  menu->setObjectName(QStringLiteral("mnuHistoryMenu"));
  menu->menuAction()->setObjectName(QStringLiteral("mnuHistoryMenu"));
  Fill(menu, history, chosen);
  QObject::connect(menu, &QMenu::aboutToShow, menu,
                   [menu, &history, chosen = std::move(chosen)] { Fill(menu, history, chosen); });
  return menu;
}

QMessageBox* ClearHistoryQuestion(QWidget* parent) {
  auto* box =
      new QMessageBox(QMessageBox::Question, QStringLiteral("Clear history"),
                      QStringLiteral("Forget every search of the history, and what each found?"),
                      QMessageBox::Yes | QMessageBox::No, parent);
  box->setObjectName(QStringLiteral("frmClearHistory"));
  box->setInformativeText(
      QStringLiteral("The next run of each search then finds nothing to compare with. The "
                     "reports and CSV files stay. This cannot be undone."));
  box->setDefaultButton(QMessageBox::No);
  box->setAttribute(Qt::WA_DeleteOnClose);
  return box;
}

}  // namespace lotwise
