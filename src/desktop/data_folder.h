#pragma once

#include <filesystem>
#include <functional>

namespace lotwise {

using CanWrite = std::function<bool(const std::filesystem::path& folder)>;

// True when a file can be created in `folder` (tried by creating and removing one,
// so that it holds for every user, root included).
bool CanWriteIn(const std::filesystem::path& folder);

// Where the program runs from: its own folder and, when it is installed, the folder of
// the files installed with it.
struct ProgramFolders {
  std::filesystem::path program;
  std::filesystem::path installedFiles;  // empty when it runs from where it was built
};

// The program in `programFolder` is installed when `programFolder / installedFiles`
// (`../share/lotwise` from a `bin/`) is a folder.
ProgramFolders LocateProgram(const std::filesystem::path& programFolder,
                             const std::filesystem::path& installedFiles);

// The folder for the page file and the report of a program run from where it was built.
// The program's folder when it is writable; otherwise the per-user data folder, created
// on demand; the program's folder again when even that cannot be written (a search then
// reports why it failed).
std::filesystem::path ChooseDataFolder(const std::filesystem::path& programFolder,
                                       const std::filesystem::path& userFolder,
                                       const CanWrite& canWrite);

// Chooses the data folder and copies the files supplied with the program that the Help
// menu opens from there (instructions.htm) into it whenever the copy is missing or
// differs. An installed program always keeps to the per-user data folder, created on
// demand, whoever runs it, root included, and takes the files from those installed with
// it; a program run from where it was built keeps to ChooseDataFolder's rule and takes
// them from its own folder. Gives the chosen folder.
std::filesystem::path PrepareDataFolder(const ProgramFolders& program,
                                        const std::filesystem::path& userFolder,
                                        const CanWrite& canWrite);

}  // namespace lotwise
