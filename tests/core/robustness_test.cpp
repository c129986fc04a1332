// Faults from the network, the pages, the typed minimum and the file system during whole
// searches of every kind: each search must end with the window responsive, ready or
// finished, and with what the page file held kept.

#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <signal.h>
#include <sys/resource.h>
#endif

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/search_window.h"
#include "collect/classic_addresses.h"
#include "collect/keyword_query.h"
#include "collect/tables.h"
#include "support/fake_platform.h"
#include "support/pages.h"
#include "support/search_commands.h"
#include "support/test_config.h"

namespace lotwise {
namespace {

using testing::BrowseTable;
using testing::CompletedTable;
using testing::FakePlatform;
using testing::FirstKeywordTable;
using testing::KeywordCells;
using testing::KeywordTable;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;
using Strings = std::vector<std::string>;

// ---- Pages of a three-page search of every kind ---------------------------------------

enum class Kind { Keyword, Category, Featured, Completed };
const Kind kKinds[] = {Kind::Keyword, Kind::Category, Kind::Featured, Kind::Completed};

const char* Name(Kind kind) {
  switch (kind) {
    case Kind::Keyword:
      return "keyword";
    case Kind::Category:
      return "category";
    case Kind::Featured:
      return "featured";
    case Kind::Completed:
      return "completed items";
  }
  return "";
}

CommandButton& Command(SearchWindow& window, Kind kind) {
  switch (kind) {
    case Kind::Keyword:
      return window.cmdSearch;
    case Kind::Category:
      return window.Command3;
    case Kind::Featured:
      return window.Command4;
    case Kind::Completed:
      return window.Command5;
  }
  return window.cmdSearch;
}

// The addresses of a whole search of the kind in fetch order (the first page is asked
// for twice) and the page at each address: five items in three pages, with 3, 5, 2, 7
// and 1 bids. Sets the inputs the addresses are built from.
struct Search {
  Strings order;
  std::map<std::string, std::string> pages;
};

Search ThreePageSearch(SearchWindow& window, Kind kind) {
  window.Text1.text = "7";
  window.Text2.text = "old clock";
  window.txtTitle.text = "red vase";
  Search search;
  const auto add = [&search](const std::string& url, const std::string& page) {
    search.order.push_back(url);
    search.pages[url] = page;
  };
  switch (kind) {
    case Kind::Keyword: {
      const SearchAddresses addresses =
          KeywordAddresses(window.context().controls.KeywordTab(), window.context().config);
      add(addresses.first, "<script>var searchResultTotal = \"100\";</script>" +
                               FirstKeywordTable(KeywordCells("1", "3")) +
                               FirstKeywordTable(KeywordCells("2", "5")));
      search.order.push_back(addresses.first);
      add(addresses.next + "50", KeywordTable(KeywordCells("3", "2")));
      add(addresses.next + "100",
          KeywordTable(KeywordCells("4", "7")) + KeywordTable(KeywordCells("5", "1")));
      break;
    }
    case Kind::Category:
    case Kind::Featured: {
      const std::string base = kind == Kind::Category
                                   ? "http://listings.test/aw/plistings/list/category7/"
                                   : "http://listings.test/pool1/plistings/list/auction/category0/";
      const std::string tail = kind == Kind::Category ? ".html" : ".html?featured";
      add(base + "index" + tail,
          "<font>Page 1 of <b>3</b></font>" + BrowseTable("1", "3") + BrowseTable("2", "5"));
      search.order.push_back(base + "index" + tail);
      add(base + "page2" + tail, BrowseTable("3", "2"));
      add(base + "page3" + tail, BrowseTable("4", "7") + "\r\n" + BrowseTable("5", "1"));
      break;
    }
    case Kind::Completed: {
      const std::string base = "http://completed.test/search/search.dll?";
      const std::string first = base + "ht=1&query=old+clock&SortProperty=MetaEndSort";
      const std::string next =
          base + "GetResult&query=old+clock&ht=1&combine=y&SortProperty=MetaEndSort&st=2&skip=";
      add(first, "<tr><td><font size=2 face=\"Arial, Helvetica, sans-serif\"><b>100</b>" +
                     CompletedTable("1", "3") + CompletedTable("2", "5"));
      search.order.push_back(first);
      add(next + "50", CompletedTable("3", "2"));
      add(next + "100", CompletedTable("4", "7") + CompletedTable("5", "1"));
      break;
    }
  }
  return search;
}

// The item labels ("Item " and digits) in a text, in order.
Strings Items(const std::string& text) {
  Strings items;
  for (std::size_t at = text.find("Item "); at != std::string::npos;
       at = text.find("Item ", at + 1)) {
    std::size_t end = at + 5;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    if (end > at + 5) items.push_back(text.substr(at, end - at));
  }
  return items;
}

// ---- A window over a fake platform ----------------------------------------------------

// Serves pages by address like FakePlatform; a body given for a fetch number replaces
// the page of that fetch. Keeps a copy of the page file as it stood when the report was
// handed to the shell (the writer deletes it right after).
class FaultPlatform : public FakePlatform {
 public:
  explicit FaultPlatform(std::filesystem::path pageFile) : pageFile_(std::move(pageFile)) {}

