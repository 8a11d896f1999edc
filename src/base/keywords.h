// The keyword table: every element and attribute name that a handler must
// recognise maps to a small identifier, so handlers can switch on it.
// Lookups are exact and case-sensitive; every other name is KW_UNKNOWN.
#ifndef VORN_BASE_KEYWORDS_H_
#define VORN_BASE_KEYWORDS_H_

// The one list of names.  ATTR(id, name) are the data-vorn-* attributes,
// ELEM(id, name, is_void) the element names; each group is in byte order
// (checked at compile time), which keeps the headings h1..h4 contiguous.
// The enum, the name table and the void-element mask are made from it.
#define VORN_KEYWORDS(ATTR, ELEM)                     \
  ATTR(ALTLINK, "data-vorn-altlink")                  \
  ATTR(ALTLINK_FMT, "data-vorn-altlink-fmt")          \
  ATTR(ARTICLE, "data-vorn-article")                  \
  ATTR(ARTICLETAG, "data-vorn-articletag")            \
  ATTR(ASIDE, "data-vorn-aside")                      \
  ATTR(ATOMCONTENT, "data-vorn-atomcontent")          \
  ATTR(AUTHOR, "data-vorn-author")                    \
  ATTR(CONST_ASIDE, "data-vorn-const-aside")          \
  ATTR(CONST_AUTHOR, "data-vorn-const-author")        \
  ATTR(CONST_DATETIME, "data-vorn-const-datetime")    \
  ATTR(CONST_IMG, "data-vorn-const-img")              \
  ATTR(CONST_TITLE, "data-vorn-const-title")          \
  ATTR(CONTENT, "data-vorn-content")                  \
  ATTR(DATETIME, "data-vorn-datetime")                \
  ATTR(ENTRY, "data-vorn-entry")                      \
  ATTR(FORALL, "data-vorn-forall")                    \
  ATTR(IGN_ONCE, "data-vorn-ign-once")                \
  ATTR(IMG, "data-vorn-img")                          \
  ATTR(LANG, "data-vorn-lang")                        \
  ATTR(NAV, "data-vorn-nav")                          \
  ATTR(NAVCONTENT, "data-vorn-navcontent")            \
  ATTR(NAVSORT, "data-vorn-navsort")                  \
  ATTR(NAVSTART, "data-vorn-navstart")                \
  ATTR(NAVSTYLE_CONTENT, "data-vorn-navstyle-content") \
  ATTR(NAVSTYLE_ELEMENT, "data-vorn-navstyle-element") \
  ATTR(NAVSZ, "data-vorn-navsz")                      \
  ATTR(NAVTAG, "data-vorn-navtag")                    \
  ATTR(NAVXML, "data-vorn-navxml")                    \
  ATTR(PERMLINK, "data-vorn-permlink")                \
  ATTR(SORT, "data-vorn-sort")                        \
  ATTR(SOURCE, "data-vorn-source")                    \
  ATTR(STRIPLINK, "data-vorn-striplink")              \
  ATTR(TAGS, "data-vorn-tags")                        \
  ATTR(TITLE, "data-vorn-title")                      \
  ELEM(ADDRESS, "address", false)                     \
  ELEM(AREA, "area", true)                            \
  ELEM(ARTICLE, "article", false)                     \
  ELEM(ASIDE, "aside", false)                         \
  ELEM(BASE, "base", true)                            \
  ELEM(BR, "br", true)                                \
  ELEM(COL, "col", true)                              \
  ELEM(COMMAND, "command", true)                      \
  ELEM(EMBED, "embed", true)                          \
  ELEM(ENTRY, "entry", false)                         \
  ELEM(H1, "h1", false)                               \
  ELEM(H2, "h2", false)                               \
  ELEM(H3, "h3", false)                               \
  ELEM(H4, "h4", false)                               \
  ELEM(HR, "hr", true)                                \
  ELEM(ID, "id", false)                               \
  ELEM(IMG, "img", true)                              \
  ELEM(INPUT, "input", true)                          \
  ELEM(KEYGEN, "keygen", true)                        \
  ELEM(LINK, "link", true)                            \
  ELEM(META, "meta", true)                            \
  ELEM(NAV, "nav", false)                             \
  ELEM(PARAM, "param", true)                          \
  ELEM(SOURCE, "source", true)                        \
  ELEM(TIME, "time", false)                           \
  ELEM(TITLE, "title", false)                         \
  ELEM(TRACK, "track", true)                          \
  ELEM(UPDATED, "updated", false)                     \
  ELEM(WBR, "wbr", true)

// Attribute identifiers are KW_NAME, element identifiers KW_E_NAME.
enum keyword : unsigned char {
#define VORN_KW_ATTR(id, name) KW_##id,
#define VORN_KW_ELEM(id, name, is_void) KW_E_##id,
  VORN_KEYWORDS(VORN_KW_ATTR, VORN_KW_ELEM)
#undef VORN_KW_ATTR
#undef VORN_KW_ELEM
  KW_UNKNOWN,  // any name not above
};

// The name stored for identifier ID, or null for KW_UNKNOWN and beyond.
const char* keyword_name(int id);

// The identifier of NAME, or KW_UNKNOWN.
keyword keyword_lookup(const char* name);

// True for the void elements, which never get an end tag.
bool is_void_element(const char* name);

// True for the headings h1 to h4.
inline bool is_heading(keyword id) { return id >= KW_E_H1 && id <= KW_E_H4; }

// C in lower case if it is an ASCII capital, whatever the locale.
inline char ascii_lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

// Name comparisons that ignore ASCII letter case only, whatever the locale:
// A equals B, and S begins with PREFIX.
bool ascii_iequal(const char* a, const char* b);
bool ascii_iprefix(const char* s, const char* prefix);

#endif  // VORN_BASE_KEYWORDS_H_
