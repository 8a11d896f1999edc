// Navigation lists: a template element with a true data-vorn-nav is
// replaced by a list of articles, as links with dates or as one copy of
// its own content per article.
#ifndef VORN_BUILDERS_NAVIGATION_H_
#define VORN_BUILDERS_NAVIGATION_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "articles/article.h"
#include "articles/sort.h"
#include "templates/expand.h"
#include "markup/writer.h"

// How the navigation element's own tags are printed.
enum class nav_element_style {
  standard,      // its start tag (attributes copied) and end tag
  keep_strip,    // start tag without attributes, end tag
  repeat_strip,  // the bare element around every item
  discard,       // nothing
};

// How each item is printed.
enum class nav_content_style {
  standard,   // a "ul" of "li" items holding the date line
  summarise,  // the date line alone
  keep,       // the element's content, expanded
  list_keep,  // a "ul" of "li" items holding the content
};

struct nav_settings {
  size_t start = 0;  // matching articles passed over before the list
  size_t size = 0;   // largest number of items
  std::vector<std::string> tags;  // the filter; empty: every article
  std::unordered_set<std::string> tagset;
  sort_order by = sort_order::date;
  bool sort_given = false;
  nav_element_style element_style = nav_element_style::standard;
  nav_content_style content_style = nav_content_style::standard;
};

// Reads VALUE as a decimal integer (leading white space and a sign
// allowed, no digits: 0) capped at COUNT; a negative value counts as
// larger than any count.
size_t nav_number(const char* value, size_t count);

// Reads the settings from a navigation element's attributes, in order.
// COUNT is the number of articles; SUBST, if any, supplies the values of
// ${vorn-get|KEY} in the tag filter.
nav_settings nav_parse(const char** atts, size_t count,
                       const article* subst);

// Prints what comes before the list: the element's start tag as its
// style says, then "<ul>" for the list styles.
void nav_print_before(Writer& f, const nav_settings& nav, const char* name,
                      const char** atts);

// The page's sorted list and, made when first asked for, its copies in
// other orders.  The pages of one run share one, since every page lists
// the same articles.
class nav_orders {
 public:
  explicit nav_orders(article_list list) : list_(list) {}
  article_list page() const { return list_; }
  article_list sorted(sort_order by);

 private:
  article_list list_;
  std::vector<const article*> sorted_[kSortCount];
  bool made_[kSortCount] = {};
};

// Prints the items and what follows them.  The list is the page's order,
// or the element's own; CONTENT is the element's captured content; URL is
// the page's name.
void nav_print_list(Writer& f, const nav_settings& nav, const char* name,
                    std::string_view content, nav_orders& orders,
                    const char* url);

// The lists of the navigation elements of per-article pages, kept from
// one page for the next.  A list is the same bytes on every page of a run
// (the same articles, in the same order, expanded for the same places),
// except where its content prints the page's name or its filter takes
// values from the page's article: those are printed anew for each page.
class nav_cache {
 public:
  // Prints the list of the Nth navigation element of a page, as
  // nav_print_list would.
  void print(Writer& f, size_t n, const nav_settings& nav, const char* name,
             std::string_view content, nav_orders& orders, const char* url);

 private:
  struct list {
    bool kept = false;
    std::vector<std::string> tags;  // the filter it was printed with
    std::string bytes;
  };
  std::vector<list> lists_;
};

// True when A carries one of the filter's tags, or the filter is empty.
bool nav_matches(const nav_settings& nav, const article& a);

#endif  // VORN_BUILDERS_NAVIGATION_H_
