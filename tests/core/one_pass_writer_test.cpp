#include "report/one_pass_writer.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <string>
#include <vector>

#include "app/search_window.h"
#include "collect/page_file.h"
#include "report/grab_bid.h"
#include "report/line_rows.h"
#include "report/report_file.h"
#include "report/strip_bid.h"
#include "report/write_report.h"
#include "support/count_passes.h"
#include "support/expected_report.h"
#include "support/fake_platform.h"
#include "support/test_config.h"

namespace lotwise {
namespace {

using testing::FakePlatform;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

// Page files made to go wrong: bid cells of every kind with first markers in any case,
// later ones in odd case, cells without an end marker, bid texts that are no count,
// featured cells that start with a tag or run long, links the row rewriting changes,
// empty lines, and CR, CR LF and lone LF line ends.
class RandomPage {
 public:
  explicit RandomPage(unsigned seed) : random_(seed) {}

  std::string File(int kind) {
    std::string file;
    const int lines = Below(40);
    for (int i = 0; i < lines; ++i) {
      file += Line(kind);
      file += Pick({"\r\n", "\r\n", "\r", "\n", "\r\n\r\n"});
    }
    if (Below(2) == 0) file += Line(kind);  // a last line without a line end
    return file;
  }

  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

 private:
  std::string Pick(std::initializer_list<std::string> choices) {
    return *(choices.begin() + Below(static_cast<int>(choices.size())));
  }

  std::string Line(int kind) {
    std::string line;
    const int pieces = Below(6);
    for (int i = 0; i < pieces; ++i) {
      switch (Below(4)) {
        case 0:
          line += Cell(kind, i == 0);
          break;
        case 1:
          line += Link();
          break;
        case 2:
          line += Pick({"<td>", "</td></tr>", " ", "&category=12\">", "&category=123456\">",
                        "href=\"", "\"", "<b>", "http://", "item=5", "&amp;c"});
          break;
        default:
          line += std::string(Below(30), '.');
      }
    }
    return line;
  }

  std::string Cell(int kind, bool first) {
    std::string start;
    switch (kind) {
      case 1:
        start = "</td><td align=\"center\" valign=\"top\" width=\"10%\"><font size=\"3\">";
        break;
      case 4:
        start = "</td><td align=center valign=top width=10%><font size=3>";
        break;
      default:
        start = "</TD><TD ALIGN=CENTER WIDTH=\"10%\">";
    }
    if (Below(3) == 0) {
      for (char& c : start) c = static_cast<char>(first ? std::tolower(c) : std::toupper(c));
    }
    // Mostly small counts, so that many rows share one.
    const std::string bids = Below(2) == 0 ? std::to_string(Below(8) == 0 ? Below(1000) : Below(20))
                                           : Pick({"-", "", " 7", "7 ", "1000", "<b>5</b>", "abc",
                                                   "-5", "12.5", "$12.50", "+3", "0"});
    const std::string end = kind == 4 ? Pick({"<BR><img", "<br><IMG", "<br>", ""})
                                      : Pick({"<br>", "<BR>", "<bR>", "", "<br>"});
    return start + bids + end;
  }

  std::string Link() {
    const std::string item = std::to_string(Below(50));
    return Pick({"<a href=\"", "<A HREF=\"", "<A href=\"", "<img src=\""}) +
           Pick({"http://cgi.test/ws/eBayISAPI.dll?ViewItem&item=", "http://h.test/",
                 "https://h.test/?a=", "/rel?x="}) +
           item + Pick({"&amp;category=1", "&category=77", "", ":8?=&"}) +
           Pick({"\">", "\">Title</a>", ">"});
  }

  std::mt19937 random_;
};

// The count and row operations of a search kind.
struct Operations {
  explicit Operations(int searchKind) : kind(searchKind) {}

