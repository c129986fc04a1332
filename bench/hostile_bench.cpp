// Growth on hostile input: every hot path is timed on an input and on one twice as
// large, in one run, and the ratio of the two times is the growth (2 for linear time;
// at most 2.2 allowed). Processor time, so that other programs on the machine do not
// stretch one side more than the other.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/search_window.h"
#include "collect/collect_error.h"
#include "collect/tables.h"
#include "growth.h"
#include "page_file_maker.h"
#include "report/active_content.h"
#include "report/affiliate.h"
#include "report/grab_bid.h"
#include "report/strip_bid.h"
#include "report/switch_url.h"
#include "text/marker.h"
#include "text/position.h"
#include "text/replace.h"
#include "timing.h"

namespace lotwise::bench {
namespace {

constexpr std::size_t kMiB = 1 << 20;
const std::string kBrowseCell = "</TD><TD ALIGN=CENTER WIDTH=\"10%\">";
const std::string kCompletedCell = "</td><td align=center valign=top width=10%><font size=3>";
const std::string kKeywordCell =
    "</td><td align=\"center\" valign=\"top\" width=\"10%\"><font size=\"3\">";

// `unit` repeated to `bytes` bytes (the last copy cut short).
std::string Repeat(const std::string& unit, std::size_t bytes) {
  std::string text;
  text.reserve(bytes);
  while (text.size() < bytes) text.append(unit, 0, std::min(unit.size(), bytes - text.size()));
  return text;
}

// `count` copies of what `link` makes of 0, 1, 2, ...
template <typename Link>
std::string Links(std::size_t count, Link link) {
  std::string row;
  for (std::size_t i = 0; i < count; ++i) row += link(i);
  return row;
}

// A platform that handles no input and fetches nothing.
class QuietPlatform : public Platform {
 public:
  std::string OpenURL(const std::string&) override { throw FetchError("no network here"); }
  void DoEvents() override {}
  void ShellOpen(const std::string&, const std::string&, const std::string&) override {}
  void MessageBox(const std::string&) override {}
};

// A window in a folder of its own, for the table-cutting loop.
struct CuttingWindow {
  ScratchFolder folder{"hostile"};
  QuietPlatform platform;
  SearchWindow window{BenchConfig(), folder.path(), platform};
};

void Cut(const std::string& page) {
  static CuttingWindow cutting;
  std::filesystem::remove(cutting.window.PageFilePath());
  try {
    CutTables(cutting.window.context(), page, InStrCI(page, kBrowseTableStart), kBrowseTableStart,
              TableEnd::Kept);
  } catch (const CollectError&) {
  }
}

const Config kConfig = BenchConfig();

std::string NoEndMarker(int k) { return std::string(kBrowseTableStart) + Repeat("x", k * kMiB); }
std::string StartsWithoutEnd(int k) { return Repeat(std::string(kBrowseTableStart), k * kMiB); }
std::string SmallTables(int k) {
  return Repeat(
      std::string(kBrowseTableStart) + "\"#FFFFFF\">" + std::string(900, 'r') + "</table>",
      k * kMiB);
}
// Repeated bid-cell markers whose cells never end: the first cell's end marker is
// searched for through the whole line. (Repeated whole cells cost less: each next
// marker is searched for from the sum of two positions, so a line of n characters has
// at most log2(n) cells read.)
std::string BrowseCellsWithoutEnd(int k) { return Repeat(kBrowseCell + "7", k * kMiB); }
std::string CompletedCellsWithoutEnd(int k) { return Repeat(kCompletedCell + "7", k * kMiB); }
std::string KeywordCellsWithoutEnd(int k) { return Repeat(kKeywordCell + "5", k * kMiB); }
// Markers wrong in their last character: the first marker is searched for through
// the whole line.
std::string BrowseNearMisses(int k) {
  return Repeat(kBrowseCell.substr(0, kBrowseCell.size() - 1) + "!", k * kMiB);
}
std::string KeywordNearMisses(int k) {
  return Repeat(kKeywordCell.substr(0, kKeywordCell.size() - 1) + "!", k * kMiB);
}
std::string BrowseLinks(int k) {
  return Links(100000 * static_cast<std::size_t>(k), [](std::size_t i) {
    return "<a href=\"http://cgi.sample.test/ws/eBayISAPI.dll?ViewItem&item=" + std::to_string(i) +
           "\">t</a>";
  });
}
std::string PlainAnchors(int k) { return Repeat("<a href=\"http:", k * kMiB); }
std::string LongAddress(int k) {
  const std::string address = Repeat("a:", k * kMiB / 4);
  return "<a href=\"http://" + kConfig.affiliateHost + "/click-" + kConfig.browseLinkId + "-" +
         kConfig.publisherId + "?loc=http%3A" + address + "\"" + address;
}
// A carried address of 255 characters, the longest the C library searches for with its
// shift table, almost found at every other place of 1 MiB after the link.
std::string PeriodicAddress(int k) {
  const std::string address = Repeat("a:", 254) + "b";
  return "<a href=\"http://" + kConfig.affiliateHost + "/click-" + kConfig.browseLinkId + "-" +
         kConfig.publisherId + "?loc=http%3A" + address + "\"" + Repeat("a:", k * kMiB);
}
std::string ItemLinks(int k) {
  return Links(100000 * static_cast<std::size_t>(k), [](std::size_t i) {
    return "<a href=\"http://cgi.sample.test/ws/eBayISAPI.dll?ViewItem&amp;item=" +
           std::to_string(i) + "&amp;category=1\">t</a>";
  });
}
std::string LinksWithoutItemEnd(int k) { return Repeat("\"http://x?item=", k * kMiB); }
// Tags with an event attribute each: every attribute is taken out, and what stays of
// the row is moved up after each.
std::string EventAttributes(int k) { return Repeat("<b onx=y>", k * kMiB); }
std::string TableEndNearMisses(int k) { return Repeat("</tabl</table", k * kMiB); }
std::string CategoryNearMisses(int k) { return Repeat("&category=123", k * kMiB); }

void CountBrowse(const std::string& line) { benchmark::DoNotOptimize(StripBid(line, 2)); }
void CountFeatured(const std::string& line) { benchmark::DoNotOptimize(StripBid(line, 3)); }
void CountCompleted(const std::string& line) { benchmark::DoNotOptimize(StripBid(line, 4)); }
void CountKeyword(const std::string& line) { benchmark::DoNotOptimize(GrabBid(line)); }
void RewriteBrowse(const std::string& line) {
  benchmark::DoNotOptimize(AddAffliate(line, kConfig).size());
}
void Escape(const std::string& line) { benchmark::DoNotOptimize(CgiConvert(line, kConfig).size()); }
void RewriteKeyword(const std::string& line) {
  benchmark::DoNotOptimize(SwitchUrl(line, kConfig).size());
}
void Clean(const std::string& row) {
  std::string cleaned = row;
  benchmark::DoNotOptimize(RemoveActiveContent(cleaned));
}
void FindTableEnd(const std::string& page) { benchmark::DoNotOptimize(InStrCI(page, kTableEnd)); }
void FindKeywordCell(const std::string& line) {
  benchmark::DoNotOptimize(InStrCI(line, kKeywordCell));
}
// As AddAffliate removes a short category: into a text kept from row to row.
void RemoveCategory(const std::string& line) {
  static std::string out;
  benchmark::DoNotOptimize(
      ReplaceAllInto(line, Marker("&category=1234", Marker::Case::kExact), "", out));
}

LOTWISE_GROWTH(CutTables_1MiBPageWithoutEndMarker, NoEndMarker, Cut);
LOTWISE_GROWTH(CutTables_1MiBOfTableStartsWithoutEnd, StartsWithoutEnd, Cut);
LOTWISE_GROWTH(CutTables_1MiBOf1KBTables, SmallTables, Cut);
LOTWISE_GROWTH(StripBid_1MiBLineOfCategoryMarkers, BrowseCellsWithoutEnd, CountBrowse);
LOTWISE_GROWTH(StripBid_1MiBLineOfFeaturedMarkers, BrowseCellsWithoutEnd, CountFeatured);
LOTWISE_GROWTH(StripBid_1MiBLineOfCompletedMarkers, CompletedCellsWithoutEnd, CountCompleted);
LOTWISE_GROWTH(StripBid_1MiBLineOfNearMisses, BrowseNearMisses, CountBrowse);
LOTWISE_GROWTH(GrabBid_1MiBLineOfMarkers, KeywordCellsWithoutEnd, CountKeyword);
LOTWISE_GROWTH(GrabBid_1MiBLineOfNearMisses, KeywordNearMisses, CountKeyword);
LOTWISE_GROWTH(AddAffliate_RowWith100000Links, BrowseLinks, RewriteBrowse);
LOTWISE_GROWTH(AddAffliate_1MiBOfAnchorStarts, PlainAnchors, RewriteBrowse);
LOTWISE_GROWTH(CgiConvert_256KiBAddressCopied, LongAddress, Escape);
LOTWISE_GROWTH(CgiConvert_255CharAddressIn1MiBOfNearMisses, PeriodicAddress, Escape);
LOTWISE_GROWTH(SwitchUrl_RowWith100000ItemLinks, ItemLinks, RewriteKeyword);
LOTWISE_GROWTH(SwitchUrl_1MiBOfLinksWithoutItemEnd, LinksWithoutItemEnd, RewriteKeyword);
LOTWISE_GROWTH(RemoveActiveContent_1MiBOfEventAttributes, EventAttributes, Clean);
LOTWISE_GROWTH(InStrCI_TableEndIn1MiBOfNearMisses, TableEndNearMisses, FindTableEnd);
LOTWISE_GROWTH(InStrCI_KeywordCellIn1MiBOfNearMisses, KeywordNearMisses, FindKeywordCell);
LOTWISE_GROWTH(ReplaceAll_CategoryIn1MiBOfNearMisses, CategoryNearMisses, RemoveCategory);

}  // namespace
}  // namespace lotwise::bench

int main(int argc, char** argv) { return lotwise::bench::RunKeepingFreedMemory(argc, argv); }
