#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

namespace lotwise {

// The two ways the desktop opens a target: a document or address with its default
// handler, or a program started on its own. Results are reported but nobody has to read them.
class Shell {
 public:
  virtual ~Shell() = default;
  virtual bool openUrl(const QUrl& url) = 0;
  // Opens `url` as openUrl does, and calls `failedLater` from the event loop, while the
  // shell lives, when the handler it was handed to fails after this returned true. A shell
  // that learns nothing afterwards only opens it.
  virtual bool openWatched(const QUrl& url, std::function<void()> failedLater) {
    static_cast<void>(failedLater);
    return openUrl(url);
  }
  virtual bool startProgram(const QString& program, const QStringList& arguments,
                            const QString& workingFolder) = 0;
};

// The real desktop: documents and addresses go to xdg-open where there is one (on Linux and
// the like), whose end says whether anything could open them, else to QDesktopServices;
// programs start as detached processes.
class DesktopShell : public Shell {
 public:
  DesktopShell() = default;
  ~DesktopShell() override;
  DesktopShell(const DesktopShell&) = delete;
  DesktopShell& operator=(const DesktopShell&) = delete;

  bool openUrl(const QUrl& url) override { return openWatched(url, {}); }
  bool openWatched(const QUrl& url, std::function<void()> failedLater) override;
  bool startProgram(const QString& program, const QStringList& arguments,
                    const QString& workingFolder) override;

  // Whether every xdg-open started has ended and been heard.
  bool idle() const;

 private:
  QObject openers_;  // the xdg-open processes still running
};

}  // namespace lotwise
