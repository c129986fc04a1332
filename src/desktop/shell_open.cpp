#include "desktop/shell_open.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

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

}  // namespace

std::string OpenWithShell(Shell& shell, const std::string& target, const std::string& parameters,
                          const std::string& directory) {
  const QString text = QString::fromStdString(target);
  if (text.isEmpty()) return {};
  if (IsAddress(text)) {
    if (shell.openUrl(QUrl(text, QUrl::TolerantMode))) return {};
    if (text.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive)) {
      return "No e-mail program is set up to write to " + target.substr(7) + ".";
    }
    return "No program on this computer could open " + target + ".";
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
  if (shell.openUrl(QUrl::fromLocalFile(file.absoluteFilePath()))) return {};
  return "No program on this computer could open " + target + ".";
}

}  // namespace lotwise
