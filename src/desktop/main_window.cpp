#include "desktop/main_window.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "app/search_again.h"
#include "desktop/client_secret_prompt.h"
#include "desktop/history_menu.h"
#include "desktop/images.h"
#include "desktop/menu_bar.h"
#include "desktop/number_entry.h"
#include "desktop/search_tabs.h"
#include "desktop/settings_dialog.h"
#include "search/summary.h"

namespace lotwise {

MainWindow::MainWindow(SearchWindow& model, QWidget* parent)
    : QMainWindow(parent),
      model_(model),
      progress_(new QProgressBar),
      status_(new ElidedLabel),
      summary_(new ElidedLabel),
      source_(new QLabel) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowIcon(ProgramIcon());
  const auto run = [this](CommandButton& command) { this->run(command); };

  QLabel* status = controls_.label(status_, model_.Label1, "Label1");
  status->setAccessibleName(QStringLiteral("Status"));
  progress_->setObjectName(QStringLiteral("progress"));
  progress_->setAccessibleName(QStringLiteral("Search progress"));
  progress_->setFormat(QStringLiteral("%v / %m"));
  progress_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  progress_->hide();
  // The row keeps its height when the progress bar comes and goes.
  status->setMinimumHeight(progress_->sizeHint().height());
  auto* statusRow = new QHBoxLayout;
  statusRow->addWidget(status, 2);
  statusRow->addWidget(progress_, 1);

  QLabel* bidsLabel = controls_.label(model_.Label3, "Label3");
  QLineEdit* bids =
      controls_.textBox(model_.txtBids, "txtBids", QStringLiteral("Minimum number of bids"));
  // Whole numbers only here, each entry taken or refused as a whole; the model itself reads
  // any text.
  bidsEntry_ = new NumberEntry(
      bids, 5, [this](const QString& kept) { model_.txtBids.text = kept.toStdString(); });
  bids->setMaximumWidth(bids->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) +
                        bids->fontMetrics().averageCharWidth() * 2);
  bidsLabel->setBuddy(bids);
  auto* bidsRow = new QHBoxLayout;
  bidsRow->addWidget(bidsLabel);
  bidsRow->addWidget(bids);
  bidsRow->addWidget(controls_.label(model_.Label11, "Label11"));
  bidsRow->addStretch();

  tabs_ = new QTabWidget;
  auto* tabs = tabs_;
  AddSearchTabs(tabs, model_, controls_, run);
  // Enter runs the Featured tab's search while that tab is shown, wherever the focus is, as
  // Enter in the other tabs' inputs runs theirs (elsewhere it is left to those inputs).
  for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
    auto* enter = new QShortcut(QKeySequence(key), this);
    connect(enter, &QShortcut::activated, this, [this] { this->run(model_.Command4); });
    featuredEnter_.push_back(enter);
  }
  connect(tabs, &QTabWidget::currentChanged, this, [this] { showTab(); });

  auto* commandRow = new QHBoxLayout;
  commandRow->addStretch();
  commandRow->addWidget(
      controls_.button(model_.Command6, "Command6", [this] { this->run(model_.Command6); }));
  commandRow->addWidget(
      controls_.button(model_.Command1, "Command1", [this] { this->run(model_.Command1); }));

  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->addLayout(statusRow);
  layout->addLayout(bidsRow);
  layout->addWidget(tabs, 1);
  layout->addLayout(commandRow);
  setCentralWidget(central);

  BuildMenuBar(menuBar(), model_, [this](MenuItem& item) { choose(item); });
  settingsMenu_ = menuBar()->addMenu(QStringLiteral("&Settings"));
  QMenu* settingsMenu = settingsMenu_;
  settingsMenu->setObjectName(QStringLiteral("mnuSettingsMenu"));
  settingsMenu->menuAction()->setObjectName(QStringLiteral("mnuSettingsMenu"));
  settings_ = settingsMenu->addAction(QStringLiteral("&Settings…"));
  settings_->setObjectName(QStringLiteral("mnuSettings"));
  connect(settings_, &QAction::triggered, this, &MainWindow::openSettings);

  summary_->setObjectName(QStringLiteral("summary"));
  summary_->setAccessibleName(QStringLiteral("What the last search did"));
  statusBar()->addWidget(summary_, 1);
  source_->setObjectName(QStringLiteral("source"));
  source_->setAccessibleName(QStringLiteral("Search source"));
  statusBar()->addPermanentWidget(source_);
  // Ctrl+Q closes the window, and with it the program.
  auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
  connect(quit, &QShortcut::activated, this, &QWidget::close);
  // F10 moves into the menu bar, as on other desktops.
  auto* toMenu = new QShortcut(QKeySequence(Qt::Key_F10), this);
  connect(toMenu, &QShortcut::activated, this, [this] {
    if (!menuBar()->actions().isEmpty()) menuBar()->setActiveAction(menuBar()->actions().first());
  });

  refresh();
  // Wide enough for the start-up status on one line, whatever the font size.
  const int margins = layout->contentsMargins().left() + layout->contentsMargins().right();
  resize(std::max(sizeHint().width(),
                  status->fontMetrics().horizontalAdvance(status->text()) + 2 * margins),
         sizeHint().height());
}

