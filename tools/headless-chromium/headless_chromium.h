#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lotwise {

// Debian's chromium on the PATH; nullopt when it is not installed.
std::optional<std::filesystem::path> FindChromium();

// How a run of the browser ended.
struct BrowserRun {
  bool ended = false;  // by itself, within the time allowed
  int exitCode = -1;
  std::string output;  // its standard output
  std::string errors;  // its error output, for messages
  bool succeeded() const { return ended && exitCode == 0; }
};

// Chromium without a display, each run on a new empty profile that is removed after it,
// with nothing of its own going to the network: it reaches only the pages it is given
// and what they name.
class HeadlessChromium {
 public:
  explicit HeadlessChromium(std::filesystem::path chromium,
                            std::chrono::seconds limit = std::chrono::seconds(60));

  // Loads the page in the file `page` with every picture it names (the document's load
  // event waits for them) and gives the document as loaded, its scripts run, in `output`.
  // A `fragment` ("sort=price") is put after the file's address.
  BrowserRun Load(const std::filesystem::path& page, const std::string& fragment = "") const;

  // Loads the page and saves what a window `width` by `height` pixels shows of it as a
  // PNG file; `flags` are further options of the browser's ("--force-dark-mode").
  BrowserRun Screenshot(const std::filesystem::path& page, const std::filesystem::path& picture,
                        int width, int height, const std::vector<std::string>& flags = {}) const;

 private:
  BrowserRun Run(const std::vector<std::string>& arguments) const;

  std::filesystem::path chromium_;
  std::chrono::seconds limit_;
};

// "file:///..." for an absolute path, with characters other than letters, digits, "/",
// "-", ".", "_" and "~" percent-escaped.
std::string FileUrl(const std::filesystem::path& file);

}  // namespace lotwise
