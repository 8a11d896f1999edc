#include "articles/attributes.h"
#include "articles/dates.h"

#include <gtest/gtest.h>

#include <string>
#include <unordered_set>
#include <vector>

namespace {

using Words = std::vector<std::string>;

Words parse(Words words, const std::string& text,
            const article* subst = nullptr) {
  std::unordered_set<std::string> seen(words.begin(), words.end());
  taglist_parse(words, seen, text, subst);
  // The set mirrors the list.
  EXPECT_EQ(seen, std::unordered_set<std::string>(words.begin(), words.end()));
  return words;
}

TEST(TaglistParse, Words) {
  const struct {
    const char* text;
    Words want;
  } cases[] = {
      {"", {}},
      {"   ", {}},
      {"a", {"a"}},
      {"  a  b a", {"a", "b"}},
      {"a b c ", {"a", "b", "c"}},
      {"a A a", {"a", "A"}},
      // A backslash keeps the space after it, and stays in the word.
      {"one\\ two three", {"one\\ two", "three"}},
      {"a\\ b c", {"a\\ b", "c"}},
      {"\\ x", {"\\ x"}},
      {"a\\  b", {"a\\ ", "b"}},
      {"a\\", {"a\\"}},
      {"a\\b", {"a\\b"}},
      {"a\\ b a\\ b a", {"a\\ b", "a"}},
      // Only the space separates words.
      {"a\tb c\nd", {"a\tb", "c\nd"}},
      // Without an article no placeholder is replaced.
      {"tag-${vorn-get|cat}", {"tag-${vorn-get|cat}"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("text \"") + c.text + "\"");
    EXPECT_EQ(parse({}, c.text), c.want);
  }
}

TEST(TaglistParse, AccumulatesIntoExistingWords) {
  Words words = parse({}, "x y");
  words = parse(words, "y z");
  EXPECT_EQ(words, (Words{"x", "y", "z"}));
  words = parse(words, "z x");
  EXPECT_EQ(words, (Words{"x", "y", "z"}));
  words = parse(words, "");
  EXPECT_EQ(words, (Words{"x", "y", "z"}));
}

TEST(TaglistParse, SubstitutesTheFirstPlaceholder) {
  article a;
  a.setmap = {{"cat", "news"}, {"Cat", "other"}, {"sp", "x y"}};
  const struct {
    const char* text;
    Words want;
  } cases[] = {
      {"tag-${vorn-get|cat}", {"tag-news"}},
      {"${vorn-get|cat}", {"news"}},
      {"pre${vorn-get|cat}post", {"prenewspost"}},
      {"${vorn-get|Cat}", {"other"}},
      // No such key: the placeholder is dropped.
      {"tag-${vorn-get|dog}", {"tag-"}},
      {"x${vorn-get|}y", {"xy"}},
      // Only the first placeholder of a word.
      {"${vorn-get|cat}-${vorn-get|cat}", {"news-${vorn-get|cat}"}},
      // Without a closing brace there is no placeholder.
      {"tag-${vorn-get|cat", {"tag-${vorn-get|cat"}},
      {"}${vorn-get|cat", {"}${vorn-get|cat"}},
      {"}${vorn-get|cat}", {"}news"}},
      {"${vorn-get:cat}", {"${vorn-get:cat}"}},
      // The value is stored as it is, spaces included.
      {"${vorn-get|sp}", {"x y"}},
      // Several words, each substituted.
      {"a-${vorn-get|cat} b-${vorn-get|dog} c",
       {"a-news", "b-", "c"}},
      // The duplicate test looks at the word as written.
      {"tag-${vorn-get|cat} tag-news", {"tag-news"}},
      {"tag-${vorn-get|cat} tag-${vorn-get|cat}", {"tag-news", "tag-news"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("text \"") + c.text + "\"");
    EXPECT_EQ(parse({}, c.text, &a), c.want);
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
