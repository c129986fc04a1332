#pragma once

#include <QIcon>
#include <QPixmap>

namespace lotwise {

// The pictures built into the program.
QPixmap BannerPicture();  // the About window's banner, 384 x 139 pixels
QPixmap IconPicture();    // the program's icon, as the About window shows it
QIcon ProgramIcon();      // the program's icon in every size it comes in

}  // namespace lotwise
