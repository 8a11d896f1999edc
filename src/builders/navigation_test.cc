#include "builders/navigation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "articles/attributes.h"
#include "base/dates.h"
#include "articles/sort.h"
#include "markup/writer.h"

namespace {

// A record with the fields a navigation list reads.
article make_article(const char* src, const char* title, const char* date,
                     std::vector<std::string> tags, size_t order) {
  article a;
  a.src = src;
  a.stripbase = src;
  a.title = title;
  a.titletext = title;
  int isdatetime = 0;
  EXPECT_TRUE(parse_datetime(date, a.time, isdatetime)) << date;
  a.isdatetime = isdatetime;
  a.tags = std::move(tags);
  a.order = order;
  return a;
}

// The attribute list Expat would hand over, ended by a null name.
std::vector<const char*> attribute_list(std::initializer_list<const char*> pairs) {
  std::vector<const char*> atts(pairs);
  atts.push_back(nullptr);
  return atts;
}

// The attributes as they would be written in a start tag, for traces.
std::string attribute_trace(const std::vector<const char*>& atts) {
  std::string trace;
  for (size_t i = 0; i + 1 < atts.size(); i += 2)
    trace += std::string(atts[i]) + "=\"" + atts[i + 1] + "\" ";
  return trace;
}

// Parses ATTS (ended by a null name) as a navigation element named "nav"
// over LIST, prints it with CONTENT as its captured content and returns
// the markup.
std::string render_nav(std::vector<const char*> atts,
                       article_list list, std::string_view content,
                       const char* url) {
  nav_settings nav = nav_parse(atts.data(), list.size(), nullptr);
  nav_orders orders(list);
  std::string out;
  Writer f;
  f.open_string(&out);
  nav_print_before(f, nav, "nav", atts.data());
  nav_print_list(f, nav, "nav", content, orders, url);
  EXPECT_TRUE(f.close());
  return out;
}

// Five articles in page order, newest first; tags x on p1, p3, p5 and y on
// p3, p4; p2 has none.
class NavListTest : public ::testing::Test {
 protected:
  NavListTest() {
    articles_.push_back(make_article("p1", "T1", "2024-05-05", {"x"}, 1));
    articles_.push_back(make_article("p2", "T2", "2024-04-04", {}, 2));
    articles_.push_back(make_article("p3", "T3", "2024-03-03", {"x", "y"}, 3));
    articles_.push_back(make_article("p4", "T4", "2024-02-02", {"y"}, 4));
    articles_.push_back(make_article("p5", "T5", "2024-01-01", {"x"}, 5));
    for (const article& a : articles_) ptrs_.push_back(&a);
  }

  // Parses ATTS as a navigation element named "nav", prints it with
  // CONTENT as its captured content and returns the markup.
  std::string render(std::initializer_list<const char*> pairs,
                     std::string_view content = "",
                     const char* url = "page.html") {
    return render_nav(attribute_list(pairs), ptrs_, content, url);
  }

