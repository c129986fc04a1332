#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTest>

#include "desktop/about_dialog.h"
#include "desktop/window_fixture.h"

namespace lotwise::testing {
namespace {

class MenuTest : public WindowTest {
 protected:
  // The About windows that are open.
  std::vector<AboutDialog*> aboutWindows() {
    std::vector<AboutDialog*> open;
    for (AboutDialog* dialog : window.findChildren<AboutDialog*>()) {
      if (dialog->isVisible()) open.push_back(dialog);
    }
    return open;
  }
  template <class T>
  T* inAbout(AboutDialog* about, const char* name) {
    T* found = about->findChild<T*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QUrl file(const char* name) const {
    return QUrl::fromLocalFile(folder.filePath(QLatin1String(name)));
  }
};

// What "Check for Update" says on the desktops this window runs on.
constexpr char kPackagesUpdate[] =
    "Lotwise is updated by the system's package manager, with the rest of the system "
    "(on Debian: sudo apt update, then sudo apt upgrade).";

// A menu caption as the model gives it: without the access key's "&".
QString Caption(const QAction* action) { return QString(action->text()).remove(QLatin1Char('&')); }

TEST_F(MenuTest, TheBarHoldsTheHelpMenuAndTwoCommands) {
  QStringList bar;
  for (QAction* action : window.menuBar()->actions()) bar << Caption(action);
  EXPECT_EQ(bar, (QStringList{QStringLiteral("Help"), QStringLiteral("Open last Results"),
                              QStringLiteral("Check for Update"), QStringLiteral("Settings")}));
  // Each has an access key: Alt+H opens Help.
  EXPECT_EQ(window.menuBar()->actions().front()->text(), QStringLiteral("&Help"));

  auto* help = window.menuBar()->findChild<QMenu*>(QStringLiteral("hlpHelp"));
  ASSERT_NE(help, nullptr);
  QStringList items;
  for (QAction* action : help->actions()) {
    items << (action->isSeparator() ? QStringLiteral("-") : Caption(action));
  }
  EXPECT_EQ(items, (QStringList{QStringLiteral("Instructions"), QStringLiteral("-"),
                                QStringLiteral("Email Author"), QStringLiteral("Discussion Group"),
                                QStringLiteral("Visit Website"), QStringLiteral("-"),
                                QStringLiteral("About")}));
}

TEST_F(MenuTest, CommandsHandTheirTargetsToTheShell) {
  WriteFile(path("instructions.htm"), "<p>help</p>");
  action("hlpInstruct")->trigger();
  action("hlpEmail")->trigger();
  action("mnuDiscuss")->trigger();
  action("hlpWebsite")->trigger();
  ASSERT_EQ(shell.urls.size(), 4u);
  EXPECT_EQ(shell.urls[0], file("instructions.htm"));
  EXPECT_EQ(shell.urls[1], QUrl(QStringLiteral("mailto:author@publisher.test")));
  EXPECT_EQ(shell.urls[2], QUrl(QStringLiteral("http://groups.test/lotwise")));
  EXPECT_EQ(shell.urls[3], QUrl(QStringLiteral("http://publisher.test")));

  EXPECT_TRUE(platform.messages.empty());

  // No report yet, no e-mail program, and an updater only on Windows: nothing opens, and
  // a message says so.
  action("mnuOpen")->trigger();
  action("mnuUpdate")->trigger();
  EXPECT_EQ(shell.calls(), 4u);
  shell.noMailProgram = true;
  action("hlpEmail")->trigger();
  shell.noMailProgram = false;
  EXPECT_EQ(platform.messages,
            (std::vector<std::string>{
                "There is no report to open yet: run a search first.", kPackagesUpdate,
                "No e-mail program is set up to write to author@publisher.test."}));
  shell.urls.pop_back();

  WriteFile(path("Finalsearch.htm"), "<p>report</p>");
  WriteFile(path("Update.exe"), "updater");
  action("mnuOpen")->trigger();
  action("mnuUpdate")->trigger();
  ASSERT_EQ(shell.urls.size(), 5u);
  EXPECT_EQ(shell.urls[4], file("Finalsearch.htm"));
  // Even a file named like the Windows updater is not started here.
  EXPECT_TRUE(shell.programs.empty());
  EXPECT_EQ(platform.messages.back(), kPackagesUpdate);
}

TEST_F(MenuTest, CommandsWorkDuringASearchWithoutTouchingIt) {
  serveCategory("9", 2);
  WriteFile(path("Finalsearch.htm"), "<p>old report</p>");
  bool allEnabled = true;
  std::size_t shellCallsDuringSearch = 0;
  std::size_t aboutDuringSearch = 0;
  platform.duringFetch = [&](const std::string&) {
    if (platform.fetched.size() != 2) return;
    for (QAction* action : window.menuBar()->findChildren<QAction*>()) {
      // The source cannot change under a running search (see the settings tests).
      if (action->objectName() == QLatin1String("mnuSettings")) continue;
      allEnabled = allEnabled && action->isEnabled();
    }
    action("mnuOpen")->trigger();  // the old report is gone: the search deleted it
    action("hlpEmail")->trigger();
    action("hlpAbout")->trigger();
    shellCallsDuringSearch = shell.calls();
    aboutDuringSearch = aboutWindows().size();
  };
  find<QTabWidget>("SSTab1")->setCurrentIndex(1);
  QTest::keyClicks(find<QLineEdit>("Text1"), QStringLiteral("9"));
  button("Command3")->click();

  EXPECT_TRUE(allEnabled);
  EXPECT_EQ(shellCallsDuringSearch, 1u) << "only the e-mail address";
  EXPECT_EQ(aboutDuringSearch, 1u);
  EXPECT_EQ(platform.fetched.size(), 3u) << "the search went on to its last page";
  EXPECT_EQ(text("Label1"), QStringLiteral("Finished!!!"));
}

TEST_F(MenuTest, AboutOpensOnceAndLoadsAnewAfterOk) {
  action("hlpAbout")->trigger();
  action("hlpAbout")->trigger();
  std::vector<AboutDialog*> open = aboutWindows();
  ASSERT_EQ(open.size(), 1u);
  AboutDialog* about = open[0];
  EXPECT_FALSE(about->isModal());
  EXPECT_EQ(about->windowTitle(), QStringLiteral("About Lotwise"));
  EXPECT_EQ(inAbout<QLabel>(about, "lblVersion")->text(), QStringLiteral("Version 3.2.18"));
  EXPECT_FALSE(inAbout<QLabel>(about, "lblDescription")->text().isEmpty());
  EXPECT_EQ(inAbout<QLabel>(about, "Label1")->text(), QStringLiteral("author@publisher.test"));
  EXPECT_EQ(inAbout<QLabel>(about, "background")->pixmap().deviceIndependentSize(),
            QSizeF(384, 139));
  EXPECT_FALSE(inAbout<QLabel>(about, "picIcon")->pixmap().isNull());
  EXPECT_EQ(inAbout<QPushButton>(about, "cmdOK")->text(), QStringLiteral("OK"));
  EXPECT_TRUE(window.isEnabled()) << "the search window stays usable";

  QTest::mouseClick(inAbout<QPushButton>(about, "cmdOK"), Qt::LeftButton);
  EXPECT_TRUE(aboutWindows().empty());
  EXPECT_FALSE(model.frmAbout.loaded);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.findChildren<AboutDialog*>().empty()) << "unloaded, not just hidden";

