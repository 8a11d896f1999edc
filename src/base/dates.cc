#include "base/dates.h"

#include <cctype>
#include <cstring>
#include <ctime>

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

// The date-time grammar of RFC 3339, section 5.6, with its ranges: month
// 01-12, a day that exists in its month, hour 00-23, minute 00-59, second
// 00-60 (a leap second counts as the first second of the next minute).
bool parse_rfc3339_datetime(const char* p, int64_t& time) {
  int year, month, day, hour, minute, second;
  if (!digits(p, 4, year) || !skip(p, '-') || !digits(p, 2, month) ||
      !skip(p, '-') || !digits(p, 2, day))
    return false;
  if (month < 1 || month > 12 || day < 1 || day > days_in_month(year, month))
    return false;
  if (!skip_letter(p, 'T') && !skip(p, ' ')) return false;
  if (!digits(p, 2, hour) || !skip(p, ':') || !digits(p, 2, minute) ||
      !skip(p, ':') || !digits(p, 2, second))
    return false;
  if (hour > 23 || minute > 59 || second > 60) return false;
  if (skip(p, '.')) {
    if (*p < '0' || *p > '9') return false;
    while (*p >= '0' && *p <= '9') ++p;
  }
  int offset = 0;  // seconds east of UTC
  if (!skip_letter(p, 'Z')) {
    int sign = *p == '+' ? 1 : *p == '-' ? -1 : 0;
    int oh, om;
    if (!sign) return false;
    ++p;
    if (!digits(p, 2, oh) || !skip(p, ':') || !digits(p, 2, om) || oh > 23 ||
        om > 59)
      return false;
    offset = sign * (oh * 3600 + om * 60);
  }
  if (*p != '\0') return false;

  struct tm tm;
  std::memset(&tm, 0, sizeof tm);
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  time = static_cast<int64_t>(timegm(&tm)) - offset;
  return true;
}

}  // namespace

bool parse_datetime(const char* text, int64_t& time, int& isdatetime) {
  while (isspace(static_cast<unsigned char>(*text))) ++text;
  if (parse_classic(text, time, isdatetime)) return true;
  if (!parse_rfc3339_datetime(text, time)) return false;
  isdatetime = 1;
  return true;
}

std::string_view format_utc(int64_t t, const char* format, date_buffer& buf) {
  time_t tt = static_cast<time_t>(t);
  struct tm tm;
  if (!gmtime_r(&tt, &tm)) return {};
  return {buf.text, strftime(buf.text, sizeof buf.text, format, &tm)};
}
