// The article reader: one document pass over an article file that appends
// an article record for every element marked with a true
// data-vorn-article attribute.
#ifndef VORN_ARTICLES_READER_H_
#define VORN_ARTICLES_READER_H_

#include <vector>

#include <expat.h>

#include "articles/article.h"
#include "articles/feedsafe.h"
#include "articles/sort.h"
#include "markup/capture.h"

// Reads PATH and appends its articles to LIST.  Returns false, after
// reporting, when the file cannot be mapped or is not well-formed; the
// records appended so far then stay in LIST, the last possibly incomplete.
// WHITELIST filters the attributes of every captured start tag.  With
// FEED, what is kept is fit for the Atom feed (see feedsafe.h).
bool read_article_file(XML_Parser parser, const char* path,
                       article_records& list,
                       whitelist_t whitelist = nullptr,
                       feed_reading* feed = nullptr);

// Reads every path in order into LIST; stops at the first failure.  The
// files may be read on several threads (VORN_THREADS, by default one per
// processor), but the records, their reading order, every message and its
// place among the others are exactly those of reading them in turn.
bool read_article_files(XML_Parser parser, int count, char* const* paths,
                        article_records& list,
                        whitelist_t whitelist = nullptr,
                        feed_reading* feed = nullptr);

// The articles of a run: the records in reading order, and pointers to
// them in the order of the run.
struct sorted_articles_t {
  article_records records;
  std::vector<const article*> sorted;
};

// Reads every path in order into OUT's records and sorts pointers to them
// in ORDER (sort.h).  Returns false, after reporting, at the first input
// that fails.
bool read_sorted_articles(XML_Parser parser, int count, char* const* paths,
                          sort_order order, sorted_articles_t& out,
                          whitelist_t whitelist = nullptr,
                          feed_reading* feed = nullptr);

#endif  // VORN_ARTICLES_READER_H_
