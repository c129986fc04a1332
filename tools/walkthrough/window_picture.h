#pragma once

#include <filesystem>

#include "app/search_window.h"

namespace lotwise {

// Draws the desktop window over `model` as it shows the model's present state and saves
// the picture as a PNG file. Needs a QApplication; works on the offscreen platform.
// False when the file could not be written.
bool SaveWindowPicture(SearchWindow& model, const std::filesystem::path& file);

}  // namespace lotwise
