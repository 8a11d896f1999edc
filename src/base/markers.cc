#include "base/markers.h"

#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "base/diagnostics.h"
#include "base/input.h"
#include "base/keywords.h"

namespace {

constexpr std::string_view kPrefix = "data-vorn-";
constexpr std::string_view kSetPrefix = "data-vorn-set-";
constexpr size_t kMostEdits = 2;

// The edits that turn A into B (letter case ignored), counting a swap of
// two neighbouring letters as one; more than kMostEdits when it is sure to
// be more.
size_t edits(std::string_view a, std::string_view b) {
  size_t longer = std::max(a.size(), b.size());
  size_t shorter = std::min(a.size(), b.size());
  if (longer - shorter > kMostEdits) return kMostEdits + 1;
  // d[i][j]: the edits from the first i letters of A to the first j of B.
  std::vector<std::vector<size_t>> d(a.size() + 1,
                                     std::vector<size_t>(b.size() + 1));
  for (size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    for (size_t j = 1; j <= b.size(); ++j) {
      bool same = ascii_lower(a[i - 1]) == ascii_lower(b[j - 1]);
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1,
                          d[i - 1][j - 1] + (same ? 0 : 1)});
      if (i > 1 && j > 1 && ascii_lower(a[i - 1]) == ascii_lower(b[j - 2]) &&
          ascii_lower(a[i - 2]) == ascii_lower(b[j - 1]))
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  }
  return d[a.size()][b.size()];
}

bool has_prefix(std::string_view name, std::string_view prefix) {
  if (name.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (ascii_lower(name[i]) != prefix[i]) return false;
  return true;
}

bool is_unknown_marker(const char* name) {
  if ((name[0] | 0x20) != 'd') return false;  // most attributes end here
  std::string_view n(name);
  if (!has_prefix(n, kPrefix) || keyword_lookup(name) != KW_UNKNOWN)
    return false;
  return !(has_prefix(n, kSetPrefix) && n.size() > kSetPrefix.size());
}

}  // namespace

const char* nearest_marker(std::string_view name) {
  std::string_view rest = name.substr(kPrefix.size());
  const char* best = nullptr;
  size_t best_edits = std::min(kMostEdits + 1, rest.size());
  for (int id = 0; id < KW_UNKNOWN; ++id) {
    std::string_view known = keyword_name(id);
    if (!known.starts_with(kPrefix)) continue;  // an element's name
    size_t n = edits(rest, known.substr(kPrefix.size()));
    if (n < best_edits) {
      best_edits = n;
      best = keyword_name(id);
    }
  }
  return best;
}

void check_markers(XML_Parser parser, const char* path, const char** atts) {
  // The names reported for the document being read, kept by each thread
  // that reads documents, so that a name repeated a thousand times costs
  // one message; report_once's key holds the names of documents read
  // before, and keeps two threads that read one file from both telling.
  thread_local std::string seen_path;
  thread_local std::unordered_set<std::string> seen;
  for (; atts[0]; atts += 2) {
    const char* name = atts[0];
    if (!is_unknown_marker(name)) continue;
    if (seen_path != path) {
      seen_path = path;
      seen.clear();
    }
    if (!seen.insert(name).second) continue;
    std::string advice;
    if (const char* near = nearest_marker(name)) {
      advice = " (did you mean ";
      advice += near;
      advice += "?)";
    }
    std::string key = "unknown attribute\n";
    key += path;
    key += '\n';
    key += name;
    warn_once_at(key, parser, path, "unknown attribute %s%s", name,
                 advice.c_str());
  }
}
