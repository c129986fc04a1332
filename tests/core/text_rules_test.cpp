#include <gtest/gtest.h>

#include <string>

#include "text/numbers.h"
#include "text/position.h"
#include "text/replace.h"

namespace lotwise {
namespace {

TEST(Position, CountsFromOneAndGivesZeroWhenNotFound) {
  EXPECT_EQ(InStr("abcabc", "bc"), 2u);
  EXPECT_EQ(InStr("abcabc", "bc", 3), 5u);
  EXPECT_EQ(InStr("abcabc", "bc", 6), 0u);
  EXPECT_EQ(InStr("abcabc", "x"), 0u);
  EXPECT_EQ(InStr("abc", "abcd"), 0u);
}

TEST(Position, FindsNothingFromBeyondTheEnd) {
  EXPECT_EQ(InStr("abc", "c", 3), 3u);
  EXPECT_EQ(InStr("abc", "c", 4), 0u);
  EXPECT_EQ(InStrCI("abc", "C", 99), 0u);
  EXPECT_EQ(InStr("", "a"), 0u);
}

TEST(Position, CaseInsensitiveFoldsAsciiLettersOnly) {
  EXPECT_EQ(InStrCI("xx</TABLE>", "</table>"), 3u);
  EXPECT_EQ(InStrCI("OF <B>12", "of <b>"), 1u);
  EXPECT_EQ(InStrCI("a\xC4Z", "\xE4z"), 0u);  // bytes above 127 match only themselves
  EXPECT_EQ(InStrCI("a\xC4Z", "\xC4z"), 2u);
  EXPECT_EQ(InStr("xx</TABLE>", "</table>"), 0u);
}

TEST(Position, MidClipsToTheText) {
  EXPECT_EQ(Mid("abcdef", 2, 3), "bcd");
  EXPECT_EQ(Mid("abcdef", 5, 10), "ef");
  EXPECT_EQ(Mid("abcdef", 7, 1), "");
  EXPECT_EQ(Mid("abcdef", 1, -1), "");
}

TEST(Replace, ReplacesEveryOccurrenceLeftToRightMatchingCase) {
  EXPECT_EQ(ReplaceAll("a:b:C", ":", "%3A"), "a%3Ab%3AC");
  EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
  EXPECT_EQ(ReplaceAll("AbAB", "ab", "x"), "AbAB");
  EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
  EXPECT_EQ(ReplaceAll("abc", "b", ""), "ac");
}

TEST(Numbers, AcceptBlanksSignsAndDigitGrouping) {
  EXPECT_EQ(ToInt16(" 1,234 "), 1234);
  EXPECT_EQ(ToInt16("\t7"), 7);
  EXPECT_EQ(ToInt16("-5"), -5);
  EXPECT_EQ(ToInt32("2,147,483,647"), 2147483647);
  EXPECT_EQ(ToInt32("-2147483648"), INT32_MIN);
}

TEST(Numbers, RejectEmptyTextNonNumbersAndNumbersThatDoNotFit) {
  for (const char* text : {"", "  ", "abc", "12a", "1.5", ",12", "12,", "+", "1 2"}) {
    EXPECT_FALSE(ToInt16(text).has_value()) << text;
    EXPECT_FALSE(ToInt32(text).has_value()) << text;
  }
  EXPECT_FALSE(ToInt16("32768").has_value());
  EXPECT_EQ(ToInt16("32767"), 32767);
  EXPECT_FALSE(ToInt32("2147483648").has_value());
  EXPECT_FALSE(ToInt32("99999999999999999999999").has_value());
  EXPECT_TRUE(IsWholeNumber("99999999999999999999999"));
  EXPECT_FALSE(IsWholeNumber("12x"));
}

TEST(Numbers, MinimumRoundsHalvesToEven) {
  EXPECT_EQ(RoundToInt16("2.5"), 2);
  EXPECT_EQ(RoundToInt16("3.5"), 4);
  EXPECT_EQ(RoundToInt16("2.51"), 3);
  EXPECT_EQ(RoundToInt16("2.4999"), 2);
  EXPECT_EQ(RoundToInt16("-2.5"), -2);
  EXPECT_EQ(RoundToInt16(".5"), 0);
  EXPECT_EQ(RoundToInt16(" 7 "), 7);
  EXPECT_EQ(RoundToInt16("32767.4"), 32767);
  EXPECT_FALSE(RoundToInt16("32767.5").has_value());
  EXPECT_FALSE(RoundToInt16("abc").has_value());
  EXPECT_FALSE(RoundToInt16("1.2.3").has_value());
  EXPECT_FALSE(RoundToInt16(".").has_value());
}

}  // namespace
}  // namespace lotwise
