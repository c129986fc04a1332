#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace lotwise::testing {

// The user's time zone set for one test through TZ, and put back after it. The zone is
// written as POSIX and the C runtime of Windows both read it ("PST8PDT" there, with the
// rules of the United States, which its runtime assumes).
class TimeZoneForTest {
 public:
  explicit TimeZoneForTest(const std::string& posix, const std::string& windows) {
    if (const char* before = std::getenv("TZ")) before_ = before;
#ifdef _WIN32
    (void)posix;
    _putenv_s("TZ", windows.c_str());
    _tzset();
#else
    (void)windows;
    setenv("TZ", posix.c_str(), 1);
    tzset();
#endif
  }
  ~TimeZoneForTest() {
#ifdef _WIN32
    _putenv_s("TZ", before_ ? before_->c_str() : "");
    _tzset();
#else
    if (before_) {
      setenv("TZ", before_->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
#endif
  }
  TimeZoneForTest(const TimeZoneForTest&) = delete;
  TimeZoneForTest& operator=(const TimeZoneForTest&) = delete;

 private:
  std::optional<std::string> before_;
};

// How the report names a zone: by its short name, or on Windows by its offset
// ("UTC+01:00"), since Windows has no short names.
#ifdef _WIN32
inline std::string ZoneName(const char*, const char* offset) { return offset; }
#else
inline std::string ZoneName(const char* name, const char*) { return name; }
#endif

// US Pacific time, standard and daylight.
inline TimeZoneForTest PacificTime() {
  return TimeZoneForTest("PST8PDT,M3.2.0,M11.1.0", "PST8PDT");
}

}  // namespace lotwise::testing
