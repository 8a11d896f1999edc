// The single-article page (-c): one article file set into a template.
#ifndef VORN_BUILDERS_ARTICLE_PAGE_H_
#define VORN_BUILDERS_ARTICLE_PAGE_H_

#include <expat.h>

#include "articles/request.h"

// Reads the article in PATH and writes its page from the template TEMPL
// to OUTPUT ("-": standard output; null: PATH with a final "xml"
// extension made "html", or ".html" appended).  The first element of the
// template with a true data-vorn-article takes the article's markup; the
// variables of the template and of the article are expanded.
bool build_article_page(XML_Parser parser, const char* templ,
                        const char* path, const char* output);

// -c: the page of every input of R from R's template, to R's output when
// there is one input and the output is given, else each named after its
// input.  No page may replace an input that a later page reads; the first
// failure ends the run.
bool build_article_pages(XML_Parser parser, const request& r);

#endif  // VORN_BUILDERS_ARTICLE_PAGE_H_
