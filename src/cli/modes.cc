#include "cli/modes.h"

#include <cassert>
#include <iterator>

#include "builders/article_page.h"
#include "builders/blog_page.h"
#include "feeds/atom_feed.h"
#include "feeds/json_export.h"
#include "feeds/tag_listing.h"

namespace {

// VORN_MODE(mode, letter, default template, default output, builder, help,
//           usage): one row a mode, in the order of the usage text.  Keep
// each row's fields in this order and its strings on its own lines:
// fuzz/extract-seeds reads them.
#define VORN_MODES(VORN_MODE)                                                 \
  VORN_MODE(article_page, 'c', "article-template.xml", nullptr,              \
            build_article_pages,                                             \
            "a page per article file",                      \
            "[-o file] [-t templ] -c file...")                               \
  VORN_MODE(atom_feed, 'a', "atom-template.xml", "atom.xml", build_atom_feed, \
            "the Atom feed",                                                 \
            "[-o file] [-t templ] [-s sort] -a file...")                     \
  VORN_MODE(tag_listing, 'l', nullptr, nullptr, list_tags,                   \
            "the tags, on standard output",                  \
            "[-jlr] -l file...")                                             \
  VORN_MODE(standalone_pages, 'L', "blog-template.xml", nullptr,             \
            build_standalone_pages,                                          \
            "a standalone page per article",       \
            "[-t templ] [-s sort] -L file...")                               \
  VORN_MODE(json_export, 'j', nullptr, "blog.json", write_json,              \
            "every article as JSON",                                         \
            "[-o file] [-s sort] -j file...")                                \
  VORN_MODE(blog_page, 0, "blog-template.xml", "blog.html", build_blog_page, \
            "the blog page",          \
            "[-o file] [-t templ] [-s sort] -C name file...\n"               \
            "[-o file] [-t templ] [-s sort] file...")

#define VORN_MODE_ROW(mode, letter, templ, output, build, help, usage) \
  {run_mode::mode, letter, usage, help, templ, output, build},

constexpr mode_def kModes[] = {VORN_MODES(VORN_MODE_ROW)};

#undef VORN_MODE_ROW

// The rows are in the order of the enum, so a mode finds its row at once.
constexpr bool rows_in_enum_order() {
  for (size_t i = 0; i < std::size(kModes); ++i)
    if (static_cast<size_t>(kModes[i].mode) != i) return false;
  return true;
}
static_assert(rows_in_enum_order(), "one row per mode, in the enum's order");

}  // namespace

std::span<const mode_def> all_modes() { return kModes; }

const mode_def& mode_of(run_mode mode) {
  size_t i = static_cast<size_t>(mode);
  assert(i < std::size(kModes));
  return kModes[i];
}
