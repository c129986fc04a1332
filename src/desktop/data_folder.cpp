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

ProgramFolders LocateProgram(const std::filesystem::path& programFolder,
                             const std::filesystem::path& installedFiles) {
  const std::filesystem::path installed = (programFolder / installedFiles).lexically_normal();
  std::error_code error;
  if (installedFiles.empty() || !std::filesystem::is_directory(installed, error)) {
    return {programFolder, {}};
  }
  return {programFolder, installed};
}

std::filesystem::path PrepareDataFolder(const ProgramFolders& program,
                                        const std::filesystem::path& userFolder,
                                        const CanWrite& canWrite) {
  // Without a per-user folder at all (no home folder) even an installed program can only
  // keep to the rule of a program run where it was built.
  const bool installed = !program.installedFiles.empty() && !userFolder.empty();
  std::filesystem::path folder;
  if (installed) {
    std::error_code error;
    std::filesystem::create_directories(userFolder, error);
    folder = userFolder;
  } else {
    folder = ChooseDataFolder(program.program, userFolder, canWrite);
  }
  const std::filesystem::path& supplied = installed ? program.installedFiles : program.program;
  if (folder != supplied) {
    for (const char* name : kSuppliedFiles) CopyWhenDifferent(supplied / name, folder / name);
  }
  return folder;
}

}  // namespace lotwise
