#include "collect/page_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/fake_platform.h"
#include "text/lines.h"

namespace lotwise {
namespace {

using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

// The lines of the text fed in these pieces; each must stand in the text at its offset.
std::vector<std::string> Lines(const std::vector<std::string>& pieces) {
  std::string text;
  for (const std::string& piece : pieces) text += piece;
  std::vector<std::string> lines;
  LineSplitter splitter;
  const LineSplitter::EachLine keep = [&](std::string_view line, std::uint64_t offset) {
    EXPECT_EQ(text.substr(static_cast<std::size_t>(offset), line.size()), line);
    lines.emplace_back(line);
  };
  for (const std::string& piece : pieces) splitter.Feed(piece, keep);
  splitter.Finish(keep);
  return lines;
}

using Strings = std::vector<std::string>;

TEST(LineSplitter, EndsLinesAtCrOrCrLfAndKeepsLoneLf) {
  EXPECT_EQ(Lines({"a\r\nb\rc\nd"}), (Strings{"a", "b", "c\nd"}));
  EXPECT_EQ(Lines({"a\r\n"}), (Strings{"a"}));
  EXPECT_EQ(Lines({"\r\n\r\n"}), (Strings{"", ""}));
  EXPECT_EQ(Lines({"\r\r\n"}), (Strings{"", ""}));
  EXPECT_EQ(Lines({"\n"}), (Strings{"\n"}));
  EXPECT_EQ(Lines({""}), Strings{});
}

TEST(LineSplitter, GivesTheSameLinesWhateverThePieces) {
  const std::string text = "ab\r\ncd\r\ref\ngh\r\n\r\nij";
  const Strings whole = Lines({text});
  for (std::size_t cut = 0; cut <= text.size(); ++cut) {
    EXPECT_EQ(Lines({text.substr(0, cut), text.substr(cut)}), whole) << cut;
  }
  Strings bytes;
  for (char c : text) bytes.emplace_back(1, c);
  EXPECT_EQ(Lines(bytes), whole);
}

TEST(PageFile, AppendsEachRecordWithCrLfBytesUnchanged) {
  TempFolder folder;
  const auto file = folder.path() / kPageFileName;
  const std::string binary("x\0\xff\r\ny\n", 7);
  AppendRecord(file, binary);
  AppendRecord(file, "");
  AppendRecord(file, "<table>");
  EXPECT_EQ(ReadFile(file), binary + "\r\n" + "\r\n" + "<table>\r\n");
}

TEST(PageFile, AppendFailsLoudlyWhenTheFileCannotBeOpened) {
  TempFolder folder;
  EXPECT_THROW(AppendRecord(folder.path() / "missing" / kPageFileName, "x"), PageFileError);
  EXPECT_THROW(AppendRecord(folder.path(), "x"), PageFileError);  // a folder, not a file
}

TEST(PageFile, ReadsLinesAcrossItsReadingPieces) {
  TempFolder folder;
  const auto file = folder.path() / kPageFileName;
  std::string text;
  Strings expected;
  for (int i = 0; i < 20000; ++i) {  // well past one reading piece, CR LF falling anywhere
    expected.push_back("row " + std::to_string(i) + (i % 3 == 0 ? "\nmore" : ""));
    text += expected.back() + (i % 2 == 0 ? "\r\n" : "\r");
  }
  text += "last";
  expected.emplace_back("last");
  WriteFile(file, text);
  Strings lines;
  EXPECT_TRUE(ReadLines(file, [&](std::string_view line) { lines.emplace_back(line); }));
  EXPECT_EQ(lines, expected);
}

TEST(PageFile, ReadingAMissingFileSaysSo) {
  TempFolder folder;
  int calls = 0;
  EXPECT_FALSE(ReadLines(folder.path() / kPageFileName, [&](std::string_view) { ++calls; }));
  EXPECT_EQ(calls, 0);
}

}  // namespace
}  // namespace lotwise
