#include "articles/sort.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

// An article with the fields the orders look at; fname names it in the
// expectations.
article make(const char* id, int64_t time, const char* src,
             std::optional<std::string> title, pin sort = pin::none) {
  article a;
  a.fname = id;
  a.time = time;
  a.src = src;
  a.titletext = std::move(title);
  a.title = a.titletext.value_or("<br/>");
  a.sort = sort;
  return a;
}

// Numbers the records in reading order, as the reader does.
article_records numbered(article_records list) {
  for (size_t i = 0; i < list.size(); ++i) list[i].order = i + 1;
  return list;
}

std::string ids(const article_records& list) {
  std::string s;
  for (const article& a : list) s += a.fname;
  return s;
}

std::string ids(const std::vector<const article*>& list) {
  std::string s;
  for (const article* a : list) s += a->fname;
  return s;
}

std::string sorted(const article_records& list, sort_order order) {
  return ids(sorted_articles(list, order));
}

// Four unpinned articles whose order differs under each of the ten orders.
article_records four() {
  return numbered({
      make("A", 2000, "b.xml", "b"),
      make("B", 1000, "d.xml", "B"),
      make("C", 4000, "a.xml", "a"),
      make("D", 3000, "c.xml", "C"),
  });
}

const struct {
  sort_order order;
  const char* want;
} kFourCases[] = {
    {sort_order::date, "CDAB"},
    {sort_order::filename, "CADB"},
    {sort_order::cmdline, "ABCD"},
    {sort_order::ititle, "CABD"},   // b and B are equal: reading order
    {sort_order::title, "BDCA"},
    {sort_order::rdate, "BADC"},
    {sort_order::rfilename, "BDAC"},
    {sort_order::rcmdline, "DCBA"},
    {sort_order::rititle, "DABC"},  // b and B are equal: reading order
    {sort_order::rtitle, "ACDB"},
};

TEST(SortArticles, TheTenOrders) {
  for (const auto& c : kFourCases) {
    SCOPED_TRACE(static_cast<int>(c.order));
    EXPECT_EQ(sorted(four(), c.order), c.want);
  }
}

TEST(SortArticles, PointersLeadToWholeRecordsThatStayInPlace) {
  article_records list = four();
  list[2].articlexml = std::string(1000, 'x');
  list[2].tags = {"t"};
  std::vector<const article*> ptrs = sorted_articles(list, sort_order::date);
  ASSERT_EQ(ids(ptrs), "CDAB");
  EXPECT_EQ(ptrs[0], &list[2]);
  EXPECT_EQ(ptrs[0]->src, "a.xml");
  EXPECT_EQ(ptrs[0]->titletext, "a");
  EXPECT_EQ(ptrs[0]->time, 4000);
  EXPECT_EQ(ptrs[0]->order, 3u);
  EXPECT_EQ(ptrs[0]->articlexml, std::string(1000, 'x'));
  EXPECT_EQ(ptrs[0]->tags, std::vector<std::string>{"t"});
  EXPECT_EQ(ids(list), "ABCD");
  // Sorting again starts from the sorted list; cmdline restores reading
  // order.
  sort_articles(ptrs, sort_order::rcmdline);
  EXPECT_EQ(ids(ptrs), "DCBA");
  sort_articles(ptrs, sort_order::cmdline);
  EXPECT_EQ(ids(ptrs), "ABCD");
}

TEST(SortArticles, PinningComesBeforeTheKeyInEveryOrder) {
  for (const auto& c : kFourCases) {
    SCOPED_TRACE(static_cast<int>(c.order));
    // L is pinned "last", F "first"; their keys alone would put them at
    // the other end, or in the middle, depending on the order.
    article_records list = four();
    list.insert(list.begin() + 1, make("F", 9000, "0.xml", "0", pin::first));
    list.insert(list.begin() + 3, make("L", -9000, "z.xml", "zz", pin::last));
    list = numbered(std::move(list));
    EXPECT_EQ(sorted(list, c.order), std::string("L") + c.want + "F");
  }
}

