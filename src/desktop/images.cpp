#include "desktop/images.h"

#include <QString>

// Registers the pictures compiled into this library; a static library's resources are
// not registered unless something refers to them.
static void RegisterPictures() {
  static const bool registered = [] {
    Q_INIT_RESOURCE(lotwise);
    return true;
  }();
  (void)registered;
}

namespace lotwise {

QIcon BannerPicture() {
  RegisterPictures();
  QIcon banner;
  banner.addFile(QStringLiteral(":/lotwise/banner.png"), kBannerSize);
  banner.addFile(QStringLiteral(":/lotwise/banner@2x.png"), kBannerSize * 2);
  return banner;
}

QIcon ProgramIcon() {
  RegisterPictures();
  QIcon icon;
  for (const int size : {16, 32, 64, 256}) {
    icon.addFile(QStringLiteral(":/lotwise/icon-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace lotwise