  std::map<std::size_t, std::string> bodyOfFetch;  // by 1-based fetch number
  std::string pageFileWhenOpened;

  std::string OpenURL(const std::string& url) override {
    std::string body = FakePlatform::OpenURL(url);
    const auto replaced = bodyOfFetch.find(fetched.size());
    return replaced == bodyOfFetch.end() ? body : replaced->second;
  }
  void ShellOpen(const std::string& target, const std::string& parameters,
                 const std::string& directory) override {
    pageFileWhenOpened = ReadFile(pageFile_);
    FakePlatform::ShellOpen(target, parameters, directory);
  }

 private:
  std::filesystem::path pageFile_;
};

// One window in a fresh application folder (or in the given one), with a whole search of
// one kind served.
class Session {
 public:
  explicit Session(Kind kind, std::filesystem::path appFolder = {})
      : kind_(kind),
        appFolder_(appFolder.empty() ? folder_.path() : std::move(appFolder)),
        platform(appFolder_ / "Listinglist.txt"),
        window(testing::TestConfig(), appFolder_, platform) {
    search = ThreePageSearch(window, kind);
    platform.pages = search.pages;
  }

  bool Run() { return window.click(Command(window, kind_)); }
  std::string PageFile() const { return ReadFile(window.PageFilePath()); }
  bool Exists(const std::filesystem::path& file) const { return std::filesystem::exists(file); }
  std::filesystem::path PartFile() const {
    std::filesystem::path part = window.ReportPath();
    part += ".part";
    return part;
  }
  bool Finished() const { return window.Label1.caption == "Finished!!!"; }

  // How a search ended, as the window shows it.
  enum class End {
    kFinished,  // "Finished!!!", "Begin New Search", the report opened, the page file gone
    kReady,     // search commands enabled, "Stop Search", no report
  };

  // The window after a search: not searching, no unfinished report, and in the end
  // state expected ("See Incomplete Results" disabled when ready, unless a message's
  // reset left it).
  void ExpectSettled(End expected) const {
    EXPECT_FALSE(window.searching());
    EXPECT_FALSE(Exists(PartFile()));
    EXPECT_TRUE(window.Command1.enabled);
    ASSERT_EQ(Finished(), expected == End::kFinished) << window.Label1.caption;
    if (expected == End::kFinished) {
      EXPECT_EQ(window.Command1.caption, "Begin New Search");
      EXPECT_EQ(SearchCommands(), "00000");
      EXPECT_TRUE(Exists(window.ReportPath()));
      EXPECT_FALSE(Exists(window.PageFilePath()));
      ASSERT_EQ(platform.shellCalls.size(), 1u);
      EXPECT_EQ(platform.shellCalls[0].target, window.ReportPath().string());
    } else {
      EXPECT_EQ(window.Command1.caption, "Stop Search");
      EXPECT_EQ(SearchCommands(), "11111");
      if (platform.messages.empty()) {
        EXPECT_FALSE(window.Command6.enabled);
      }
      EXPECT_EQ(window.StopRequested, 1);
      EXPECT_FALSE(Exists(window.ReportPath()));
      EXPECT_TRUE(platform.shellCalls.empty());
    }
  }

