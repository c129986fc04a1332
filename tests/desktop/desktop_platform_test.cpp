#include "desktop/desktop_platform.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTcpServer>
#include <QTimer>
#include <memory>

#include "desktop/qstring_printer.h"
#include "desktop/recording_shell.h"

namespace lotwise {
namespace {

using testing::RecordingShell;

class DesktopPlatformTest : public ::testing::Test {
 protected:
  DesktopPlatformTest() {
    platform.attachView(view.get(), [this] {
      ++refreshes;
      eventHandledBeforeRefresh = eventHandled;
    });
  }

  // Has the event loop set eventHandled at its next turn.
  void postEvent() {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [this] { eventHandled = true; }, Qt::QueuedConnection);
  }

  RecordingShell shell;
  DesktopPlatform platform{shell};
  std::unique_ptr<QWidget> view = std::make_unique<QWidget>();
  int refreshes = 0;
  bool eventHandled = false;
  bool eventHandledBeforeRefresh = false;
};

TEST_F(DesktopPlatformTest, DoEventsHandlesWaitingEventsThenRefreshesTheView) {
  postEvent();
  platform.DoEvents();
  EXPECT_TRUE(eventHandled);
  EXPECT_EQ(refreshes, 1);
  EXPECT_TRUE(eventHandledBeforeRefresh);

  // Once the view is gone nothing refreshes it.
  view.reset();
  platform.DoEvents();
  EXPECT_EQ(refreshes, 1);
}

TEST_F(DesktopPlatformTest, PauseKeepsHandlingEvents) {
  postEvent();
  platform.Pause(std::chrono::milliseconds(1));
  EXPECT_TRUE(eventHandled);
  EXPECT_GE(refreshes, 1);
}

TEST_F(DesktopPlatformTest, PauseEndsOnceTheSearchIsStopped) {
  bool stopped = false;
  platform.cutFetchesShortWhen([&] { return stopped; });
  QTimer::singleShot(0, [&] { stopped = true; });  // "Stop Search" clicked while it waits
  // Were the stop not seen, the test would wait out the hour.
  platform.Pause(std::chrono::hours(1));
  EXPECT_TRUE(stopped);
}

TEST_F(DesktopPlatformTest, MessageBoxIsModalWithOneOkButtonAndWaitsForIt) {
  QString shownText;
  int buttons = -1;
  bool modal = false;
  QTimer::singleShot(0, [&] {
    // Whatever is found, every message box is closed so that the test cannot hang.
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(widget);
      if (box == nullptr || !box->isVisible()) continue;
      shownText = box->text();
      buttons = static_cast<int>(box->buttons().size());
      modal = box->isModal();
      if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
        ok->click();
      } else {
        box->reject();
      }
    }
  });
  platform.MessageBox("Please narrow it <b>and</b> try again");
  EXPECT_EQ(shownText, QStringLiteral("Please narrow it <b>and</b> try again"));
  EXPECT_EQ(buttons, 1);
  EXPECT_TRUE(modal);
}

// The desktop platform fetching from a server that takes the connection and never
// answers, with a long time-out, so that only the window's handling ends a fetch.
class DesktopPlatformFetch : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0)); }
  static CurlFetcher::Options LongTimeOut() {
    CurlFetcher::Options options;
    options.timeout = std::chrono::milliseconds(20000);
    return options;
  }
  std::string url() const {
    return "http://127.0.0.1:" + std::to_string(silent.serverPort()) + "/";
  }

  QTcpServer silent;
  RecordingShell shell;
  DesktopPlatform platform{shell, LongTimeOut()};
  QWidget view;
  int waits = 0;
};

TEST_F(DesktopPlatformFetch, AbandonedFetchEndsAtItsNextWait) {
  // The window is closed while the page loads.
  platform.attachView(&view, [&] {
    if (++waits == 2) platform.abandonFetches();
  });
  try {
    platform.OpenURL(url());
    ADD_FAILURE() << "the fetch returned";
  } catch (const FetchError& error) {
    EXPECT_STREQ(error.what(), "The window was closed.");
  }
  EXPECT_EQ(waits, 2);
  // Later fetches fail at once.
  EXPECT_THROW(platform.OpenURL(url()), FetchError);
  EXPECT_EQ(waits, 2);
}

TEST_F(DesktopPlatformFetch, StoppedSearchCutsItsFetchShortWithAnEmptyPage) {
  bool stopped = false;
  platform.attachView(&view, [&] {
    if (++waits == 3) stopped = true;  // "Stop Search" clicked while the page loads
  });
  platform.cutFetchesShortWhen([&] { return stopped; });
  EXPECT_EQ(platform.OpenURL(url()), "");
  EXPECT_EQ(waits, 3);
}

}  // namespace
}  // namespace lotwise
