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

constexpr uint64_t kVoid = 0
#define VORN_KW_ATTR(id, name)
#define VORN_KW_ELEM(id, name, is_void) \
    | (is_void ? uint64_t{1} << KW_E_##id : 0)
    VORN_KEYWORDS(VORN_KW_ATTR, VORN_KW_ELEM)
#undef VORN_KW_ATTR
#undef VORN_KW_ELEM
    ;

constexpr int kFirstElement = KW_E_ADDRESS;

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

// An open-addressing hash table of the names, made at compile time: a
// lookup hashes the length and two bytes of a name and compares it with
// one name, seldom two.
constexpr size_t kSlots = 256;

constexpr size_t slot_of(std::string_view name) {
  auto at = [&name](size_t i) -> size_t {
    return i < name.size() ? static_cast<unsigned char>(name[i]) : 0;
  };
  size_t n = name.size();
  // The bytes after "data-vorn-" tell the attributes apart.
  return (n * 26 + at(0) * 129 + (n ? at(n - 1) : 0) * 200 + at(10) * 204 +
          at(11) * 84) % kSlots;
}

struct hash_table {
  signed char id[kSlots];  // -1: empty
  constexpr hash_table() : id{} {
    for (size_t i = 0; i < kSlots; ++i) id[i] = -1;
    for (int k = 0; k < KW_UNKNOWN; ++k) {
      size_t at = slot_of(kNames[k]);
      while (id[at] >= 0) at = (at + 1) % kSlots;
      id[at] = static_cast<signed char>(k);
    }
  }
};

constexpr hash_table kTable;

// The longest run of occupied slots: the most names a lookup compares.
constexpr size_t longest_probe() {
  size_t longest = 0;
  for (size_t start = 0; start < kSlots; ++start) {
    size_t n = 0;
    while (n < kSlots && kTable.id[(start + n) % kSlots] >= 0) ++n;
    longest = std::max(longest, n);
  }
  return longest;
}
static_assert(longest_probe() <= 2, "spread the names better");

}  // namespace

const char* keyword_name(int id) {
  return id >= 0 && id < KW_UNKNOWN ? kNames[id] : nullptr;
}

keyword keyword_lookup(const char* name) {
  std::string_view n(name);
  for (size_t at = slot_of(n); kTable.id[at] >= 0; at = (at + 1) % kSlots)
    if (n == kNames[kTable.id[at]]) return static_cast<keyword>(kTable.id[at]);
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