TEST(SortArticles, PinnedAlikeAreOrderedByKey) {
  article_records list = numbered({
      make("a", 1000, "a", "a", pin::last),
      make("b", 5000, "b", "b", pin::none),
      make("c", 2000, "c", "c", pin::last),
      make("d", 3000, "d", "d", pin::first),
      make("e", 4000, "e", "e", pin::first),
      make("f", 6000, "f", "f", pin::none),
  });
  EXPECT_EQ(sorted(list, sort_order::date), "cafbed");
  EXPECT_EQ(sorted(list, sort_order::rdate), "acbfde");
  EXPECT_EQ(sorted(list, sort_order::title), "acbfde");
  EXPECT_EQ(sorted(list, sort_order::rcmdline), "cafbed");
}

TEST(ArticleBefore, PinningTable) {
  // Same keys, so only the pins decide.
  constexpr pin N = pin::none, F = pin::first, L = pin::last;
  const struct {
    pin l, r;
    bool before;
  } cases[] = {
      {N, N, false}, {N, F, true},  {N, L, false},
      {F, N, false}, {F, F, false}, {F, L, false},
      {L, N, true},  {L, F, true},  {L, L, false},
  };
  for (size_t o = 0; o < kSortCount; ++o) {
    sort_order order = static_cast<sort_order>(o);
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message() << "order " << o << ", pins "
                                      << static_cast<int>(c.l) << "/"
                                      << static_cast<int>(c.r));
      article l = make("l", 1000, "x", "x", c.l);
      article r = make("r", 1000, "x", "x", c.r);
      l.order = r.order = 1;
      EXPECT_EQ(article_before(l, r, order), c.before);
    }
  }
}

TEST(SortArticles, EqualKeysKeepReadingOrder) {
  article_records list = numbered({
      make("1", 500, "same", "T"),
      make("2", 500, "same", "t"),
      make("3", 500, "same", "T"),
      make("4", 500, "same", "t"),
      make("5", 500, "same", "T"),
  });
  for (sort_order order : {sort_order::date, sort_order::rdate, sort_order::filename, sort_order::rfilename,
                    sort_order::ititle, sort_order::rititle}) {
    SCOPED_TRACE(static_cast<int>(order));
    EXPECT_EQ(sorted(list, order), "12345");
  }
  EXPECT_EQ(sorted(list, sort_order::title), "13524");
  EXPECT_EQ(sorted(list, sort_order::rtitle), "24135");
  // Ties among pinned articles too.
  for (article& a : list) a.sort = pin::first;
  list[4].sort = pin::last;
  EXPECT_EQ(sorted(list, sort_order::rdate), "51234");
}

TEST(SortArticles, EqualKeysKeepReadingOrderInLongLists) {
  // Long enough that an unstable sort would mix up the ties.
  article_records list;
  for (int i = 0; i < 300; ++i) list.push_back(make("x", 1000 * (i % 3), "s", "t"));
  list = numbered(std::move(list));
  std::vector<const article*> ptrs = sorted_articles(list, sort_order::date);
  ASSERT_EQ(ptrs.size(), 300u);
  for (size_t i = 0; i < 300; ++i) {
    // Newest first: the records with i % 3 == 2, then 1, then 0, each group
    // in reading order.
    size_t group = i / 100;
    size_t want_order = (i % 100) * 3 + (2 - group) + 1;
    ASSERT_EQ(ptrs[i]->order, want_order) << "position " << i;
  }
}

TEST(SortArticles, AbsentTitleTextSortsAsEmpty) {
  article_records list = numbered({
      make("b", 0, "x", "b"),
      make("n", 0, "x", std::nullopt),
      make("A", 0, "x", "A"),
      make("e", 0, "x", ""),
  });
  EXPECT_EQ(sorted(list, sort_order::title), "neAb");
  EXPECT_EQ(sorted(list, sort_order::ititle), "neAb");
  EXPECT_EQ(sorted(list, sort_order::rtitle), "bAne");
  EXPECT_EQ(sorted(list, sort_order::rititle), "bAne");
}

