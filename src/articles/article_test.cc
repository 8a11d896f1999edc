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

TEST(SetmapGet, ExactKeys) {
  article a;
  EXPECT_EQ(setmap_get(a, "a"), nullptr);
  a.setmap = {{"a", "1"}, {"B", "2"}, {"empty", ""}};
  // With a few keys, and with as many as make the index worth it.
  for (int pass = 0; pass < 2; ++pass) {
    SCOPED_TRACE(pass);
    if (pass == 1) {
      for (int i = 40; i > 0; --i)
        a.setmap.emplace_back("k" + std::to_string(i), "v" + std::to_string(i));
      index_setmap(a);
      ASSERT_FALSE(a.setorder.empty());
      for (int i = 1; i <= 40; ++i) {
        const std::string* v = setmap_get(a, "k" + std::to_string(i));
        ASSERT_NE(v, nullptr) << i;
        EXPECT_EQ(*v, "v" + std::to_string(i));
      }
      EXPECT_EQ(setmap_get(a, "k0"), nullptr);
      EXPECT_EQ(setmap_get(a, "k400"), nullptr);
      EXPECT_EQ(setmap_get(a, "zzz"), nullptr);
      EXPECT_EQ(a.setmap[3].first, "k40") << "the set keeps its order";
    }
    ASSERT_NE(setmap_get(a, "a"), nullptr);
    EXPECT_EQ(*setmap_get(a, "a"), "1");
    ASSERT_NE(setmap_get(a, "B"), nullptr);
    EXPECT_EQ(*setmap_get(a, "B"), "2");
    ASSERT_NE(setmap_get(a, "empty"), nullptr);
    EXPECT_EQ(*setmap_get(a, "empty"), "");
    EXPECT_EQ(setmap_get(a, "b"), nullptr);
    EXPECT_EQ(setmap_get(a, "A"), nullptr);
    EXPECT_EQ(setmap_get(a, ""), nullptr);
    EXPECT_EQ(setmap_get(a, "1"), nullptr);  // values are not keys
  }
}

}  // namespace
