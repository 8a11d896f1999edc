#include "startup/keywords.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// Every name the table knows, at the position of its identifier.
const char* const kExpected[] = {
    "data-vorn-altlink",          // 0
    "data-vorn-altlink-fmt",      // 1
    "data-vorn-article",          // 2
    "data-vorn-articletag",       // 3
    "data-vorn-aside",            // 4
    "data-vorn-atomcontent",      // 5
    "data-vorn-author",           // 6
    "data-vorn-const-aside",      // 7
    "data-vorn-const-author",     // 8
    "data-vorn-const-datetime",   // 9
    "data-vorn-const-img",        // 10
    "data-vorn-const-title",      // 11
    "data-vorn-content",          // 12
    "data-vorn-datetime",         // 13
    "data-vorn-entry",            // 14
    "data-vorn-forall",           // 15
    "data-vorn-ign-once",         // 16
    "data-vorn-img",              // 17
    "data-vorn-lang",             // 18
    "data-vorn-nav",              // 19
    "data-vorn-navcontent",       // 20
    "data-vorn-navsort",          // 21
    "data-vorn-navstart",         // 22
    "data-vorn-navstyle-content", // 23
    "data-vorn-navstyle-element", // 24
    "data-vorn-navsz",            // 25
    "data-vorn-navtag",           // 26
    "data-vorn-navxml",           // 27
    "data-vorn-permlink",         // 28
    "data-vorn-sort",             // 29
    "data-vorn-source",           // 30
    "data-vorn-striplink",        // 31
    "data-vorn-tags",             // 32
    "data-vorn-title",            // 33
    "address",                    // 34
    "area",                       // 35
    "article",                    // 36
    "aside",                      // 37
    "base",                       // 38
    "br",                         // 39
    "col",                        // 40
    "command",                    // 41
    "embed",                      // 42
    "entry",                      // 43
    "h1",                         // 44
    "h2",                         // 45
    "h3",                         // 46
    "h4",                         // 47
    "hr",                         // 48
    "id",                         // 49
    "img",                        // 50
    "input",                      // 51
    "keygen",                     // 52
    "link",                       // 53
    "meta",                       // 54
    "nav",                        // 55
    "param",                      // 56
    "source",                     // 57
    "time",                       // 58
    "title",                      // 59
    "track",                      // 60
    "updated",                    // 61
    "wbr",                        // 62
};

const std::set<std::string> kVoid = {
    "area",  "base",   "br",   "col",   "command", "embed",  "hr",    "img",
    "input", "keygen", "link", "meta",  "param",   "source", "track", "wbr",
};

TEST(KeywordLookup, EveryNameMapsToItsOwnIdentifier) {
  static_assert(sizeof kExpected / sizeof kExpected[0] == 63);
  static_assert(KW_UNKNOWN == 63);
  for (int id = 0; id < 63; ++id) {
    SCOPED_TRACE(kExpected[id]);
    EXPECT_EQ(keyword_lookup(kExpected[id]), id);
    ASSERT_NE(keyword_name(id), nullptr);
    EXPECT_STREQ(keyword_name(id), kExpected[id]);
  }
  EXPECT_EQ(keyword_name(63), nullptr);
  EXPECT_EQ(keyword_name(-1), nullptr);
}

TEST(KeywordLookup, EnumeratorsMatchTheTable) {
  EXPECT_EQ(keyword_lookup("h3"), 46);
  EXPECT_EQ(KW_E_H3, 46);
  EXPECT_EQ(keyword_lookup("data-vorn-title"), 33);
  EXPECT_EQ(KW_TITLE, 33);
  EXPECT_EQ(KW_E_ADDRESS, 34);
  EXPECT_EQ(KW_E_WBR, 62);
  // The headings are tested as a range.
  EXPECT_EQ(KW_E_H4 - KW_E_H1, 3);
}

TEST(KeywordLookup, OtherNamesAreUnknown) {
  const char* const cases[] = {
      "",
      "H1",                        // case-sensitive
      "Aside",
      "IMG",
      "DATA-VORN-TITLE",
      "Data-vorn-article",
      "data-vorn-set-",
      "data-vorn-set-colour",
      "data-vorn-set-title",
      "data-vorn-",
      "data-vorn",
      "data-vorn-titles",          // longer than a name
      "data-vorn-titl",            // a prefix of a name
      "h",
      "h5",
      "h0",
      "p",
      "div",
      "aside ",
      " aside",
      "svg:title",
      "zzz",
      "a",                         // before every element name
      "data-vorn-aaa",             // before every attribute name
      "data-vorn-zzz",             // after every attribute name
  };
  for (const char* name : cases) {
    SCOPED_TRACE(std::string("name \"") + name + "\"");
    EXPECT_EQ(keyword_lookup(name), KW_UNKNOWN);
  }
}

TEST(VoidElements, ExactlyTheSixteen) {
  ASSERT_EQ(kVoid.size(), 16u);
  for (int id = 0; id < 63; ++id) {
    SCOPED_TRACE(kExpected[id]);
    EXPECT_EQ(is_void_element(kExpected[id]), kVoid.count(kExpected[id]) == 1);
  }
}

TEST(VoidElements, OtherNamesAreNotVoid) {
  const char* const cases[] = {"", "BR", "Img", "WBR", "p", "div", "frame",
                               "data-vorn-img", "svg:br", "br "};
  for (const char* name : cases) {
    SCOPED_TRACE(std::string("name \"") + name + "\"");
    EXPECT_FALSE(is_void_element(name));
  }
}

TEST(AsciiCase, EqualityAndPrefixIgnoreAsciiCaseOnly) {
  struct Case {
    const char* a;
    const char* b;
    bool equal;
    bool prefix;  // a begins with b
  };
  const Case cases[] = {
      {"TRUE", "true", true, true},
      {"tRuE", "true", true, true},
      {"true ", "true", false, true},
      {"tru", "true", false, false},
      {"", "", true, true},
      {"x", "", false, true},
      {"", "x", false, false},
      {"DATA-VORN-SET-Key", "data-vorn-set-", false, true},
      {"data-vorn-sex-", "data-vorn-set-", false, false},
      {"\xc3\x89t\xc3\xa9", "\xc3\xa9t\xc3\xa9", false, false},  // only ASCII folds
      {"@[`{", "`{@[", false, false},  // neighbours of the letters do not fold
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " / " + c.b);
    EXPECT_EQ(ascii_iequal(c.a, c.b), c.equal);
    EXPECT_EQ(ascii_iprefix(c.a, c.b), c.prefix);
  }
}

}  // namespace
