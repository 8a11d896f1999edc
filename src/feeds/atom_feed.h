// The Atom feed: a template copied to the output, with its entry slots
// replaced by entries generated from the sorted articles.
#ifndef VORN_FEEDS_ATOM_FEED_H_
#define VORN_FEEDS_ATOM_FEED_H_

#include <expat.h>

#include "articles/sort.h"

// Reads every input (keeping only plain HTML attributes in the article
// markup), sorts, and writes the feed made from the template TEMPL to
// OUTPUT ("-" for standard output).  Nothing is opened when an input
// fails; a partial feed stays when the template pass fails.
bool build_atom_feed(XML_Parser parser, const char* templ, int count,
                     char* const* inputs, const char* output,
                     sort_order order);

#endif  // VORN_FEEDS_ATOM_FEED_H_