void MainWindow::refresh() {
  setWindowTitle(QString::fromStdString(model_.caption));
  controls_.show();
  showTab();
  showStatus();
  showProgress();
  showAbout();
  // The source changes only between searches, and a search of the history runs only then.
  settings_->setEnabled(sources_ != nullptr && !model_.searching());
  if (historyMenu_ != nullptr) historyMenu_->setEnabled(!model_.searching());
  if (clearHistory_ != nullptr) clearHistory_->setEnabled(!model_.searching());
  source_->setText(QStringLiteral("Source: ") + QString::fromStdString(model_.SourceName()));
}

void MainWindow::offerSettings(SourceChoice* sources) {
  sources_ = sources;
  if (sources_ != nullptr) sources_->ApplyTo(model_);
  refresh();
}

void MainWindow::offerHistory(SearchHistory* history) {
  if (history == nullptr || history_ != nullptr) return;
  history_ = history;
  historyMenu_ = HistoryMenu(
      *history_, [this](const RecentSearch& search) { runAgain(search); }, menuBar());
  menuBar()->insertMenu(settingsMenu_->menuAction(), historyMenu_);
  clearHistory_ = settingsMenu_->addAction(QStringLiteral("&Clear history…"));
  clearHistory_->setObjectName(QStringLiteral("mnuClearHistory"));
  connect(clearHistory_, &QAction::triggered, this, &MainWindow::clearHistory);
  refresh();
}

void MainWindow::runAgain(const RecentSearch& search) {
  if (model_.searching()) return;
  CommandButton& command = TypeIn(model_, TypedAgain(search.last.search, search.last.minimumBids));
  // The inputs as the model now has them, for run() to take from the widgets.
  refresh();
  run(command);
}

void MainWindow::clearHistory() {
  if (history_ == nullptr || model_.searching()) return;
  QMessageBox* question = ClearHistoryQuestion(this);
  connect(question, &QMessageBox::finished, this, [this, question] {
    if (question->clickedButton() != question->button(QMessageBox::Yes) || history_ == nullptr) {
      return;
    }
    try {
      history_->Clear();
      statusBar()->showMessage(QStringLiteral("The history is cleared."), 10000);
    } catch (const HistoryError& failure) {
      statusBar()->showMessage(QStringLiteral("The history could not be cleared: ") +
                               QString::fromStdString(failure.what()));
    }
  });
  question->open();
}

