// What the article reader does differently when it reads for the Atom
// feed.  A feed reader rejects the whole feed when it is not well-formed
// XML, where a browser shows a page anyway; so the markup and text kept
// for the feed must not depend on entities the feed does not declare.
#ifndef VORN_ARTICLES_FEEDSAFE_H_
#define VORN_ARTICLES_FEEDSAFE_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>

class feed_reading {
 public:
  // Appends to OUT what stands in the feed for a reference to the
  // undeclared entity NAME met in the article file PATH: the numeric
  // character reference for an XHTML entity ("&#233;" for eacute);
  // otherwise the reference as written, reported once per name.
  void entity_reference(std::string& out, const char* name, const char* path);
};

#endif  // VORN_ARTICLES_FEEDSAFE_H_
