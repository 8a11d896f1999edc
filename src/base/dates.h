// Dates: the RFC 3339 forms accepted in datetime and data-vorn-datetime
// attributes, and the forms in which vorn prints dates in UTC.
#ifndef VORN_BASE_DATES_H_
#define VORN_BASE_DATES_H_

#include <cstdint>
#include <string_view>

// Parses TEXT, after leading white space, as an RFC 3339 date-time
// (ISDATETIME = 1) or full-date (ISDATETIME = 0, midnight UTC) and sets
// TIME to the moment in seconds since the epoch, UTC.
//
// A date-time is "YYYY-MM-DDTHH:MM:SS", an optional fraction of a second
// ("." and digits, dropped), and "Z" or a numeric offset "+HH:MM" or
// "-HH:MM" that is taken off to give UTC.  "T" and "Z" may be in either
// case, and a space may stand for "T".  Nothing may follow.
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

#endif  // VORN_BASE_DATES_H_
