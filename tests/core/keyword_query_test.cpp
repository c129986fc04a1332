#include "collect/keyword_query.h"

#include <gtest/gtest.h>

#include "collect/classic_addresses.h"
#include "core/window_fixture.h"

namespace lotwise {
namespace {

TEST(KeywordQuery, AddPlusReplacesEveryBlankAndNothingElse) {
  EXPECT_EQ(AddPlus(" red  car "), "+red++car+");
  EXPECT_EQ(AddPlus("a&b#c%d\"e"), "a&b#c%d\"e");
  EXPECT_EQ(AddPlus(""), "");
}

TEST(KeywordQuery, MakeQueryForEveryModeWithAndWithoutExcludedWords) {
  struct Case {
    const char* words;
    const char* excluded;
    int mode;
    const char* query;
  };
  const Case cases[] = {
      {"red car", "", 0, "red+car"},
      {"red car", "", 1, "(red,car)"},
      {"red car", "", 2, "\"red+car\""},
      {"red car", "blue green", 0, "red+car+-(blue,green)"},
      {"red car", "blue green", 1, "(red,car)+-(blue,green)"},
      {"red car", "blue green", 2, "\"red+car\"+-(blue,green)"},
      {"red  car", "", 0, "red++car"},
      {"red car", "blue", -1, ""},
      {"red car", "", 3, ""},
      {" red", "", 0, "+red"},
      {" red", "", 1, "(,red)"},
      {" red", "", 2, "\"+red\""},
      {"red", " ", 0, "red+-(,)"},  // blanks alone still count as excluded words
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MakeQuery(c.words, c.excluded, c.mode), c.query)
        << c.words << " | " << c.excluded << " | " << c.mode;
  }
}

class KeywordAddressTest : public testing::WindowTest {};

TEST_F(KeywordAddressTest, TitleSearchAddresses) {
  window.txtTitle.text = "red car";
  window.txtExcluded.text = "blue green";
  window.cmbSearch.select(1);
  window.txtBeginPrice.text = "$5";
  window.txtEndPrice.text = "10&x";
  window.cmbCategories.select(7);
  const SearchAddresses a =
      KeywordAddresses(window.context().controls.KeywordTab(), window.context().config);
  EXPECT_EQ(a.first,
            "http://search.test/search/search.dll?MfcISAPICommand=GetResult&ht=1&query2=(red,car)+"
            "-(blue,green)&search_option=2&submit=+Search+&minPrice=$5&maxPrice=10&x&category0=1&"
            "exclude=blue+green&st=&SortProperty=MetaEndSort&maxRecordsPerPage=50&worldlocation="
            "ebayavail&region=0&available_to=1&located_in=1&ebaycurr=&siteid=0&query=(red,car)+-("
            "blue,green)&shortcut=&ebaytag1code_tmp=&ebaytag1_tmp=&ebaytag1code=&ebaytag1=&"
            "ebaytag12=ebayreg&from=R6");
  EXPECT_EQ(a.next,
            "http://search.test/ws/search/SaleSearch?ebaytag1_tmp=&exclude=blue+green&ht=1&"
            "ebaytag1code_tmp=&sosortproperty=1&satitle=(red,car)+-(blue,green)&sorecordsperpage="
            "50&from=R6&sorecordstoskip=");
}

TEST_F(KeywordAddressTest, TitleAndDescriptionSearchAddresses) {
  window.txtTitle.text = "red car";
  window.Check1.value = 1;
  window.cmbCategories.select(23);
  const SearchAddresses a =
      KeywordAddresses(window.context().controls.KeywordTab(), window.context().config);
  EXPECT_EQ(a.first,
            "http://desc.test/search/search.dll?MfcISAPICommand=GetResult&ht=1&ebaytag1=ebayreg&"
            "query=red+car&query2=red+car&search_option=1&srchdesc=y&exclude=&category0=99&"
            "minPrice=&maxPrice=&ebaytag1code=0&st=&SortProperty=MetaEndSort");
  EXPECT_EQ(a.next,
            "http://desc.test/search/search.dll?query=red+car&minPrice=&maxPrice=&srchdesc=y&"
            "region=0&ebaytag1=ebayreg&ht=1&category0=99&combine=y&SortProperty=MetaEndSort&st=2&"
            "skip=");
}

TEST_F(KeywordAddressTest, TypedListTextGivesNoQueryAndModeZero) {
  window.txtTitle.text = "lamp";
  window.cmbSearch.type("Whatever");
  window.cmbCategories.type("Books");
  const SearchAddresses a =
      KeywordAddresses(window.context().controls.KeywordTab(), window.context().config);
  EXPECT_NE(a.first.find("&query2=&search_option=0&"), std::string::npos);
  EXPECT_NE(a.first.find("&category0=&exclude=&"), std::string::npos);
  EXPECT_NE(a.next.find("&satitle=&"), std::string::npos);
}

}  // namespace
}  // namespace lotwise
