// A fuzzed template and a fuzzed article together (TEMPLATE, the separator
// line "%%%%", ARTICLE), through every mode: -c, the blog page, -C, -L,
// -a, -j and -l.
// Option byte: the sort order (modulo ten), then (divided by ten) the tag
// listing's form (modulo eight), then (divided by eighty) which article
// -C names: the first, second or third in reading order, else one that
// does not exist.
#include <string>
#include <vector>

#include "builders/article_page.h"
#include "builders/blog_page.h"
#include "feeds/atom_feed.h"
#include "feeds/json_export.h"
#include "feeds/tag_listing.h"
#include "harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_run run(data, size);
  if (!run.usable()) return 0;
  put_file("template.xml", run.first());
  put_file("article.xml", run.second());
  make_folder("sub");  // so that pages of sources in sub/ can be written
  char* inputs[] = {const_cast<char*>("article.xml")};
  XML_Parser p = run.parser();
  uint8_t o = run.options();
  sort_order order = order_of(o);
  unsigned form = (o / 10) % 8;

  std::vector<std::string> names;
  source_names(p, inputs, names);
  size_t pick = o / 80;
  const char* current = pick < names.size() ? names[pick].c_str() : "nosuch";

  build_article_page(p, "template.xml", "article.xml", "page.html");
  build_blog_page(p, {.inputs = inputs, .templ = "template.xml",
                      .output = "blog.html", .by = order});
  build_blog_page(p, {.inputs = inputs, .templ = "template.xml",
                      .output = "current.html", .current = current,
                      .by = order});
  // -L writes a page named after each source name: only where every such
  // page stays in the scratch directory.
  bool inside = true;
  for (const std::string& n : names) inside = inside && stays_inside(n);
  if (inside)
    build_standalone_pages(p, {.inputs = inputs, .templ = "template.xml",
                               .by = order});
  build_atom_feed(p, {.inputs = inputs, .templ = "template.xml",
                      .output = "atom.xml", .by = order});
  write_json(p, {.inputs = inputs, .output = "blog.json", .by = order});
  list_tags(p, {.inputs = inputs, .json = (form & 1) != 0,
                .reverse = (form & 2) != 0, .repeated = (form & 4) != 0});
  return 0;
}
