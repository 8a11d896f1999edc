// The blog page (the default mode, and -C for one article's page) and the
// per-article blog pages (-L).
#ifndef VORN_BUILDERS_BLOG_PAGE_H_
#define VORN_BUILDERS_BLOG_PAGE_H_

#include <expat.h>

#include "articles/sort.h"

// Reads and sorts every input, then fills the blog template TEMPL: each
// element with a true data-vorn-article takes the next article, each
// element with a true data-vorn-nav becomes a list of articles.  With
// CURRENT (the -C name), the page of the first article whose source name
// equals it: slots show only that article and the template's own text is
// expanded for it.  OUTPUT "-" is standard output.
bool build_blog_page(XML_Parser parser, const char* templ,
                     const char* current, int count, char* const* inputs,
                     const char* output, sort_order order);

// Writes such a page for every article, in sorted order, each to a file
// named after the article's source name.
bool build_standalone_pages(XML_Parser parser, const char* templ, int count,
                            char* const* inputs, sort_order order);

#endif  // VORN_BUILDERS_BLOG_PAGE_H_
