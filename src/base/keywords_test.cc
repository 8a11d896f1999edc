#include "base/keywords.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// The void elements: they never get an end tag.
const std::set<std::string> kVoid = {
    "area",  "base",   "br",   "col",   "command", "embed",  "hr",    "img",
    "input", "keygen", "link", "meta",  "param",   "source", "track", "wbr",
};

TEST(KeywordLookup, EveryNameRoundTrips) {
  std::set<std::string> seen;
  for (int id = 0; id < KW_UNKNOWN; ++id) {
    const char* name = keyword_name(id);
    ASSERT_NE(name, nullptr) << id;
    SCOPED_TRACE(name);
    EXPECT_EQ(keyword_lookup(name), id);
    EXPECT_TRUE(seen.insert(name).second) << "listed twice";
  }
  EXPECT_EQ(keyword_name(KW_UNKNOWN), nullptr);
  EXPECT_EQ(keyword_name(-1), nullptr);
}

TEST(KeywordLookup, AttributesThenElementsEachInByteOrder) {
  for (int id = 0; id < KW_UNKNOWN; ++id) {
    std::string name = keyword_name(id);
    SCOPED_TRACE(name);
    bool attribute = name.rfind("data-vorn-", 0) == 0;
    EXPECT_EQ(attribute, id < KW_E_ADDRESS);
    if (id > 0 && id != KW_E_ADDRESS) {
      EXPECT_LT(keyword_name(id - 1), name);
    }
  }
}

TEST(KeywordLookup, NamesDispatchedOn) {
  const struct {
    const char* name;
    keyword id;
  } cases[] = {
      {"data-vorn-article", KW_ARTICLE},   {"data-vorn-title", KW_TITLE},
      {"data-vorn-navsz", KW_NAVSZ},       {"data-vorn-ign-once", KW_IGN_ONCE},
      {"address", KW_E_ADDRESS},           {"h3", KW_E_H3},
      {"entry", KW_E_ENTRY},               {"wbr", KW_E_WBR},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(keyword_lookup(c.name), c.id);
  }
  for (const char* h : {"h1", "h2", "h3", "h4"})
    EXPECT_TRUE(is_heading(keyword_lookup(h))) << h;
  for (const char* h : {"h5", "hr", "H1", "address"})
    EXPECT_FALSE(is_heading(keyword_lookup(h))) << h;
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
  for (const std::string& name : kVoid) EXPECT_TRUE(is_void_element(name.c_str())) << name;
  for (int id = 0; id < KW_UNKNOWN; ++id) {
    const char* name = keyword_name(id);
    SCOPED_TRACE(name);
    EXPECT_EQ(is_void_element(name), kVoid.count(name) == 1);
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
