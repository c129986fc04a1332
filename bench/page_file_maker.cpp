#include "page_file_maker.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <stdexcept>

#include "support/test_config.h"

namespace lotwise::bench {

MadePageFile MakeCategoryPageFile(const std::filesystem::path& file, std::size_t rows,
                                  std::size_t rowBytes, std::uint32_t seed) {
  std::FILE* out = std::fopen(file.c_str(), "wb");
  if (out == nullptr) throw std::runtime_error("cannot create " + file.string());
  std::mt19937 random(seed);
  MadePageFile made;
  std::string row;
  for (std::size_t i = 0; i < rows; ++i) {
    const int bids = static_cast<int>(random() % 1000);
    const std::string item = std::to_string(3000000000LL + static_cast<long long>(i) * 7);
    const std::string address = "http://cgi.sample.test/ws/eBayISAPI.dll?ViewItem&item=" + item +
                                "&category=" + std::to_string(10000 + random() % 90000);
    row =
        "<table width=\"100%\" cellpadding=3 border=0 cellspacing=0 bgcolor=\"#FFFFFF\">"
        "<tr valign=middle><td width=\"12%\" align=center><a href=\"" +
        address + "\"><img src=\"http://pics.sample.test/" + item +
        ".jpg\" border=0 width=80 height=60></a></TD><TD WIDTH=\"50%\"><a href=\"" + address +
        "\">Vintage Brass Desk Lamp " + item + "</a>\n<br><font size=1>#" + item + "</font>";
    const std::string tail = "</TD><TD WIDTH=\"12%\" ALIGN=RIGHT><b>$" +
                             std::to_string(1 + random() % 400) +
                             ".50</b></TD><TD ALIGN=CENTER WIDTH=\"10%\">" + std::to_string(bids) +
                             "<br></TD><TD WIDTH=\"16%\" ALIGN=CENTER>Mar-05 18:30</TD></tr>"
                             "</table>\r\n";
    const std::string filler =
        "<font size=1 color=\"#666666\">Solid brass, rewired, ships insured; see the photos "
        "for the condition.</font> ";
    while (row.size() + tail.size() < rowBytes) {
      row.append(filler, 0, std::min(filler.size(), rowBytes - row.size() - tail.size()));
    }
    row += tail;
    if (std::fwrite(row.data(), 1, row.size(), out) != row.size()) {
      std::fclose(out);
      throw std::runtime_error("cannot write " + file.string());
    }
    made.bytes += row.size();
    ++made.lines;
    if (bids > made.highest) made.highest = static_cast<std::int16_t>(bids);
  }
  if (std::fclose(out) != 0) throw std::runtime_error("cannot write " + file.string());
  return made;
}

Config BenchConfig() {
  Config config = testing::TestConfig();
  config.itemPageHost = "cgi.sample.test";  // the host of the item links in the made rows
  return config;
}

ScratchFolder::ScratchFolder(const std::string& name) {
  const char* base = std::getenv("LOTWISE_BENCH_DIR");
  path_ = (base != nullptr && *base != '\0' ? std::filesystem::path(base)
                                            : std::filesystem::temp_directory_path()) /
          ("lotwise-bench-" + name + "-" + std::to_string(::getpid()));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace lotwise::bench
