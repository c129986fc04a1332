// lotwise-search: one of the window's searches from the command line, through the same
// window model, fetcher, API client, settings and files, without a display. Answers --help
// and --version, and any usage error, before anything else is set up.

#include <sys/ioctl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <cstddef>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "api/api_settings.h"
#include "app/config.h"
#include "cli/command_line_search.h"
#include "cli/desktop_opener.h"
#include "cli/history_list.h"
#include "cli/interrupt_signals.h"
#include "cli/run_outcome.h"
#include "cli/search_options.h"
#include "cli/source_names.h"
#include "cli/status_lines.h"
#include "settings/secret_store.h"
#include "settings/source_choice.h"
#ifdef LOTWISE_WITH_HISTORY
#include "history/sqlite_history.h"
#endif

namespace {

// Where no keychain needs to be asked.
class NoSecretStore : public lotwise::SecretStore {
 public:
  std::optional<std::string> Read() override { return std::nullopt; }
  void Write(const std::string&) override {}
  bool Lasting() const override { return true; }
};

// The history of --history, or history.sqlite in the per-user data folder, which the
// window keeps its own in too; nothing in a build without one.
std::unique_ptr<lotwise::SearchHistory> OpenHistory(const lotwise::SearchOptions& options) {
#ifdef LOTWISE_WITH_HISTORY
  std::filesystem::path file;
  if (options.history) {
    std::error_code failed;
    file = std::filesystem::absolute(*options.history, failed);
  } else {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (folder.isEmpty()) return nullptr;
    file = std::filesystem::path(QFile::encodeName(folder).toStdString()) / "history.sqlite";
  }
  return std::make_unique<lotwise::SqliteHistory>(file);
#else
  (void)options;
  return nullptr;
#endif
}

std::size_t TerminalColumns() {
  winsize size{};
  if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0) return 0;
  return size.ws_col;
}

}  // namespace

int main(int argc, char** argv) {
  const lotwise::SearchCommandLine line =
      lotwise::ReadSearchCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  switch (line.ask) {
    case lotwise::CommandLineAsk::kHelp:
      std::cout << lotwise::HelpText();
      return 0;
    case lotwise::CommandLineAsk::kVersion:
      std::cout << lotwise::VersionText();
      return 0;
    case lotwise::CommandLineAsk::kUsageError:
      std::cerr << "lotwise-search: " << line.error << '\n' << lotwise::UsageText();
      return lotwise::kExitUsage;
    case lotwise::CommandLineAsk::kSearch:
    case lotwise::CommandLineAsk::kHistoryList:
      break;
  }

  // The keychain's jobs need an event loop; the data folder, the program's name.
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("Lotwise"));
  lotwise::SearchOptions options = line.options;
  const std::unique_ptr<lotwise::SearchHistory> history =
      options.noHistory ? nullptr : OpenHistory(options);
  if (line.ask == lotwise::CommandLineAsk::kHistoryList || options.again) {
    if (!history) {
      std::cerr << "lotwise-search: this build of Lotwise keeps no history\n";
      return lotwise::kExitNoReport;
    }
    std::vector<lotwise::RecentSearch> recent;
    try {
      recent = history->Recent(lotwise::kHistoryListLength);
    } catch (const lotwise::HistoryError& failure) {
      std::cerr << "lotwise-search: " << failure.what() << '\n';
      return lotwise::kExitNoReport;
    }
    if (line.ask == lotwise::CommandLineAsk::kHistoryList) {
      std::cout << lotwise::HistoryListText(recent);
      return 0;
    }
    if (static_cast<std::size_t>(*options.again) > recent.size()) {
      std::cerr << "lotwise-search: the history holds " << recent.size() << " searches: --again "
                << *options.again << " names none (see lotwise-search --history-list)\n";
      return lotwise::kExitNoReport;
    }
    options = lotwise::AgainOptions(recent[static_cast<std::size_t>(*options.again - 1)], options);
  }

  std::error_code failed;
  options.folder = std::filesystem::absolute(options.folder, failed);
  if (!failed) std::filesystem::create_directories(options.folder, failed);
  if (failed) {
    std::cerr << "lotwise-search: cannot use the folder " << options.folder.string() << ": "
              << failed.message() << '\n';
    return lotwise::kExitNoReport;
  }

  lotwise::InterruptSignals interrupts(lotwise::UnfinishedSearchFiles(options.folder));
  const bool terminal = isatty(STDOUT_FILENO) == 1;
  lotwise::StatusLines lines(std::cout, std::cerr, lotwise::StyleFor(options.quiet, terminal),
                             terminal ? TerminalColumns() : 0);
  lotwise::CommandLineSearch search(lotwise::buildConfig(), options, lines, interrupts.count(),
                                    lotwise::OpenOnDesktop, {}, history.get());

  // The window's settings, with the environment over them and --source over both. The
  // keychain is asked only for a search through the API whose secret nothing else gives,
  // so that a scheduled search never waits on a keychain it does not need.
  QSettings settings(QStringLiteral("Lotwise"), QStringLiteral("Lotwise"));
  const lotwise::Environment environment =
      lotwise::WithSourceChosen(lotwise::ProcessEnvironment, options.source);
  NoSecretStore noKeychain;
  const lotwise::ApiSettings known =
      lotwise::SourceChoice(settings, noKeychain, search.http(), search.platform(), environment)
          .InForce();
  lotwise::KeychainSecretStore keychain;
  const bool askKeychain =
      known.source == lotwise::SearchSource::kMarketplaceApi && known.clientSecret.empty();
  lotwise::SecretStore& secrets =
      askKeychain ? static_cast<lotwise::SecretStore&>(keychain) : noKeychain;
  lotwise::SourceChoice sources(settings, secrets, search.http(), search.platform(), environment);
  sources.ApplyTo(search.window());
  return search.Run();
}
