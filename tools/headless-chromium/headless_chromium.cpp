#include "headless-chromium/headless_chromium.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>
#include <thread>

#include "headless-chromium/scratch_folder.h"
#include "text/percent_encoding.h"

extern char** environ;

namespace lotwise {
namespace {

// Every run: no display, no sandbox (which refuses to start as root), and none of the
// browser's own connections (updates, sync, field trials), which a closed network
// refuses; no scroll bars in pictures.
constexpr const char* kFlags[] = {
    "--headless",
    "--no-sandbox",
    "--disable-gpu",
    "--disable-quic",
    "--no-first-run",
    "--disable-background-networking",
    "--disable-component-update",
    "--disable-sync",
    "--hide-scrollbars",
};

std::string ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Starts `arguments` in a process group of its own, with its output in the two files.
pid_t Spawn(const std::vector<std::string>& arguments, const std::filesystem::path& output,
            const std::filesystem::path& errors) {
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, output.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&files, STDERR_FILENO, errors.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int failed = posix_spawn(&pid, argv[0], &files, &attributes, argv.data(), environ);
  posix_spawn_file_actions_destroy(&files);
  posix_spawnattr_destroy(&attributes);
  if (failed != 0) {
    throw std::system_error(failed, std::generic_category(), "cannot start " + arguments[0]);
  }
  return pid;
}

}  // namespace

std::optional<std::filesystem::path> FindChromium() {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path != nullptr ? path : "/usr/bin:/bin");
  for (std::string folder; std::getline(folders, folder, ':');) {
    if (folder.empty()) continue;
    const std::filesystem::path program = std::filesystem::path(folder) / "chromium";
    if (access(program.c_str(), X_OK) == 0) return program;
  }
  return std::nullopt;
}

HeadlessChromium::HeadlessChromium(std::filesystem::path chromium, std::chrono::seconds limit)
    : chromium_(std::move(chromium)), limit_(limit) {}

BrowserRun HeadlessChromium::Load(const std::filesystem::path& page,
                                  const std::string& fragment) const {
  return Run({"--dump-dom", FileUrl(page) + (fragment.empty() ? "" : "#" + fragment)});
}

BrowserRun HeadlessChromium::Screenshot(const std::filesystem::path& page,
                                        const std::filesystem::path& picture, int width, int height,
                                        const std::vector<std::string>& flags) const {
  std::vector<std::string> arguments = flags;
  arguments.push_back("--screenshot=" + std::filesystem::absolute(picture).string());
  arguments.push_back("--window-size=" + std::to_string(width) + "," + std::to_string(height));
  arguments.push_back(FileUrl(page));
  return Run(arguments);
}

BrowserRun HeadlessChromium::Run(const std::vector<std::string>& arguments) const {
  const ScratchFolder scratch("lotwise-browser");
  std::vector<std::string> command{chromium_.string()};
  command.insert(command.end(), std::begin(kFlags), std::end(kFlags));
  command.push_back("--user-data-dir=" + (scratch.path() / "profile").string());
  command.insert(command.end(), arguments.begin(), arguments.end());
  const pid_t pid = Spawn(command, scratch.path() / "output", scratch.path() / "errors");

  BrowserRun run;
  const auto deadline = std::chrono::steady_clock::now() + limit_;
  for (;;) {
    int status = 0;
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) {
      run.ended = true;
      run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      break;
    }
    if (done < 0 && errno != EINTR) break;
    if (std::chrono::steady_clock::now() >= deadline) {
      kill(-pid, SIGKILL);  // the browser and the processes it started
      waitpid(pid, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  run.output = ReadAll(scratch.path() / "output");
  run.errors = ReadAll(scratch.path() / "errors");
  return run;
}

std::string FileUrl(const std::filesystem::path& file) {
  return "file://" + PercentEncoded(std::filesystem::absolute(file).string(), "/");
}

}  // namespace lotwise
