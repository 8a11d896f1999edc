// The ten sort orders of articles.  In parameters a sort order is called
// BY ("sorted by"), so that it is never mistaken for an article's reading
// position (article::order) or its pin (article::sort).
#ifndef VORN_ARTICLES_SORT_H_
#define VORN_ARTICLES_SORT_H_

#include <cstddef>
#include <vector>

#include "articles/article.h"

// In the order of their names' table (sort.cc); -s and data-vorn-navsort
// name them.
enum class sort_order : unsigned char {
  date,       // newest first
  filename,   // by src, ascending
  cmdline,    // reading order
  ititle,     // by title text, ignoring case
  title,      // by title text
  rdate,      // oldest first
  rfilename,  // the five above, reversed
  rcmdline,
  rititle,
  rtitle,
};

inline constexpr size_t kSortCount = 10;

// The name of the order BY, as -s and data-vorn-navsort take it.
const char* sort_name(sort_order by);

// Parses a sort order name, ignoring case, into BY.  Returns false and
// leaves BY unchanged when NAME is none of the ten names.
bool sort_parse(const char* name, sort_order& by);

// True when L goes before R in the order BY.  Pinned articles are placed first:
// those pinned "last" before all unpinned ones, those pinned "first" after
// them, in every order.
bool article_before(const article& l, const article& r, sort_order by);

// Sorts a list of pointers to articles BY the given order; articles that
// compare equal keep their places.  The records themselves never move.
void sort_articles(std::vector<const article*>& list, sort_order by);

// Pointers to the records of LIST, sorted BY the given order.
std::vector<const article*> sorted_articles(const article_records& list,
                                            sort_order by);

#endif  // VORN_ARTICLES_SORT_H_
