#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <vector>

#include "desktop/elided_label.h"
#include "desktop/window_fixture.h"

namespace lotwise::testing {
namespace {

// What the window showed at one moment.
struct Seen {
  QString status;
  bool searchesEnabled = false;  // any of the five search commands
  bool stopEnabled = false;
  QString stopCaption;
  bool incompleteEnabled = false;
  bool progressShown = false;
  int progressValue = 0;
  int progressMaximum = 0;
};

class SearchTest : public WindowTest {
 protected:
  Seen look() {
    Seen seen;
    seen.status = text("Label1");
    for (const char* name : {"cmdSearch", "Command2", "Command3", "Command4", "Command5"}) {
      seen.searchesEnabled = seen.searchesEnabled || button(name)->isEnabled();
    }
    seen.stopEnabled = button("Command1")->isEnabled();
    seen.stopCaption = button("Command1")->text();
    seen.incompleteEnabled = button("Command6")->isEnabled();
    auto* progress = find<QProgressBar>("progress");
    seen.progressShown = progress->isVisible();
    seen.progressValue = progress->value();
    seen.progressMaximum = progress->maximum();
    return seen;
  }

  // Types the category number and starts the category search with the mouse.
  void searchCategory(const char* number) {
    auto* tabs = find<QTabWidget>("SSTab1");
    tabs->setCurrentIndex(1);
    QTest::keyClicks(find<QLineEdit>("Text1"), QLatin1String(number));
    QTest::mouseClick(button("Command3"), Qt::LeftButton);
  }

  bool reportOpened() const {
    const QUrl report = QUrl::fromLocalFile(folder.filePath(QStringLiteral("Finalsearch.htm")));
    for (const QUrl& url : shell.urls) {
      if (url == report) return true;
    }
    return false;
  }

