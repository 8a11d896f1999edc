// The tag listing: the tags of the input articles on standard output, by
// article or by tag, as lines or in a bracketed JSON-like form.
#ifndef VORN_FEEDS_TAG_LISTING_H_
#define VORN_FEEDS_TAG_LISTING_H_

#include <expat.h>

// JSON: bracketed form.  REVERSE: by tag instead of by article.
// REPEATED: one line per article (or tag) instead of one per pair.
bool list_tags(XML_Parser parser, int count, char* const* inputs, bool json,
               bool reverse, bool repeated);

#endif  // VORN_FEEDS_TAG_LISTING_H_
