#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTabBar>
#include <QTest>
#include <QToolTip>
#include <string>
#include <vector>

#include "desktop/window_fixture.h"

namespace lotwise::testing {
namespace {

// Where a widget lies in the window.
QRect Place(QWidget* widget, QWidget* window) {
  return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
}

using MainWindowTest = WindowTest;

TEST_F(MainWindowTest, StartsReadyOnTheKeywordTab) {
  EXPECT_EQ(window.windowTitle(),
            QStringLiteral("Lotwise -- Your Key to the Online Auction Market"));
  EXPECT_EQ(text("Label1"),
            QStringLiteral("Enter the minimum amount of bids you want the search to find and "
                           "then choose a search."));
  EXPECT_EQ(text("Label3"), QStringLiteral("Search for items that have at least"));
  EXPECT_EQ(find<QLineEdit>("txtBids")->text(), QStringLiteral("0"));
  EXPECT_EQ(text("Label11"), QStringLiteral("bids."));

  auto* tabs = find<QTabWidget>("SSTab1");
  ASSERT_EQ(tabs->count(), 4);
  EXPECT_EQ(tabs->tabText(0), QStringLiteral("Featured"));
  EXPECT_EQ(tabs->tabText(1), QStringLiteral("Category"));
  EXPECT_EQ(tabs->tabText(2), QStringLiteral("Completed"));
  EXPECT_EQ(tabs->tabText(3), QStringLiteral("Keyword"));
  EXPECT_EQ(tabs->currentIndex(), 3);

  EXPECT_EQ(find<QComboBox>("cmbSearch")->currentText(), QStringLiteral("All of these Words"));
  EXPECT_EQ(find<QComboBox>("cmbSearch")->count(), 3);
  EXPECT_EQ(find<QComboBox>("cmbCategories")->currentText(), QStringLiteral("All Categories"));
  EXPECT_EQ(find<QComboBox>("cmbCategories")->count(), 24);
  EXPECT_FALSE(find<QCheckBox>("Check1")->isChecked());
  EXPECT_EQ(find<QCheckBox>("Check1")->text(), QStringLiteral("Title and Description"));

  EXPECT_EQ(button("Command6")->text(), QStringLiteral("See Incomplete Results"));
  EXPECT_FALSE(button("Command6")->isEnabled());
  EXPECT_EQ(button("Command1")->text(), QStringLiteral("Stop Search"));
  EXPECT_TRUE(button("Command1")->isEnabled());
  EXPECT_EQ(button("Command4")->text(), QStringLiteral("Search Featured Auctions"));
  EXPECT_EQ(button("Command2")->text(), QStringLiteral("Show Categories"));
  for (const char* name : {"cmdSearch", "Command2", "Command3", "Command4", "Command5"}) {
    EXPECT_TRUE(button(name)->isEnabled()) << name;
  }
  for (const char* name : {"cmdSearch", "Command3", "Command5"}) {
    EXPECT_EQ(button(name)->text(), QStringLiteral("Search")) << name;
  }
  EXPECT_FALSE(find<QProgressBar>("progress")->isVisible());
}

TEST_F(MainWindowTest, CaptionsAreShownExactly) {
  EXPECT_EQ(text("Label2"), QStringLiteral("Enter Category #"));
  EXPECT_EQ(text("Label12"), QStringLiteral("Enter Keywords"));
  EXPECT_EQ(text("Label4"), QStringLiteral("Title"));
  EXPECT_EQ(text("Label5"), QStringLiteral("Words to exclude"));
  EXPECT_EQ(text("Label6"), QStringLiteral("Price Range"));
  EXPECT_EQ(text("Label7"), QStringLiteral("Between  $"));
  EXPECT_EQ(text("Label8"), QStringLiteral("and  $"));
  EXPECT_EQ(text("Label9"), QStringLiteral("Search in Categories"));
  for (const char* name : {"Label1", "Label7", "Label8"}) {
    EXPECT_EQ(find<QLabel>(name)->textFormat(), Qt::PlainText) << name;
  }
}

TEST_F(MainWindowTest, ControlsRunTopToBottom) {
  QWidget* top = &window;
  const auto at = [&](const char* name) { return Place(find<QWidget>(name), top); };
  EXPECT_LT(at("Label1").bottom(), at("txtBids").top());
  EXPECT_LT(at("Label3").right(), at("txtBids").left());
  EXPECT_LT(at("txtBids").right(), at("Label11").left());
  EXPECT_LT(at("txtBids").bottom(), at("SSTab1").top());
  EXPECT_LT(at("SSTab1").bottom(), at("Command6").top());
  EXPECT_EQ(at("Command6").top(), at("Command1").top());
  EXPECT_LT(at("Command6").right(), at("Command1").left());

  // The "Keyword" tab, shown at start.
  EXPECT_LT(at("txtTitle").bottom(), at("cmbSearch").top());
  EXPECT_LT(at("cmbSearch").right(), at("Check1").left());
  EXPECT_LT(at("cmbSearch").bottom(), at("txtExcluded").top());
  EXPECT_LT(at("txtExcluded").bottom(), at("Label6").top());
  EXPECT_LT(at("Label6").right(), at("Label7").left());
  EXPECT_LT(at("Label7").right(), at("txtBeginPrice").left());
  EXPECT_LT(at("txtBeginPrice").right(), at("Label8").left());
  EXPECT_LT(at("Label8").right(), at("txtEndPrice").left());
  EXPECT_LT(at("txtEndPrice").bottom(), at("cmbCategories").top());
  EXPECT_LT(at("Label9").right(), at("cmbCategories").left());
  EXPECT_LT(at("cmbCategories").bottom(), at("cmdSearch").top());

  // The "Category" tab, once the user shows it.
  auto* tabs = find<QTabWidget>("SSTab1");
  QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(1).center());
  ASSERT_TRUE(find<QWidget>("Text1")->isVisible());
  EXPECT_LT(at("Label2").right(), at("Text1").left());
  EXPECT_LT(at("Text1").bottom(), at("Command3").top());
  EXPECT_LT(at("Command3").right(), at("Command2").left());
}

TEST_F(MainWindowTest, TheBidsBoxTakesOrRefusesEachEntryWhole) {
  serveCategory("9", 1);
  find<QTabWidget>("SSTab1")->setCurrentIndex(1);
  find<QLineEdit>("Text1")->setText(QStringLiteral("9"));
  auto* bids = find<QLineEdit>("txtBids");
  // The minimum that a search started now reads; then "Begin New Search".
  const auto searched = [this] {
    button("Command3")->click();
    const std::string read = model.txtBids.text;
    button("Command1")->click();
    return read;
  };
  const auto paste = [bids](const char* text) {
    QGuiApplication::clipboard()->setText(QLatin1String(text));
    bids->selectAll();
    bids->paste();
  };

  bids->selectAll();
  QTest::keyClicks(bids, QStringLiteral("12"));
  EXPECT_EQ(searched(), "12");

  // Typed key by key, it shows as typed until the entry ends, then gives way whole.
  bids->selectAll();
  QTest::keyClicks(bids, QStringLiteral("-5x 1e3"));
  EXPECT_EQ(bids->text(), QStringLiteral("-5x 1e3"));
  EXPECT_EQ(searched(), "12");
  EXPECT_EQ(bids->text(), QStringLiteral("12"));
  EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("\"-5x 1e3\" is not one")))
      << QToolTip::text().toStdString();

  // Pasted, the same; a number of six digits is not cut to five.
  for (const char* refused : {"-5x 1e3", "123456", " 7", "+3"}) {
    paste(refused);
    EXPECT_EQ(searched(), "12") << refused;
    EXPECT_EQ(bids->text(), QStringLiteral("12")) << refused;
  }
  paste("99999");
  EXPECT_EQ(searched(), "99999");
  EXPECT_EQ(platform.messages, std::vector<std::string>{});
}

