// The blog page (the default mode, and -C for one article's page) and the
// standalone pages (-L), each the blog page of one article.
#ifndef VORN_BUILDERS_BLOG_PAGE_H_
#define VORN_BUILDERS_BLOG_PAGE_H_

#include <expat.h>

#include "articles/request.h"

// Reads and sorts every input of R, then fills the blog template: each
// element with a true data-vorn-article takes the next article, each
// element with a true data-vorn-nav becomes a list of articles.  With
// R.current (the -C name), the page of the first article whose source name
// equals it: slots show only that article and the template's own text is
// expanded for it.  R.output "-" is standard output.
bool build_blog_page(XML_Parser parser, const request& r);

// -L: the standalone pages, one such page for every article, in sorted
// order, each to a file named after the article's source name.
bool build_standalone_pages(XML_Parser parser, const request& r);

#endif  // VORN_BUILDERS_BLOG_PAGE_H_
