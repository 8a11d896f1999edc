#include "articles/sort.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

#include "base/keywords.h"

namespace {

// Indexed by sort order.
constexpr const char* kSortNames[] = {
    "date",  "filename",  "cmdline",  "ititle",  "title",
    "rdate", "rfilename", "rcmdline", "rititle", "rtitle",
};
static_assert(sizeof kSortNames / sizeof kSortNames[0] == kSortCount);
static_assert(static_cast<size_t>(sort_order::rtitle) + 1 == kSortCount);

// Pinned "last" sorts first, unpinned next, pinned "first" at the end.
int pin_rank(const article& a) {
  switch (a.sort) {
    case pin::last: return 0;
    case pin::none: return 1;
    case pin::first: return 2;
  }
  return 1;
}

const char* title_key(const article& a) {
  return a.titletext ? a.titletext->c_str() : "";
}

}  // namespace

const char* sort_name(sort_order by) {
  return kSortNames[static_cast<size_t>(by)];
}

bool sort_parse(const char* name, sort_order& by) {
  for (size_t i = 0; i < kSortCount; ++i) {
    if (ascii_iequal(name, kSortNames[i])) {
      by = static_cast<sort_order>(i);
      return true;
    }
  }
  return false;
}

bool article_before(const article& l, const article& r, sort_order by) {
  if (l.sort != r.sort) return pin_rank(l) < pin_rank(r);
  switch (by) {
    case sort_order::date: return l.time > r.time;
    case sort_order::rdate: return l.time < r.time;
    case sort_order::filename: return std::strcmp(l.src.c_str(), r.src.c_str()) < 0;
    case sort_order::rfilename: return std::strcmp(r.src.c_str(), l.src.c_str()) < 0;
    case sort_order::cmdline: return l.order < r.order;
    case sort_order::rcmdline: return l.order > r.order;
    case sort_order::ititle: return strcasecmp(title_key(l), title_key(r)) < 0;
    case sort_order::rititle: return strcasecmp(title_key(r), title_key(l)) < 0;
    case sort_order::title: return std::strcmp(title_key(l), title_key(r)) < 0;
    case sort_order::rtitle: return std::strcmp(title_key(r), title_key(l)) < 0;
  }
  return false;
}

void sort_articles(std::vector<const article*>& list, sort_order by) {
  std::stable_sort(list.begin(), list.end(),
                   [by](const article* l, const article* r) {
                     return article_before(*l, *r, by);
                   });
}

std::vector<const article*> sorted_articles(const article_records& list,
                                            sort_order by) {
  std::vector<const article*> ptrs;
  ptrs.reserve(list.size());
  for (const article& a : list) ptrs.push_back(&a);
  sort_articles(ptrs, by);
  return ptrs;
}
