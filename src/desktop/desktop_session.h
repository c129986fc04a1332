#pragma once

#include <QtGlobal>
#include <functional>
#include <optional>
#include <string>

namespace lotwise {

// The environment variable `name`; nothing when it is not set.
using EnvironmentVariable = std::function<std::optional<std::string>(const char* name)>;

// Whether the window has a desktop session to show in. Where Qt was told a platform
// (-platform NAME, or QT_QPA_PLATFORM), reaching it is left to Qt; otherwise, on the
// systems of X11 and Wayland, a session names its display in DISPLAY or WAYLAND_DISPLAY.
bool HasDesktopSession(bool platformChosen, const EnvironmentVariable& variable);

// The one line the program ends with when it has none.
std::string NoDesktopSessionText();

// While it lives, Qt's failure to reach the display it was given (a session named but gone,
// a platform that cannot start here) ends the program with NoDesktopSessionText and exit
// code 1, where Qt would abort advising to reinstall. Made before the application.
class NoDesktopSessionGuard {
 public:
  NoDesktopSessionGuard();
  ~NoDesktopSessionGuard();
  NoDesktopSessionGuard(const NoDesktopSessionGuard&) = delete;
  NoDesktopSessionGuard& operator=(const NoDesktopSessionGuard&) = delete;

 private:
  QtMessageHandler previous_;
};

}  // namespace lotwise
