#include "articles/article.h"

#include <algorithm>

#include "base/keywords.h"

std::string last_component(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void cut_extension(std::string& s) {
  size_t dot = s.rfind('.');
  if (dot != std::string::npos && s.find('/', dot) == std::string::npos)
    s.erase(dot);
}

std::string page_name(const std::string& name) {
  size_t dot = name.rfind('.');
  if (dot != std::string::npos && ascii_iequal(name.c_str() + dot + 1, "xml"))
    return name.substr(0, dot + 1) + "html";
  return name + ".html";
}

const std::string* setmap_get(const article& a, std::string_view key) {
  if (a.setorder.empty()) {
    for (const auto& kv : a.setmap)
      if (kv.first == key) return &kv.second;
    return nullptr;
  }
  auto it = std::lower_bound(
      a.setorder.begin(), a.setorder.end(), key,
      [&a](uint32_t i, std::string_view k) { return a.setmap[i].first < k; });
  if (it == a.setorder.end() || a.setmap[*it].first != key) return nullptr;
  return &a.setmap[*it].second;
}

void index_setmap(article& a) {
  // A few keys are found as fast by looking at each.
  constexpr size_t kIndexAbove = 8;
  a.setorder.clear();
  if (a.setmap.size() <= kIndexAbove) return;
  a.setorder.resize(a.setmap.size());
  for (size_t i = 0; i < a.setorder.size(); ++i)
    a.setorder[i] = static_cast<uint32_t>(i);
  std::sort(a.setorder.begin(), a.setorder.end(), [&a](uint32_t l, uint32_t r) {
    return a.setmap[l].first < a.setmap[r].first;
  });
}