TEST(SortArticles, DatesAcrossCenturiesAndBefore1970) {
  article_records list = numbered({
      make("y1970", 0, "a", "a"),
      make("y1900", -2208988800LL, "b", "b"),
      make("y2100", 4102444800LL, "c", "c"),
      make("y1969", -1, "d", "d"),
      make("y2001", 978307200, "e", "e"),
  });
  EXPECT_EQ(sorted(list, sort_order::date), "y2100y2001y1970y1969y1900");
  EXPECT_EQ(sorted(list, sort_order::rdate), "y1900y1969y1970y2001y2100");

  // Three successive years read as first, third, second.
  article_records years = numbered({
      make("1", 1577836800, "a", "a"),  // 2020
      make("3", 1640995200, "b", "b"),  // 2022
      make("2", 1609459200, "c", "c"),  // 2021
  });
  EXPECT_EQ(sorted(years, sort_order::date), "321");
  EXPECT_EQ(sorted(years, sort_order::rdate), "123");
}

TEST(SortArticles, ByteAndCaseInsensitiveComparisons) {
  article_records list = numbered({
      make("1", 0, "b", "b"),
      make("2", 0, "B", "B"),
      make("3", 0, "a", "a"),
  });
  EXPECT_EQ(sorted(list, sort_order::title), "231");
  EXPECT_EQ(sorted(list, sort_order::ititle), "312");
  EXPECT_EQ(sorted(list, sort_order::filename), "231");
  EXPECT_EQ(sorted(list, sort_order::rfilename), "132");
  // Bytes above 0x7f sort after ASCII (unsigned comparison).
  article_records utf8 = numbered({
      make("1", 0, "\xc3\xa9", "\xc3\xa9"),
      make("2", 0, "z", "z"),
  });
  EXPECT_EQ(sorted(utf8, sort_order::title), "21");
  EXPECT_EQ(sorted(utf8, sort_order::filename), "21");
}

TEST(SortArticles, OrdersOutOfRangeLeaveTheListAlone) {
  // An order value outside the ten (which no name parses to) compares no
  // article before another.
  for (int n : {10, 11, 255}) {
    sort_order order = static_cast<sort_order>(n);
    SCOPED_TRACE(n);
    EXPECT_EQ(sorted(four(), order), "ABCD");
    article_records list = four();
    std::vector<const article*> ptrs = {&list[3], &list[1], &list[0]};
    sort_articles(ptrs, order);
    EXPECT_EQ(ptrs, (std::vector<const article*>{&list[3], &list[1],
                                                 &list[0]}));
  }
}

TEST(SortArticles, EmptyAndSingleLists) {
  article_records none;
  EXPECT_TRUE(sorted_articles(none, sort_order::date).empty());
  EXPECT_EQ(sorted(numbered({make("x", 1, "x", "x")}), sort_order::title), "x");
}

TEST(SortArticles, PointerLists) {
  const article_records list = four();
  for (const auto& c : kFourCases) {
    SCOPED_TRACE(static_cast<int>(c.order));
    std::vector<const article*> ptrs;
    for (const article& a : list) ptrs.push_back(&a);
    sort_articles(ptrs, c.order);
    std::string got;
    for (const article* p : ptrs) got += p->fname;
    EXPECT_EQ(got, c.want);
  }
  // The records themselves stay where they are.
  EXPECT_EQ(ids(list), "ABCD");

  // A copy of a sorted list keeps the ties of its source.
  article_records sorted_list = numbered({
      make("x", 0, "s", "b"),
      make("y", 0, "s", "B"),
  });
  std::vector<const article*> ptrs = {&sorted_list[1], &sorted_list[0]};
  sort_articles(ptrs, sort_order::ititle);
  EXPECT_EQ(ptrs[0]->fname, "y");
  EXPECT_EQ(ptrs[1]->fname, "x");
}

}  // namespace
