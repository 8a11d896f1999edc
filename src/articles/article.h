// The article record: everything vorn knows about one article after
// reading it, and the article list, owned by the builder that reads it.
#ifndef VORN_ARTICLES_ARTICLE_H_
#define VORN_ARTICLES_ARTICLE_H_

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// How an article is pinned by data-vorn-sort on its element: "first" puts
// it after every unpinned article in every sort order, "last" before.
enum class pin : unsigned char { none, first, last };

struct article {
  // Names derived from the input file name.
  std::string fname;           // the operand as given
  std::string stripfname;      // last path component
  std::string fbase;           // fname without its extension
  std::string fstripbase;      // last component without its extension
  std::string fstriplangbase;  // the same as fstripbase

  // Names derived from the source name (data-vorn-source, else fname).
  std::string src;
  std::string base;           // src without its extension
  std::string stripsrc;       // last component of src
  std::string stripbase;      // ... without its extension
  std::string striplangbase;  // ... without language suffixes

  // Title, aside and author, each as captured markup and as text.  A text
  // form is absent when the captured element held elements but no
  // character data.
  std::string title;
  std::optional<std::string> titletext;
  std::string aside;
  std::optional<std::string> asidetext;
  std::string author;
  std::optional<std::string> authortext;

  int64_t time = 0;    // seconds since 1970-01-01 UTC
  int isdatetime = 0;  // time carries a time of day
  std::string articlexml;  // the whole article element as markup

  std::vector<std::string> tags;  // unique, in order of first appearance
  std::vector<std::pair<std::string, std::string>> setmap;  // unique keys
  // Positions in setmap in the byte order of the keys, for lookups in
  // logarithmic time; made by index_setmap() when there are many keys.
  std::vector<uint32_t> setorder;
  std::optional<std::string> img;
  // The two fields named after sorting hold no sort order: SORT is the
  // pin (data-vorn-sort="first"/"last"), ORDER the article's 1-based
  // position in reading order, which the cmdline orders sort by.
  pin sort = pin::none;
  size_t order = 0;
};

// An article list: the records in reading order.  A record never moves
// once it is in the list, so pointers to records stay valid while the
// list grows, and lists are sorted as lists of pointers.
using article_records = std::deque<article>;

// The part of PATH after its last "/" (all of it if there is none).
std::string last_component(const std::string& path);

// Cuts the extension of S: everything from the last "." on, unless a "/"
// follows that dot.
void cut_extension(std::string& s);

// The page name for an article or input name: a final "xml" extension (in
// any letter case) becomes "html", otherwise ".html" is appended.
std::string page_name(const std::string& name);

// The value stored under KEY in A's key/value set, or null.
const std::string* setmap_get(const article& a, std::string_view key);

// Sorts an index of A's keys once they are all known, so that setmap_get
// need not look at every key; the set keeps its order.
void index_setmap(article& a);

#endif  // VORN_ARTICLES_ARTICLE_H_
