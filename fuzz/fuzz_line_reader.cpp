// The page-file line reader: LineSplitter fed in pieces of any sizes and ReadLines on a
// real file must give the lines of a plain split of the whole text (a line ends at CR or
// CR LF, a lone LF stays in the line, a last line without a line end is still a line).
//
// Input: one byte that seeds the piece sizes (and, when its top three bits are set, has
// the text read back from a file too), then the text.

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "collect/page_file.h"
#include "fuzz_support.h"
#include "text/lines.h"

namespace {

std::vector<std::string> PlainLines(std::string_view text) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      lines.push_back(line);
      line.clear();
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += text[i];
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace lotwise;
  if (size < 1) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::vector<std::string> expected = PlainLines(text);

  std::vector<std::string> lines;
  const LineHandler collect = [&lines](std::string_view line) { lines.emplace_back(line); };
  // Each line stands in the text at the offset the splitter gives with it.
  const LineSplitter::EachLine collectAt = [&](std::string_view line, std::uint64_t offset) {
    FUZZ_EXPECT(offset <= text.size() && text.substr(offset, line.size()) == line);
    collect(line);
  };
  LineSplitter splitter;
  std::minstd_rand pieces(data[0]);
  for (std::string_view rest = text; !rest.empty();) {
    const std::size_t piece = std::min<std::size_t>(rest.size(), pieces() % 9);
    splitter.Feed(rest.substr(0, piece), collectAt);
    rest.remove_prefix(piece);
  }
  splitter.Finish(collectAt);
  FUZZ_EXPECT(lines == expected);

  if ((data[0] & 0xe0) != 0xe0) return 0;
  const std::filesystem::path file = fuzz::AppFolder() / "lines.txt";
  if (std::FILE* out = std::fopen(file.c_str(), "wb")) {
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    std::fclose(out);
    FUZZ_EXPECT(written);
  }
  lines.clear();
  FUZZ_EXPECT(ReadLines(file, collect));
  FUZZ_EXPECT(lines == expected);
  return 0;
}