  article_records articles_;
  std::vector<const article*> ptrs_;
};

TEST(NavNumber, ReadsDecimalsAndCaps) {
  const struct {
    const char* value;
    size_t count;
    size_t want;
  } cases[] = {
      {"0", 5, 0},
      {"3", 5, 3},
      {"5", 5, 5},
      {"6", 5, 5},
      {"+2", 5, 2},
      {"  4", 5, 4},
      {"\t +1", 5, 1},
      {"007", 9, 7},
      // No digits.
      {"", 5, 0},
      {" ", 5, 0},
      {"abc", 5, 0},
      {"+", 5, 0},
      {"-", 5, 0},
      // Negative values count as larger than any count; -0 is not negative.
      {"-1", 5, 5},
      {" -2", 3, 3},
      {"-0", 5, 0},
      {"-99999999999999999999999", 5, 5},
      // Too large for any integer type: capped like any other.
      {"99999999999999999999999", 5, 5},
      // With no articles everything is 0.
      {"3", 0, 0},
      {"-1", 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("value \"") + c.value + "\" count " +
                 std::to_string(c.count));
    EXPECT_EQ(nav_number(c.value, c.count), c.want);
  }
}

TEST(NavParse, Defaults) {
  std::vector<const char*> atts = attribute_list({"data-vorn-nav", "1"});
  nav_settings nav = nav_parse(atts.data(), 7, nullptr);
  EXPECT_EQ(nav.start, 0u);
  EXPECT_EQ(nav.size, 7u);
  EXPECT_TRUE(nav.tags.empty());
  EXPECT_FALSE(nav.sort_given);
  EXPECT_EQ(nav.element_style, nav_element_style::standard);
  EXPECT_EQ(nav.content_style, nav_content_style::standard);
}

TEST(NavParse, StartCountsFromOne) {
  const struct {
    const char* value;
    size_t want;
  } cases[] = {
      {"0", 0}, {"1", 0}, {"2", 1}, {"5", 4}, {"9", 4}, {"-1", 4}, {"x", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    std::vector<const char*> atts =
        attribute_list({"data-vorn-nav", "1", "data-vorn-navstart", c.value});
    EXPECT_EQ(nav_parse(atts.data(), 5, nullptr).start, c.want);
  }
}

TEST(NavParse, StylesAndOverrideOrder) {
  const struct {
    std::vector<const char*> atts;
    nav_element_style element;
    nav_content_style content;
  } cases[] = {
      // Values are compared exactly; anything else is the default.
      {{"data-vorn-navstyle-element", "keep-strip"}, nav_element_style::keep_strip, nav_content_style::standard},
      {{"data-vorn-navstyle-element", "repeat-strip"}, nav_element_style::repeat_strip, nav_content_style::standard},
      {{"data-vorn-navstyle-element", "discard"}, nav_element_style::discard, nav_content_style::standard},
      {{"data-vorn-navstyle-element", "Discard"}, nav_element_style::standard, nav_content_style::standard},
      {{"data-vorn-navstyle-element", "discard "}, nav_element_style::standard, nav_content_style::standard},
      {{"data-vorn-navstyle-content", "summarise"}, nav_element_style::standard, nav_content_style::summarise},
      {{"data-vorn-navstyle-content", "summarize"}, nav_element_style::standard, nav_content_style::summarise},
      {{"data-vorn-navstyle-content", "keep"}, nav_element_style::standard, nav_content_style::keep},
      {{"data-vorn-navstyle-content", "list-keep"}, nav_element_style::standard, nav_content_style::list_keep},
      {{"data-vorn-navstyle-content", "KEEP"}, nav_element_style::standard, nav_content_style::standard},
      // A later value outside the table resets an earlier one.
      {{"data-vorn-navstyle-element", "discard", "data-vorn-navstyle-element", "x"},
       nav_element_style::standard, nav_content_style::standard},
      // The shorthands.
      {{"data-vorn-navcontent", "1"}, nav_element_style::standard, nav_content_style::list_keep},
      {{"data-vorn-navxml", "True"}, nav_element_style::discard, nav_content_style::keep},
      // navcontent after navstyle-content overrides it, and the other way
      // round.
      {{"data-vorn-navstyle-content", "summarise", "data-vorn-navcontent", "1"},
       nav_element_style::standard, nav_content_style::list_keep},
      {{"data-vorn-navcontent", "1", "data-vorn-navstyle-content", "summarise"},
       nav_element_style::standard, nav_content_style::summarise},
      {{"data-vorn-navstyle-element", "discard", "data-vorn-navcontent", "TRUE"},
       nav_element_style::standard, nav_content_style::list_keep},
      // A false shorthand resets both styles.
      {{"data-vorn-navstyle-element", "repeat-strip", "data-vorn-navstyle-content", "keep",
        "data-vorn-navcontent", "0"},
       nav_element_style::standard, nav_content_style::standard},
      {{"data-vorn-navstyle-element", "keep-strip", "data-vorn-navstyle-content", "summarise",
        "data-vorn-navxml", "false"},
       nav_element_style::standard, nav_content_style::standard},
      {{"data-vorn-navxml", "1", "data-vorn-navxml", "yes"}, nav_element_style::standard, nav_content_style::standard},
      {{"data-vorn-navcontent", "1", "data-vorn-navxml", "1"}, nav_element_style::discard, nav_content_style::keep},
      {{"data-vorn-navxml", "1", "data-vorn-navcontent", "1"}, nav_element_style::standard, nav_content_style::list_keep},
      {{"data-vorn-navxml", "1", "data-vorn-navstyle-element", "repeat-strip"},
       nav_element_style::repeat_strip, nav_content_style::keep},
  };
  for (const auto& c : cases) {
    std::vector<const char*> atts = c.atts;
    std::string trace;
    for (size_t i = 0; i < atts.size(); i += 2)
      trace += std::string(atts[i]) + "=\"" + atts[i + 1] + "\" ";
    SCOPED_TRACE(trace);
    atts.push_back(nullptr);
    nav_settings nav = nav_parse(atts.data(), 5, nullptr);
    EXPECT_EQ(nav.element_style, c.element);
    EXPECT_EQ(nav.content_style, c.content);
  }
}

TEST(NavParse, SortOrder) {
  const struct {
    const char* value;
    bool given;
    sort_order order;
  } cases[] = {
      {"rdate", true, sort_order::rdate},
      {"RTITLE", true, sort_order::rtitle},
      {"Date", true, sort_order::date},
      // Not a sort name: ignored.
      {"newest", false, sort_order::date},
      {"", false, sort_order::date},
      {"date ", false, sort_order::date},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    std::vector<const char*> atts =
        attribute_list({"data-vorn-nav", "1", "data-vorn-navsort", c.value});
    nav_settings nav = nav_parse(atts.data(), 5, nullptr);
    EXPECT_EQ(nav.sort_given, c.given);
    if (c.given) {
      EXPECT_EQ(nav.by, c.order);
    }
  }
}

TEST(NavParse, TagFilterTakesValuesOfTheCurrentArticle) {
  article current;
  current.setmap.push_back({"colour", "red"});
  std::vector<const char*> atts = attribute_list(
      {"data-vorn-navtag", "${vorn-get|colour} z  z tag-${vorn-get|none}"});
  EXPECT_EQ(nav_parse(atts.data(), 5, &current).tags,
            (std::vector<std::string>{"red", "z", "tag-"}));
  // Without a current article the words stay as written.
  EXPECT_EQ(nav_parse(atts.data(), 5, nullptr).tags,
            (std::vector<std::string>{"${vorn-get|colour}", "z",
                                      "tag-${vorn-get|none}"}));
}

// Which articles a list shows, by start, size and tag filter.  Each row is
// printed twice: as expanded content (which also computes the counts) and
// as date lines.
TEST_F(NavListTest, StartSizeAndFilter) {
  const struct {
    std::vector<const char*> atts;
    const char* want;  // sources of the listed articles
  } cases[] = {
      {{}, "p1;p2;p3;p4;p5;"},
      {{"data-vorn-navstart", "0"}, "p1;p2;p3;p4;p5;"},
      {{"data-vorn-navstart", "1"}, "p1;p2;p3;p4;p5;"},
      {{"data-vorn-navstart", "2"}, "p2;p3;p4;p5;"},
      {{"data-vorn-navstart", "5"}, "p5;"},
      {{"data-vorn-navstart", "9"}, "p5;"},
      {{"data-vorn-navstart", "-3"}, "p5;"},
      {{"data-vorn-navsz", "3"}, "p1;p2;p3;"},
      {{"data-vorn-navsz", "0"}, ""},
      {{"data-vorn-navsz", "-1"}, "p1;p2;p3;p4;p5;"},
      {{"data-vorn-navsz", "7"}, "p1;p2;p3;p4;p5;"},
      {{"data-vorn-navstart", "2", "data-vorn-navsz", "2"}, "p2;p3;"},
      {{"data-vorn-navstart", "4", "data-vorn-navsz", "9"}, "p4;p5;"},
      // The filter: start and size count matching articles only.
      {{"data-vorn-navtag", "x"}, "p1;p3;p5;"},
      {{"data-vorn-navtag", "x y"}, "p1;p3;p4;p5;"},
      {{"data-vorn-navtag", "X"}, ""},
      {{"data-vorn-navtag", "z"}, ""},
      {{"data-vorn-navtag", ""}, "p1;p2;p3;p4;p5;"},
      {{"data-vorn-navtag", "x", "data-vorn-navstart", "2"}, "p3;p5;"},
      {{"data-vorn-navtag", "x", "data-vorn-navsz", "2"}, "p1;p3;"},
      {{"data-vorn-navtag", "x", "data-vorn-navstart", "2", "data-vorn-navsz", "1"}, "p3;"},
      {{"data-vorn-navtag", "y", "data-vorn-navstart", "2"}, "p4;"},
      // Two matching articles out of five: start 3 passes over both.
      {{"data-vorn-navtag", "y", "data-vorn-navstart", "3"}, ""},
      // The element's own order.
      {{"data-vorn-navsort", "rdate", "data-vorn-navsz", "2"}, "p5;p4;"},
      {{"data-vorn-navsort", "rcmdline", "data-vorn-navtag", "y"}, "p4;p3;"},
      {{"data-vorn-navsort", "nonsense", "data-vorn-navsz", "2"}, "p1;p2;"},
  };
  const std::string lines[] = {
      "2024-05-05: <a href=\"p1\">T1</a>", "2024-04-04: <a href=\"p2\">T2</a>",
      "2024-03-03: <a href=\"p3\">T3</a>", "2024-02-02: <a href=\"p4\">T4</a>",
      "2024-01-01: <a href=\"p5\">T5</a>",
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(attribute_trace(c.atts));

    std::vector<const char*> keep = {"data-vorn-navxml", "1"};
    keep.insert(keep.end(), c.atts.begin(), c.atts.end());
    keep.push_back(nullptr);
    std::vector<const char*> summary = {"data-vorn-navstyle-element", "discard",
                                        "data-vorn-navstyle-content", "summarise"};
    summary.insert(summary.end(), c.atts.begin(), c.atts.end());
    summary.push_back(nullptr);

    // The same articles as date lines: "pN;" stands for lines[N - 1].
    std::string want_summary;
    for (const char* p = c.want; *p; p += 3) want_summary += lines[p[1] - '1'];

    EXPECT_EQ(render_nav(keep, ptrs_, "${vorn-source};", nullptr), c.want);
    EXPECT_EQ(render_nav(summary, ptrs_, "${vorn-source};", nullptr),
              want_summary);
  }
}

// Every element style with every content style, for a list of two.
TEST(NavStyles, ElementTimesContent) {
  article_records two;
  two.push_back(make_article("q1.xml", "One", "2023-01-02", {}, 1));
  two.push_back(make_article("q2.xml", "Two", "2023-01-01", {}, 2));
  std::vector<const article*> ptrs = {&two[0], &two[1]};
  const std::string d1 = "2023-01-02: <a href=\"q1.xml\">One</a>";
  const std::string d2 = "2023-01-01: <a href=\"q2.xml\">Two</a>";

  const struct {
    const char* element;  // null: attribute absent
    const char* content;
    std::string want;
  } cases[] = {
      {nullptr, nullptr,
       "<nav data-vorn-nav=\"1\"><ul><li>" + d1 + "</li><li>" + d2 + "</li></ul></nav>"},
      {nullptr, "summarise",
       "<nav data-vorn-nav=\"1\" data-vorn-navstyle-content=\"summarise\">" + d1 + d2 + "</nav>"},
      {nullptr, "keep",
       "<nav data-vorn-nav=\"1\" data-vorn-navstyle-content=\"keep\"><i>1</i><i>2</i></nav>"},
      {nullptr, "list-keep",
       "<nav data-vorn-nav=\"1\" data-vorn-navstyle-content=\"list-keep\">"
       "<ul><li><i>1</i></li><li><i>2</i></li></ul></nav>"},

      {"keep-strip", nullptr, "<nav><ul><li>" + d1 + "</li><li>" + d2 + "</li></ul></nav>"},
      {"keep-strip", "summarise", "<nav>" + d1 + d2 + "</nav>"},
      {"keep-strip", "keep", "<nav><i>1</i><i>2</i></nav>"},
      {"keep-strip", "list-keep", "<nav><ul><li><i>1</i></li><li><i>2</i></li></ul></nav>"},

      {"repeat-strip", nullptr,
       "<ul><li><nav>" + d1 + "</nav></li><li><nav>" + d2 + "</nav></li></ul>"},
      {"repeat-strip", "summarise", "<nav>" + d1 + "</nav><nav>" + d2 + "</nav>"},
      {"repeat-strip", "keep", "<nav><i>1</i></nav><nav><i>2</i></nav>"},
      {"repeat-strip", "list-keep",
       "<ul><li><nav><i>1</i></nav></li><li><nav><i>2</i></nav></li></ul>"},

      {"discard", nullptr, "<ul><li>" + d1 + "</li><li>" + d2 + "</li></ul>"},
      {"discard", "summarise", d1 + d2},
      {"discard", "keep", "<i>1</i><i>2</i>"},
      {"discard", "list-keep", "<ul><li><i>1</i></li><li><i>2</i></li></ul>"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.element ? c.element : "(default)") + " x " +
                 (c.content ? c.content : "(default)"));
    std::vector<const char*> atts = {"data-vorn-nav", "1"};
    if (c.element) {
      atts.push_back("data-vorn-navstyle-element");
      atts.push_back(c.element);
    }
    if (c.content) {
      atts.push_back("data-vorn-navstyle-content");
      atts.push_back(c.content);
    }
    atts.push_back(nullptr);
    EXPECT_EQ(render_nav(atts, ptrs, "<i>${vorn-pos}</i>", nullptr), c.want);
  }
}

// The default element style copies the start tag: every attribute but a
// true data-vorn-ign-once, values escaped.
TEST_F(NavListTest, DefaultStartTagKeepsAttributes) {
  EXPECT_EQ(render({"data-vorn-nav", "TRUE", "data-vorn-ign-once", "1",
                    "data-vorn-navsz", "0", "title", "a&b \"c\""}),
            "<nav data-vorn-nav=\"TRUE\" data-vorn-navsz=\"0\" "
            "title=\"a&amp;b &quot;c&quot;\"><ul></ul></nav>");
  EXPECT_EQ(render({"data-vorn-nav", "1", "data-vorn-ign-once", "0",
                    "data-vorn-navsz", "0"}),
            "<nav data-vorn-nav=\"1\" data-vorn-ign-once=\"0\" "
            "data-vorn-navsz=\"0\"><ul></ul></nav>");
}

// In the keep styles the position variables count the items shown, the
// set count the matching articles from the start on, and the absolute
// position is the index in the list walked.
TEST_F(NavListTest, KeepItemsPositionsAndCounts) {
  const char* content =
      "${vorn-pos}/${vorn-count}/${vorn-setcount}/${vorn-abspos}/"
      "${vorn-abscount} ${vorn-source};";
  const struct {
    std::vector<const char*> atts;
    const char* want;
  } cases[] = {
      {{},
       "1/5/5/1/5 p1;2/5/5/2/5 p2;3/5/5/3/5 p3;4/5/5/4/5 p4;5/5/5/5/5 p5;"},
      {{"data-vorn-navtag", "x"}, "1/3/3/1/5 p1;2/3/3/3/5 p3;3/3/3/5/5 p5;"},
      {{"data-vorn-navtag", "x", "data-vorn-navstart", "2"},
       "1/2/2/3/5 p3;2/2/2/5/5 p5;"},
      {{"data-vorn-navsz", "2"}, "1/2/5/1/5 p1;2/2/5/2/5 p2;"},
      {{"data-vorn-navstart", "4", "data-vorn-navsz", "9"},
       "1/2/2/4/5 p4;2/2/2/5/5 p5;"},
      {{"data-vorn-navtag", "y", "data-vorn-navsz", "1"}, "1/1/2/3/5 p3;"},
      {{"data-vorn-navsort", "rdate", "data-vorn-navsz", "2"},
       "1/2/5/1/5 p5;2/2/5/2/5 p4;"},
      {{"data-vorn-navsz", "0"}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(attribute_trace(c.atts));
    std::vector<const char*> atts = {"data-vorn-navxml", "1"};
    atts.insert(atts.end(), c.atts.begin(), c.atts.end());
    atts.push_back(nullptr);
    EXPECT_EQ(render_nav(atts, ptrs_, content, nullptr), c.want);
  }
}

TEST_F(NavListTest, KeepItemsWithListAndUrl) {
  EXPECT_EQ(render({"data-vorn-nav", "1", "data-vorn-navcontent", "1",
                    "data-vorn-navtag", "y"},
                   "${vorn-pos}:${vorn-url}"),
            "<nav data-vorn-nav=\"1\" data-vorn-navcontent=\"1\" "
            "data-vorn-navtag=\"y\"><ul><li>1:page.html</li><li>2:page.html</li>"
            "</ul></nav>");
  EXPECT_EQ(render({"data-vorn-navxml", "1", "data-vorn-navsz", "1"},
                   "[${vorn-url}]", nullptr),
            "[]");
}

// Sorted copies belong to the element that asked for them: the page's
// order is unchanged afterwards.
TEST_F(NavListTest, SortedCopyLeavesPageOrder) {
  nav_orders orders(ptrs_);
  article_list rdate = orders.sorted(sort_order::rdate);
  ASSERT_EQ(rdate.size(), 5u);
  EXPECT_EQ(rdate[0]->src, "p5");
  EXPECT_EQ(rdate[4]->src, "p1");
  article_list page = orders.page();
  ASSERT_EQ(page.size(), 5u);
  for (size_t i = 0; i < page.size(); ++i) EXPECT_EQ(page[i], ptrs_[i]);
}

TEST(NavMatches, ExactAndCaseSensitive) {
  nav_settings nav;
  EXPECT_TRUE(nav_matches(nav, article{}));  // no words: every article
  std::vector<const char*> atts = attribute_list({"data-vorn-navtag", "a\\ b c"});
  nav = nav_parse(atts.data(), 1, nullptr);
  article a;
  EXPECT_FALSE(nav_matches(nav, a));  // no tags
  a.tags = {"a\\ b"};
  EXPECT_TRUE(nav_matches(nav, a));
  a.tags = {"a", "b", "C"};
  EXPECT_FALSE(nav_matches(nav, a));
  a.tags = {"x", "c"};
  EXPECT_TRUE(nav_matches(nav, a));
}

}  // namespace
