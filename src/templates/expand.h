// Variable expansion: printing template text and article markup with
// their ${vorn-...} variables replaced by the values of one article, seen
// at one place in one list of articles.
#ifndef VORN_TEMPLATES_EXPAND_H_
#define VORN_TEMPLATES_EXPAND_H_

#include <cstddef>
#include <span>
#include <string_view>

#include "articles/article.h"
#include "markup/output.h"
#include "markup/writer.h"

// The list that positions and neighbours refer to.
using article_list = std::span<const article* const>;

// Where a piece of text is expanded: which article, seen where, in which
// list.  The counts and positions that the variables print:
//
//   articles  the list; its size is the absolute count (${vorn-abscount}).
//   abspos    the absolute position: the current article's index in
//             ARTICLES (${vorn-abspos} prints it from 1).  Its neighbours
//             are the articles before it (next) and after it (prev), with
//             the list wrapping around; first and last are the ends.
//   setsz     the set count (${vorn-setcount}): for a navigation list, how
//             many articles its filter matches from its start on.
//   pos       the position, from 0, of what is printed among REALSZ items
//             (${vorn-pos} prints it from 1).
//   realsz    the real count (${vorn-count}): the number of items shown;
//             at least 1, the divisor of ${vorn-pos-pct}/${vorn-pos-frac}.
//   url       the name of the page being written (${vorn-url}); null for
//             standard output.
//   esc       how text outside variables and most values are escaped.
//
// A page about one article of a list expands with setsz = realsz = the
// list's size and pos = abspos = the article's index: see page_of().
struct expansion {
  const char* url = nullptr;
  article_list articles;
  size_t setsz = 1;
  size_t abspos = 0;
  size_t pos = 0;
  size_t realsz = 1;
  int esc = ESCAPE_PLAIN;
};

// The expansion for the page of the article at INDEX of ARTICLES.
inline expansion page_of(article_list articles, size_t index,
                         const char* url) {
  return {.url = url,
          .articles = articles,
          .setsz = articles.size(),
          .abspos = index,
          .pos = index,
          .realsz = articles.size()};
}

// Prints S to F with every variable expanded as AT says.
void xmltextx(Writer& f, std::string_view s, const expansion& at);

// Prints S as the text of an attribute value written in a template: like
// xmltextx in ESCAPE_ATTRIBUTE mode (AT's own mode is not used), except
// that the template's own text outside variables also has '&' printed as
// "&amp;", as in every printed start tag.
void xmltextx_attribute(Writer& f, std::string_view s, const expansion& at);

// True when S holds a variable that prints the name of the page being
// written (${vorn-url}): of all the variables, the one that makes the same
// text print differently on two pages that show the same list.
bool expands_page_url(std::string_view s);

// Prints a start tag whose attribute values are expanded as AT says (in
// attribute mode, as above).
void emit_start_tag_expanded(Writer& f, const char* name, const char** atts,
                             const expansion& at);

#endif  // VORN_TEMPLATES_EXPAND_H_
