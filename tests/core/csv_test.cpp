// The CSV beside every report: its form as spreadsheets read it, and its rows, which are
// the report's rows in the report's order.

#include "report/csv.h"

#include <gtest/gtest.h>

#include <string>

#include "core/window_fixture.h"
#include "support/pages.h"

namespace lotwise {
namespace {

TEST(Csv, QuotesWhatWouldSplitAFieldAndDisarmsFormulas) {
  EXPECT_EQ(
      CsvBeginning(),
      "\xEF\xBB\xBFitem_id,title,price,currency,bids,end_time,url,first_seen,bids_last_run\r\n");
  CsvRecord record{"17", "Lamp, brass \"old\"\nshade", "12.50", "USD", 3,
                   "",   "http://x.test/?a=1,2",       "",      ""};
  EXPECT_EQ(CsvLine(record),
            "17,\"Lamp, brass \"\"old\"\"\nshade\",12.50,USD,3,,\"http://x.test/?a=1,2\",,\r\n");
  for (const char* formula : {"=1+1", "+1", "-2", "@SUM(A1)", "\tx", "\rx"}) {
    record.title = formula;
    // The field begins with "'", inside quotes where the tab or CR needs them.
    const std::string line = CsvLine(record);
    const std::string field = line.substr(3, line.find(",12.50") - 3);
    EXPECT_TRUE(field == std::string("'") + formula || field == std::string("\"'") + formula + "\"")
        << field;
  }
  // Japanese and an emoji stay as the UTF-8 they are.
  record.title = "\xE6\x87\x90\xE4\xB8\xAD\xE6\x99\x82\xE8\xA8\x88 \xF0\x9F\x95\xB0";
  EXPECT_NE(CsvLine(record).find(record.title), std::string::npos);
}

TEST(Csv, AnItemsRecordAndAClassicRowsRecord) {
  ListedItem item;
  item.itemId = "v1|123456789012|0";
  item.title = "Clock\r\nwith\tchime";
  item.price = "1234.50";
  item.currency = "EUR";
  item.bidCount = 40000;
  item.endDate = "2026-12-10T18:30:00.000Z";
  const CsvRecord fromItem = CsvRecordOfItem(item, "https://items.test/itm/123456789012");
  EXPECT_EQ(fromItem.itemId, "123456789012");
  EXPECT_EQ(fromItem.title, "Clock with chime");
  EXPECT_EQ(fromItem.endTime, "2026-12-10T18:30:00Z");
  EXPECT_EQ(fromItem.bids, 40000);

  // A classic row: windows-1252 text, its picture link first, its price in a cell.
  const std::string row =
      "<table><tr><td><a href=\"http://aff.test/click-111-999?loc=http%3A//i.test/"
      "x.dll%3FViewItem%26item%3D4711\" target=\"_blank\"><img src=\"p.jpg\"></a></td>"
      "<td><a "
      "href=\"http://aff.test/click-111-999?loc=http%3A//i.test/x.dll%3FViewItem%26item%3D4711\">"
      "Caf\xE9 &amp; <b>bar</b>\nset</a></td><td><b>$1,234.50</b></td><td>7<br></td>"
      "<td>Mar-05 18:30</td></tr></table>";
  const CsvRecord fromRow = CsvRecordOfRow(row, 7);
  EXPECT_EQ(fromRow.itemId, "4711");
  EXPECT_EQ(fromRow.title, "Caf\xC3\xA9 & bar set");
  EXPECT_EQ(fromRow.price, "1234.50");
  EXPECT_EQ(fromRow.currency, "");
  EXPECT_EQ(fromRow.endTime, "");
  EXPECT_EQ(fromRow.url,
            "http://aff.test/click-111-999?loc=http%3A//i.test/x.dll%3FViewItem%26item%3D4711");
}

class CsvSearchTest : public testing::WindowTest {};

TEST_F(CsvSearchTest, EverySearchWritesItsRowsInTheReportsOrderAndTheNextSearchDeletesIt) {
  const std::string base = "http://listings.test/aw/plistings/list/category42/";
  platform.pages[base + "index.html"] = "of <b>1</b></font>" + testing::BrowseTable("1", "3") +
                                        testing::BrowseTable("2", "1,250") +
                                        testing::BrowseTable("3", "-");
  window.Text1.text = "42";
  window.txtBids.text = "1";
  window.click(window.Command3);
  const std::filesystem::path csv = folder.path() / kCsvFileName;
  const std::string lines = testing::ReadFile(csv);
  const std::string redirect =
      "http://aff.test/click-111-999?loc=http%3A//items.test/ws/"
      "eBayISAPI.dll%3FViewItem%26item%3D";
  EXPECT_EQ(lines, CsvBeginning() + "2,Item 2,,,1250,," + redirect + "2,,\r\n" + "1,Item 1,,,3,," +
                       redirect + "1,,\r\n");
  window.click(window.Command1);
  platform.pages.clear();
  window.click(window.Command3);  // fails at its first fetch
  EXPECT_FALSE(std::filesystem::exists(csv));
}

}  // namespace
}  // namespace lotwise
