// The data-vorn-* attribute rules that apply on every element of an
// article, and tag word lists.
#ifndef VORN_ARTICLES_ATTRIBUTES_H_
#define VORN_ARTICLES_ATTRIBUTES_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include <expat.h>

#include "articles/article.h"
#include "base/dates.h"

// What has been found for the article being read.  Once a value is found
// the reader stops looking for it and the const attributes leave it alone.
enum {
  SEEN_ASIDE = 1,
  SEEN_DATE = 2,
  SEEN_AUTHOR = 4,
  SEEN_TITLE = 8,
  SEEN_IMAGE = 16,
};

// A date that did not parse.  It is reported when its article ends, for
// only then is it known what dates the article instead.
struct bad_date {
  size_t line, column;  // of the start tag that holds it
  std::string value;
};

// The reader's bookkeeping for the article being read, beside the record.
struct article_progress {
  article* art = nullptr;
  unsigned seen = 0;
  bool dated = false;  // a date was parsed successfully
  size_t dated_line = 0, dated_column = 0;  // the start tag that held it
  std::vector<bad_date> bad_dates;
  bool has_src = false, has_title = false, has_aside = false,
       has_author = false;
  bool for_feed = false;  // title, aside and author values kept as XML text
  std::unordered_set<std::string> tagseen;            // mirrors art->tags
  std::unordered_map<std::string, size_t> setindex;   // key -> pair index
};

// Parses VALUE as the article's date and sets it; when it is malformed,
// notes it with the parser's position for report_bad_dates and returns
// false.
bool set_article_date(article_progress& pr, const char* value,
                      XML_Parser parser);

// Reports the malformed dates of the article that has just ended in PATH,
// each at its start tag, with what dates the article instead: another
// date, or else the file's change time (or SOURCE_DATE_EPOCH when that
// came earlier, CLAMPED):
//   "PATH:LINE:COLUMN: malformed date/time "VALUE" (write 2026-04-01 or
//   2026-04-01T10:00:00Z); the article is dated by ..."
void report_bad_dates(const article_progress& pr, const char* path,
                      bool clamped);

// Applies the attribute rules to one element's attributes, in order, and
// checks their names (markers.h).  PARSER and PATH place the warnings.
void apply_article_attributes(article_progress& pr, const char** atts,
                              XML_Parser parser, const char* path);

// Appends to WORDS the space-separated words of TEXT that are not in SEEN
// yet (SEEN mirrors WORDS).  A backslash keeps the space after it in the
// word.  With SUBST, the first "${vorn-get|KEY}" in a word is replaced by
// the value of KEY in SUBST's key/value set (nothing when it has none).
void taglist_parse(std::vector<std::string>& words,
                   std::unordered_set<std::string>& seen,
                   std::string_view text, const article* subst);

#endif  // VORN_ARTICLES_ATTRIBUTES_H_
