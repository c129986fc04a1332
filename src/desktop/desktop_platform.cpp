#include "desktop/desktop_platform.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>
#include <utility>

#include "desktop/shell_open.h"

namespace lotwise {
namespace {

constexpr std::chrono::milliseconds kStopWatchInterval{50};

}  // namespace

DesktopPlatform::DesktopPlatform(Shell& shell, CurlFetcher::Options fetchOptions)
    : FetchingPlatform([this] { WhileFetching(); }, fetchOptions), shell_(shell) {}

void DesktopPlatform::attachView(QWidget* view, std::function<void()> refresh) {
  view_ = view;
  refresh_ = std::move(refresh);
}

void DesktopPlatform::RefreshView() {
  if (view_ && refresh_) refresh_();
}

void DesktopPlatform::WhileFetching() {
  DoEvents();
  if (fetchesAbandoned_) throw FetchError("The window was closed.");
}

std::string DesktopPlatform::OpenURL(const std::string& url) {
  if (fetchesAbandoned_) throw FetchError("The window was closed.");
  return fetcher().OpenURL(url);
}

HttpResponse DesktopPlatform::Send(const HttpRequest& request) {
  if (fetchesAbandoned_) throw FetchError("The window was closed.");
  return fetcher().Send(request);
}

void DesktopPlatform::DoEvents() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  RefreshView();
}

void DesktopPlatform::ShellOpen(const std::string& target, const std::string& parameters,
                                const std::string& directory) {
  // What could not be opened is said, at once or once the handler has failed; the model
  // does not wait for a result.
  const std::string failure = OpenWithShell(shell_, target, parameters, directory,
                                            [this](const std::string& late) { MessageBox(late); });
  if (!failure.empty()) MessageBox(failure);
}

void DesktopPlatform::MessageBox(const std::string& text) {
  RefreshView();
  QMessageBox box(QMessageBox::Information, QCoreApplication::applicationName(),
                  QString::fromStdString(text), QMessageBox::Ok, view_.data());
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void DesktopPlatform::Pause(std::chrono::milliseconds duration) {
  const auto over = [this] { return fetchesAbandoned_ || StopAsked(); };
  if (over()) return;
  QEventLoop loop;
  QTimer::singleShot(duration, &loop, &QEventLoop::quit);
  // Looked at as often as a fetch looks: "Stop Search" or the window closing ends the
  // pause as it ends a fetch.
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, &loop, [&over, &loop] {
    if (over()) loop.quit();
  });
  watch.start(kStopWatchInterval);
  loop.exec();
  RefreshView();
}

}  // namespace lotwise
