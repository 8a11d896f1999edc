// The Atom feed: a template copied to the output, with its entry slots
// replaced by entries generated from the sorted articles.
#ifndef VORN_FEEDS_ATOM_FEED_H_
#define VORN_FEEDS_ATOM_FEED_H_

#include <expat.h>

#include "articles/request.h"

// Reads every input of R (keeping only plain HTML attributes in the
// article markup), sorts, and writes the feed made from R's template to
// R's output ("-" for standard output).  Nothing is opened when an input
// fails; when the template pass fails, the previous output stays as it
// was.
bool build_atom_feed(XML_Parser parser, const request& r);

#endif  // VORN_FEEDS_ATOM_FEED_H_
