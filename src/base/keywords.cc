#include "base/keywords.h"

#include <cstdint>
#include <cstring>
#include <algorithm>
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

// True for the void elements, by identifier.
constexpr bool kVoid[] = {
#define VORN_KW_ATTR(id, name) false,
#define VORN_KW_ELEM(id, name, is_void) is_void,
    VORN_KEYWORDS(VORN_KW_ATTR, VORN_KW_ELEM)
#undef VORN_KW_ATTR
#undef VORN_KW_ELEM
};

constexpr int kFirstElement = KW_E_ADDRESS;

// Each group is in byte order, which keeps the headings h1..h4 in a row.
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

constexpr int void_count() {
  int n = 0;
  for (bool v : kVoid) n += v;
  return n;
}

static_assert(sizeof kNames / sizeof kNames[0] == KW_UNKNOWN);
static_assert(KW_UNKNOWN < 255, "identifiers fit the table's bytes");
static_assert(groups_sorted(), "each group of the keyword list in byte order");
static_assert(attributes_prefixed(), "attributes first, all data-vorn-*");
static_assert(KW_E_H4 - KW_E_H1 == 3, "the headings are tested as a range");
static_assert(void_count() == 16, "sixteen void elements");

// An open-addressing hash table of the names, made at compile time.  The
// hash is FNV-1a with a seed, and the seed is searched for here, at
// compile time, so that no run of occupied slots is longer than two: a
// lookup compares a name with at most two names, whatever names the list
// holds.  Adding a name to VORN_KEYWORDS is all it takes.
constexpr size_t kSlots = [] {
  size_t n = 64;
  while (n < 8 * static_cast<size_t>(KW_UNKNOWN)) n *= 2;
  return n;
}();
constexpr size_t kLongestRun = 2;

constexpr uint32_t hash_of(std::string_view name, uint32_t seed) {
  uint32_t h = 2166136261u ^ (seed * 0x9e3779b9u);
  for (char c : name) {
    h ^= static_cast<unsigned char>(c);
    h *= 16777619u;
  }
  return h ^ (h >> 15);
}

struct hash_table {
  uint32_t seed = 0;
  unsigned char id[kSlots] = {};  // identifier + 1; 0: empty

  constexpr size_t slot_of(std::string_view name) const {
    return hash_of(name, seed) & (kSlots - 1);
  }

  // Fills the table with SEED; false when a run of occupied slots grows
  // longer than kLongestRun.
  constexpr bool fill(uint32_t with) {
    seed = with;
    for (size_t i = 0; i < kSlots; ++i) id[i] = 0;
    for (int k = 0; k < KW_UNKNOWN; ++k) {
      size_t at = slot_of(kNames[k]);
      while (id[at]) at = (at + 1) & (kSlots - 1);
      id[at] = static_cast<unsigned char>(k + 1);
    }
    for (size_t start = 0; start < kSlots; ++start) {
      size_t n = 0;
      while (n <= kLongestRun && id[(start + n) & (kSlots - 1)]) ++n;
      if (n > kLongestRun) return false;
    }
    return true;
  }
};

constexpr hash_table make_table() {
  hash_table t;
  for (uint32_t seed = 0; seed < 100000; ++seed)
    if (t.fill(seed)) return t;
  t.seed = UINT32_MAX;  // no seed found: fails the assertion below
  return t;
}

constexpr hash_table kTable = make_table();
static_assert(kTable.seed != UINT32_MAX,
              "no hash seed spreads the keywords: raise kSlots");

}  // namespace

const char* keyword_name(int id) {
  return id >= 0 && id < KW_UNKNOWN ? kNames[id] : nullptr;
}

keyword keyword_lookup(const char* name) {
  std::string_view n(name);
  for (size_t at = kTable.slot_of(n); kTable.id[at]; at = (at + 1) & (kSlots - 1))
    if (n == kNames[kTable.id[at] - 1])
      return static_cast<keyword>(kTable.id[at] - 1);
  return KW_UNKNOWN;
}

bool is_void_element(const char* name) {
  keyword id = keyword_lookup(name);
  return id < KW_UNKNOWN && kVoid[id];
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
