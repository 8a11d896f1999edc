// The keyword table: every element and attribute name that a handler must
// recognise maps to a small identifier, so handlers can switch on it.
// Lookups are exact and case-sensitive; every other name is KW_UNKNOWN.
#ifndef VORN_STARTUP_KEYWORDS_H_
#define VORN_STARTUP_KEYWORDS_H_

enum keyword {
  // data-vorn-* attributes, in byte order
  KW_ALTLINK,          // data-vorn-altlink
  KW_ALTLINK_FMT,      // data-vorn-altlink-fmt
  KW_ARTICLE,          // data-vorn-article
  KW_ARTICLETAG,       // data-vorn-articletag
  KW_ASIDE,            // data-vorn-aside
  KW_ATOMCONTENT,      // data-vorn-atomcontent
  KW_AUTHOR,           // data-vorn-author
  KW_CONST_ASIDE,      // data-vorn-const-aside
  KW_CONST_AUTHOR,     // data-vorn-const-author
  KW_CONST_DATETIME,   // data-vorn-const-datetime
  KW_CONST_IMG,        // data-vorn-const-img
  KW_CONST_TITLE,      // data-vorn-const-title
  KW_CONTENT,          // data-vorn-content
  KW_DATETIME,         // data-vorn-datetime
  KW_ENTRY,            // data-vorn-entry
  KW_FORALL,           // data-vorn-forall
  KW_IGN_ONCE,         // data-vorn-ign-once
  KW_IMG,              // data-vorn-img
  KW_LANG,             // data-vorn-lang
  KW_NAV,              // data-vorn-nav
  KW_NAVCONTENT,       // data-vorn-navcontent
  KW_NAVSORT,          // data-vorn-navsort
  KW_NAVSTART,         // data-vorn-navstart
  KW_NAVSTYLE_CONTENT, // data-vorn-navstyle-content
  KW_NAVSTYLE_ELEMENT, // data-vorn-navstyle-element
  KW_NAVSZ,            // data-vorn-navsz
  KW_NAVTAG,           // data-vorn-navtag
  KW_NAVXML,           // data-vorn-navxml
  KW_PERMLINK,         // data-vorn-permlink
  KW_SORT,             // data-vorn-sort
  KW_SOURCE,           // data-vorn-source
  KW_STRIPLINK,        // data-vorn-striplink
  KW_TAGS,             // data-vorn-tags
  KW_TITLE,            // data-vorn-title
  // element names, in byte order
  KW_E_ADDRESS,
  KW_E_AREA,
  KW_E_ARTICLE,
  KW_E_ASIDE,
  KW_E_BASE,
  KW_E_BR,
  KW_E_COL,
  KW_E_COMMAND,
  KW_E_EMBED,
  KW_E_ENTRY,
  KW_E_H1,
  KW_E_H2,
  KW_E_H3,
  KW_E_H4,
  KW_E_HR,
  KW_E_ID,
  KW_E_IMG,
  KW_E_INPUT,
  KW_E_KEYGEN,
  KW_E_LINK,
  KW_E_META,
  KW_E_NAV,
  KW_E_PARAM,
  KW_E_SOURCE,
  KW_E_TIME,
  KW_E_TITLE,
  KW_E_TRACK,
  KW_E_UPDATED,
  KW_E_WBR,
  KW_UNKNOWN,  // 63: any name not above
};

// The name stored for identifier ID (0..62).
const char* keyword_name(int id);

// The identifier of NAME, or KW_UNKNOWN.
int keyword_lookup(const char* name);

// True for the sixteen void elements, which never get an end tag.
bool is_void_element(const char* name);

// Name comparisons that ignore ASCII letter case only, whatever the locale:
// A equals B, and S begins with PREFIX.
bool ascii_iequal(const char* a, const char* b);
bool ascii_iprefix(const char* s, const char* prefix);

#endif  // VORN_STARTUP_KEYWORDS_H_
