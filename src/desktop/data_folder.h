#pragma once

#include <filesystem>
#include <functional>

namespace lotwise {

using CanWrite = std::function<bool(const std::filesystem::path& folder)>;

// True when a file can be created in `folder` (tried by creating and removing one,
// so that it holds for every user, root included).
bool CanWriteIn(const std::filesystem::path& folder);

// The folder for the page file and the report. The program's folder when it is
// writable; otherwise the per-user data folder, created on demand; the program's folder
// again when even that cannot be written (a search then reports why it failed).
std::filesystem::path ChooseDataFolder(const std::filesystem::path& programFolder,
                                       const std::filesystem::path& userFolder,
                                       const CanWrite& canWrite);

// Chooses the data folder and, when it is not the program's folder, copies the files
// supplied with the program that the Help menu opens from there (instructions.htm)
// whenever the copy is missing or differs. Gives the chosen folder.
std::filesystem::path PrepareDataFolder(const std::filesystem::path& programFolder,
                                        const std::filesystem::path& userFolder,
                                        const CanWrite& canWrite);

}  // namespace lotwise
