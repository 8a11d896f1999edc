#include "articles/attributes.h"
#include "base/dates.h"

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

}  // namespace
