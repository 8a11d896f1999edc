// Article dates: the RFC 3339 forms accepted in datetime and
// data-vorn-datetime attributes.
#ifndef VORN_ARTICLES_DATES_H_
#define VORN_ARTICLES_DATES_H_

#include <cstdint>

// Parses TEXT, after leading white space, as an RFC 3339 date-time
// (ISDATETIME = 1) or full-date (ISDATETIME = 0, midnight UTC) and sets
// TIME to the moment in seconds since the epoch, UTC.
//
// A date-time is "YYYY-MM-DDTHH:MM:SS", an optional fraction of a second
// ("." and digits, dropped), and "Z" or a numeric offset "+HH:MM" or
// "-HH:MM" that is taken off to give UTC.  "T" and "Z" may be in either
// case, and a space may stand for "T".  Nothing may follow.
bool parse_datetime(const char* text, int64_t& time, int& isdatetime);

#endif  // VORN_ARTICLES_DATES_H_
