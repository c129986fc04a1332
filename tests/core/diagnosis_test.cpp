// Searches that meet a page Lotwise cannot read end with a message that says what the
// page was: every kind of page it knows, as the answer to every fetch of every search.

#include "collect/diagnosis.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/window_fixture.h"

namespace lotwise {
namespace {

// Answers every fetch with the same page and status.
class OnePagePlatform : public testing::FakePlatform {
 public:
  std::string body;
  int status = 200;

  std::string OpenURL(const std::string& url) override {
    fetched.push_back(url);
    return body;
  }
  int LastHttpStatus() override { return status; }
};

class DiagnosisTest : public ::testing::Test {
 protected:
  testing::TempFolder folder;
  OnePagePlatform platform;
  SearchWindow window{testing::TestConfig(), folder.path(), platform};

  // Runs a search of every kind on the page; gives the message of each.
  std::vector<std::string> MessagesOf(const std::string& page, int status = 200) {
    platform.body = page;
    platform.status = status;
    window.Text1.text = "7";
    window.Text2.text = "clock";
    window.txtTitle.text = "lamp";
    std::vector<std::string> messages;
    for (CommandButton* command :
         {&window.cmdSearch, &window.Command3, &window.Command4, &window.Command5}) {
      platform.messages.clear();
      platform.fetched.clear();
      window.click(*command);
      EXPECT_LE(platform.fetched.size(), 3u) << "a page it knows ends the search at once";
      EXPECT_EQ(window.Label1.caption, "Ready for another search");
      EXPECT_EQ(testing::SearchCommandStates(window), "11111");
      EXPECT_EQ(window.summary().end, SearchEnd::kMessage);
      messages.push_back(platform.messages.empty() ? "(none)" : platform.messages.front());
    }
    return messages;
  }
};

TEST_F(DiagnosisTest, EveryPageItKnowsGetsItsOwnMessageInEverySearch) {
  const std::string filler(300000, 'x');  // pages of several hundred kilobytes
  struct Case {
    const char* what;
    std::string page;
    int status;
    const char* message;
  };
  const Case cases[] = {
      {"refused", "<html><body>Not here</body></html>", 404,
       "The marketplace refused the request (HTTP 404)."},
      {"robot check", "<title>Pardon Our Interruption...</title>" + filler, 200,
       "The marketplace showed a robot check instead of results. Open the marketplace in your "
       "browser, wait a while, then try again."},
      {"robot check, challenge", filler + "<script src=\"/splashui/challenge/x.js\">", 200,
       "The marketplace showed a robot check instead of results. Open the marketplace in your "
       "browser, wait a while, then try again."},
      {"sign-in", "<title>Sign in or register</title>" + filler + "<input type=\"password\">", 200,
       "The marketplace asked to sign in instead of showing results."},
      {"edge error", "<H1>Access Denied</H1>You don't have permission. edgesuite.net", 200,
       "The marketplace's server answered with an error page instead of results. Try again "
       "later."},
      {"today's layout",
       filler + "<ul class=\"srp-results\"><li class=\"s-item__wrapper\"><a href=\"/itm/1\">" +
           "<div hidden>No exact matches found</div>",
       200, "The marketplace's page layout is not one this version of Lotwise can read."},
      {"nothing found", "<p><b>0</b> items found for <b>lamp</b></p>" + filler, 200,
       "The marketplace found no items for this search."},
      {"nothing found, said", filler + "<h2>No items found</h2>", 200,
       "The marketplace found no items for this search."},
      {"anything else", "<html>" + filler + "10 items found</html>", 200, kTooManyListings},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(MessagesOf(c.page, c.status), std::vector<std::string>(4, c.message));
  }
}

TEST_F(DiagnosisTest, SignInNeedsBothItsTitleAndAPasswordField) {
  EXPECT_EQ(MessagesOf("<title>Sign in</title><p>Welcome back</p>")[1], kTooManyListings);
  EXPECT_EQ(MessagesOf("<title>Lamps</title><input type=password>")[1], kTooManyListings);
}

TEST_F(DiagnosisTest, AReadTotalOrPageCountOfZeroFoundNothing) {
  EXPECT_EQ(MessagesOf("var searchResultTotal = \"0\";<font>of <b>0</b></font>"
                       "<tr><td><font size=2 face=\"Arial, Helvetica, sans-serif\"><b>0</b>"),
            std::vector<std::string>(4, "The marketplace found no items for this search."));
}

}  // namespace
}  // namespace lotwise
