#include "base/dates.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

struct Accepted {
  const char* text;
  int64_t time;
  int isdatetime;
};

void expect_accepted(const Accepted& c) {
  SCOPED_TRACE(std::string("text \"") + c.text + "\"");
  int64_t t = 12345;
  int isdatetime = 7;
  ASSERT_TRUE(parse_datetime(c.text, t, isdatetime));
  EXPECT_EQ(t, c.time);
  EXPECT_EQ(isdatetime, c.isdatetime);
}

// The two strict forms read since the first release, with what the C
// library's strptime lets through in them: their results must not change.
TEST(ParseDatetime, FormsOfOldKeepTheirResults) {
  const Accepted cases[] = {
      {"1970-01-01", 0, 0},
      {"1970-01-01T00:00:00Z", 0, 1},
      {"2020-01-01", 1577836800, 0},
      {"2020-01-01T12:34:56Z", 1577882096, 1},
      {"2000-02-29", 951782400, 0},
      {"2000-02-29T23:59:59Z", 951868799, 1},
      // Before 1970.
      {"1969-12-31T23:59:59Z", -1, 1},
      {"1969-12-31", -86400, 0},
      {"1900-01-01", -2208988800LL, 0},
      // Leading white space is skipped.
      {" 2020-01-01", 1577836800, 0},
      {" \t\n 2020-01-01T12:34:56Z", 1577882096, 1},
      // strptime skips spaces before a number and takes one digit where
      // the length still comes out right.
      {"2020- 1- 1", 1577836800, 0},
      {"2020-01-01T 1:02:03Z", 1577840523, 1},
      // It takes any day up to 31 and seconds up to 61; timegm counts on.
      {"2020-02-31", 1583107200, 0},
      {"2021-02-29T00:00:00Z", 1614556800, 1},
      {"2020-01-01T23:59:60Z", 1577923200, 1},
      {"2020-01-01T23:59:61Z", 1577923201, 1},
  };
  for (const Accepted& c : cases) expect_accepted(c);
}

// The rest of RFC 3339 date-time: fractions, offsets, either letter case
// and a space for the T.  Each result worked out as UTC by hand.
TEST(ParseDatetime, RestOfRfc3339) {
  const Accepted cases[] = {
      // 2026-04-01T00:00:00Z is 1775001600.
      {"2026-04-01T20:00:00+01:00", 1775070000, 1},
      {"2026-04-01T20:00:00-01:00", 1775077200, 1},
      {"2026-04-01T20:00:00+00:00", 1775073600, 1},
      {"2026-04-01T20:00:00-00:00", 1775073600, 1},
      {"2026-04-01T20:00:00.5-05:30", 1775093400, 1},
      {"2026-04-01T00:30:00+01:00", 1774999800, 1},  // the day before
      {"2026-04-01T23:59:59-23:59", 1775174339, 1},  // the day after
      // The fraction is dropped, however long.
      {"2026-04-01T20:00:00.999Z", 1775073600, 1},
      {"2026-04-01T20:00:00.0Z", 1775073600, 1},
      {"2026-04-01T20:00:00.123456789012Z", 1775073600, 1},
      // T and Z in either case, a space for T.
      {"2026-04-01t20:00:00z", 1775073600, 1},
      {"2026-04-01t20:00:00Z", 1775073600, 1},
      {"2026-04-01T20:00:00z", 1775073600, 1},
      {"2026-04-01 20:00:00Z", 1775073600, 1},
      {"2026-04-01 20:00:00.25+02:00", 1775066400, 1},
      {" \t2026-04-01T20:00:00+01:00", 1775070000, 1},
      // The examples of RFC 3339, section 5.8.
      {"1985-04-12T23:20:50.52Z", 482196050, 1},
      {"1996-12-19T16:39:57-08:00", 851042397, 1},
      {"1990-12-31T23:59:60Z", 662688000, 1},
      {"1990-12-31T15:59:60-08:00", 662688000, 1},
      {"1937-01-01T12:00:27.87+00:20", -1041337173, 1},
      // A leap day, and the epoch from both sides.
      {"2024-02-29T12:00:00+02:00", 1709200800, 1},
      {"1969-12-31T23:00:00-01:00", 0, 1},
      {"1970-01-01T01:00:00+01:00", 0, 1},
  };
  for (const Accepted& c : cases) expect_accepted(c);
}

// HTML's valid local and global date and time strings: the seconds and
// the offset may be left out (then the time is UTC), a fraction has one to
// three digits, and an offset may leave out its colon.
TEST(ParseDatetime, HtmlForms) {
  const Accepted cases[] = {
      // 2020-01-01T00:00:00Z is 1577836800; 12:34 adds 45240 seconds.
      {"2020-01-01T12:34", 1577882040, 1},
      {"2020-01-01 12:34", 1577882040, 1},
      {"2020-01-01t12:34", 1577882040, 1},
      {" \t2020-01-01T12:34", 1577882040, 1},
      {"2020-01-01T12:34:56", 1577882096, 1},
      {"2020-01-01 12:34:56", 1577882096, 1},
      {"2020-01-01T12:34:56.5", 1577882096, 1},
      {"2020-01-01T12:34:56.123", 1577882096, 1},
      {"2020-01-01T23:59:60", 1577923200, 1},
      // An offset, with or without its colon, or Z, after minutes.
      {"2020-01-01T12:34Z", 1577882040, 1},
      {"2020-01-01T12:34z", 1577882040, 1},
      {"2020-01-01T12:34+01:00", 1577878440, 1},
      {"2020-01-01T12:34+0100", 1577878440, 1},
      {"2020-01-01T12:34:56-0500", 1577900096, 1},
      {"2020-01-01 12:34:56.25+0530", 1577862296, 1},
      {"2020-01-01T00:30-0100", 1577842200, 1},
      // A long fraction keeps RFC 3339's rules.
      {"2020-01-01T12:34:56.1234+01:00", 1577878496, 1},
      // 2026-04-01T00:00:00Z is 1775001600.
      {"2026-04-01 10:00", 1775037600, 1},
      {"2026-04-01T10:00", 1775037600, 1},
      {"2026-04-01T10:00:00", 1775037600, 1},
  };
  for (const Accepted& c : cases) expect_accepted(c);
}

