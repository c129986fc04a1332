#include "files/file_failure.h"

namespace lotwise {

std::string FileFailure(std::string_view what, const std::filesystem::path& file,
                        std::error_code error) {
  return FileFailure(what, file, error.message());
}

std::string FileFailure(std::string_view what, const std::filesystem::path& file,
                        std::string_view reason) {
  const std::u8string name = file.filename().u8string();
  std::string text(what);
  text += ' ';
  text.append(reinterpret_cast<const char*>(name.data()), name.size());
  text += ": ";
  text += reason;
  return text;
}

}  // namespace lotwise
