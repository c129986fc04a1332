#pragma once

#include <string>

namespace lotwise::testing {

// The report as a person reads it, written out by hand: the fixed beginning for the
// publisher host "publisher.test", the rows, and the ending.
inline const std::string kBeginning =
    "<HTML>\r\n<head>\r\n"
    "<meta http-equiv=\"Content-Language\"content= \"en-us\">\r\n"
    "<meta http-equiv=\"Content-Type\"content=\"text/html; charset=windows-1252\">\r\n"
    "<meta name=\"GENERATOR\"content=\"Microsoft FrontPage 4.0\">\r\n"
    "<meta name=\"ProgId\"content=\"FrontPage.Editor.Document\">\r\n"
    "<title>Search Results</title>\r\n</head>\r\n<body>\r\n"
    "<p></p><p align=\"center\"><a href=\"http://publisher.test/adware/zadadorud.html\""
    "target=\"_new\"><img src=\"http://publisher.test/adware/zadadorud.gif\"></p><p></p><p></p>"
    "<p align=\"center\"><b><font size=\"4\" face =\"Arial\"><u>Search Results</u></font></b>"
    "</p><p> </p><p> </p><table width=\"100%\" cellpadding=0 border=0 cellspacing=1 "
    "bgcolor=\"#FFFFFF\"><tr valign=middle bgcolor=\"#FFFFFF\">"
    "<td align=center valign=top noWrap width=\"12%\" bgcolor=\"#FFE680\"><font size=\"2\"><b>"
    "Picture</b></font></td>"
    "<td align=center valign=top noWrap width=\"50%\" bgcolor=\"#FFE680\"><font size=\"2\"><b>"
    "Items</b></font></td>"
    "<td align=center valign=top noWrap width=\"12%\" bgcolor=\"#FFE680\"><font size=\"2\"><b>"
    "Price</b></font></td>"
    "<td align=center valign=top noWrap width=\"12%\" bgcolor=\"#FFE680\"><font size=\"2\"><b>"
    "Bids</b></font></td>"
    "<td align=center valign=top noWrap width=\"16%\" bgcolor=\"#FFE680\"><font size=\"2\"><b>"
    "Ends PST</b></font></td></tr></table><p> </p>";

inline std::string Report(const std::string& rows) {
  return kBeginning + rows + "</body>\r\n</html>";
}

}  // namespace lotwise::testing
