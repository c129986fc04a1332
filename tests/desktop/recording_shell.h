#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <vector>

#include "desktop/shell.h"

namespace lotwise::testing {

// A desktop shell that opens nothing and remembers what it was asked to open.
class RecordingShell : public Shell {
 public:
  struct Program {
    QString program;
    QStringList arguments;
    QString workingFolder;
  };

  std::vector<QUrl> urls;
  std::vector<Program> programs;
  bool noMailProgram = false;  // "mailto:" addresses find no handler

  bool openUrl(const QUrl& url) override {
    urls.push_back(url);
    return !(noMailProgram && url.scheme() == QLatin1String("mailto"));
  }
  bool startProgram(const QString& program, const QStringList& arguments,
                    const QString& workingFolder) override {
    programs.push_back({program, arguments, workingFolder});
    return true;
  }
  std::size_t calls() const { return urls.size() + programs.size(); }
};

}  // namespace lotwise::testing
