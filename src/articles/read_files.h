// Reading the article files of a run: every file in order, on several
// threads where that helps, into one list, and that list sorted.
#ifndef VORN_ARTICLES_READ_FILES_H_
#define VORN_ARTICLES_READ_FILES_H_

#include <span>
#include <vector>

#include <expat.h>

#include "articles/article.h"
#include "articles/feedsafe.h"
#include "articles/sort.h"
#include "markup/capture.h"

// Reads every path in order into LIST; stops at the first failure.  The
// files may be read on several threads (VORN_THREADS, by default one per
// processor), but the records, their reading order, every message and its
// place among the others are exactly those of reading them in turn.
// WHITELIST and FEED are those of read_article_file (reader.h).
bool read_article_files(XML_Parser parser, std::span<char* const> paths,
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
// BY the given order (sort.h).  Returns false, after reporting, at the
// first input that fails.
bool read_sorted_articles(XML_Parser parser, std::span<char* const> paths,
                          sort_order by, sorted_articles_t& out,
                          whitelist_t whitelist = nullptr,
                          feed_reading* feed = nullptr);

#endif  // VORN_ARTICLES_READ_FILES_H_
