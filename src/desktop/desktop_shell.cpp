#include <QDesktopServices>
#include <QProcess>

#include "desktop/shell.h"

namespace lotwise {

bool DesktopShell::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

bool DesktopShell::startProgram(const QString& program, const QStringList& arguments,
                                const QString& workingFolder) {
  return QProcess::startDetached(program, arguments, workingFolder);
}

}  // namespace lotwise
