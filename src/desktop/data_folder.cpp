#include "desktop/data_folder.h"

#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace lotwise {
namespace {

constexpr const char* kSuppliedFiles[] = {"instructions.htm"};

std::string ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void CopyWhenDifferent(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(from, error)) return;
  if (std::filesystem::exists(to, error) && ReadAll(from) == ReadAll(to)) return;
  std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error);
}

}  // namespace

bool CanWriteIn(const std::filesystem::path& folder) {
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) return false;
  const std::filesystem::path probe = folder / ".lotwise-write-test";
  bool written = false;
  {
    std::ofstream out(probe, std::ios::binary | std::ios::trunc);
    written = out.good() && (out << 'x') && out.flush().good();
  }
  std::filesystem::remove(probe, error);
  return written;
}

std::filesystem::path ChooseDataFolder(const std::filesystem::path& programFolder,
                                       const std::filesystem::path& userFolder,
                                       const CanWrite& canWrite) {
  if (canWrite(programFolder) || userFolder.empty()) return programFolder;
  std::error_code error;
  std::filesystem::create_directories(userFolder, error);
  return canWrite(userFolder) ? userFolder : programFolder;
}

std::filesystem::path PrepareDataFolder(const std::filesystem::path& programFolder,
                                        const std::filesystem::path& userFolder,
                                        const CanWrite& canWrite) {
  const std::filesystem::path folder = ChooseDataFolder(programFolder, userFolder, canWrite);
  if (folder != programFolder) {
    for (const char* name : kSuppliedFiles) CopyWhenDifferent(programFolder / name, folder / name);
  }
  return folder;
}

}  // namespace lotwise
