#include "base/markers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(NearestMarker, NamesTheKnownAttributeWithinTwoEdits) {
  const struct {
    const char* name;
    const char* want;  // null: none is near
  } cases[] = {
      // One letter left out, added, replaced; two swapped.
      {"data-vorn-artcle", "data-vorn-article"},
      {"data-vorn-articlee", "data-vorn-article"},
      {"data-vorn-artikle", "data-vorn-article"},
      {"data-vorn-titel", "data-vorn-title"},
      {"data-vorn-atuhor", "data-vorn-author"},
      // Two edits.
      {"data-vorn-artcl", "data-vorn-article"},
      {"data-vorn-navsyle-element", "data-vorn-navstyle-element"},
      {"data-vorn-const-tilte", "data-vorn-const-title"},
      {"data-vorn-tag", "data-vorn-tags"},
      // Letter case does not count, in the prefix or after it.
      {"data-vorn-Article", "data-vorn-article"},
      {"DATA-VORN-ARTICLE", "data-vorn-article"},
      {"Data-Vorn-Titel", "data-vorn-title"},
      // Three edits are too many.
      {"data-vorn-artc", nullptr},
      {"data-vorn-date", nullptr},
      {"data-vorn-published", nullptr},
      // A short name must keep more letters than it changes.
      {"data-vorn-", nullptr},
      {"data-vorn-x", nullptr},
      {"data-vorn-im", "data-vorn-img"},
      {"data-vorn-set-", nullptr},
      // Of equally near names, the first in the list: "nav" and "navsz"
      // are each one edit from "navs".
      {"data-vorn-navs", "data-vorn-nav"},
      {"data-vorn-sorts", "data-vorn-sort"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const char* got = nearest_marker(c.name);
    if (!c.want)
      EXPECT_EQ(got, nullptr) << got;
    else
      EXPECT_STREQ(got, c.want);
  }
}

}  // namespace
