#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

namespace lotwise {

// The two ways the desktop opens a target: a document or address with its default
// handler, or a program started on its own. Results are reported but nobody has to read them.
class Shell {
 public:
  virtual ~Shell() = default;
  virtual bool openUrl(const QUrl& url) = 0;
  virtual bool startProgram(const QString& program, const QStringList& arguments,
                            const QString& workingFolder) = 0;
};

// The real desktop: QDesktopServices for documents and addresses, a detached process
// for programs.
class DesktopShell : public Shell {
 public:
  bool openUrl(const QUrl& url) override;
  bool startProgram(const QString& program, const QStringList& arguments,
                    const QString& workingFolder) override;
};

}  // namespace lotwise
