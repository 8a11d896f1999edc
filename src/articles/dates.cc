#include "articles/dates.h"

#include <cctype>
#include <cstring>
#include <ctime>

bool parse_datetime(const char* text, int64_t& time, int& isdatetime) {
  while (isspace(static_cast<unsigned char>(*text))) ++text;
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

std::string_view format_utc(int64_t t, const char* format, date_buffer& buf) {
  time_t tt = static_cast<time_t>(t);
  struct tm tm;
  if (!gmtime_r(&tt, &tm)) return {};
  return {buf.text, strftime(buf.text, sizeof buf.text, format, &tm)};
}
