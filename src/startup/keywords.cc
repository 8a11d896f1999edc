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

int bisect(const char* name, int lo, int hi) {
  while (lo < hi) {
    int mid = lo + (hi - lo) / 2;
    int c = std::strcmp(name, kNames[mid]);
    if (c == 0) return mid;
    if (c < 0)
      hi = mid;
    else
      lo = mid + 1;
  }
  return KW_UNKNOWN;
}

}  // namespace

const char* keyword_name(int id) {
  return id >= 0 && id < KW_UNKNOWN ? kNames[id] : nullptr;
}

int keyword_lookup(const char* name) {
  if (std::strncmp(name, "data-vorn-", 10) == 0)
    return bisect(name, KW_ALTLINK, KW_E_ADDRESS);
  return bisect(name, KW_E_ADDRESS, KW_UNKNOWN);
}

bool is_void_element(const char* name) {
  int id = keyword_lookup(name);
  return id < KW_UNKNOWN && (kVoid & bit(id)) != 0;
}
