// Variable expansion: printing template text and article markup with
// their ${vorn-...} variables replaced by the values of one article, seen
// at one place in one list of articles.
#ifndef VORN_MARKUP_EXPAND_H_
#define VORN_MARKUP_EXPAND_H_

#include <cstddef>
#include <span>
#include <string_view>

#include "articles/article.h"
#include "markup/writer.h"

// The list that positions and neighbours refer to.
using article_list = std::span<const article* const>;

// Prints S to F with every variable expanded for the article at ABSPOS in
// ARTICLES; text outside variables and most values are printed in escape
// mode ESC.  URL is the name of the page being written (null: none).
// SETSZ, POS and REALSZ are the set count, the position (from 0) and the
// item count the position variables print; REALSZ must be at least 1.
void xmltextx(Writer& f, std::string_view s, const char* url,
              article_list articles, size_t setsz, size_t abssz,
              size_t abspos, size_t pos, size_t realsz, int esc);

// Prints S as the text of an attribute value written in a template: like
// xmltextx in ESCAPE_ATTRIBUTE mode, except that the template's own text
// outside variables also has '&' printed as "&amp;", as in every printed
// start tag.
void xmltextx_attribute(Writer& f, std::string_view s, const char* url,
                        article_list articles, size_t setsz, size_t abssz,
                        size_t abspos, size_t pos, size_t realsz);

// Prints a start tag whose attribute values are expanded for the article
// at ABSPOS of the first SZ articles.  The template's own text in a value
// is escaped as in every printed start tag ('&' and '"'), the values of
// variables as attribute text ('"').
void emit_start_tag_expanded(Writer& f, const char* name, const char** atts,
                             const char* url, article_list articles,
                             size_t sz, size_t abspos);

#endif  // VORN_MARKUP_EXPAND_H_
