#include "cli/desktop_opener.h"

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace lotwise {

std::string OpenOnDesktop(const std::string& file) {
#ifdef Q_OS_MACOS
  const QString opener = QStringLiteral("open");
#else
  const QString opener = QStringLiteral("xdg-open");
#endif
  if (QProcess::startDetached(opener, {QFile::decodeName(QByteArray::fromStdString(file))})) {
    return {};
  }
  return "lotwise-search: " + file +
         " could not be handed to the desktop: " + opener.toStdString() + " could not be started";
}

}  // namespace lotwise
