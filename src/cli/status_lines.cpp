#include "cli/status_lines.h"

namespace lotwise {
namespace {

// The text cut to fit in `columns` less one (where the cursor waits), never inside a
// UTF-8 sequence; whole when the width is not known.
std::string Fitted(const std::string& text, std::size_t columns) {
  if (columns == 0 || text.size() < columns) return text;
  std::size_t end = columns - 1;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

}  // namespace

StatusStyle StyleFor(bool quiet, bool terminal) {
  if (quiet) return StatusStyle::kQuiet;
  return terminal ? StatusStyle::kInPlace : StatusStyle::kLines;
}

StatusLines::StatusLines(std::ostream& out, std::ostream& err, StatusStyle style,
                         std::size_t columns)
    : out_(out), err_(err), style_(style), columns_(columns) {}

void StatusLines::Status(const std::string& text) {
  switch (style_) {
    case StatusStyle::kQuiet:
      return;
    case StatusStyle::kLines:
      out_ << text << '\n' << std::flush;
      return;
    case StatusStyle::kInPlace:
      // Back to the start of the line, the new text, the rest of the old one cleared.
      out_ << '\r' << Fitted(text, columns_) << "\x1b[K" << std::flush;
      lineOpen_ = true;
      return;
  }
}

void StatusLines::Message(const std::string& text) {
  EndStatusLine();
  err_ << text << '\n' << std::flush;
}

void StatusLines::Summary(const std::string& text) {
  EndStatusLine();
  out_ << text << '\n' << std::flush;
}

void StatusLines::EndStatusLine() {
  if (!lineOpen_) return;
  out_ << '\n' << std::flush;
  lineOpen_ = false;
}

}  // namespace lotwise
