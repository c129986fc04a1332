#pragma once

#include <QCloseEvent>
#include <QMainWindow>
#include <QProgressBar>
#include <QShortcut>
#include <QTabWidget>
#include <vector>

#include "app/search_window.h"
#include "desktop/about_dialog.h"
#include "desktop/control_bindings.h"
#include "desktop/elided_label.h"
#include "platform/search_history.h"
#include "settings/source_choice.h"

namespace lotwise {

class NumberEntry;

// The search window on the desktop: a view over the window model. Inputs go into the
// model as the user makes them, commands run in the model, and refresh() shows the
// model's state after every command and whenever a running search lets events through.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(SearchWindow& model, QWidget* parent = nullptr);

  // Shows the model's state: captions, texts, choices, enabled states, the progress of
  // a running search and the About window.
  void refresh();

  // Offers the "Settings…" command over these sources and shows which one is in force;
  // without them the command stays disabled and the classic pages are shown.
  void offerSettings(SourceChoice* sources);
  // Offers the "History" menu of the searches run last, each run again when chosen, and
  // Settings' "Clear history…" over `history`, which must outlive the window.
  void offerHistory(SearchHistory* history);

 signals:
  // The user closed the window while a search runs: the search was stopped and the
  // window closes once it has unwound.
  void closeDeferred();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void run(CommandButton& command);
  // Whether `command` is a search through the API that has no client secret to send.
  bool secretMissingFor(const CommandButton& command) const;
  void askForSecretThenRun(CommandButton& command);
  void choose(MenuItem& item);
  void afterCommand();
  void showProgress();
  void showTab();
  void showStatus();
  void showAbout();
  void aboutFinished();
  void openSettings();
  void runAgain(const RecentSearch& search);
  void clearHistory();

  SearchWindow& model_;
  ControlBindings controls_;
  QProgressBar* progress_;
  ElidedLabel* status_;   // Label1, on one line
  ElidedLabel* summary_;  // what the last search did, in the status bar
  QLabel* source_;        // the source the searches use, in the status bar
  QAction* settings_;
  QMenu* settingsMenu_;
  SearchHistory* history_ = nullptr;
  QMenu* historyMenu_ = nullptr;
  QAction* clearHistory_ = nullptr;
  SourceChoice* sources_ = nullptr;
  QTabWidget* tabs_;
  std::vector<QShortcut*> featuredEnter_;  // Enter and the keypad's Enter on the Featured tab
  AboutDialog* about_ = nullptr;
  bool closePending_ = false;
  NumberEntry* bidsEntry_ = nullptr;  // the minimum number of bids
};

}  // namespace lotwise
