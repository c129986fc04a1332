// The quick searches and rewrites of report rows against the plain way of doing the
// same: every position tried in turn, every replacement a new pass over the text.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "report/affiliate.h"
#include "support/plain_rewrite.h"
#include "support/test_config.h"
#include "text/marker.h"

namespace lotwise {
namespace {

using testing::PlainAddAffliate;
using testing::PlainCgiConvert;
using testing::PlainFind;

class RandomText {
 public:
  explicit RandomText(unsigned seed) : random_(seed) {}

  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

  // `pieces` pieces drawn from `alphabet`.
  std::string Of(std::initializer_list<const char*> alphabet, int pieces) {
    std::string text;
    for (int i = 0; i < pieces; ++i)
      text += *(alphabet.begin() + Below(static_cast<int>(alphabet.size())));
    return text;
  }

 private:
  std::mt19937 random_;
};

TEST(Marker, FindsWhatAPlainSearchFinds) {
  RandomText random(1);
  for (int round = 0; round < 40000; ++round) {
    const std::string text =
        round % 2 == 0
            ? random.Of({"<", "b", "B", "r", "R", ">", "x", "<br>", "<BR>"}, random.Below(60))
            : random.Of({"b", "B", "r", "br", "bb"}, random.Below(60));
    // Short markers, and long ones over two letters: these repeat in every way, which the
    // search's shifts must allow for.
    const std::string find = round % 2 == 0
                                 ? random.Of({"<", "b", "B", "r", ">", "x"}, 1 + random.Below(5))
                                 : random.Of({"b", "B", "r"}, 1 + random.Below(20));
    const std::size_t start =
        static_cast<std::size_t>(random.Below(static_cast<int>(text.size()) + 3));
    const Marker exact(find, Marker::Case::kExact);
    const Marker anyCase(find, Marker::Case::kIgnored);
    ASSERT_EQ(exact.In(text, start), PlainFind(text, find, start, false)) << text << " / " << find;
    ASSERT_EQ(anyCase.In(text, start), PlainFind(text, find, start, true)) << text << " / " << find;
  }
  // Long texts of two letters, where most windows look like the marker until late: the
  // search then gives up comparing whole windows and shifts by the marker's periods.
  for (int round = 0; round < 400; ++round) {
    const std::string text = random.Of({"a", "b", "A", "aab", "aaaaaaaa"}, 300 + random.Below(700));
    const std::string find = random.Of({"a", "a", "a", "b", "B"}, 2 + random.Below(60));
    const Marker exact(find, Marker::Case::kExact);
    const Marker anyCase(find, Marker::Case::kIgnored);
    for (std::size_t start = 1; start <= text.size(); start += 1 + text.size() / 5) {
      ASSERT_EQ(exact.In(text, start), PlainFind(text, find, start, false))
          << text << " / " << find;
      ASSERT_EQ(anyCase.In(text, start), PlainFind(text, find, start, true))
          << text << " / " << find;
    }
  }
}

const std::string kAnchor = "<a href=\"http://aff.test/click-111-999?loc=http%3A";

// Rows whose carried addresses repeat, overlap one another, hold "%3A" pieces that
// escaping also makes, or lack their closing quote; anchors in any case.
std::string RandomRow(RandomText& random) {
  std::string row;
  const int pieces = random.Below(12);
  for (int i = 0; i < pieces; ++i) {
    switch (random.Below(5)) {
      case 0:
        row +=
            random.Below(4) == 0 ? "<A HREF=\"HTTP://AFF.TEST/CLICK-111-999?LOC=HTTP%3A" : kAnchor;
        break;
      case 1:
        row += random.Of({"a", ":", "?", "=", "&", "%3A", "/", "3A", "%", "a:a"}, random.Below(8));
        break;
      case 2:
        row += "\"";
        break;
      case 3:
        row += random.Of({"<a href=\"http:", "<A HREF=\"http:", "href=\"", "&category=1", ">", "\"",
                          " ", "//h.test/?i=1"},
                         1);
        break;
      default:
        row += std::string(static_cast<std::size_t>(random.Below(70)), '.');
    }
  }
  return row;
}

TEST(CgiConvert, GivesTheTextOfRoundAfterRoundReplacing) {
  const Config config = testing::TestConfig();
  RandomText random(2);
  for (int round = 0; round < 20000; ++round) {
    const std::string row = RandomRow(random);
    ASSERT_EQ(CgiConvert(row, config), PlainCgiConvert(row, kAnchor)) << row;
  }
}

TEST(CgiConvert, LongRepetitiveAddresses) {
  const Config config = testing::TestConfig();
  for (const std::string unit : {"a", "a:", "a:a", "%3A", "ab:ab:abc"}) {
    std::string address;
    for (int i = 0; i < 300; ++i) address += unit;
    std::string run;  // holding copies of the address that overlap one another
    for (int i = 0; i < 750; ++i) run += unit;
    for (const std::string& row :
         {kAnchor + address + "\"" + address + address.substr(1) + "a",
          kAnchor + address + "a\"" + address + address, kAnchor + address + "\"" + run,
          address + kAnchor + address.substr(0, 400) + "\"" + address + "\"" + kAnchor + address +
              "\""}) {
      ASSERT_EQ(CgiConvert(row, config), PlainCgiConvert(row, kAnchor)) << unit;
    }
  }
}

TEST(AddAffliate, GivesTheTextOfStepAfterStep) {
  const Config config = testing::TestConfig();
  RandomText random(3);
  for (int round = 0; round < 20000; ++round) {
    const std::string row = RandomRow(random);
    ASSERT_EQ(AddAffliate(row, config), PlainAddAffliate(row, kAnchor)) << row;
  }
}

}  // namespace
}  // namespace lotwise
