// The Atom feed (-a): a fuzzed article with a fixed one and the fixed
// feed template, or a fuzzed template with the fixed articles.
// Option byte: bit 0 set fuzzes the template, bits 1-7 the sort order
// (modulo ten).
#include "feeds/atom_feed.h"
#include "fixtures.h"
#include "harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_run run(data, size);
  if (!run.usable()) return 0;
  uint8_t o = run.options();
  bool fuzz_template = o & 1;
  put_file("template.xml", fuzz_template ? run.document() : kAtomTemplate);
  put_file("one.xml", fuzz_template ? kArticle : run.document());
  put_file("list.xml", kArticleList);
  char* inputs[] = {const_cast<char*>("one.xml"),
                    const_cast<char*>("list.xml")};
  build_atom_feed(run.parser(), {.inputs = inputs, .templ = "template.xml",
                                 .output = "atom.xml", .by = order_of(o >> 1)});
  return 0;
}
