// The ten sort orders of articles.
#ifndef VORN_ARTICLES_SORT_H_
#define VORN_ARTICLES_SORT_H_

#include <vector>

#include "articles/article.h"

enum sort_order {
  SORT_DATE,       // newest first
  SORT_FILENAME,   // by src, ascending
  SORT_CMDLINE,    // reading order
  SORT_ITITLE,     // by title text, ignoring case
  SORT_TITLE,      // by title text
  SORT_RDATE,      // oldest first
  SORT_RFILENAME,
  SORT_RCMDLINE,
  SORT_RITITLE,
  SORT_RTITLE,
};

// Parses a sort order name, ignoring case.  Returns false and leaves ORDER
// unchanged when NAME is none of the ten names.
bool sort_parse(const char* name, int& order);

// True when L goes before R in ORDER.  Pinned articles are placed first:
// those pinned "last" before all unpinned ones, those pinned "first" after
// them, in every order.
bool article_before(const article& l, const article& r, int order);

// Sorts LIST in place; articles that compare equal keep their order.  An
// order outside 0..9 leaves the list unchanged.
void sort_articles(std::vector<article>& list, int order);

// The same for a list of pointers into an article list.
void sort_articles(std::vector<const article*>& list, int order);

#endif  // VORN_ARTICLES_SORT_H_
