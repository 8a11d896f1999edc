#include "base/diagnostics.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Quoted, OneLineInDoubleQuotesCutAfterSixtyBytes) {
  const std::string sixty(60, 'x');
  const struct {
    std::string text;
    std::string want;
  } cases[] = {
      {"", "\"\""},
      {"April 1, 2026", "\"April 1, 2026\""},
      {"say \"hi\" \\ there", "\"say \\\"hi\\\" \\\\ there\""},
      {"a\nb\tc\rd\x01\x7f", "\"a\\nb\\tc\\x0dd\\x01\\x7f\""},
      // Bytes of other characters pass as they are.
      {"caf\xc3\xa9", "\"caf\xc3\xa9\""},
      {sixty, "\"" + sixty + "\""},
      {sixty + "y", "\"" + sixty + "\"..."},
      // Never in the middle of a character: the cut moves back to its
      // first byte.
      {std::string(59, 'x') + "\xc3\xa9", "\"" + std::string(59, 'x') + "\"..."},
      {std::string(59, 'x') + "\xc3\xa9z", "\"" + std::string(59, 'x') + "\"..."},
      {std::string(58, 'x') + "\xc3\xa9z", "\"" + std::string(58, 'x') + "\xc3\xa9\"..."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(in_quotes(c.text), c.want);
  }
}

}  // namespace
