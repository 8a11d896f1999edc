// The single-article page (-c) from a fixed template and a fuzzed article.
// Option byte: the output, named (-o page.html), derived from the article's
// name, or standard output (-o -).
#include "builders/article_page.h"
#include "fixtures.h"
#include "harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_run run(data, size);
  if (!run.usable()) return 0;
  put_file("template.xml", kPageTemplate);
  put_file("article.xml", run.document());
  static const char* const outputs[] = {"page.html", nullptr, "-"};
  build_article_page(run.parser(), "template.xml", "article.xml",
                     outputs[run.options() % 3]);
  return 0;
}
