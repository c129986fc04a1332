#pragma once

#include <string>
#include <string_view>

#include "app/config.h"

namespace lotwise {

// The fixed text of the report before its rows: the head, the banner of the
// publisher's web site, the heading and the column headers. Lines end with CR LF.
std::string ReportBeginning(const Config& config);

// The fixed text after the rows; nothing follows "</html>".
inline constexpr std::string_view kReportEnding = "</body>\r\n</html>";

}  // namespace lotwise