TEST_F(MainWindowTest, WhatTheUserEntersReachesTheModel) {
  auto* bids = find<QLineEdit>("txtBids");
  bids->selectAll();
  QTest::keyClicks(bids, QStringLiteral("12"));
  EXPECT_EQ(model.txtBids.text, "12");

  QTest::keyClicks(find<QLineEdit>("txtTitle"), QStringLiteral("pocket watch"));
  QTest::keyClicks(find<QLineEdit>("txtExcluded"), QStringLiteral("broken"));
  QTest::keyClicks(find<QLineEdit>("txtBeginPrice"), QStringLiteral("5"));
  QTest::keyClicks(find<QLineEdit>("txtEndPrice"), QStringLiteral("50"));
  EXPECT_EQ(model.txtTitle.text, "pocket watch");
  EXPECT_EQ(model.txtExcluded.text, "broken");
  EXPECT_EQ(model.txtBeginPrice.text, "5");
  EXPECT_EQ(model.txtEndPrice.text, "50");

  QTest::mouseClick(find<QCheckBox>("Check1"), Qt::LeftButton);
  EXPECT_EQ(model.Check1.value, 1);
  QTest::mouseClick(find<QCheckBox>("Check1"), Qt::LeftButton);
  EXPECT_EQ(model.Check1.value, 0);

  auto* tabs = find<QTabWidget>("SSTab1");
  QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(2).center());
  EXPECT_EQ(model.SSTab1.tab, 2);
  QTest::keyClicks(find<QLineEdit>("Text2"), QStringLiteral("tin toys"));
  EXPECT_EQ(model.Text2.text, "tin toys");
}

