// The blog page and the per-article blog pages.
#ifndef VORN_BUILDERS_LINKALL_H_
#define VORN_BUILDERS_LINKALL_H_

#include <expat.h>

// Reads and sorts every input, then fills the blog template TEMPL: each
// element with a true data-vorn-article takes the next article, each
// element with a true data-vorn-nav becomes a list of articles.  With
// CURRENT (the -C name), the page of the first article whose source name
// equals it: slots show only that article and the template's own text is
// expanded for it.  OUTPUT "-" is standard output.
bool build_blog_page(XML_Parser parser, const char* templ,
                     const char* current, int count, char* const* inputs,
                     const char* output, int order);

// Writes such a page for every article, in sorted order, each to a file
// named after the article's source name.
bool build_standalone_pages(XML_Parser parser, const char* templ, int count,
                            char* const* inputs, int order);

#endif  // VORN_BUILDERS_LINKALL_H_
