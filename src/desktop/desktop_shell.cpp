#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <utility>

#include "desktop/shell.h"

namespace lotwise {

DesktopShell::~DesktopShell() {
  for (QProcess* opener : openers_.findChildren<QProcess*>()) {
    opener->disconnect();
    // Without a desktop environment xdg-open waits for the browser it started; ending
    // xdg-open leaves that browser open.
    opener->kill();
    opener->waitForFinished();
  }
}

bool DesktopShell::openWatched(const QUrl& url, std::function<void()> failedLater) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  // QDesktopServices hands addresses to xdg-open as well, but only says whether it started,
  // not whether it found anything to open them with.
  const QString program = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
  if (!program.isEmpty()) {
    auto* opener = new QProcess(&openers_);
    opener->setProgram(program);
    opener->setArguments({QString::fromLatin1(url.toEncoded())});
    opener->setStandardInputFile(QProcess::nullDevice());
    // No pipes: what xdg-open starts may outlive this program.
    opener->setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(
        opener, &QProcess::finished, opener,
        [opener, failedLater = std::move(failedLater)](int exitCode, QProcess::ExitStatus status) {
          opener->deleteLater();
          if ((status != QProcess::NormalExit || exitCode != 0) && failedLater) {
            failedLater();
          }
        });
    opener->start();
    if (opener->waitForStarted()) return true;
    delete opener;
    return false;
  }
#endif
  static_cast<void>(failedLater);
  return QDesktopServices::openUrl(url);
}

bool DesktopShell::idle() const { return openers_.findChildren<QProcess*>().isEmpty(); }

bool DesktopShell::startProgram(const QString& program, const QStringList& arguments,
                                const QString& workingFolder) {
  return QProcess::startDetached(program, arguments, workingFolder);
}

}  // namespace lotwise
