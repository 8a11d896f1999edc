// The blog page, one article's page (-C) and the per-article pages (-L)
// from a fuzzed template and fixed articles, so navigation lists, slots
// and filters meet known tags, dates and names.
// Option byte: bits 0-1 the mode (blog page, blog page on standard
// output, -C, -L), bits 2-5 the sort order (modulo ten), bits 6-7 the -C
// name (one of the three fixed ones or, for 3, a name not in the list).
#include "builders/blog_page.h"
#include "fixtures.h"
#include "harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_run run(data, size);
  if (!run.usable()) return 0;
  put_file("template.xml", run.document());
  put_file("one.xml", kArticle);
  put_file("list.xml", kArticleList);
  make_folder("sub");  // where the page of sub/b.xml goes
  char* inputs[] = {const_cast<char*>("one.xml"),
                    const_cast<char*>("list.xml")};
  uint8_t o = run.options();
  sort_order order = order_of((o >> 2) & 15);
  static const char* const current[] = {kFixtureSources[0], kFixtureSources[1],
                                        kFixtureSources[3], "nosuch.xml"};
  switch (o & 3) {
    case 0:
    case 1:
      build_blog_page(run.parser(),
                      {.inputs = inputs, .templ = "template.xml",
                       .output = (o & 3) == 0 ? "blog.html" : "-", .by = order});
      break;
    case 2:
      build_blog_page(run.parser(),
                      {.inputs = inputs, .templ = "template.xml",
                       .output = "blog.html", .current = current[o >> 6],
                       .by = order});
      break;
    case 3:
      // The fixed source names keep every page in the scratch directory.
      build_standalone_pages(
          run.parser(), {.inputs = inputs, .templ = "template.xml", .by = order});
      break;
  }
  return 0;
}