  BidCountOf count() const {
    return [this](std::string_view line) {
      return kind == 1 ? GrabBid(line) : StripBid(line, static_cast<std::int16_t>(kind));
    };
  }
  RowTextOf row() const {
    return [this](std::string_view line) {
      return kind == 1 ? ItemLinkRow(line, config) : AffiliateRow(line, config);
    };
  }
  std::int16_t Highest(const std::filesystem::path& file) {
    std::int16_t highest = 0;
    const BidCountOf bidCount = count();
    ReadLines(file, [&](std::string_view line) { highest = std::max(highest, bidCount(line)); });
    return highest;
  }

  int kind;
  Config config = testing::TestConfig();
};

// The rows the plain writer gives, after a scan that reads every line once first.
std::string PlainRows(const std::filesystem::path& file, int kind, std::int16_t minimum) {
  Operations plain(kind);
  const std::int16_t highest = plain.Highest(file);
  std::string rows;
  WriteRowsByCountPasses(file, highest, minimum, plain.count(), plain.row(),
                         [&rows](std::string_view row) { rows += row; });
  return rows;
}

// From 0 to above the highest count.
std::int16_t Minimum(RandomPage& random, std::int16_t highest) {
  return static_cast<std::int16_t>(random.Below(4) == 0 ? 0 : random.Below(highest + 3));
}

TEST(OnePassWriter, ReportsEqualThoseOfTheCountPassesOnRandomPageFiles) {
  RandomPage random(20240611);
  for (int kind = 1; kind <= 4; ++kind) {
    for (int round = 0; round < 150; ++round) {
      TempFolder folder;
      FakePlatform platform;
      SearchWindow window{testing::TestConfig(), folder.path(), platform};
      const std::string pageFile = random.File(kind);
      WriteFile(window.PageFilePath(), pageFile);
      const std::int16_t minimum = Minimum(random, Operations(kind).Highest(window.PageFilePath()));
      const std::string expected = testing::Report(PlainRows(window.PageFilePath(), kind, minimum));

      window.SearchKind = static_cast<std::int16_t>(kind);
      window.txtBids.text = std::to_string(minimum);
      WriteReport(window.context(), kind == 1 ? ItemLinkRows() : AffiliateRows());
      ASSERT_EQ(ReadFile(window.ReportPath()), expected)
          << "kind " << kind << ", minimum " << minimum << ", page file:\n"
          << pageFile;
    }
  }
}

TEST(OnePassWriter, RowsReadAgainBeyondTheMemoryLimitKeepTheirPlace) {
  RandomPage random(7);
  for (int kind = 1; kind <= 4; ++kind) {
    for (int round = 0; round < 100; ++round) {
      TempFolder folder;
      const std::filesystem::path file = folder.path() / kPageFileName;
      WriteFile(file, random.File(kind));
      Operations onePass(kind);
      const std::int16_t highest = onePass.Highest(file);
      const std::int16_t minimum = Minimum(random, highest);
      {
        ReportFile report(folder.path() / kReportFileName);
        // From a limit below a single row, so that only the first row is held, up; the
        // file read in pieces from one byte on, so that lines and CR LF span pieces.
        const OnePassLimits limits{static_cast<std::size_t>(random.Below(4000)),
                                   static_cast<std::size_t>(1 + random.Below(64))};
        WriteRowsInOnePass(file, highest, minimum, onePass.count(), onePass.row(), report, limits);
        report.Commit();
      }
      ASSERT_EQ(ReadFile(folder.path() / kReportFileName), PlainRows(file, kind, minimum));
      EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                              std::filesystem::directory_iterator()),
                2);  // the page file and the report
    }
  }
}

TEST(OnePassWriter, PageFileGoneOnlyMattersWhenAPassWouldRun) {
  TempFolder folder;
  Operations operations(2);
  ReportFile report(folder.path() / kReportFileName);
  const std::filesystem::path gone = folder.path() / kPageFileName;
  EXPECT_NO_THROW(WriteRowsInOnePass(gone, 3, 4, operations.count(), operations.row(), report));
  try {
    WriteRowsInOnePass(gone, 4, 4, operations.count(), operations.row(), report);
    ADD_FAILURE() << "no error";
  } catch (const PageFileError& failure) {
    EXPECT_STREQ(failure.what(), "Could not read Listinglist.txt: the file no longer exists");
  }
}

}  // namespace
}  // namespace lotwise
