// Lotwise: the desktop program. Creates the search window and runs the event loop until
// the window is closed.

#include <QApplication>
#include <QFile>
#include <QStandardPaths>
#include <filesystem>

#include "app/config.h"
#include "app/search_window.h"
#include "desktop/data_folder.h"
#include "desktop/desktop_platform.h"
#include "desktop/images.h"
#include "desktop/main_window.h"
#include "desktop/shell.h"

namespace {

std::filesystem::path LocalPath(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Lotwise"));
  const lotwise::ProgramVersion version = lotwise::programVersion();
  QApplication::setApplicationVersion(
      QStringLiteral("%1.%2.%3").arg(version.major).arg(version.minor).arg(version.revision));
  QApplication::setWindowIcon(lotwise::ProgramIcon());

  const std::filesystem::path folder = lotwise::PrepareDataFolder(
      LocalPath(QCoreApplication::applicationDirPath()),
      LocalPath(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)),
      lotwise::CanWriteIn);

  lotwise::DesktopShell shell;
  lotwise::DesktopPlatform platform(shell);
  lotwise::SearchWindow model(lotwise::buildConfig(), folder, platform);
  lotwise::MainWindow window(model);
  platform.attachView(&window, [&window] { window.refresh(); });
  platform.cutFetchesShortWhen([&model] { return model.StopRequested == 1; });
  QObject::connect(&window, &lotwise::MainWindow::closeDeferred, &window,
                   [&platform] { platform.abandonFetches(); });
  window.show();
  return QApplication::exec();
}
