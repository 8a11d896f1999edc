// Dates: the forms accepted in datetime and data-vorn-datetime attributes
// (RFC 3339's and HTML's), the forms in which vorn prints dates in UTC, and
// the time of the run (SOURCE_DATE_EPOCH).
#ifndef VORN_BASE_DATES_H_
#define VORN_BASE_DATES_H_

#include <cstdint>
#include <string_view>

// Parses TEXT, after leading white space, as a date and time
// (ISDATETIME = 1) or a date alone (ISDATETIME = 0, midnight UTC) and sets
// TIME to the moment in seconds since the epoch, UTC.
//
// A date is "YYYY-MM-DD".  A date and time is a date, "T" or a space, and
// "HH:MM" with optional seconds ":SS", a fraction of a second ("." and
// digits, dropped) after the seconds, and an offset from UTC: "Z",
// "+HH:MM", "-HH:MM", "+HHMM" or "-HHMM", taken off to give UTC.  Without
// an offset the time is read as UTC.  Together these are RFC 3339's
// date-time and full-date and HTML's valid global and local date and time
// strings; a fraction of more than three digits needs seconds and an
// offset with a colon, as in RFC 3339.  "T" and "Z" may be in either
// case.  Nothing may follow.
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

// SOURCE_DATE_EPOCH, the time a reproducible build stands for: a decimal
// number of seconds since 1970-01-01T00:00:00Z, from 0 to 253402300799
// (the end of 9999), digits only.  Sets SECONDS and returns true for a
// well-formed TEXT.
bool parse_source_date_epoch(const char* text, int64_t& seconds);

// Reads SOURCE_DATE_EPOCH from the environment once, at the start of a
// run, before any thread starts.  A malformed value is reported and gives
// false: the run must not go on with a time it does not mean.
bool load_source_date_epoch();

// The current time, or SOURCE_DATE_EPOCH when it is set.
int64_t run_time();

// A file's change time T, made no later than SOURCE_DATE_EPOCH when it is
// set, so that files fresh from a checkout date their articles alike.
int64_t clamp_file_time(int64_t t);

#endif  // VORN_BASE_DATES_H_
