#include "walkthrough/window_picture.h"

#include <QApplication>
#include <QFile>
#include <QPixmap>

#include "desktop/main_window.h"

namespace lotwise {

bool SaveWindowPicture(SearchWindow& model, const std::filesystem::path& file) {
  MainWindow window(model);
  window.show();
  QApplication::processEvents();
  return window.grab().save(QFile::decodeName(file.string().c_str()), "PNG");
}

}  // namespace lotwise
