// The tag listing: the tags of the input articles on standard output, by
// article or by tag, as lines or in a bracketed JSON-like form.
#ifndef VORN_FEEDS_TAG_LISTING_H_
#define VORN_FEEDS_TAG_LISTING_H_

#include <expat.h>

#include "articles/request.h"

// Lists the tags of R's inputs in reading order.  R.json: bracketed form.
// R.reverse: by tag instead of by article.  R.repeated: one line per
// article (or tag) instead of one per pair.
bool list_tags(XML_Parser parser, const request& r);

#endif  // VORN_FEEDS_TAG_LISTING_H_
