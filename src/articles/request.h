// A request: what one run of vorn asks of the builder of its mode.  The
// command line fills it (src/cli/), the builders read it; every builder
// takes the parser and a request, whatever it uses of it.
#ifndef VORN_ARTICLES_REQUEST_H_
#define VORN_ARTICLES_REQUEST_H_

#include <span>

#include "articles/sort.h"

struct request {
  // The article files, in command-line order.
  std::span<char* const> inputs;
  // The template (-t, else the mode's default); null for the modes that
  // use none.
  const char* templ = nullptr;
  // The output (-o, else the mode's default; "-" is standard output);
  // null where the builder names its outputs itself (-c, -L).
  const char* output = nullptr;
  // -C: the source name of the article whose page the blog page is.
  const char* current = nullptr;
  sort_order by = sort_order::date;  // -s: the order of the articles
  // The tag listing's forms: bracketed (-j), by tag (-r), one line per
  // article or tag (a second -l).
  bool json = false;
  bool reverse = false;
  bool repeated = false;
};

#endif  // VORN_ARTICLES_REQUEST_H_
