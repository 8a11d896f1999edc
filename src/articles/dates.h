// Dates: the two forms an article may give its date in, and the forms in
// which vorn prints dates in UTC.
#ifndef VORN_ARTICLES_DATES_H_
#define VORN_ARTICLES_DATES_H_

#include <cstdint>
#include <string_view>

// Parses "YYYY-MM-DDTHH:MM:SSZ" (ISDATETIME = 1) or "YYYY-MM-DD"
// (ISDATETIME = 0), in UTC, after leading white space, into seconds since
// 1970-01-01 UTC.
bool parse_datetime(const char* text, int64_t& time, int& isdatetime);

// The UTC forms of printed dates.
inline constexpr const char kUtcDate[] = "%Y-%m-%d";
inline constexpr const char kUtcDateTime[] = "%Y-%m-%dT%TZ";

struct date_buffer {
  char text[64];
};

// T (seconds since 1970-01-01 UTC) formatted with the strftime FORMAT in
// UTC, held in BUF; empty when T cannot be broken down.
std::string_view format_utc(int64_t t, const char* format, date_buffer& buf);

#endif  // VORN_ARTICLES_DATES_H_
