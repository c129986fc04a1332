#include "report/report_page.h"

namespace lotwise {
namespace {

// The page as the program always wrote it, its editor's meta tags, the unclosed banner
// anchor and the missing blanks between attributes included: kept on purpose, byte for
// byte, so that a report reads as every earlier one did.
constexpr std::string_view kHead =
    "<HTML>\r\n"
    "<head>\r\n"
    "<meta http-equiv=\"Content-Language\"content= \"en-us\">\r\n"
    "<meta http-equiv=\"Content-Type\"content=\"text/html; charset=windows-1252\">\r\n"
    "<meta name=\"GENERATOR\"content=\"Microsoft FrontPage 4.0\">\r\n"
    "<meta name=\"ProgId\"content=\"FrontPage.Editor.Document\">\r\n"
    "<title>Search Results</title>\r\n"
    "</head>\r\n"
    "<body>\r\n";

constexpr std::string_view kHeading =
    "<p></p><p></p>"
    "<p align=\"center\"><b><font size=\"4\" face =\"Arial\"><u>Search Results</u></font></b></p>"
    "<p> </p><p> </p>"
    "<table width=\"100%\" cellpadding=0 border=0 cellspacing=1 bgcolor=\"#FFFFFF\">"
    "<tr valign=middle bgcolor=\"#FFFFFF\">";

constexpr std::string_view kAfterColumns = "</tr></table><p> </p>";

struct Column {
  std::string_view width;
  std::string_view caption;
};

constexpr Column kColumns[] = {
    {"12%", "Picture"}, {"50%", "Items"}, {"12%", "Price"}, {"12%", "Bids"}, {"16%", "Ends PST"}};

}  // namespace

std::string ReportBeginning(const Config& config) {
  const std::string site = "http://" + config.publisherWebsiteHost + "/adware/zadadorud";
  std::string text(kHead);
  text += "<p></p>";
  text += "<p align=\"center\"><a href=\"" + site + ".html\"target=\"_new\"><img src=\"" + site +
          ".gif\"></p>";
  text += kHeading;
  for (const Column& column : kColumns) {
    text += "<td align=center valign=top noWrap width=\"";
    text += column.width;
    text += "\" bgcolor=\"#FFE680\"><font size=\"2\"><b>";
    text += column.caption;
    text += "</b></font></td>";
  }
  text += kAfterColumns;
  return text;
}

}  // namespace lotwise
