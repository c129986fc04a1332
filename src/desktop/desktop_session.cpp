#include "desktop/desktop_session.h"

#include <QString>
#include <cstdio>
#include <cstdlib>

namespace lotwise {
namespace {

// Qt takes a message handler as a plain function: the one it had before lives here, for
// the messages that are not about the display.
QtMessageHandler handlerBefore = nullptr;

void EndWithoutDesktopSession(QtMsgType type, const QMessageLogContext& context,
                              const QString& message) {
  if (type == QtFatalMsg &&
      message.contains(QLatin1String("no Qt platform plugin could be initialized"))) {
    std::fputs(NoDesktopSessionText().c_str(), stderr);
    std::fflush(stderr);
    std::_Exit(1);
  }
  if (handlerBefore != nullptr) handlerBefore(type, context, message);
}

bool IsSet(const std::optional<std::string>& value) { return value && !value->empty(); }

}  // namespace

bool HasDesktopSession(bool platformChosen, const EnvironmentVariable& variable) {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
  static_cast<void>(platformChosen);
  static_cast<void>(variable);
  return true;
#else
  return platformChosen || IsSet(variable("QT_QPA_PLATFORM")) || IsSet(variable("DISPLAY")) ||
         IsSet(variable("WAYLAND_DISPLAY"));
#endif
}

std::string NoDesktopSessionText() {
  return "lotwise needs a desktop session to show its window, and none can be reached here "
         "(see DISPLAY and WAYLAND_DISPLAY); lotwise-search runs searches without one.\n";
}

NoDesktopSessionGuard::NoDesktopSessionGuard()
    : previous_(qInstallMessageHandler(EndWithoutDesktopSession)) {
  handlerBefore = previous_;
}

NoDesktopSessionGuard::~NoDesktopSessionGuard() {
  qInstallMessageHandler(previous_);
  handlerBefore = nullptr;
}

}  // namespace lotwise