void MainWindow::openSettings() {
  if (sources_ == nullptr || model_.searching()) return;
  const ApiSettings chosen = sources_->Chosen();  // reading the secret finds the keychain
  auto* dialog = new SettingsDialog(chosen, sources_->InForce().source, sources_->SecretLasting(),
                                    sources_->FromEnvironment(), this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::accepted, this, [this, dialog] {
    if (sources_ == nullptr || model_.searching()) return;
    sources_->Choose(dialog->chosen());
    sources_->ApplyTo(model_);
    refresh();
  });
  dialog->open();
}

void MainWindow::showTab() {
  for (QShortcut* enter : featuredEnter_) enter->setEnabled(tabs_->currentIndex() == kFeaturedTab);
}

void MainWindow::showStatus() {
  status_->setDetail(QString::fromStdString(model_.statusDetail));
  summary_->setText(QString::fromStdString(SummaryText(model_.summary())));
  summary_->setDetail(QString());
}

void MainWindow::showProgress() {
  const std::optional<SearchProgress> progress = model_.progress();
  if (progress) {
    progress_->setRange(0, progress->maximum);
    progress_->setValue(progress->value);
  }
  progress_->setVisible(progress.has_value());
}

void MainWindow::showAbout() {
  if (model_.frmAbout.loaded && about_ == nullptr) {
    about_ = new AboutDialog(BannerPicture(), ProgramIcon(), this);
    connect(about_, &AboutDialog::okClicked, this, [this] { run(model_.frmAbout.cmdOK); });
    connect(about_, &QDialog::finished, this, &MainWindow::aboutFinished);
  } else if (!model_.frmAbout.loaded && about_ != nullptr) {
    AboutDialog* closing = about_;
    about_ = nullptr;
    closing->hide();
    closing->deleteLater();
  }
  if (about_ != nullptr) about_->showModel(model_.frmAbout);
}

void MainWindow::aboutFinished() {
  // Closed from its title bar or with Escape: unloaded as by "OK".
  if (model_.frmAbout.loaded) run(model_.frmAbout.cmdOK);
}

void MainWindow::run(CommandButton& command) {
  if (secretMissingFor(command)) {
    askForSecretThenRun(command);
    return;
  }
  bidsEntry_->end();
  controls_.push();
  model_.click(command);
  afterCommand();
}

bool MainWindow::secretMissingFor(const CommandButton& command) const {
  // Only the keyword and category searches go through the API.
  if (sources_ == nullptr || model_.searching() || !command.enabled ||
      (&command != &model_.cmdSearch && &command != &model_.Command3)) {
    return false;
  }
  const ApiSettings inForce = sources_->InForce();
  return inForce.source == SearchSource::kMarketplaceApi && inForce.clientSecret.empty();
}

void MainWindow::askForSecretThenRun(CommandButton& command) {
  QInputDialog* prompt =
      ClientSecretPrompt(sources_->InForce().clientId, sources_->SecretLasting(), this);
  prompt->setAttribute(Qt::WA_DeleteOnClose);
  connect(prompt, &QDialog::accepted, this, [this, prompt, &command] {
    const std::string secret = prompt->textValue().toStdString();
    if (secret.empty() || sources_ == nullptr || model_.searching()) return;
    // Kept as the Settings window keeps it: in the keychain, or else for this run.
    ApiSettings chosen = sources_->Chosen();
    chosen.clientSecret = secret;
    sources_->Choose(chosen);
    sources_->ApplyTo(model_);
    run(command);
  });
  prompt->open();
}

void MainWindow::choose(MenuItem& item) {
  controls_.push();
  model_.choose(item);
  afterCommand();
  if (&item == &model_.hlpAbout && about_ != nullptr) {
    about_->raise();
    about_->activateWindow();
  }
}

void MainWindow::afterCommand() {
  refresh();
  // Only the outermost command sees the search unwound; commands run inside a search's
  // event handling return while it still runs.
  if (closePending_ && !model_.searching()) {
    closePending_ = false;
    close();
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  model_.close();
  refresh();
  if (model_.searching()) {
    closePending_ = true;
    event->ignore();
    emit closeDeferred();
    return;
  }
  event->accept();
}

}  // namespace lotwise
