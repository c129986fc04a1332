#pragma once

#include <cstddef>
#include <ostream>
#include <string>

namespace lotwise {

// How the statuses of a search are printed.
enum class StatusStyle {
  kLines,    // one line a status: into a pipe or a file
  kInPlace,  // one line, rewritten in place: on a terminal
  kQuiet,    // none
};

// No statuses with --quiet; else one line rewritten in place on a terminal, one line a
// status elsewhere.
StatusStyle StyleFor(bool quiet, bool terminal);

// What lotwise-search prints: the statuses on standard output, each message on standard
// error, and the summary line last. A status line rewritten in place is ended before
// anything else is printed, so that a message never lands in the middle of it.
class StatusLines {
 public:
  // `columns` is the terminal's width (0 when not known): a line rewritten in place that
  // wrapped could not be rewritten whole.
  StatusLines(std::ostream& out, std::ostream& err, StatusStyle style, std::size_t columns = 0);

  void Status(const std::string& text);
  void Message(const std::string& text);
  void Summary(const std::string& text);

 private:
  void EndStatusLine();

  std::ostream& out_;
  std::ostream& err_;
  StatusStyle style_;
  std::size_t columns_;
  bool lineOpen_ = false;
};

}  // namespace lotwise