TEST_F(MainWindowTest, ListsTellChoicesFromTypedText) {
  auto* combine = find<QComboBox>("cmbSearch");
  QTest::keyClick(combine, Qt::Key_Down);
  EXPECT_EQ(model.cmbSearch.position, 1);
  EXPECT_EQ(model.cmbSearch.text, "Any of these words");

  combine->lineEdit()->selectAll();
  QTest::keyClicks(combine, QStringLiteral("Two words"));
  EXPECT_EQ(model.cmbSearch.position, -1);
  EXPECT_EQ(model.cmbSearch.text, "Two words");

  // Typing an item's text in full is still typing, also when the input is left.
  auto* categories = find<QComboBox>("cmbCategories");
  categories->lineEdit()->selectAll();
  QTest::keyClicks(categories, QStringLiteral("Exact phrase"));
  combine->lineEdit()->selectAll();
  QTest::keyClicks(combine, QStringLiteral("Exact phrase"));
  emit combine->lineEdit()->editingFinished();
  EXPECT_EQ(model.cmbSearch.position, -1);
  EXPECT_EQ(model.cmbSearch.text, "Exact phrase");
  EXPECT_EQ(model.cmbCategories.position, -1);

  // Nothing typed lands in the lists.
  EXPECT_EQ(combine->count(), 3);
  EXPECT_EQ(categories->count(), 24);

  // After a command the window shows what the model holds.
  button("Command1")->click();
  EXPECT_EQ(combine->currentIndex(), -1);
  EXPECT_EQ(combine->currentText(), QStringLiteral("Exact phrase"));

  QTest::keyClick(categories, Qt::Key_Down);
  EXPECT_EQ(model.cmbCategories.position, 0);
  EXPECT_EQ(categories->currentText(), QStringLiteral("All Categories"));
}

TEST_F(MainWindowTest, EveryControlIsNamedReachableByKeyboardAndNamedForAssistiveTools) {
  for (const char* name :
       {"Label1",    "Label2",        "Label3",   "Label4",      "Label5",        "Label6",
        "Label7",    "Label8",        "Label9",   "Label11",     "Label12",       "txtBids",
        "Text1",     "Text2",         "txtTitle", "txtExcluded", "txtBeginPrice", "txtEndPrice",
        "cmbSearch", "cmbCategories", "Check1",   "SSTab1",      "cmdSearch",     "Command1",
        "Command2",  "Command3",      "Command4", "Command5",    "Command6"}) {
    EXPECT_NE(find<QWidget>(name), nullptr) << name;
  }
  for (const char* name :
       {"txtBids", "Text1", "Text2", "txtTitle", "txtExcluded", "txtBeginPrice", "txtEndPrice",
        "cmbSearch", "cmbCategories", "Check1", "SSTab1", "cmdSearch", "Command1", "Command2",
        "Command3", "Command4", "Command5", "Command6"}) {
    QWidget* input = find<QWidget>(name);
    EXPECT_TRUE(input->focusPolicy() & Qt::TabFocus) << name;
    EXPECT_FALSE(input->accessibleName().isEmpty()) << name;
  }
  EXPECT_EQ(find<QWidget>("txtBids")->accessibleName(), QStringLiteral("Minimum number of bids"));
  EXPECT_EQ(find<QWidget>("Text1")->accessibleName(), QStringLiteral("Enter Category #"));
  EXPECT_EQ(find<QLabel>("Label2")->buddy(), find<QWidget>("Text1"));
}

TEST_F(MainWindowTest, F10MovesIntoTheMenuBar) {
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QTest::keyClick(&window, Qt::Key_F10);
  ASSERT_NE(window.menuBar()->activeAction(), nullptr);
  EXPECT_EQ(window.menuBar()->activeAction()->text().remove(QLatin1Char('&')),
            QStringLiteral("Help"));
}

}  // namespace
}  // namespace lotwise::testing