TEST(ParseDatetime, Rejected) {
  const char* const cases[] = {
      "",
      "   ",
      // Trailing white space.
      "2020-01-01 ",
      "2020-01-01T12:34:56Z ",
      "2020-01-01T12:34:56+01:00 ",
      "2020-01-01\n",
      // An offset not in the form +HH:MM or +HHMM.
      "2020-01-01T12:34:56+01",
      "2020-01-01T12:34:56+010",
      "2020-01-01T12:34:56+0160",
      "2020-01-01T12:34:56+2400",
      "2020-01-01T12:34:56+01:00:00",
      "2020-01-01T12:34:56 Z",
      "2020-01-01T12:34:56+1:00",
      "2020-01-01T12:34:56+01:0",
      "2020-01-01T12:34:56 +01:00",
      "2020-01-01T12:34:56+24:00",
      "2020-01-01T12:34:56+01:60",
      "2020-01-01T12:34:56ZZ",
      "2020-01-01T12:34:56Z+01:00",
      // A fraction needs a digit, and a point.
      "2020-01-01T12:34:56.Z",
      "2020-01-01T12:34:56,5Z",
      // A fraction of more than three digits, which only RFC 3339 allows,
      // without its offset written with a colon; a fraction without
      // seconds.
      "2020-01-01T12:34:56.1234",
      "2020-01-01T12:34:56.1234-0500",
      "2020-01-01T12:34.5",
      "2020-01-01T12:34.5Z",
      // Parts missing or short.
      "2020-01-01T12",
      "2020-01-01T12:3",
      "2020-01-01T12:34:5",
      "2020-01-01T12:34:5Z",
      "2020-01-01T",
      "2020-01-01T1:34:56Z",
      "2020-01-01T1:34:56+01:00",
      "2020-1-1",
      "2020-1-01T12:34:56+01:00",
      "20-01-01",
      "2020-01-1",
      "20200101T123456Z",
      "+2020-01-01",
      "12020-01-01T00:00:00+00:00",
      // Other separators.
      "2020/01/01",
      "2020-01-01X12:34:56Z",
      "2020-01-01_12:34:56Z",
      "2020-01-01\t12:34:56Z",
      "2020-01-01  12:34:56Z",
      "2020-01-01TT12:34:56Z",
      // Out of range in the new forms: months, days of the month, hours,
      // minutes and seconds beyond a leap second.
      "2020-13-01",
      "2020-01-32",
      "2020-01-01T25:34:56Z",
      "2020-00-01T00:00:00+00:00",
      "2020-13-01T00:00:00+00:00",
      "2020-01-00T00:00:00+00:00",
      "2020-04-31T00:00:00+00:00",
      "2021-02-29T00:00:00+00:00",
      "1900-02-29T00:00:00z",
      "2020-01-01T24:00:00+00:00",
      "2020-01-01T12:60:00+00:00",
      "2020-01-01T12:00:61+00:00",
      "2020-01-01t12:00:61Z",
      "2020-01-01T24:00",
      "2020-01-01T12:60",
      "2020-01-01 12:34:61",
      // Trailing white space after the new forms, and what people write.
      "2020-01-01T12:34 ",
      "2020-01-01 12:34\n",
      "April 1, 2026",
      "01/04/2026",
      "2026-04-01 10:00 am",
      "abcdefghij",
  };
  for (const char* text : cases) {
    SCOPED_TRACE(std::string("text \"") + text + "\"");
    int64_t t = 0;
    int isdatetime = 0;
    EXPECT_FALSE(parse_datetime(text, t, isdatetime));
  }
}

}  // namespace

namespace {

TEST(ParseSourceDateEpoch, DigitsOnlyUpToTheEndOf9999) {
  const struct {
    const char* text;
    bool ok;
    int64_t seconds;
  } cases[] = {
      {"0", true, 0},
      {"1775001600", true, 1775001600},
      {"0001", true, 1},
      {"253402300799", true, 253402300799},  // 9999-12-31T23:59:59Z
      {"", false, 0},
      {" 1", false, 0},
      {"1 ", false, 0},
      {"1\n", false, 0},
      {"+1", false, 0},
      {"-1", false, 0},
      {"1.5", false, 0},
      {"1e9", false, 0},
      {"0x10", false, 0},
      {"abc", false, 0},
      {"253402300800", false, 0},
      {"99999999999999999999999999", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("text \"") + c.text + "\"");
    int64_t seconds = 42;
    EXPECT_EQ(parse_source_date_epoch(c.text, seconds), c.ok);
    EXPECT_EQ(seconds, c.ok ? c.seconds : 42);
  }
}

}  // namespace
