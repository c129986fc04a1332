#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "app/config.h"

namespace lotwise::bench {

// What a made page file holds.
struct MadePageFile {
  std::size_t lines = 0;
  std::uintmax_t bytes = 0;
  std::int16_t highest = 0;  // the highest bid count, as the scan finds it
};

// A category page file of `rows` item tables of about `rowBytes` bytes each, as the
// listing pages deliver them (a picture link and a title link to the item page, a short
// category parameter, a price, a bid cell, an end time; filler text up to the size; a
// lone LF inside; CR LF after each), with bid counts drawn evenly from 0 to 999. The
// same seed gives the same file.
MadePageFile MakeCategoryPageFile(const std::filesystem::path& file, std::size_t rows,
                                  std::size_t rowBytes, std::uint32_t seed = 1);

// The configuration the benchmarks write reports with.
Config BenchConfig();

// A fresh folder under $LOTWISE_BENCH_DIR (or the system's temporary folder), removed
// with everything in it when this is destroyed.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace lotwise::bench
