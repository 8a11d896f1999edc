// The article reader: one document pass over an article file that appends
// an article record for every element marked with a true
// data-vorn-article attribute.
#ifndef VORN_ARTICLES_READER_H_
#define VORN_ARTICLES_READER_H_

#include <expat.h>

#include "articles/article.h"
#include "articles/feedsafe.h"
#include "markup/capture.h"

// Reads PATH and appends its articles to LIST.  Returns false, after
// reporting, when the file cannot be read or is not well-formed; the
// records appended so far then stay in LIST, the last possibly incomplete.
// WHITELIST filters the attributes of every captured start tag.  With
// FEED, what is kept is fit for the Atom feed (see feedsafe.h).
bool read_article_file(XML_Parser parser, const char* path,
                       article_records& list,
                       whitelist_t whitelist = nullptr,
                       feed_reading* feed = nullptr);

#endif  // VORN_ARTICLES_READER_H_
