// The pages carry the markers the program reads: page counts, totals, result tables and
// bid cells, read here by the program's reading rules (page_reader.h).

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>

#include "sample-marketplace/catalog.h"
#include "sample-marketplace/marketplace.h"
#include "sample/page_reader.h"

namespace {

using lotwise::sample::BidCount;
using lotwise::sample::GenerateItems;
using lotwise::sample::Item;
using lotwise::sample::Marketplace;
using namespace sample_test;

constexpr std::string_view kHost = "items.test:81";

struct Row {
  std::int64_t number = 0;
  std::string bidText;
};

// The rows of a page as the program would read them: one per result table, each table
// holding exactly one line with a bid cell, and that line both item links.
std::vector<Row> ReadRows(const std::string& page, std::string_view tableStart, bool keepEnd,
                          std::string_view bidStart, std::string_view bidEnd) {
  std::vector<Row> rows;
  for (const std::string& table : CutTables(page, tableStart, keepEnd)) {
    std::vector<Row> found;
    for (const std::string& line : SplitLines(table)) {
      const auto bid = BidText(line, bidStart, bidEnd);
      if (!bid) continue;
      const auto numbers = ItemNumbersIn(line);
      EXPECT_EQ(numbers.size(), 2u) << line;
      if (numbers.size() == 2 && numbers[0] == numbers[1]) found.push_back({numbers[0], *bid});
    }
    EXPECT_EQ(found.size(), 1u) << table;
    if (found.size() == 1) rows.push_back(found.front());
  }
  return rows;
}

std::vector<std::int64_t> Numbers(const std::vector<Item>& items) {
  std::vector<std::int64_t> numbers;
  for (const Item& item : items) numbers.push_back(item.number);
  return numbers;
}

std::vector<std::int64_t> Numbers(const std::vector<Row>& rows) {
  std::vector<std::int64_t> numbers;
  for (const Row& row : rows) numbers.push_back(row.number);
  return numbers;
}

class PagesTest : public ::testing::Test {
 protected:
  std::string Page(const std::string& target) const {
    const auto reply = market_.Answer(target, kHost);
    EXPECT_EQ(reply.status, 200) << target;
    return reply.body;
  }
  std::vector<Item> Current(auto keep) const {
    std::vector<Item> kept;
    for (const Item& item : market_.items()) {
      if (!item.ended && keep(item)) kept.push_back(item);
    }
    return kept;
  }
  // Checks that the rows are the items, in order, each with its own bid text and count.
  static void ExpectRows(const std::vector<Row>& rows, const std::vector<Item>& items) {
    ASSERT_EQ(Numbers(rows), Numbers(items));
    for (std::size_t i = 0; i < rows.size(); ++i) {
      EXPECT_EQ(rows[i].bidText, items[i].bidText);
      EXPECT_EQ(CountOf(rows[i].bidText), BidCount(items[i])) << rows[i].bidText;
    }
  }
  // All rows of a browse listing, page after page as its page count says.
  std::vector<Row> BrowseRows(const std::string& directory, const std::string& suffix,
                              int* pageCount) const {
    const std::string index = Page(directory + "index.html" + suffix);
    *pageCount = static_cast<int>(ReadNumber(*LastBetween(index, "of <b>", "</b></font>")));
    std::vector<Row> rows = ReadRows(index, kBrowseTableStart, true, kBrowseBidStart, "<br>");
    for (int page = 2; page <= *pageCount; ++page) {
      const std::string text = Page(directory + "page" + std::to_string(page) + ".html" + suffix);
      const auto more = ReadRows(text, kBrowseTableStart, true, kBrowseBidStart, "<br>");
      EXPECT_EQ(more.size(), page < *pageCount ? 25u : more.size()) << page;
      rows.insert(rows.end(), more.begin(), more.end());
    }
    return rows;
  }

