#include "desktop/shell_open.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <utility>

namespace lotwise {
namespace {

bool IsAddress(const QString& target) {
  return target.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive) ||
         target.contains(QLatin1String("://"));
}

bool IsProgram(const QFileInfo& file) {
  if (!file.isFile()) return false;
  if (file.suffix().compare(QLatin1String("exe"), Qt::CaseInsensitive) == 0) return true;
  return file.suffix().isEmpty() && file.isExecutable();
}

// Hands `url` to the shell; gives `failure` when it could not be handed over, and tells it
// later when the handler fails afterwards.
std::string Open(Shell& shell, const QUrl& url, const std::string& failure,
                 std::function<void(const std::string&)> tellLater) {
  const bool handedOver = shell.openWatched(url, [tellLater = std::move(tellLater), failure] {
    if (tellLater) tellLater(failure);
  });
  return handedOver ? std::string() : failure;
}

}  // namespace

std::string OpenWithShell(Shell& shell, const std::string& target, const std::string& parameters,
                          const std::string& directory,
                          std::function<void(const std::string& message)> tellLater) {
  const QString text = QString::fromStdString(target);
  if (text.isEmpty()) return {};
  const std::string noProgram = "No program on this computer could open " + target + ".";
  if (IsAddress(text)) {
    const bool mail = text.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive);
    return Open(
        shell, QUrl(text, QUrl::TolerantMode),
        mail ? "No e-mail program is set up to write to " + target.substr(7) + "." : noProgram,
        std::move(tellLater));
  }
  const QFileInfo file(text);
  if (!file.exists()) return target + " was not found.";
  if (IsProgram(file)) {
    const QString folder = QString::fromStdString(directory);
    const QString workingFolder =
        QFileInfo(folder).isAbsolute() && QFileInfo(folder).isDir() ? folder : file.absolutePath();
    if (shell.startProgram(file.absoluteFilePath(),
                           QProcess::splitCommand(QString::fromStdString(parameters)),
                           workingFolder)) {
      return {};
    }
    return target + " could not be started.";
  }
  return Open(shell, QUrl::fromLocalFile(file.absoluteFilePath()), noProgram, std::move(tellLater));
}

}  // namespace lotwise
