#pragma once

#include <QIcon>
#include <QSize>

namespace lotwise {

// The pictures built into the program.
// The About window's banner: 384 x 139 pixels, also drawn for double-density screens.
QIcon BannerPicture();
inline constexpr QSize kBannerSize{384, 139};
// The program's icon in every size it comes in.
QIcon ProgramIcon();

}  // namespace lotwise
