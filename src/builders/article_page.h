// The single-article page (-c): one article file set into a template.
#ifndef VORN_BUILDERS_ARTICLE_PAGE_H_
#define VORN_BUILDERS_ARTICLE_PAGE_H_

#include <expat.h>

// Reads the article in PATH and writes its page from the template TEMPL
// to OUTPUT ("-": standard output; null: PATH with a final "xml"
// extension made "html", or ".html" appended).  The first element of the
// template with a true data-vorn-article takes the article's markup; the
// variables of the template and of the article are expanded.
bool build_article_page(XML_Parser parser, const char* templ,
                        const char* path, const char* output);

#endif  // VORN_BUILDERS_ARTICLE_PAGE_H_
