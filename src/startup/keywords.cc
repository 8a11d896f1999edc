#include "startup/keywords.h"

#include <cstdint>
#include <cstring>
#include <string_view>

namespace {

// Indexed by identifier.
constexpr const char* kNames[] = {
#define VORN_KW_ATTR(id, name) name,
#define VORN_KW_ELEM(id, name, is_void) name,
    VORN_KEYWORDS(VORN_KW_ATTR, VORN_KW_ELEM)
#undef VORN_KW_ATTR
#undef VORN_KW_ELEM
};

constexpr uint64_t kVoid = 0
#define VORN_KW_ATTR(id, name)
#define VORN_KW_ELEM(id, name, is_void) \
    | (is_void ? uint64_t{1} << KW_E_##id : 0)
    VORN_KEYWORDS(VORN_KW_ATTR, VORN_KW_ELEM)
#undef VORN_KW_ATTR
#undef VORN_KW_ELEM
    ;

constexpr int kFirstElement = KW_E_ADDRESS;
constexpr size_t kAttrPrefix = sizeof "data-vorn-" - 1;

// Each group is in byte order, which lookups rely on (see below).
constexpr bool groups_sorted() {
  for (int id = 1; id < KW_UNKNOWN; ++id)
    if (id != kFirstElement &&
        !(std::string_view(kNames[id - 1]) < std::string_view(kNames[id])))
      return false;
  return true;
}

constexpr bool attributes_prefixed() {
  for (int id = 0; id < KW_UNKNOWN; ++id)
    if (std::string_view(kNames[id]).starts_with("data-vorn-") !=
        (id < kFirstElement))
      return false;
  return true;
}

static_assert(sizeof kNames / sizeof kNames[0] == KW_UNKNOWN);
static_assert(KW_UNKNOWN <= 64, "the void mask has one bit per identifier");
static_assert(groups_sorted(), "each group of the keyword list in byte order");
static_assert(attributes_prefixed(), "attributes first, all data-vorn-*");
static_assert(KW_E_H4 - KW_E_H1 == 3, "the headings are tested as a range");
static_assert(__builtin_popcountll(kVoid) == 16, "sixteen void elements");

// The identifiers of each group bucketed by the first byte that tells the
// names apart (the byte after "data-vorn-" for attributes); since a group
// is sorted, a bucket is a run of identifiers and a lookup compares only
// a handful of names.
struct buckets {
  signed char first[2][256];  // first id of each bucket, -1 for none
  signed char last[2][256];   // one past its last id
  constexpr buckets() : first{}, last{} {
    for (int g = 0; g < 2; ++g)
      for (int c = 0; c < 256; ++c) first[g][c] = last[g][c] = -1;
    for (int id = 0; id < KW_UNKNOWN; ++id) {
      int g = id < kFirstElement ? 0 : 1;
      unsigned char c =
          static_cast<unsigned char>(kNames[id][g == 0 ? kAttrPrefix : 0]);
      if (first[g][c] < 0) first[g][c] = static_cast<signed char>(id);
      last[g][c] = static_cast<signed char>(id + 1);
    }
  }
};

constexpr buckets kBuckets;

char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

}  // namespace

const char* keyword_name(int id) {
  return id >= 0 && id < KW_UNKNOWN ? kNames[id] : nullptr;
}

keyword keyword_lookup(const char* name) {
  int g = name[0] == 'd' && std::strncmp(name, "data-vorn-", kAttrPrefix) == 0
              ? 0
              : 1;
  unsigned char c = static_cast<unsigned char>(name[g == 0 ? kAttrPrefix : 0]);
  for (int id = kBuckets.first[g][c]; id >= 0 && id < kBuckets.last[g][c]; ++id)
    if (std::strcmp(name, kNames[id]) == 0) return static_cast<keyword>(id);
  return KW_UNKNOWN;
}

bool is_void_element(const char* name) {
  keyword id = keyword_lookup(name);
  return id < KW_UNKNOWN && (kVoid & (uint64_t{1} << id)) != 0;
}

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