  std::vector<Seen> seenAtFetches;
};

TEST_F(SearchTest, CategorySearchRunsBusyThenFinishedThenReadyAgain) {
  serveCategory("20081", 1);
  platform.duringFetch = [this](const std::string&) { seenAtFetches.push_back(look()); };
  searchCategory("20081");

  ASSERT_FALSE(platform.fetched.empty());
  EXPECT_EQ(platform.fetched[0], CategoryAddress("20081", "index"));
  ASSERT_EQ(seenAtFetches.size(), 2u) << "the index page, read for its count and then its rows";
  const Seen& busy = seenAtFetches[0];
  EXPECT_EQ(busy.status, QStringLiteral("Finding # of Auctions in Category......."));
  EXPECT_FALSE(busy.searchesEnabled);
  EXPECT_TRUE(busy.stopEnabled);
  EXPECT_EQ(busy.stopCaption, QStringLiteral("Stop Search"));
  EXPECT_FALSE(busy.incompleteEnabled);
  EXPECT_TRUE(seenAtFetches[1].incompleteEnabled) << "enabled once the page loop runs";
  EXPECT_EQ(seenAtFetches[1].status, QStringLiteral("1 pages of listings found"));

  const Seen finished = look();
  EXPECT_EQ(finished.status, QStringLiteral("Finished!!!"));
  EXPECT_EQ(finished.stopCaption, QStringLiteral("Begin New Search"));
  EXPECT_FALSE(finished.searchesEnabled);
  EXPECT_TRUE(reportOpened());
  EXPECT_NE(ReadFile(path("Finalsearch.htm")).find(">Item 1<"), std::string::npos);
  EXPECT_TRUE(platform.messages.empty());

  QTest::mouseClick(button("Command1"), Qt::LeftButton);
  const Seen ready = look();
  EXPECT_EQ(ready.status, QStringLiteral("Ready for another search"));
  EXPECT_EQ(ready.stopCaption, QStringLiteral("Stop Search"));
  EXPECT_TRUE(ready.searchesEnabled);
  EXPECT_FALSE(ready.incompleteEnabled);
}

TEST_F(SearchTest, ProgressFollowsThePagesWhileTheSearchRuns) {
  serveCategory("7", 3);
  platform.duringFetch = [this](const std::string&) { seenAtFetches.push_back(look()); };
  searchCategory("7");

  ASSERT_EQ(seenAtFetches.size(), 4u);
  EXPECT_FALSE(seenAtFetches[0].progressShown) << "the page count is not known yet";
  for (int page = 1; page <= 3; ++page) {
    const Seen& seen = seenAtFetches[static_cast<std::size_t>(page)];
    EXPECT_TRUE(seen.progressShown) << page;
    EXPECT_EQ(seen.progressValue, page) << page;
    EXPECT_EQ(seen.progressMaximum, 3) << page;
  }
  EXPECT_EQ(seenAtFetches[3].status, QStringLiteral("3 of 3 pages searched."));
  EXPECT_FALSE(look().progressShown) << "hidden once the search is over";
}

TEST_F(SearchTest, StopSearchDuringAFetchEndsTheSearchAtOnce) {
  serveCategory("5", 3);
  platform.duringFetch = [this](const std::string&) {
    if (platform.fetched.size() == 3) QTest::mouseClick(button("Command1"), Qt::LeftButton);
    seenAtFetches.push_back(look());
  };
  searchCategory("5");

  EXPECT_EQ(platform.fetched.size(), 3u) << "no page after the stop";
  const Seen& stopped = seenAtFetches.back();
  EXPECT_EQ(stopped.status, QStringLiteral("Ready for another search"));
  EXPECT_TRUE(stopped.searchesEnabled) << "ready at once, while the search unwinds";
  EXPECT_FALSE(stopped.incompleteEnabled);

  // The page loop still writes its next-page status as it unwinds; the window stays ready.
  const Seen after = look();
  EXPECT_TRUE(after.searchesEnabled);
  EXPECT_EQ(after.stopCaption, QStringLiteral("Stop Search"));
  EXPECT_FALSE(reportOpened());
  EXPECT_FALSE(std::filesystem::exists(path("Finalsearch.htm")));
  EXPECT_NE(ReadFile(path("Listinglist.txt")).find("item=1"), std::string::npos)
      << "the pages collected so far stay";
  EXPECT_FALSE(model.searching());
}

TEST_F(SearchTest, SeeIncompleteResultsReportsWhatWasCollected) {
  serveCategory("5", 3);
  platform.duringFetch = [this](const std::string&) {
    if (platform.fetched.size() == 2) button("Command6")->click();
  };
  searchCategory("5");

  EXPECT_EQ(platform.fetched.size(), 2u);
  EXPECT_EQ(look().status, QStringLiteral("Finished!!!"));
  EXPECT_FALSE(look().incompleteEnabled);
  EXPECT_TRUE(reportOpened());
  const std::string report = ReadFile(path("Finalsearch.htm"));
  EXPECT_NE(report.find(">Item 1<"), std::string::npos);
  EXPECT_EQ(report.find(">Item 2<"), std::string::npos);
}

TEST_F(SearchTest, AfterASearchThatFoundNothingSeeIncompleteResultsIsOffAndTheWordsStay) {
  QTest::keyClicks(find<QLineEdit>("txtTitle"), QStringLiteral("vintage lamp"));
  platform.pages[CategoryAddress("8", "index")] = "<p>0 items found</p>";
  searchCategory("8");
  EXPECT_EQ(platform.messages,
            std::vector<std::string>{"The marketplace found no items for this search."});
  EXPECT_FALSE(look().incompleteEnabled);
  QTest::mouseClick(button("Command6"), Qt::LeftButton);
  EXPECT_EQ(find<QLineEdit>("txtTitle")->text(), QStringLiteral("vintage lamp"));
  EXPECT_EQ(model.txtTitle.text, "vintage lamp");
  EXPECT_EQ(find<QLineEdit>("Text1")->text(), QStringLiteral("8"));
}

TEST_F(SearchTest, EnterInATabsTextInputRunsThatTabsSearch) {
  // No pages are served: each search fails at its first fetch and ends ready.
  QTest::keyClicks(find<QLineEdit>("Text1"), QStringLiteral("42"));
  QTest::keyClick(find<QLineEdit>("Text1"), Qt::Key_Return);
  ASSERT_EQ(platform.fetched.size(), 1u);
  EXPECT_EQ(platform.fetched.back(), CategoryAddress("42", "index"));
  EXPECT_TRUE(look().searchesEnabled);

  QTest::keyClicks(find<QLineEdit>("Text2"), QStringLiteral("tin"));
  QTest::keyClick(find<QLineEdit>("Text2"), Qt::Key_Enter);
  ASSERT_EQ(platform.fetched.size(), 2u);
  EXPECT_EQ(platform.fetched.back().rfind("http://completed.test/", 0), 0u);

  for (const char* input : {"txtTitle", "txtExcluded", "txtBeginPrice", "txtEndPrice"}) {
    QTest::keyClick(find<QLineEdit>(input), Qt::Key_Return);
    EXPECT_EQ(platform.fetched.back().rfind("http://search.test/", 0), 0u) << input;
  }
  QTest::keyClick(find<QComboBox>("cmbCategories"), Qt::Key_Return);
  EXPECT_EQ(platform.fetched.size(), 7u);

  // Enter runs nothing while a search runs.
  serveCategory("42", 1);
  platform.duringFetch = [this](const std::string&) {
    if (platform.fetched.size() == 8) QTest::keyClick(find<QLineEdit>("Text2"), Qt::Key_Return);
  };
  QTest::keyClick(find<QLineEdit>("Text1"), Qt::Key_Return);
  EXPECT_EQ(platform.fetched.size(), 9u);
  EXPECT_EQ(look().status, QStringLiteral("Finished!!!"));
}

TEST_F(SearchTest, TheStatusBarSaysWhatTheLastSearchDidAndTheStatusLineKeepsToOneLine) {
  serveCategory("9", 2);
  searchCategory("9");
  EXPECT_EQ(
      find<QLabel>("summary")->text(),
      QString::fromUtf8(
          "2 items with at least 0 bids in Finalsearch.htm and Finalsearch.csv \u00b7 2 pages"));

  // A failure with a long account: one line, the whole of it in the tooltip.
  button("Command1")->click();
  find<QLineEdit>("Text1")->clear();
  searchCategory(std::string(300, '7').c_str());
  auto* status = static_cast<ElidedLabel*>(find<QLabel>("Label1"));
  EXPECT_TRUE(text("Label1").startsWith(QStringLiteral("Search ended: no page at http://")));
  EXPECT_TRUE(status->elided());
  EXPECT_LE(status->height(), 2 * status->fontMetrics().height());
  EXPECT_TRUE(status->toolTip().contains(text("Label1"))) << status->toolTip().toStdString();
  EXPECT_TRUE(
      find<QLabel>("summary")->text().startsWith(QStringLiteral("Search ended after 0 pages")));
}

TEST_F(SearchTest, EnterOnTheFeaturedTabQuitKeyAndAWholeNumberMinimum) {
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  find<QTabWidget>("SSTab1")->setCurrentIndex(0);
  QTest::keyClick(&window, Qt::Key_Return);
  ASSERT_EQ(platform.fetched.size(), 1u);
  EXPECT_NE(platform.fetched[0].find("featured"), std::string::npos);

  // What is not a whole number is refused whole once the entry ends, not kept as "125".
  auto* bids = find<QLineEdit>("txtBids");
  bids->setFocus();
  bids->clear();
  QTest::keyClicks(bids, QStringLiteral("1a2.5"));
  bids->clearFocus();
  EXPECT_EQ(bids->text(), QString());
  EXPECT_EQ(model.txtBids.text, "");

  QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(window.isVisible());
}

TEST_F(SearchTest, ClosingDuringASearchStopsItAndClosesOnceItHasUnwound) {
  QSignalSpy deferred(&window, &MainWindow::closeDeferred);
  serveCategory("5", 3);
  bool closedAtOnce = true;
  bool visibleWhileUnwinding = false;
  platform.duringFetch = [&](const std::string&) {
    if (platform.fetched.size() == 3) {
      closedAtOnce = window.close();
      visibleWhileUnwinding = window.isVisible();
    }
  };
  searchCategory("5");

  EXPECT_FALSE(closedAtOnce);
  EXPECT_TRUE(visibleWhileUnwinding);
  EXPECT_EQ(deferred.count(), 1);
  EXPECT_FALSE(window.isVisible()) << "closed after the search returned";
  EXPECT_FALSE(model.searching());
  EXPECT_EQ(platform.fetched.size(), 3u);
  EXPECT_FALSE(reportOpened());
  EXPECT_NE(ReadFile(path("Listinglist.txt")).find("item=1"), std::string::npos)
      << "nothing collected is lost";
}

TEST_F(SearchTest, ClosingAnIdleWindowClosesAtOnce) {
  QSignalSpy deferred(&window, &MainWindow::closeDeferred);
  EXPECT_TRUE(window.close());
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(deferred.count(), 0);
}

}  // namespace
}  // namespace lotwise::testing
