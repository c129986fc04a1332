#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <filesystem>
#include <string>

#include "app/config.h"
#include "app/search_window.h"
#include "desktop/main_window.h"
#include "desktop/page_platform.h"
#include "desktop/qstring_printer.h"
#include "desktop/recording_shell.h"
#include "support/files.h"
#include "support/test_config.h"

namespace lotwise::testing {

// Page texts of a category browse: an index page that reports `pages` pages, and listing
// pages, each with one result table holding one item row with `bids` bids.
std::string IndexPage(int pages, int bids, int item);
std::string ListingPage(int bids, int item);
std::string CategoryAddress(const std::string& number, const std::string& page);

// The desktop window over a fresh window model, shown offscreen, with its files in a
// folder of its own, its pages from memory and a shell that only records.
class WindowTest : public ::testing::Test {
 protected:
  WindowTest();

  std::filesystem::path path(const char* name) const;

  // The widget or action named `name` inside the search window; fails the test when
  // there is none.
  template <class T>
  T* find(const char* name) {
    T* found = window.centralWidget()->findChild<T*>(QLatin1String(name));
    if (found == nullptr) found = window.menuBar()->findChild<T*>(QLatin1String(name));
    if (found == nullptr) found = window.statusBar()->findChild<T*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  QString text(const char* labelName) { return find<QLabel>(labelName)->text(); }
  QPushButton* button(const char* name) { return find<QPushButton>(name); }
  QAction* action(const char* name) { return find<QAction>(name); }

  // Serves a category browse of `pages` pages for category `number`.
  void serveCategory(const std::string& number, int pages, int bids = 5);

  QTemporaryDir folder;
  RecordingShell shell;
  PagePlatform platform{shell};
  SearchWindow model{TestConfig(), folder.path().toStdString(), platform};
  MainWindow window{model};
};

}  // namespace lotwise::testing
