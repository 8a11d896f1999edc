#include "feeds/json_export.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string as_json(std::string_view s) {
  std::string out;
  Writer w;
  w.open_string(&out);
  json_string(w, s);
  EXPECT_TRUE(w.close());
  return out;
}

TEST(JsonString, Table) {
  const struct {
    std::string in;
    std::string want;  // between the quotes
  } cases[] = {
      {"", ""},
      {"plain text", "plain text"},
      {"\b", "\\b"},
      {"\t", "\\t"},
      {"\n", "\\n"},
      {"\f", "\\f"},
      {"\r", "\\r"},
      {"\"", "\\\""},
      {"/", "\\/"},
      {"\\", "\\\\"},
      {"\x01", "\\u0001"},
      {"\x07", "\\u0007"},
      {"\x0b", "\\u000b"},
      {"\x0e", "\\u000e"},
      {"\x1a", "\\u001a"},
      {"\x1b", "\\u001b"},
      {"\x1f", "\\u001f"},
      {"\x7f", "\x7f"},
      {" ", " "},
      {"a/b", "a\\/b"},
      {"</p>", "<\\/p>"},
      {"a\\ b", "a\\\\ b"},
      {"&amp; <x> 'y'", "&amp; <x> 'y'"},
      // UTF-8 passes unchanged.
      {"\xc3\xa9t\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80",
       "\xc3\xa9t\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80"},
      {"\x80\xff", "\x80\xff"},
      {"line 1\r\nline 2\t\"q\"\x01/",
       "line 1\\r\\nline 2\\t\\\"q\\\"\\u0001\\/"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "input \"" << c.in << "\"");
    EXPECT_EQ(as_json(c.in), "\"" + c.want + "\"");
  }
}

TEST(JsonString, EveryControlByte) {
  for (int b = 1; b < 0x20; ++b) {
    SCOPED_TRACE(b);
    std::string want;
    switch (b) {
      case 0x08: want = "\\b"; break;
      case 0x09: want = "\\t"; break;
      case 0x0a: want = "\\n"; break;
      case 0x0c: want = "\\f"; break;
      case 0x0d: want = "\\r"; break;
      default: {
        const char hex[] = "0123456789abcdef";
        want = std::string("\\u00") + hex[b >> 4] + hex[b & 15];
      }
    }
    std::string in = "x";
    in += static_cast<char>(b);
    in += "y";
    EXPECT_EQ(as_json(in), "\"x" + want + "y\"");
  }
}

TEST(JsonString, EveryOtherByteUnchanged) {
  for (int b = 0x20; b < 0x100; ++b) {
    if (b == '"' || b == '/' || b == '\\') continue;
    SCOPED_TRACE(b);
    std::string in(1, static_cast<char>(b));
    EXPECT_EQ(as_json(in), "\"" + in + "\"");
  }
}

TEST(JsonString, LongStringsCrossTheWriterBuffer) {
  std::string in;
  std::string want = "\"";
  for (int i = 0; i < 40000; ++i) {
    in += "a/";
    want += "a\\/";
  }
  want += "\"";
  EXPECT_EQ(as_json(in), want);
}

}  // namespace
