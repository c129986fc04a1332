// The History menu: the searches run last, each run again from the inputs it had, and
// "Clear history…", which asks first.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QTest>

#include "desktop/window_fixture.h"
#include "support/fake_history.h"

namespace lotwise::testing {
namespace {

class HistoryMenuTest : public WindowTest {
 protected:
  HistoryMenuTest() {
    model.UseHistory(&history);
    window.offerHistory(&history);
  }

  // The lines of the History menu as it opens.
  QStringList opened() {
    auto* menu = window.menuBar()->findChild<QMenu*>(QStringLiteral("mnuHistoryMenu"));
    EXPECT_NE(menu, nullptr);
    if (menu == nullptr) return {};
    emit menu->aboutToShow();
    QStringList lines;
    for (QAction* action : menu->actions()) lines << action->text();
    return lines;
  }
  // Answers the question of "Clear history…".
  void answer(QMessageBox::StandardButton button) {
    action("mnuClearHistory")->trigger();
    auto* question = window.findChild<QMessageBox*>(QStringLiteral("frmClearHistory"));
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->defaultButton(), question->button(QMessageBox::No));
    question->button(button)->click();
    QApplication::processEvents();
  }

  FakeHistory history;
};

TEST_F(HistoryMenuTest, ASearchOfTheMenuRunsAgainWithTheInputsItHad) {
  QStringList bar;
  for (QAction* action : window.menuBar()->actions()) bar << action->text();
  EXPECT_EQ(bar, (QStringList{QStringLiteral("&Help"), QStringLiteral("&Open last Results"),
                              QStringLiteral("&Check for Update"), QStringLiteral("Hi&story"),
                              QStringLiteral("&Settings")}));
  EXPECT_EQ(opened(), QStringList{QStringLiteral("No search yet")});

  serveCategory("353", 2, 7);
  find<QTabWidget>("SSTab1")->setCurrentIndex(1);
  QTest::keyClicks(find<QLineEdit>("Text1"), QStringLiteral("353"));
  QTest::keyClicks(find<QLineEdit>("txtBids"), QStringLiteral("5"));
  QTest::mouseClick(button("Command3"), Qt::LeftButton);
  ASSERT_EQ(history.recorded.size(), 1u);
  const QStringList lines = opened();
  ASSERT_EQ(lines.size(), 1);
  EXPECT_TRUE(lines[0].startsWith(
      QStringLiteral("Category 353 \u00B7 at least 5 bids \u00B7 Classic pages \u00B7 ")))
      << lines[0].toStdString();
  EXPECT_TRUE(lines[0].endsWith(QStringLiteral(" \u00B7 2 items"))) << lines[0].toStdString();

  // Other inputs on another tab; the menu's search brings its own back.
  QTest::mouseClick(button("Command1"), Qt::LeftButton);  // Begin New Search
  find<QTabWidget>("SSTab1")->setCurrentIndex(3);
  find<QLineEdit>("Text1")->setText(QStringLiteral("999"));
  find<QLineEdit>("txtBids")->setText(QStringLiteral("0"));
  action("mnuHistory1")->trigger();
  EXPECT_EQ(find<QTabWidget>("SSTab1")->currentIndex(), 1);
  EXPECT_EQ(find<QLineEdit>("Text1")->text(), QStringLiteral("353"));
  EXPECT_EQ(find<QLineEdit>("txtBids")->text(), QStringLiteral("5"));
  EXPECT_EQ(text("Label1"), QStringLiteral("Finished!!!"));
  ASSERT_EQ(history.recorded.size(), 2u);
  EXPECT_EQ(history.recorded[1].run.search, history.recorded[0].run.search);
  EXPECT_NE(text("summary").indexOf(QStringLiteral("0 new, 0 ended since the last run")), -1);
}

TEST_F(HistoryMenuTest, ClearHistoryClearsOnlyWhenTheUserSaysYes) {
  HistoryRun run;
  run.search.source = "Classic pages";
  run.search.kind = 3;
  history.recorded.push_back({run, {}});
  answer(QMessageBox::No);
  EXPECT_EQ(history.recorded.size(), 1u);
  answer(QMessageBox::Yes);
  EXPECT_TRUE(history.recorded.empty());
  EXPECT_EQ(opened(), QStringList{QStringLiteral("No search yet")});

  history.failure = "the history database is damaged";
  EXPECT_EQ(opened(), QStringList{QStringLiteral("The history is off: the history database is "
                                                 "damaged")});
}

}  // namespace
}  // namespace lotwise::testing
