#include "articles/sort.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

#include "startup/keywords.h"

namespace {

const char* const kSortNames[] = {
    "date",  "filename",  "cmdline",  "ititle",  "title",
    "rdate", "rfilename", "rcmdline", "rititle", "rtitle",
};

// Pinned "last" sorts first, unpinned next, pinned "first" at the end.
int pin_rank(const article& a) {
  return a.sort == 2 ? 0 : a.sort == 1 ? 2 : 1;
}

const char* title_key(const article& a) {
  return a.titletext ? a.titletext->c_str() : "";
}

}  // namespace

bool sort_parse(const char* name, int& order) {
  for (int i = 0; i < 10; ++i) {
    if (ascii_iequal(name, kSortNames[i])) {
      order = i;
      return true;
    }
  }
  return false;
}

bool article_before(const article& l, const article& r, int order) {
  if (l.sort != r.sort) return pin_rank(l) < pin_rank(r);
  switch (order) {
    case SORT_DATE: return l.time > r.time;
    case SORT_RDATE: return l.time < r.time;
    case SORT_FILENAME: return std::strcmp(l.src.c_str(), r.src.c_str()) < 0;
    case SORT_RFILENAME: return std::strcmp(r.src.c_str(), l.src.c_str()) < 0;
    case SORT_CMDLINE: return l.order < r.order;
    case SORT_RCMDLINE: return l.order > r.order;
    case SORT_ITITLE: return strcasecmp(title_key(l), title_key(r)) < 0;
    case SORT_RITITLE: return strcasecmp(title_key(r), title_key(l)) < 0;
    case SORT_TITLE: return std::strcmp(title_key(l), title_key(r)) < 0;
    case SORT_RTITLE: return std::strcmp(title_key(r), title_key(l)) < 0;
  }
  return false;
}

void sort_articles(std::vector<article>& list, int order) {
  if (order < 0 || order > 9) return;
  // Records are large: sort pointers, then move every record once.
  std::vector<const article*> ptrs;
  ptrs.reserve(list.size());
  for (const article& a : list) ptrs.push_back(&a);
  sort_articles(ptrs, order);
  std::vector<article> sorted;
  sorted.reserve(list.size());
  for (const article* p : ptrs)
    sorted.push_back(std::move(list[static_cast<size_t>(p - list.data())]));
  list = std::move(sorted);
}

void sort_articles(std::vector<const article*>& list, int order) {
  if (order < 0 || order > 9) return;
  std::stable_sort(list.begin(), list.end(),
                   [order](const article* l, const article* r) {
                     return article_before(*l, *r, order);
                   });
}