  action("hlpAbout")->trigger();
  open = aboutWindows();
  ASSERT_EQ(open.size(), 1u);
  EXPECT_EQ(open[0]->windowTitle(), QStringLiteral("About Lotwise"));
  EXPECT_EQ(inAbout<QLabel>(open[0], "lblVersion")->text(), QStringLiteral("Version 3.2.18"));
}

TEST_F(MenuTest, AboutClosedFromItsFrameIsUnloadedToo) {
  action("hlpAbout")->trigger();
  ASSERT_EQ(aboutWindows().size(), 1u);
  aboutWindows()[0]->close();
  EXPECT_FALSE(model.frmAbout.loaded);
  EXPECT_TRUE(aboutWindows().empty());

  action("hlpAbout")->trigger();
  ASSERT_EQ(aboutWindows().size(), 1u);
  QTest::keyClick(aboutWindows()[0], Qt::Key_Escape);
  EXPECT_FALSE(model.frmAbout.loaded);
  EXPECT_TRUE(aboutWindows().empty());
}

TEST_F(MenuTest, ClosingTheSearchWindowClosesAbout) {
  action("hlpAbout")->trigger();
  ASSERT_EQ(aboutWindows().size(), 1u);
  EXPECT_TRUE(window.close());
  EXPECT_TRUE(aboutWindows().empty());
}

}  // namespace
}  // namespace lotwise::testing
