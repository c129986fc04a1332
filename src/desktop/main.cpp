// Lotwise: the desktop program. Answers --help and --version, refuses what it does not
// know and says when there is no desktop session, all without a display; otherwise
// creates the search window and runs the event loop until the window is closed.

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "app/config.h"
#include "app/search_window.h"
#include "desktop/command_line.h"
#include "desktop/data_folder.h"
#include "desktop/desktop_platform.h"
#include "desktop/desktop_session.h"
#include "desktop/images.h"
#include "desktop/main_window.h"
#include "desktop/shell.h"
#include "settings/secret_store.h"
#include "settings/source_choice.h"
#ifdef LOTWISE_WITH_HISTORY
#include <memory>

#include "history/sqlite_history.h"
#endif

namespace {

std::filesystem::path LocalPath(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

int Answer(std::FILE* stream, const std::string& text, int exitCode) {
  std::fputs(text.c_str(), stream);
  return exitCode;
}

std::optional<std::string> Variable(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

}  // namespace

int main(int argc, char** argv) {
  const lotwise::CommandLine line = lotwise::ReadCommandLine(argc, argv);
  if (line.request == lotwise::CommandLineRequest::kShowHelp) {
    return Answer(stdout, lotwise::HelpText(), 0);
  }
  if (line.request == lotwise::CommandLineRequest::kShowVersion) {
    return Answer(stdout, lotwise::VersionText(), 0);
  }
  if (line.request == lotwise::CommandLineRequest::kUnknownOption) {
    return Answer(stderr, lotwise::UnknownOptionText(line.unknown), 2);
  }
  if (!lotwise::HasDesktopSession(line.platformChosen, Variable)) {
    return Answer(stderr, lotwise::NoDesktopSessionText(), 1);
  }

  const lotwise::NoDesktopSessionGuard sessionGuard;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Lotwise"));
  QApplication::setApplicationVersion(QString::fromStdString(lotwise::VersionNumber()));
  // The desktop matches the window with the installed desktop entry by this id.
  QGuiApplication::setDesktopFileName(QStringLiteral(LOTWISE_APP_ID));
  QApplication::setWindowIcon(lotwise::ProgramIcon());

  const std::filesystem::path programFolder = LocalPath(QCoreApplication::applicationDirPath());
  const std::filesystem::path userFolder =
      LocalPath(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
  const std::filesystem::path folder =
      lotwise::PrepareDataFolder(lotwise::LocateProgram(programFolder, LOTWISE_INSTALLED_FILES),
                                 userFolder, lotwise::CanWriteIn);
#ifdef LOTWISE_WITH_HISTORY
  // In the per-user data folder wherever the program runs from, as lotwise-search's.
  std::unique_ptr<lotwise::SqliteHistory> history;
  if (!userFolder.empty()) {
    history = std::make_unique<lotwise::SqliteHistory>(userFolder / "history.sqlite");
  }
#endif

  lotwise::DesktopShell shell;
  lotwise::DesktopPlatform platform(shell);
  lotwise::SearchWindow model(lotwise::buildConfig(), folder, platform);
  lotwise::MainWindow window(model);
  // The source the user chose, with the secret in the system's keychain.
  QSettings settings(QStringLiteral("Lotwise"), QStringLiteral("Lotwise"));
  lotwise::KeychainSecretStore keychain;
  lotwise::SourceChoice sources(settings, keychain, platform, platform);
  window.offerSettings(&sources);
#ifdef LOTWISE_WITH_HISTORY
  model.UseHistory(history.get());
  window.offerHistory(history.get());
#endif
  platform.attachView(&window, [&window] { window.refresh(); });
  platform.cutFetchesShortWhen([&model] { return model.StopRequested == 1; });
  QObject::connect(&window, &lotwise::MainWindow::closeDeferred, &window,
                   [&platform] { platform.abandonFetches(); });
  window.show();
  return QApplication::exec();
}