  // The window takes the next search: with the faults gone, a category search of the
  // same pages runs to its report.
  void ExpectResponsive() {
    if (Finished()) {
      EXPECT_TRUE(window.click(window.Command1));
    }
    platform.duringFetch = nullptr;
    platform.duringDoEvents = nullptr;
    platform.bodyOfFetch.clear();
    platform.shellCalls.clear();
    window.txtBids.text = "0";
    platform.pages = ThreePageSearch(window, Kind::Category).pages;
    EXPECT_TRUE(window.click(window.Command3));
    EXPECT_EQ(window.Label1.caption, "Finished!!!");
    EXPECT_EQ(Items(ReadFile(window.ReportPath())),
              (Strings{"Item 4", "Item 2", "Item 1", "Item 3", "Item 5"}));
  }

  std::string SearchCommands() const { return testing::SearchCommandStates(window); }

 private:
  Kind kind_;
  TempFolder folder_;
  std::filesystem::path appFolder_;

 public:
  FaultPlatform platform;
  SearchWindow window;
  Search search;
};

#if !defined(_WIN32)
// Sets the largest file this process may write, as a full disk would, until destroyed.
class FileSizeLimit {
 public:
  FileSizeLimit() {
    getrlimit(RLIMIT_FSIZE, &saved_);
    oldHandler_ = signal(SIGXFSZ, SIG_IGN);  // a write over the limit fails with EFBIG
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, oldHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  void Set(rlim_t bytes) {
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  }

 private:
  rlimit saved_{};
  sighandler_t oldHandler_ = SIG_DFL;
};
#endif

// ---- Failed fetches and bad answers ----------------------------------------------------

// What the fetcher reports for each fault of the network or the server.
const Strings kFetchFaults = {
    "Could not load http://x/: the server could not be reached (Couldn't connect to server)",
    "Could not load http://x/: the host was not found (Couldn't resolve host name)",
    "Could not load http://x/: the server did not answer in time (Timeout was reached)",
    "Could not load http://x/: the connection broke off (Failure when receiving data)",
    "Could not load http://x/: the page could not be loaded (Transferred a partial file)",
    "Could not load http://x/: the server redirected too many times (a redirect loop)",
    "Could not load http://x/: the page is larger than 67108864 bytes",
};

TEST(Robustness, EveryFailedFetchOfEverySearchKindEndsSettledKeepingWhatWasCollected) {
  for (const Kind kind : kKinds) {
    for (std::size_t failing = 1; failing <= 4; ++failing) {
      SCOPED_TRACE(std::string(Name(kind)) + " search, fetch " + std::to_string(failing));
      Session session(kind);
      const std::string fault = kFetchFaults[failing % kFetchFaults.size()];
      std::string collected;
      session.platform.duringFetch = [&](const std::string&) {
        if (session.platform.fetched.size() != failing) return;
        collected = session.PageFile();
        throw FetchError(fault);
      };
      EXPECT_TRUE(session.Run());
      // A failed first fetch is left to the window, which ends the search; after it, the
      // browse pages run their loop again from the index page, and the search pages end
      // their collection, which then holds something unless it was the first page that
      // failed once more.
      const bool nothingCollected =
          failing == 1 || (failing == 2 && (kind == Kind::Keyword || kind == Kind::Completed));
      session.ExpectSettled(nothingCollected ? Session::End::kReady : Session::End::kFinished);
      if (session.Finished()) {
        // Every row collected before the failure is in the report.
        const Strings reported = Items(ReadFile(session.window.ReportPath()));
        for (const std::string& item : Items(collected)) {
          EXPECT_NE(std::find(reported.begin(), reported.end(), item), reported.end()) << item;
        }
      } else {
        EXPECT_TRUE(session.PageFile().starts_with(collected));
      }
      session.ExpectResponsive();
    }
  }
}

TEST(Robustness, ErrorPagesBinaryBytesAndCutTablesAsAnyPageEndSettled) {
  std::string binary;
  for (int i = 0; i < 512; ++i) binary += static_cast<char>((i * 37) % 256);
  const Strings answers = {
      "<html><head><title>404 Not Found</title></head><body>Not Found</body></html>",
      "<html><body><h1>500 Internal Server Error</h1></body></html>",
      "",
      binary,
      std::string("\0\0\0\0", 4) + "of <b>\0</b></font>" + std::string(3, '\0'),
      std::string(kBrowseTableStart) + std::string(kOffsetTableStart) +
          std::string(kFirstKeywordTableStart) +
          "var searchResultTotal = \"12\";<tr><td><font "
          "size=2 face=\"Arial, Helvetica, "
          "sans-serif\"><b>12</b> of <b>2</b></font>",
  };
  for (const Kind kind : kKinds) {
    for (std::size_t fetch = 1; fetch <= 4; ++fetch) {
      for (std::size_t a = 0; a < answers.size(); ++a) {
        SCOPED_TRACE(std::string(Name(kind)) + " search, fetch " + std::to_string(fetch) +
                     ", answer " + std::to_string(a));
        Session session(kind);
        session.platform.bodyOfFetch[fetch] = answers[a];
        // A first keyword page without a table is asked for again until the user stops.
        session.platform.duringFetch = [&](const std::string&) {
          if (session.platform.fetched.size() == 12) session.window.click(session.window.Command1);
        };
        EXPECT_TRUE(session.Run());
        // Only the search pages can be left with nothing: a first page without a total
        // that can be read (every answer but the last), or whose first result table has
        // no end (the last answer) when it is cut. The browse pages' index is read again,
        // and a first keyword page without a table is asked for again.
        const bool searchPages = kind == Kind::Keyword || kind == Kind::Completed;
        const bool lastAnswer = a + 1 == answers.size();
        const bool nothingCollected =
            searchPages && ((fetch == 1 && !lastAnswer) || (fetch == 2 && lastAnswer));
        session.ExpectSettled(nothingCollected ? Session::End::kReady : Session::End::kFinished);
        EXPECT_LE(session.platform.fetched.size(), 12u);
        session.ExpectResponsive();
      }
    }
  }
}

TEST(Robustness, PageBytesIncludingNulsReachThePageFileAndTheReportUnchanged) {
  const std::string odd = std::string("a\0b\x01\x7f\x80\xe9\xff", 8) + "\n\tz";
  for (const Kind kind : {Kind::Category, Kind::Keyword}) {
    SCOPED_TRACE(Name(kind));
    Session session(kind);
    std::string& first = session.platform.pages[session.search.order[0]];
    const std::string cell = kind == Kind::Category ? "<TD ALIGN=CENTER" : "<td align=\"center\"";
    first.insert(first.find(cell), odd);
    std::string collected;
    session.platform.duringFetch = [&](const std::string&) {
      if (session.platform.fetched.size() == 3) collected = session.PageFile();
    };
    EXPECT_TRUE(session.Run());
    EXPECT_NE(collected.find(odd), std::string::npos);
    EXPECT_NE(ReadFile(session.window.ReportPath()).find(odd), std::string::npos);
    session.ExpectSettled(Session::End::kFinished);
  }
}

// ---- The typed minimum -------------------------------------------------------------------

TEST(Robustness, TypedMinimumsThatAreNotPlainCounts) {
  struct Case {
    std::string typed;
    Strings rows;
  };
  const std::vector<Case> cases = {
      {"abc", {"Item 4", "Item 2", "Item 1", "Item 3", "Item 5", "Item 6", "Item 7"}},
      {"99999", {}},
      {"-5", {"Item 4", "Item 2", "Item 1", "Item 3", "Item 5", "Item 6", "Item 7"}},
      {"2.5", {"Item 4", "Item 2", "Item 1", "Item 3"}},
  };
  for (const Kind kind : {Kind::Category, Kind::Keyword}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(Name(kind)) + " search, minimum " + c.typed);
      Session session(kind);
      // Two more rows: one without bids ("-") and one with a signed count, which counts none.
      std::string& last = session.platform.pages[session.search.order[3]];
      last += kind == Kind::Category
                  ? BrowseTable("6", "-") + BrowseTable("7", "-3")
                  : KeywordTable(KeywordCells("6", "-")) + KeywordTable(KeywordCells("7", "-3"));
      session.window.txtBids.text = c.typed;
      EXPECT_TRUE(session.Run());
      session.ExpectSettled(Session::End::kFinished);
      EXPECT_EQ(Items(ReadFile(session.window.ReportPath())), c.rows);
    }
  }
}

// ---- The file system ---------------------------------------------------------------------

TEST(Robustness, AnApplicationFolderThatCannotBeWrittenEndsEverySearchReady) {
  TempFolder folder;
  WriteFile(folder.path() / "a file", "x");
  const std::filesystem::path below = folder.path() / "a file" / "Lotwise";
  for (const Kind kind : kKinds) {
    SCOPED_TRACE(Name(kind));
    Session session(kind, below);
    EXPECT_TRUE(session.Run());
    session.ExpectSettled(Session::End::kReady);
    EXPECT_NE(session.window.Label1.caption.find("Listinglist.txt"), std::string::npos)
        << session.window.Label1.caption;
    // The window takes the next search, which fails the same way.
    EXPECT_TRUE(session.Run());
    session.ExpectSettled(Session::End::kReady);
  }
}

TEST(Robustness, APageFileThatCannotBeWrittenBetweenPagesEndsTheSearchReady) {
  for (const Kind kind : kKinds) {
    SCOPED_TRACE(Name(kind));
    Session session(kind);
    const std::filesystem::path pageFile = session.window.PageFilePath();
    const std::filesystem::path moved = pageFile.parent_path() / "collected.txt";
    std::string collected;
    session.platform.duringFetch = [&](const std::string&) {
      if (session.platform.fetched.size() != 3) return;
      // The collected records go aside; a folder that cannot be deleted takes their place.
      collected = session.PageFile();
      std::filesystem::rename(pageFile, moved);
      std::filesystem::create_directory(pageFile);
      WriteFile(pageFile / "in the way", "x");
    };
    EXPECT_TRUE(session.Run());
    session.ExpectSettled(Session::End::kReady);
    EXPECT_NE(session.window.Label1.caption.find("Listinglist.txt"), std::string::npos)
        << session.window.Label1.caption;
    EXPECT_EQ(ReadFile(moved), collected);
    EXPECT_EQ(Items(collected), (Strings{"Item 1", "Item 2"}));
    std::filesystem::remove_all(pageFile);
    session.ExpectResponsive();
  }
}

// A full disk is made with the file-size limit (setrlimit), which only POSIX systems have.
#if !defined(_WIN32)
TEST(Robustness, AFullDiskDuringTheCollectionKeepsTheRecordsWrittenBefore) {
  for (const Kind kind : kKinds) {
    SCOPED_TRACE(Name(kind));
    Session session(kind);
    std::string collected;
    {
      FileSizeLimit limit;
      session.platform.duringFetch = [&](const std::string&) {
        if (session.platform.fetched.size() != 3) return;
        collected = session.PageFile();
        limit.Set(collected.size() + 10);  // room for part of the next record only
      };
      EXPECT_TRUE(session.Run());
    }
    session.ExpectSettled(Session::End::kReady);
    EXPECT_NE(session.window.Label1.caption.find("Listinglist.txt"), std::string::npos)
        << session.window.Label1.caption;
    EXPECT_EQ(Items(collected), (Strings{"Item 1", "Item 2"}));
    EXPECT_TRUE(session.PageFile().starts_with(collected));
    session.ExpectResponsive();
  }
}

TEST(Robustness, AReportThatFailsHalfWayLeavesNeitherReportNorPartFile) {
  for (const Kind kind : kKinds) {
    SCOPED_TRACE(Name(kind));
    Session session(kind);
    std::string collected;
    {
      FileSizeLimit limit;
      // Once the last page is in, the disk has room for the page file but not the report.
      session.platform.duringDoEvents = [&] {
        if (session.platform.doEvents == 5) limit.Set(2000);
      };
      EXPECT_TRUE(session.Run());
    }
    EXPECT_FALSE(session.Finished());
    EXPECT_NE(session.window.Label1.caption.find("Finalsearch.htm"), std::string::npos)
        << session.window.Label1.caption;
    EXPECT_FALSE(session.Exists(session.window.ReportPath()));
    EXPECT_FALSE(session.Exists(session.PartFile()));
    EXPECT_EQ(Items(session.PageFile()),
              (Strings{"Item 1", "Item 2", "Item 3", "Item 4", "Item 5"}));
    session.ExpectSettled(Session::End::kReady);
    session.ExpectResponsive();
  }
}
#endif

TEST(Robustness, AReportThatCannotBeCreatedEndsEverySearchReadyKeepingThePageFile) {
  for (const Kind kind : kKinds) {
    SCOPED_TRACE(Name(kind));
    Session session(kind);
    std::filesystem::create_directory(session.PartFile());
    WriteFile(session.PartFile() / "in the way", "x");
    EXPECT_TRUE(session.Run());
    EXPECT_FALSE(session.Finished());
    EXPECT_NE(session.window.Label1.caption.find("Finalsearch.htm"), std::string::npos)
        << session.window.Label1.caption;
    EXPECT_FALSE(session.Exists(session.window.ReportPath()));
    EXPECT_EQ(Items(session.PageFile()),
              (Strings{"Item 1", "Item 2", "Item 3", "Item 4", "Item 5"}));
    std::filesystem::remove_all(session.PartFile());
    session.ExpectSettled(Session::End::kReady);
    session.ExpectResponsive();
  }
}

// ---- "Stop Search" wherever the window handles input -----------------------------------

TEST(Robustness, StopSearchAtEveryFetchAndEveryDoEventsOfEverySearchKind) {
  for (const Kind kind : kKinds) {
    // A search run to its end: the page file as it stood at each point where the window
    // handled input, and whether that point was a fetch.
    Strings pageFileAt;
    std::vector<bool> isFetch;
    std::string pageFileAtEnd;
    {
      Session reference(kind);
      reference.platform.duringFetch = [&](const std::string&) {
        pageFileAt.push_back(reference.PageFile());
        isFetch.push_back(true);
      };
      reference.platform.duringDoEvents = [&] {
        pageFileAt.push_back(reference.PageFile());
        isFetch.push_back(false);
      };
      EXPECT_TRUE(reference.Run());
      ASSERT_TRUE(reference.Finished());
      pageFileAtEnd = reference.platform.pageFileWhenOpened;
    }
    ASSERT_EQ(pageFileAt.size(), 9u);  // four fetches and five records
    pageFileAt.push_back(pageFileAtEnd);

    for (std::size_t stopAt = 0; stopAt + 1 < pageFileAt.size(); ++stopAt) {
      SCOPED_TRACE(std::string(Name(kind)) + " search, stopped at input point " +
                   std::to_string(stopAt) + (isFetch[stopAt] ? " (fetch)" : " (DoEvents)"));
      Session session(kind);
      std::size_t point = 0;
      std::size_t fetchesUpToStop = 0;
      const auto handleInput = [&](bool fetch) {
        if (fetch && point <= stopAt) ++fetchesUpToStop;
        if (point++ == stopAt) {
          EXPECT_TRUE(session.window.click(session.window.Command1));
        }
      };
      session.platform.duringFetch = [&](const std::string&) { handleInput(true); };
      session.platform.duringDoEvents = [&] { handleInput(false); };
      EXPECT_TRUE(session.Run());

      session.ExpectSettled(Session::End::kReady);
      // The status may show the page counter, which still advances after a stop in the
      // table loop; the commands say the window is ready.
      EXPECT_TRUE(session.platform.messages.empty());
      EXPECT_EQ(session.platform.fetched.size(), fetchesUpToStop);
      // The records appended before the stop; after a DoEvents, also the one it precedes.
      EXPECT_EQ(session.PageFile(), pageFileAt[isFetch[stopAt] ? stopAt : stopAt + 1]);
      session.ExpectResponsive();
    }
  }
}

}  // namespace
}  // namespace lotwise
