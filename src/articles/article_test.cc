#include "articles/article.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(LastComponent, Table) {
  const struct {
    const char* path;
    const char* want;
  } cases[] = {
      {"post.xml", "post.xml"},
      {"dir/post.xml", "post.xml"},
      {"a/b/c.d/post.en.xml", "post.en.xml"},
      {"/abs/post", "post"},
      {"dir/", ""},
      {"/", ""},
      {"", ""},
      {"./x", "x"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(last_component(c.path), c.want);
  }
}

TEST(CutExtension, Table) {
  const struct {
    const char* in;
    const char* want;
  } cases[] = {
      {"posts/a.en.xml", "posts/a.en"},
      {"a.d/readme", "a.d/readme"},
      {"readme", "readme"},
      {".profile", ""},
      {"post.xml", "post"},
      {"post.", "post"},
      {"dir/.hidden", "dir/"},
      {"a.b/c.d", "a.b/c"},
      {"", ""},
      {".", ""},
      {"x..y", "x."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    std::string s = c.in;
    cut_extension(s);
    EXPECT_EQ(s, c.want);
  }
}

TEST(PageName, Table) {
  const struct {
    const char* in;
    const char* want;
  } cases[] = {
      {"post.xml", "post.html"},
      {"post.XML", "post.html"},
      {"x.Xml", "x.html"},
      {"post", "post.html"},
      {"post.txt", "post.txt.html"},
      {"old.2/post", "old.2/post.html"},
      {".xml", ".html"},
      {"a.b/c", "a.b/c.html"},
      {"dir/post.en.xml", "dir/post.en.html"},
      {"post.xml.bak", "post.xml.bak.html"},
      {"post.xmlx", "post.xmlx.html"},
      {"postxml", "postxml.html"},
      {"dir.xml/post", "dir.xml/post.html"},
      {"post.", "post..html"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(page_name(c.in), c.want);
  }
}

}  // namespace