  Marketplace market_{GenerateItems(7, 3000)};
};

TEST_F(PagesTest, CategoryPagesListEveryCurrentItemOfTheCategoryOnceByPageCount) {
  for (const int category : {353, 6000, 99}) {
    SCOPED_TRACE(category);
    const auto expected = Current([&](const Item& item) { return item.category == category; });
    ASSERT_GT(expected.size(), 25u);
    int pageCount = 0;
    const auto rows =
        BrowseRows("/aw/plistings/list/category" + std::to_string(category) + "/", "", &pageCount);
    EXPECT_EQ(pageCount, static_cast<int>((expected.size() + 24) / 25));
    ExpectRows(rows, expected);
  }
}

TEST_F(PagesTest, FeaturedPagesListTheFeaturedItemsWithBothBidCellEndings) {
  const auto expected = Current([](const Item& item) { return item.featured; });
  int pageCount = 0;
  const auto rows = BrowseRows("/pool1/plistings/list/auction/category0/", "?featured", &pageCount);
  EXPECT_GT(pageCount, 2);
  ExpectRows(rows, expected);
  const std::string page = Page("/pool1/plistings/list/auction/category0/page2.html?featured");
  EXPECT_NE(page.find("<BR></TD>"), std::string::npos);
  EXPECT_NE(page.find("<br></TD>"), std::string::npos);
}

TEST_F(PagesTest, CategoryWithoutItemsHasOnePageAndNoTables) {
  const std::string page = Page("/aw/plistings/list/category2/index.html");
  EXPECT_EQ(LastBetween(page, "of <b>", "</b></font>"), "1");
  EXPECT_TRUE(CutTables(page, kBrowseTableStart, true).empty());
}

TEST_F(PagesTest, PagesVaryLineBreaksLinkFormsAndTheCaseOfTheirFirstTable) {
  int firstTableInOtherCase = 0;
  int capitalLinks = 0;
  for (int page = 1; page <= 6; ++page) {
    const std::string text = Page("/pool1/plistings/list/auction/category0/page" +
                                  std::to_string(page) + ".html?featured");
    EXPECT_NE(text.find("\r\n"), std::string::npos);
    bool loneLf = false;
    for (std::size_t i = 1; i < text.size(); ++i) loneLf |= text[i] == '\n' && text[i - 1] != '\r';
    EXPECT_TRUE(loneLf);
    if (text.find(kBrowseTableStart) != FindNoCase(text, kBrowseTableStart)) {
      ++firstTableInOtherCase;
    }
    if (text.find(R"(<A HREF="http:)") != std::string::npos) ++capitalLinks;
  }
  EXPECT_GT(firstTableInOtherCase, 0);
  EXPECT_GT(capitalLinks, 0);
}

TEST_F(PagesTest, BidTextsIncludeEveryFormTheReadersMeet) {
  std::set<std::string> forms;
  for (const Item& item : market_.items()) {
    const std::string& text = item.bidText;
    const bool digits =
        std::all_of(text.begin(), text.end(), [](char c) { return std::isdigit(c); });
    if (text == "-") forms.insert("dash");
    if (text.starts_with("<b>")) forms.insert("bold");
    if (digits) forms.insert(std::to_string(text.size()) + " digits");
  }
  EXPECT_EQ(forms, (std::set<std::string>{"dash", "bold", "1 digits", "2 digits", "3 digits",
                                          "4 digits"}));
}

class SearchPagesTest : public PagesTest {
 protected:
  static std::string TitleFirst(const std::string& query, const std::string& extra = "") {
    return "/search/search.dll?MfcISAPICommand=GetResult&ht=1&query2=" + query +
           "&search_option=1&submit=+Search+" + extra +
           "&st=&SortProperty=MetaEndSort&maxRecordsPerPage=50&siteid=0&query=" + query +
           "&from=R6";
  }
  static std::string TitleNext(const std::string& query) {
    return "/ws/search/SaleSearch?ebaytag1_tmp=&exclude=&ht=1&sosortproperty=1&satitle=" + query +
           "&sorecordsperpage=50&from=R6&sorecordstoskip=";
  }
  long long KeywordTotal(const std::string& page) const {
    return ReadNumber(*FirstBetween(page, "var searchResultTotal = \"", "\";"));
  }
};

TEST_F(SearchPagesTest, KeywordPagesCarryTheTotalAndPageThroughEveryMatchByOffset) {
  const std::string query = "(red,car,lamp)";
  const auto expected = Current([](const Item& item) {
    const auto& w = item.titleWords;
    return std::any_of(w.begin(), w.end(), [](const std::string& x) {
      return x == "red" || x == "car" || x == "lamp";
    });
  });
  const std::string first = Page(TitleFirst(query));
  const long long total = KeywordTotal(first);
  ASSERT_EQ(total, static_cast<long long>(expected.size()));
  ASSERT_GT(total, 100);
  auto rows = ReadRows(first, kKeywordFirstTableStart, false, kKeywordBidStart, "<br>");
  EXPECT_EQ(rows.size(), 50u);
  for (long long offset = 50; offset - 50 < total; offset += 50) {
    const auto more = ReadRows(Page(TitleNext(query) + std::to_string(offset)), kOffsetTableStart,
                               true, kKeywordBidStart, "<br>");
    rows.insert(rows.end(), more.begin(), more.end());
  }
  ExpectRows(rows, expected);
  EXPECT_NE(first.find("&amp;item="), std::string::npos);
}

TEST_F(SearchPagesTest, TitleAndDescriptionSearchFindsMoreAndPagesBySkip) {
  const std::string title = Page(TitleFirst("lamp"));
  const std::string description = Page(
      "/search/search.dll?MfcISAPICommand=GetResult&ht=1&ebaytag1=ebayreg&query=lamp&query2="
      "lamp&search_option=1&srchdesc=y&exclude=&category0=&minPrice=&maxPrice=");
  EXPECT_GT(KeywordTotal(description), KeywordTotal(title));
  const std::string next = Page(
      "/search/search.dll?query=lamp&minPrice=&maxPrice=&srchdesc=y&region=0&ebaytag1=ebayreg"
      "&ht=1&category0=&combine=y&SortProperty=MetaEndSort&st=2&skip=50");
  const auto rows = ReadRows(next, kOffsetTableStart, true, kKeywordBidStart, "<br>");
  EXPECT_FALSE(rows.empty());
  EXPECT_TRUE(CutTables(next, kKeywordFirstTableStart, false).empty());
}

TEST_F(SearchPagesTest, CompletedPagesListEndedItemsWithAGroupedTotal) {
  const Marketplace big(GenerateItems(3, 20000));
  const auto first =
      big.Answer("/search/search.dll?ht=1&query=(red,blue,green)&SortProperty=MetaEndSort", kHost)
          .body;
  const std::string total = *FirstBetween(
      first, R"(<tr><td><font size=2 face="Arial, Helvetica, sans-serif"><b>)", "</b>");
  EXPECT_NE(total.find(','), std::string::npos);
  const auto rows = ReadRows(first, kOffsetTableStart, true, kCompletedBidStart, "<BR><img");
  ASSERT_EQ(rows.size(), 50u);
  for (const Row& row : rows) {
    EXPECT_TRUE(lotwise::sample::FindItem(big.items(), row.number)->ended);
  }
  const auto next = big.Answer(
                           "/search/search.dll?GetResult&query=(red,blue,green)&ht=1&combine=y"
                           "&SortProperty=MetaEndSort&st=2&skip=50",
                           kHost)
                        .body;
  const auto nextRows = ReadRows(next, kOffsetTableStart, true, kCompletedBidStart, "<BR><img");
  ASSERT_EQ(nextRows.size(), 50u);
  EXPECT_GT(nextRows.front().number, rows.back().number);
  EXPECT_NE(first.find("<br><img"), std::string::npos);
  EXPECT_NE(first.find("<BR><IMG"), std::string::npos);
}

TEST_F(SearchPagesTest, SearchesWithoutWordsGetAPageWhoseTotalIsNoNumber) {
  const std::string keyword = Page(TitleFirst(""));
  EXPECT_EQ(FindNoCase(keyword, "var searchResultTotal"), std::string::npos);
  EXPECT_NE(keyword.find("\";", 25), std::string::npos);
  const std::string completed = Page("/search/search.dll?ht=1&query=&SortProperty=MetaEndSort");
  EXPECT_EQ(FindNoCase(completed, "<font size=2 face="), std::string::npos);
  EXPECT_NE(completed.find("</b>", 60), std::string::npos);
  EXPECT_TRUE(CutTables(completed, kOffsetTableStart, true).empty());
}

TEST_F(SearchPagesTest, TheSameSeedGivesTheSamePagesAndAnotherSeedOthers) {
  const std::string target = TitleFirst("red");
  const Marketplace same(GenerateItems(7, 3000));
  const Marketplace other(GenerateItems(8, 3000));
  EXPECT_EQ(same.Answer(target, kHost).body, Page(target));
  EXPECT_NE(other.Answer(target, kHost).body, Page(target));
}

}  // namespace
