#pragma once

#include <QPointer>
#include <QWidget>
#include <chrono>
#include <functional>
#include <string>
#include <utility>

#include "desktop/shell.h"
#include "http/curl_fetcher.h"
#include "http/fetching_platform.h"
#include "platform/platform.h"

namespace lotwise {

// The platform of the desktop program: pages come through libcurl while the window keeps
// handling input, targets go to the desktop shell, messages are modal message boxes.
class DesktopPlatform : public FetchingPlatform {
 public:
  explicit DesktopPlatform(Shell& shell, CurlFetcher::Options fetchOptions = {});

  // The window that shows the model: refreshed after every DoEvents and the owner of
  // message boxes. Set once the window exists (the window needs the model, the model
  // needs this platform).
  void attachView(QWidget* view, std::function<void()> refresh);

  // From now on every fetch ends at its next wait with a FetchError, so that a search
  // unwinds quickly once the window is to close.
  void abandonFetches() { fetchesAbandoned_ = true; }

  std::string OpenURL(const std::string& url) override;
  void DoEvents() override;
  void ShellOpen(const std::string& target, const std::string& parameters,
                 const std::string& directory) override;
  void MessageBox(const std::string& text) override;
  void Pause(std::chrono::milliseconds duration) override;
  // A request of a source of items, waiting as OpenURL does; one cut short by "Stop
  // Search" gives no answer (HttpResponse::Stopped).
  HttpResponse Send(const HttpRequest& request) override;

 private:
  void RefreshView();
  void WhileFetching();

  Shell& shell_;
  QPointer<QWidget> view_;
  std::function<void()> refresh_;
  bool fetchesAbandoned_ = false;
};

}  // namespace lotwise
