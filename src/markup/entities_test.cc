#include "markup/entities.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

TEST(XhtmlEntity, Table) {
  const struct {
    std::string_view name;
    char32_t code;  // 0: not an XHTML entity
  } cases[] = {
      // The first and last names in byte order.
      {"AElig", 198},
      {"zwnj", 8204},
      // Latin-1: its first and last, and a capital beside its small letter.
      {"nbsp", 160},
      {"yuml", 255},
      {"eacute", 233},
      {"Eacute", 201},
      {"copy", 169},
      // Symbols.
      {"fnof", 402},
      {"Alpha", 913},
      {"alpha", 945},
      {"thetasym", 977},
      {"hellip", 8230},
      {"Prime", 8243},
      {"prime", 8242},
      {"larr", 8592},
      {"lArr", 8656},
      {"diams", 9830},
      // Special, including the five that XML itself predefines.
      {"OElig", 338},
      {"oelig", 339},
      {"Yuml", 376},
      {"ndash", 8211},
      {"mdash", 8212},
      {"Dagger", 8225},
      {"dagger", 8224},
      {"rsaquo", 8250},
      {"euro", 8364},
      {"amp", 38},
      {"lt", 60},
      {"gt", 62},
      {"quot", 34},
      {"apos", 39},
      // Not XHTML entities: other letter cases, near misses, HTML5-only
      // names, names with the reference's punctuation.
      {"", 0},
      {"NBSP", 0},
      {"Nbsp", 0},
      {"EACUTE", 0},
      {"Euro", 0},
      {"eacut", 0},
      {"eacutes", 0},
      {"AEli", 0},
      {"zwnjz", 0},
      {"A", 0},
      {"a", 0},
      {"zzzz", 0},
      {"hyphen", 0},
      {"rarrw", 0},
      {"nbsp;", 0},
      {"&nbsp", 0},
      {std::string_view("nbsp\0", 5), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name));
    EXPECT_EQ(xhtml_entity(c.name), c.code);
  }
}

}  // namespace
