#include "articles/feedsafe.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FeedReading, EntityReferences) {
  feed_reading feed;
  const struct {
    const char* name;
    const char* path;
    const char* want;
    const char* warning;  // the end of the line on standard error, or ""
  } cases[] = {
      {"eacute", "a.xml", "&#233;", ""},
      {"nbsp", "a.xml", "&#160;", ""},
      {"euro", "a.xml", "&#8364;", ""},
      {"diams", "a.xml", "&#9830;", ""},
      {"foo", "a.xml", "&foo;", "a.xml: undeclared entity &foo; in the feed\n"},
      // Once per name for the whole run, whatever the file.
      {"foo", "a.xml", "&foo;", ""},
      {"foo", "b.xml", "&foo;", ""},
      {"bar", "b.xml", "&bar;", "b.xml: undeclared entity &bar; in the feed\n"},
      // Names are compared with case.
      {"Foo", "b.xml", "&Foo;", "b.xml: undeclared entity &Foo; in the feed\n"},
      {"NBSP", "c.xml", "&NBSP;", "c.xml: undeclared entity &NBSP; in the feed\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " in " + c.path);
    std::string out = "x";
    testing::internal::CaptureStderr();
    feed.entity_reference(out, c.name, c.path);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(out, std::string("x") + c.want);
    if (*c.warning) {
      // warnx puts the program name and ": " first.
      ASSERT_GE(err.size(), std::string(c.warning).size());
      EXPECT_EQ(err.substr(err.size() - std::string(c.warning).size()),
                c.warning);
      EXPECT_EQ(err.find('\n'), err.size() - 1) << "one line: " << err;
    } else {
      EXPECT_EQ(err, "");
    }
  }
}

}  // namespace
