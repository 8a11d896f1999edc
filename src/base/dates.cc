#include "base/dates.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "base/diagnostics.h"

namespace {

// The two forms vorn has always read, "YYYY-MM-DDTHH:MM:SSZ" (exactly 20
// characters) and "YYYY-MM-DD" (exactly 10), through strptime.  They come
// first so that every value they take keeps its meaning, down to what the
// C library allows in them (such as a space before a number, the 31st of
// any month or a 61st second, counted on into the next day or minute).
bool parse_classic(const char* text, int64_t& time, int& isdatetime) {
  size_t len = std::strlen(text);
  const char* format;
  if (len == 20)
    format = "%Y-%m-%dT%TZ";
  else if (len == 10)
    format = "%Y-%m-%d";
  else
    return false;
  struct tm tm;
  std::memset(&tm, 0, sizeof tm);
  const char* end = strptime(text, format, &tm);
  if (!end || *end != '\0') return false;
  time = static_cast<int64_t>(timegm(&tm));
  isdatetime = len == 20;
  return true;
}

// Reads exactly N decimal digits at P into VALUE and moves P past them.
bool digits(const char*& p, int n, int& value) {
  value = 0;
  for (int i = 0; i < n; ++i, ++p) {
    if (*p < '0' || *p > '9') return false;
    value = value * 10 + (*p - '0');
  }
  return true;
}

// Moves P past C when it stands there.
bool skip(const char*& p, char c) {
  if (*p != c) return false;
  ++p;
  return true;
}

// Same, for either letter case of the upper-case letter C.
bool skip_letter(const char*& p, char c) {
  return skip(p, c) || skip(p, static_cast<char>(c | 0x20));
}

int days_in_month(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30,
                                  31, 31, 30, 31, 30, 31};
  bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
  return month == 2 && leap ? 29 : kDays[month - 1];
}

// Seconds since the epoch of a UTC date and time with its fields in range
// (a 60th second counts on into the next minute).
int64_t utc_seconds(int year, int month, int day, int hour, int minute,
                    int second) {
  struct tm tm;
  std::memset(&tm, 0, sizeof tm);
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  return static_cast<int64_t>(timegm(&tm));
}

// The date, "YYYY-MM-DD", with a month 01-12 and a day that exists in it.
bool parse_date(const char*& p, int& year, int& month, int& day) {
  return digits(p, 4, year) && skip(p, '-') && digits(p, 2, month) &&
         skip(p, '-') && digits(p, 2, day) && month >= 1 && month <= 12 &&
         day >= 1 && day <= days_in_month(year, month);
}

// The offset from UTC after a time, in seconds east of UTC: nothing (UTC),
// "Z", or a sign, two digits of hours (00-23), an optional colon and two
// digits of minutes (00-59).  COLON tells whether a numeric offset had
// its colon (or was "Z"), as RFC 3339 wants.
bool parse_offset(const char*& p, int& offset, bool& colon) {
  offset = 0;
  colon = true;
  if (*p == '\0' || skip_letter(p, 'Z')) return true;
  int sign = *p == '+' ? 1 : *p == '-' ? -1 : 0;
  if (!sign) return false;
  ++p;
  int oh, om;
  if (!digits(p, 2, oh)) return false;
  colon = skip(p, ':');
  if (!digits(p, 2, om) || oh > 23 || om > 59) return false;
  offset = sign * (oh * 3600 + om * 60);
  return true;
}

// A date and time: RFC 3339's date-time, section 5.6, and HTML's valid
// global and local date and time strings, with their ranges: hour 00-23,
// minute 00-59, second 00-60 (a leap second counts as the first second
// of the next minute).  The seconds and the offset may be left out, and a
// fraction of a second of one to three digits may follow the seconds; a
// longer fraction, which only RFC 3339 allows, needs an offset written
// with a colon or "Z".
bool parse_date_time(const char* p, int64_t& time) {
  int year, month, day, hour, minute, second = 0;
  if (!parse_date(p, year, month, day)) return false;
  if (!skip_letter(p, 'T') && !skip(p, ' ')) return false;
  if (!digits(p, 2, hour) || !skip(p, ':') || !digits(p, 2, minute))
    return false;
  size_t fraction = 0;
  if (skip(p, ':')) {
    if (!digits(p, 2, second)) return false;
    if (skip(p, '.')) {
      while (p[fraction] >= '0' && p[fraction] <= '9') ++fraction;
      if (fraction == 0) return false;
      p += fraction;
    }
  }
  if (hour > 23 || minute > 59 || second > 60) return false;
  int offset;
  bool colon;
  bool given = *p != '\0';
  if (!parse_offset(p, offset, colon) || *p != '\0') return false;
  if (fraction > 3 && !(given && colon)) return false;
  time = utc_seconds(year, month, day, hour, minute, second) - offset;
  return true;
}

// A date alone, with its ranges checked; midnight UTC.
bool parse_date_only(const char* p, int64_t& time) {
  int year, month, day;
  if (!parse_date(p, year, month, day) || *p != '\0') return false;
  time = utc_seconds(year, month, day, 0, 0, 0);
  return true;
}

// SOURCE_DATE_EPOCH as read at the start of the run; absent when unset.
bool have_source_date = false;
int64_t source_date = 0;

}  // namespace

bool parse_datetime(const char* text, int64_t& time, int& isdatetime) {
  while (isspace(static_cast<unsigned char>(*text))) ++text;
  if (parse_classic(text, time, isdatetime)) return true;
  if (parse_date_only(text, time)) {
    isdatetime = 0;
    return true;
  }
  if (!parse_date_time(text, time)) return false;
  isdatetime = 1;
  return true;
}

std::string_view format_utc(int64_t t, const char* format, date_buffer& buf) {
  time_t tt = static_cast<time_t>(t);
  struct tm tm;
  if (!gmtime_r(&tt, &tm)) return {};
  return {buf.text, strftime(buf.text, sizeof buf.text, format, &tm)};
}

bool parse_source_date_epoch(const char* text, int64_t& seconds) {
  constexpr int64_t kLast = 253402300799;  // 9999-12-31T23:59:59Z
  int64_t v = 0;
  size_t n = 0;
  for (; text[n] >= '0' && text[n] <= '9'; ++n) {
    v = v * 10 + (text[n] - '0');
    if (v > kLast) return false;
  }
  if (n == 0 || text[n] != '\0') return false;
  seconds = v;
  return true;
}

bool load_source_date_epoch() {
  const char* value = std::getenv("SOURCE_DATE_EPOCH");
  have_source_date = false;
  if (!value) return true;
  if (!parse_source_date_epoch(value, source_date)) {
    report("malformed SOURCE_DATE_EPOCH %s (write a number of seconds "
           "since 1970-01-01T00:00:00Z, such as 1775001600)",
           in_quotes(value).c_str());
    return false;
  }
  have_source_date = true;
  return true;
}

int64_t run_time() {
  return have_source_date ? source_date : static_cast<int64_t>(std::time(nullptr));
}

int64_t clamp_file_time(int64_t t) {
  return have_source_date && t > source_date ? source_date : t;
}
