#include "startup/keywords.h"

#include <cstdint>
#include <cstring>

namespace {

// Indexed by identifier.  Each group (attributes, then elements) is in byte
// order, so each can be searched by bisection.
const char* const kNames[KW_UNKNOWN] = {
    "data-vorn-altlink",
    "data-vorn-altlink-fmt",
    "data-vorn-article",
    "data-vorn-articletag",
    "data-vorn-aside",
    "data-vorn-atomcontent",
    "data-vorn-author",
    "data-vorn-const-aside",
    "data-vorn-const-author",
    "data-vorn-const-datetime",
    "data-vorn-const-img",
    "data-vorn-const-title",
    "data-vorn-content",
    "data-vorn-datetime",
    "data-vorn-entry",
    "data-vorn-forall",
    "data-vorn-ign-once",
    "data-vorn-img",
    "data-vorn-lang",
    "data-vorn-nav",
    "data-vorn-navcontent",
    "data-vorn-navsort",
    "data-vorn-navstart",
    "data-vorn-navstyle-content",
    "data-vorn-navstyle-element",
    "data-vorn-navsz",
    "data-vorn-navtag",
    "data-vorn-navxml",
    "data-vorn-permlink",
    "data-vorn-sort",
    "data-vorn-source",
    "data-vorn-striplink",
    "data-vorn-tags",
    "data-vorn-title",
    "address",
    "area",
    "article",
    "aside",
    "base",
    "br",
    "col",
    "command",
    "embed",
    "entry",
    "h1",
    "h2",
    "h3",
    "h4",
    "hr",
    "id",
    "img",
    "input",
    "keygen",
    "link",
    "meta",
    "nav",
    "param",
    "source",
    "time",
    "title",
    "track",
    "updated",
    "wbr",
};

constexpr uint64_t bit(int id) { return uint64_t{1} << id; }

constexpr uint64_t kVoid =
    bit(KW_E_AREA) | bit(KW_E_BASE) | bit(KW_E_BR) | bit(KW_E_COL) |
    bit(KW_E_COMMAND) | bit(KW_E_EMBED) | bit(KW_E_HR) | bit(KW_E_IMG) |
    bit(KW_E_INPUT) | bit(KW_E_KEYGEN) | bit(KW_E_LINK) | bit(KW_E_META) |
    bit(KW_E_PARAM) | bit(KW_E_SOURCE) | bit(KW_E_TRACK) | bit(KW_E_WBR);

// The identifiers of each group bucketed by the first byte that tells the
// names apart (the byte after "data-vorn-" for attributes), so that a
// lookup compares only a handful of names.
struct buckets {
  signed char first[2][256];  // first id of each bucket, -1 for none
  signed char last[2][256];   // one past its last id
  buckets() {
    for (int g = 0; g < 2; ++g)
      for (int c = 0; c < 256; ++c) first[g][c] = last[g][c] = -1;
    for (int id = 0; id < KW_UNKNOWN; ++id) {
      int g = id < KW_E_ADDRESS ? 0 : 1;
      unsigned char c = static_cast<unsigned char>(kNames[id][g == 0 ? 10 : 0]);
      if (first[g][c] < 0) first[g][c] = static_cast<signed char>(id);
      last[g][c] = static_cast<signed char>(id + 1);
    }
  }
};

const buckets kBuckets;

}  // namespace

const char* keyword_name(int id) {
  return id >= 0 && id < KW_UNKNOWN ? kNames[id] : nullptr;
}

int keyword_lookup(const char* name) {
  int g = name[0] == 'd' && std::strncmp(name, "data-vorn-", 10) == 0 ? 0 : 1;
  unsigned char c = static_cast<unsigned char>(name[g == 0 ? 10 : 0]);
  for (int id = kBuckets.first[g][c]; id >= 0 && id < kBuckets.last[g][c]; ++id)
    if (std::strcmp(name, kNames[id]) == 0) return id;
  return KW_UNKNOWN;
}

bool is_void_element(const char* name) {
  int id = keyword_lookup(name);
  return id < KW_UNKNOWN && (kVoid & bit(id)) != 0;
}

namespace {

char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

}  // namespace

bool ascii_iequal(const char* a, const char* b) {
  for (; *a && ascii_lower(*a) == ascii_lower(*b); ++a, ++b) {
  }
  return *a == '\0' && *b == '\0';
}

bool ascii_iprefix(const char* s, const char* prefix) {
  for (; *prefix; ++s, ++prefix)
    if (ascii_lower(*s) != ascii_lower(*prefix)) return false;
  return true;
}
